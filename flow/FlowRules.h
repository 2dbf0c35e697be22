#pragma once
// What the flow wizard decides from its inputs alone, without a window: the
// stage flags, which pages show, the molding-window ranges derived from the
// material, the switch-over node value's two forms and the machine list's
// labels. Tested by tables.
#include <cstddef>
#include <string>
#include <utility>
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

// The process settings page's choices: the index of each token in its field,
// which is also the item data of its drop-down entry.
enum FlowInjectionChoice { kInjectionAutomatic = 0, kInjectionTime, kInjectionFlowRate, kInjectionProfile };
enum FlowSwitchOverChoice {
    kSwitchOverAutomatic = 0,
    kSwitchOverVolume,
    kSwitchOverTime,
    kSwitchOverPressureAtNode,
};
enum FlowPressureChoice { kPressureFactor = 0, kPressureSpecified, kPressureProfile };
enum FlowPressureProfileChoice { kProfileByPressure = 0, kProfileByFactor };
enum FlowGasShutOffChoice { kGasShutOffVolume = 0, kGasShutOffTime, kGasShutOffNever };

// What the process settings page reads when it becomes active.
struct SProcessPageInputs {
    bool is3D = false;
    int flags = 0;
    SFlowStages stages;
    int restart = 0;
    int injection = -1;
    int pressure = -1;
    // Whether the boundary conditions name a switch-over node.
    bool hasSwitchOverNode = false;
    bool pressureProfileEmpty = true;
    // A flow that follows a cooling analysis of an earlier flow keeps that
    // flow's velocity phase.
    bool followsCoolingOfFlow = false;
};

// What the page offers: the entries of each drop-down list (by item data, in
// list order), the choices after the page's rules, and what may be edited.
struct SProcessPageOffer {
    std::vector<int> injectionEntries;
    std::vector<int> switchOverEntries;
    std::vector<int> pressureEntries;
    int injection = -1;
    int pressure = -1;
    // The filling choices are dropped: the analysis does not edit them.
    bool clearFillingChoices = false;
    bool injectionEditable = false;      // 2221
    bool injectionValuesEditable = false; // 2222, 2224
    bool fillingEditable = false;         // switch-over and the pressure values
    bool pressureChoiceEnabled = true;    // 2144
};
SProcessPageOffer ProcessPageOffer(const SProcessPageInputs& in);

// Whether the pressure profile has no point for the way it is given.
bool IsPressureProfileEmpty(int profileChoice, std::size_t pressurePoints, std::size_t factorPoints);

// The two column headings a velocity profile entry ("Time vs Ram position")
// gives its grid: before the first " vs ", and from four characters after it.
std::pair<std::string, std::string> ProfileHeadings(std::string_view entry);

// A gas cylinder's keyword: "3DFLOW_GAS_CYLINDER<n>_" + suffix.
std::string GasCylinderKeyword(int cylinder, std::string_view suffix);
