#pragma once
// What the flow wizard's advanced options sheet decides from the analysis
// alone, without a window: which pages it shows and in what order, where the
// filling time series is edited, and the rules its pages apply to their
// controls. Tested by tables.
#include <optional>
#include <vector>

// The pages of the advanced options sheet.
enum class FlowAdvPage {
    kAnalysis,
    kOutput,
    kOutput3D,
    kFilling,
    kFilling3D,
    kPacking,
    kNumerical,
    kRunnerBalance,
    kMoldWindow,
    kControl,
    kGateLocation,
};

// The sheet's pages for one opening.
struct SFlowAdvLayout {
    std::vector<FlowAdvPage> pages;
    // The page that edits the filling time series this time; none leaves it
    // where the last opening put it.
    std::optional<FlowAdvPage> timeSeriesPage;
};

// The pages for an analysis with `aim` (its index) on a 3D mesh or not, with
// the packing stage flag and the analysis flags; the Analysis page first.
SFlowAdvLayout ArrangeAdvancedPages(int aim, bool is3D, int packStage, int flags);

// Which value of a results family a choice's item data shows: 0 constant
// time, 1 specified times, 2 constant volume, 3 specified volumes; -1 none
// (None, or no choice).
int ResultFamilyValueShown(int itemData);

// The item data of the solver types the Numerical solution page takes out of
// its list for this mesh sub-type and these flags.
std::vector<int> SolverTypesRemoved(int meshSubType, int flags, int packStage);

// Whether the Output page offers the Abaqus interface file: plain midplane
// analyses only.
bool ShowsAbaqusSwitch(int meshSubType, int flags);

// The Analysis page: whether the mold's properties are fixed (an earlier
// cooling analysis gives them, or no part is simulated), and whether the
// ambient conditions are.
bool FixesMoldProperties(bool followsCooling, int aim);
bool FixesAmbient(int aim, int flags);

// Whether the 3D solver pages show the Navier-Stokes fields (else the
// inertia-free ones), by the index of the 3D filling analysis type.
bool ShowsNavierStokesFields(int filling3DType);
