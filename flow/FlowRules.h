#pragma once
// What the flow wizard decides from its inputs alone, without a window: the
// stage flags, which pages show, the molding-window ranges derived from the
// material, the switch-over node value's two forms and the machine list's
// labels. Tested by tables.
#include <string>
#include <string_view>
#include <vector>

// The analysis aim: the position of the chosen radio button, and the index
// of its token in the aim's choice field.
enum FlowAimIndex {
    kFlowAimPacking = 0,
    kFlowAimFillAndPack = 1,
    kFlowAimCuring = 2,
    kFlowAimFilling = 3,
    kFlowAimRunnerBalance = 4,
    kFlowAimPackingStandalone = 5,
    kFlowAimMoldWindow = 6,
    kFlowAimGateLocation = 7,
    kFlowAimOptimumFill = 8,
    kFlowAimOptimumPack = 9,
};

// Where an analysis restarts from; the index of its token.
enum FlowRestartChoice {
    kRestartNone = 0,
    kRestartIntermediateFilling = 1,
    kRestartEndOfFilling = 2,
    kRestartIntermediatePacking = 3,
    kRestartIntermediateCuring = 4,
};

// The tokens of the aim and of the restart choice, in index order.
extern const char* const kFlowAimTokens[10];
extern const char* const kFlowRestartTokens[5];

// What the analysis simulates, as the later pages read it.
struct SFlowStages {
    int fillStage = 0;
    int fillStageEditable = 0;
    int packStage = 0;
    int cureStage = 0;
};

// The stage flags after leaving the analysis type page with `aim` and
// `restart`: a thermoset analysis changes only the curing flag, any other only
// the packing flag, so `stages` keeps the flag that does not apply.
SFlowStages LeaveAnalysisType(SFlowStages stages, int aim, int restart, int flags);

// The restart choice a restart point of `type` (< 0 filling, 0 end of filling,
// > 0 packing or curing) stands for.
int RestartChoiceFromPointType(int type, int flags);

// Whether the restart choice lies after the filling stage, so that only the
// completion of packing or curing remains.
bool RestartCompletesStage(int restart);

// The range texts of the molding-window limits, from the material's no-flow
// temperature: the melt limits at least 10 degrees above it, the mold limits
// at most 10 below it.
std::string MoldWindowMeltRange(double noFlowTemperature);
std::string MoldWindowMoldRange(double noFlowTemperature);

// The switch-over node value is stored as the node number and, on a continued
// line, the pressure; the page edits the pressure alone. The pressure of a
// stored value ("%g" of its second item), or "" when the value is not a list
// of more than one number.
std::string SwitchOverPressureOf(std::string_view storedValue);
// The stored form of `pressure` at `node`.
std::string SwitchOverStoredForm(int node, std::string_view pressure);

// Which pages show (apart from the first and last, which always do).
bool ShowsBoundaryPage(int restart, bool followsFlowResult);
bool ShowsProcessPage(int aim);
// The valve-gate page: aims that fill or pack, with valve gates in the
// boundary conditions (gas and well valve gates only for a gas analysis).
bool ShowsValveGatePage(int aim, int flags, bool valveGates, bool gasValveGates, bool wellValveGates);

// What the boundary-condition page shows.
struct SBoundaryPageFields {
    bool temperatures = false; // melt and mold temperature
    bool runnerPressure = false;
    bool moldWindowLimits = false;
};
SBoundaryPageFields BoundaryPageFields(int aim, bool followsCooling);

// A remembered boundary-condition file name without an extension means the
// ".bf3" file of that name.
std::string WithBoundaryExtension(const std::string& name);

// The molding-window limits in order: 0, else the control to focus (the melt
// upper limit when only the melt pair is out of order, else the mold upper
// limit).
int CheckMoldWindowLimits(double moldLower, double moldUpper, double meltLower, double meltUpper, int moldUpperId,
                          int meltUpperId);

// The labels of the machine list, in file order: manufacturer, ", ", model
// code; a label met before (ignoring case) gets " [local]" appended.
std::string MachineLabel(std::string_view manufacturer, std::string_view modelCode);
std::vector<std::string> MachineListLabels(const std::vector<std::string>& labels);

// Text equality ignoring ASCII case.
bool EqualsNoCase(std::string_view a, std::string_view b);
