// The boundary-condition page: the chosen set's file, always written ("" for
// the automatic constraints).
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_BOUNDARY_CONDITION", .control = -1, .member = &S::m_strBoundaryCondition},
};

} // namespace

WarpBindingTable BoundaryBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
