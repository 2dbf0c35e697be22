// The load control steps, as fractions of the full load.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_LARGE_DEFL_LOAD_CONTROL_INCREMENTS", .control = IDC_WARP_INCREMENT_GRID,
     .member = &S::m_loadIncrements, .quantity = kQuantityPercentage},
};

} // namespace

WarpBindingTable LoadStepsBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
