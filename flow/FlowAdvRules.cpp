#include "flow/FlowAdvRules.h"

#include "flow/FlowRules.h"
#include "host/ProjectTree.h"

namespace {

constexpr int kSolverAsymmetric = 1;
constexpr int kSolverFast = 2;

} // namespace

SFlowAdvLayout ArrangeAdvancedPages(int aim, bool is3D, int packStage, int flags)
{
    SFlowAdvLayout layout;
    layout.pages.push_back(FlowAdvPage::kAnalysis);
    const bool noPart = aim == kFlowAimMoldWindow || aim == kFlowAimGateLocation;
    if (!is3D && aim != kFlowAimRunnerBalance && !noPart) {
        layout.timeSeriesPage = FlowAdvPage::kOutput;
        layout.pages.push_back(FlowAdvPage::kOutput);
    }
    if (is3D) {
        layout.pages.push_back(FlowAdvPage::kOutput3D);
        if (aim != kFlowAimPackingStandalone)
            layout.pages.push_back(FlowAdvPage::kFilling3D);
    } else if (!noPart) {
        layout.pages.push_back(FlowAdvPage::kFilling);
    }
    if (packStage)
        layout.pages.push_back(FlowAdvPage::kPacking);
    if (aim == kFlowAimMoldWindow) {
        layout.pages.push_back(FlowAdvPage::kMoldWindow);
    } else if (aim == kFlowAimGateLocation) {
        layout.pages.push_back(FlowAdvPage::kGateLocation);
    } else {
        layout.pages.push_back(FlowAdvPage::kNumerical);
        if (aim == kFlowAimRunnerBalance) {
            layout.timeSeriesPage = FlowAdvPage::kRunnerBalance;
            layout.pages.push_back(FlowAdvPage::kRunnerBalance);
        }
    }
    if (flags & kFlowOptimum)
        layout.pages.push_back(FlowAdvPage::kControl);
    return layout;
}

int ResultFamilyValueShown(int itemData) { return itemData >= 1 && itemData <= 4 ? itemData - 1 : -1; }

std::vector<int> SolverTypesRemoved(int meshSubType, int flags, int packStage)
{
    std::vector<int> removed;
    // The fast solver knows neither fusion meshes, fibers, gas nor curing,
    // and does not pack.
    if (meshSubType == kSubFusion || (flags & (kFlowFiber | kFlowGas | kFlowThermoset)) || packStage)
        removed.push_back(kSolverFast);
    if (flags & kFlowGas)
        removed.push_back(kSolverAsymmetric);
    return removed;
}

bool ShowsAbaqusSwitch(int meshSubType, int flags)
{
    return meshSubType == kSubMidplane && !(flags & (kFlowGas | kFlowThermoset | kFlowOptimum));
}

bool FixesMoldProperties(bool followsCooling, int aim)
{
    return followsCooling || aim == kFlowAimMoldWindow || aim == kFlowAimGateLocation;
}

bool FixesAmbient(int aim, int flags)
{
    return aim == kFlowAimMoldWindow || aim == kFlowAimGateLocation || (flags & kFlowThermoset);
}

bool ShowsNavierStokesFields(int filling3DType) { return filling3DType == 1; }
