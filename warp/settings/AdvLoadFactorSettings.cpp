// The Load Factor page of the advanced options. The Sturm sequence check
// belongs to warpage alone: a stress analysis neither shows nor writes nor
// removes it. The number of subspace vectors follows its check box.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

bool IsWarpage(const CWarpSettings& settings) { return !settings.IsStress(); }

const Row kRows[] = {
    {.keyword = "3DSTRUCT_BUCKLING_EIGENVALUE_METHOD", .control = IDC_WARP_LOWEST_POSITIVE,
     .companion = IDC_WARP_EIGEN_METHOD_GROUP, .member = &S::m_eigenMethod, .flags = kDefault},
    {.keyword = "3DSTRUCT_BUCKLING_EIGENVALUE_CONVERGENCE_TOLERANCE", .control = IDC_WARP_EIGEN_TOLERANCE,
     .companion = IDC_WARP_EIGEN_TOLERANCE_TEXT, .member = &S::m_dEigenTolerance, .flags = kDefault},
    {.keyword = "3DSTRUCT_LOAD_FACT_OPT_BUCKLING_SMALLEST_EIGENVALUE", .control = IDC_WARP_SMALLEST_FACTOR,
     .companion = IDC_WARP_SMALLEST_FACTOR_TEXT, .member = &S::m_dSmallestLoadFactor, .flags = kDefault},
    {.keyword = "3DSTRUCT_LOAD_FACT_OPT_BUCKLING_STURM_SEQUENCE_CHECK", .control = IDC_WARP_STURM_CHECK,
     .companion = IDC_WARP_STURM_CHECK, .member = &S::m_bSturmCheck, .flags = kDefault, .applies = IsWarpage},
    {.keyword = "3DSTRUCT_LOAD_FACT_OPT_MAXIMUM_NUMBER_SUBSPACE_ITER", .control = IDC_WARP_SUBSPACE_ITER,
     .companion = IDC_WARP_SUBSPACE_ITER_TEXT, .member = &S::m_nMaxSubspaceIterations, .flags = kDefault},
    {.keyword = "3DSTRUCT_LOAD_FACT_OPT_NUMBER_EIGENVALUES", .control = IDC_WARP_MODES,
     .companion = IDC_WARP_MODES_TEXT, .member = &S::m_nEigenvalues, .flags = kDefault},
    {.keyword = "3DSTRUCT_LOAD_FACT_OPT_NUMBER_SUBSPACE_ITER_VECTORS", .control = IDC_WARP_SUBSPACE_VECTORS,
     .companion = IDC_WARP_SUBSPACE_VECTORS_CHECK, .member = &S::m_nSubspaceVectors},
};

} // namespace

WarpBindingTable AdvLoadFactorBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
