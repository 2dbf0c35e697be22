#include "flow/FlowSettings.h"

#include <span>
#include <string>

#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"
#include "flow/GasSettingsDlg.h"
#include "flow/ProfileDialogs.h"

namespace {

using Row = CBindingRow<CFlowWizard>;
using S = CFlowWizard;
constexpr unsigned kDefault = kBindPageDefault;

bool NotOn3DMesh(const S& wizard) { return !wizard.Is3D(); }

// Table A.
const Row kAnalysisTypeRows[] = {
    {.keyword = "<P>ANALYSIS_AIM", .control = IDC_FLOW_FULL_FLOW, .member = &S::m_aim, .flags = kDefault},
};

// Table B.
const Row kBoundaryRows[] = {
    {.keyword = "<P>BOUNDARY_CONDITION", .member = &S::m_strBoundaryFile},
    {.keyword = "MELT_TEMPERATURE", .control = IDC_FLOW_MELT_TEMP, .companion = IDC_FLOW_MELT_TEMP_TEXT,
     .member = &S::m_dMeltTemperature, .quantity = kQuantityTemperature, .flags = kDefault},
    {.keyword = "MOLD_TEMPERATURE", .control = IDC_FLOW_MOLD_TEMP, .companion = IDC_FLOW_MOLD_TEMP_TEXT,
     .member = &S::m_dMoldTemperature, .quantity = kQuantityTemperature, .flags = kDefault},
    {.keyword = "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT", .control = IDC_FLOW_MELT_LOWER,
     .companion = IDC_FLOW_MELT_LOWER_TEXT, .member = &S::m_dMeltLowerLimit, .quantity = kQuantityTemperature},
    {.keyword = "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT", .control = IDC_FLOW_MELT_UPPER,
     .companion = IDC_FLOW_MELT_UPPER_TEXT, .member = &S::m_dMeltUpperLimit, .quantity = kQuantityTemperature},
    {.keyword = "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_LOWER_LIMIT", .control = IDC_FLOW_MOLD_LOWER,
     .companion = IDC_FLOW_MOLD_LOWER_TEXT, .member = &S::m_dMoldLowerLimit, .quantity = kQuantityTemperature},
    {.keyword = "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_UPPER_LIMIT", .control = IDC_FLOW_MOLD_UPPER,
     .companion = IDC_FLOW_MOLD_UPPER_TEXT, .member = &S::m_dMoldUpperLimit, .quantity = kQuantityTemperature},
    {.keyword = "3DFLOW_RUN_PRESSURE", .control = IDC_FLOW_RUN_PRESSURE, .companion = IDC_FLOW_RUN_PRESSURE_TEXT,
     .member = &S::m_dRunnerPressure, .quantity = kQuantityPressureMPa, .applies = NotOn3DMesh},
};

// Table C.
const Row kProcessRows[] = {
    {.keyword = "INJECTION", .control = IDC_FLOW_INJECTION, .member = &S::m_injection},
    {.keyword = "INJECTION_FLOW_RATE", .control = IDC_FLOW_INJECTION_RATE, .companion = IDC_FLOW_INJECTION_RATE_TEXT,
     .member = &S::m_dInjectionFlowRate, .quantity = kQuantityFlowRateCubicCm},
    {.keyword = "INJECTION_TIME", .control = IDC_FLOW_INJECTION_TIME, .companion = IDC_FLOW_INJECTION_TIME_TEXT,
     .member = &S::m_dInjectionTime, .quantity = kQuantityTime},
    {.keyword = "<P>VELOCITY_PRESSURE_TRANSITION", .control = IDC_FLOW_SWITCH_OVER, .member = &S::m_switchOver},
    {.keyword = "<P>VELOCITY_PRESSURE_TRANSITION_PERCENTAGE_VOLUME", .control = IDC_FLOW_SWITCH_VOLUME,
     .companion = IDC_FLOW_SWITCH_VOLUME_TEXT, .member = &S::m_dSwitchOverVolume, .quantity = kQuantityPercentage},
    {.keyword = "<P>VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE", .control = IDC_FLOW_SWITCH_PRESSURE,
     .companion = IDC_FLOW_SWITCH_PRESSURE_TEXT, .member = &S::m_dSwitchOverPressure,
     .quantity = kQuantityPressureMPa},
    {.keyword = "<P>VELOCITY_PRESSURE_TRANSITION_SPECIFIED_TIME", .control = IDC_FLOW_SWITCH_TIME,
     .companion = IDC_FLOW_SWITCH_TIME_TEXT, .member = &S::m_dSwitchOverTime, .quantity = kQuantityTime},
    {.keyword = "<P>PRESSURE_CONTROL", .control = IDC_FLOW_PRESSURE_CONTROL, .member = &S::m_pressureControl},
    {.keyword = "<P>PRESSURE_CONTROL_FACTOR", .control = IDC_FLOW_PRESSURE_FACTOR,
     .companion = IDC_FLOW_PRESSURE_FACTOR_TEXT, .member = &S::m_dPressureFactor},
    {.keyword = "<P>PRESSURE_CONTROL_SPECIFIED", .control = IDC_FLOW_PRESSURE_SPECIFIED,
     .companion = IDC_FLOW_PRESSURE_SPECIFIED_TEXT, .member = &S::m_dPressureSpecified,
     .quantity = kQuantityPressureMPa},
};

// Table D.
const Row kVelocityProfileRows[] = {
    {.keyword = "<P>FILL_INJECTION_PROFILE", .control = IDC_FLOW_PROFILE_KIND, .member = &S::m_fillProfile},
    {.keyword = "<P>FILL_INJECTION_PROFILE_FLOW_VOL", .control = IDC_FLOW_PROFILE_FLOW_VOL,
     .member = &S::m_profileFlowVol, .quantity = kQuantityPercentage, .quantity2 = kQuantityPercentage},
    {.keyword = "<P>FILL_INJECTION_PROFILE_TIME_RAM_POSITION", .control = IDC_FLOW_PROFILE_TIME_RAM,
     .member = &S::m_profileTimeRamPosition, .quantity = kQuantityTime, .quantity2 = kQuantityLength},
    {.keyword = "<P>FILL_INJECTION_PROFILE_TIME_RAM_SPLINE", .control = IDC_FLOW_PROFILE_TIME_SPLINE,
     .member = &S::m_profileTimeRamSpline, .quantity = kQuantityTime, .quantity2 = kQuantityLength},
    {.keyword = "<P>FILL_INJECTION_PROFILE_RAM_POSITION_RAM_VELOCITY", .control = IDC_FLOW_PROFILE_RAM_VELOCITY,
     .member = &S::m_profileRamVelocity, .quantity = kQuantityLength, .quantity2 = kQuantitySpeedMm},
    {.keyword = "<P>FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL", .control = IDC_FLOW_NOMINAL_FLOW_RATE_RADIO,
     .member = &S::m_profileNominal},
    {.keyword = "<P>FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_FLOW_RATE", .control = IDC_FLOW_NOMINAL_FLOW_RATE,
     .companion = IDC_FLOW_NOMINAL_FLOW_RATE_RADIO, .member = &S::m_dNominalFlowRate,
     .quantity = kQuantityFlowRateCubicCm},
    {.keyword = "<P>FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_TIME", .control = IDC_FLOW_NOMINAL_TIME,
     .companion = IDC_FLOW_NOMINAL_TIME_RADIO, .member = &S::m_dNominalTime, .quantity = kQuantityTime},
    {.keyword = "<P>FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_RESCALE_TIME", .control = IDC_FLOW_NOMINAL_RESCALE,
     .companion = IDC_FLOW_NOMINAL_RESCALE_RADIO, .member = &S::m_dNominalRescaleTime, .quantity = kQuantityTime},
    {.keyword = "<P>RAM", .control = IDC_FLOW_RAM_AUTOMATIC, .member = &S::m_ram},
    {.keyword = "<P>RAM_SPECIFIED_DIAMETER", .control = IDC_FLOW_RAM_DIAMETER, .companion = IDC_FLOW_RAM_DIAMETER_TEXT,
     .member = &S::m_dRamDiameter, .quantity = kQuantityLength},
    {.keyword = "<P>RAM_SPECIFIED_STROKE_LENGTH", .control = IDC_FLOW_RAM_STROKE,
     .companion = IDC_FLOW_RAM_STROKE_TEXT, .member = &S::m_dRamStroke, .quantity = kQuantityLength},
};

// Table E.
const Row kPressureProfileRows[] = {
    {.keyword = "<P>PRESSURE_CONTROL_PROFILE", .control = IDC_FLOW_PPROFILE_PRESSURE_RADIO,
     .member = &S::m_pressureProfile},
    {.keyword = "<P>PRESSURE_CONTROL_PROFILE_PRESSURE", .control = IDC_FLOW_PPROFILE_PRESSURE,
     .member = &S::m_profilePressure, .quantity = kQuantityPressureMPa, .quantity2 = kQuantityTime},
    {.keyword = "<P>PRESSURE_CONTROL_PROFILE_FACTOR", .control = IDC_FLOW_PPROFILE_FACTOR,
     .member = &S::m_profileFactor, .quantity2 = kQuantityTime},
};

// Table F.
const Row kGasRows[] = {
    {.keyword = "3DFLOW_GAS_PROCESS", .control = IDC_FLOW_GAS_CONSTANT_VOLUME, .member = &S::m_gasProcess},
    {.keyword = "3DFLOW_GAS_NOZZLE_SHUT_OFF", .control = IDC_FLOW_GAS_SHUT_OFF, .member = &S::m_gasShutOff},
    {.keyword = "3DFLOW_GAS_NOZZLE_SHUT_OFF_TIME", .control = IDC_FLOW_GAS_SHUT_OFF_TIME,
     .companion = IDC_FLOW_GAS_SHUT_OFF_TIME_TEXT, .member = &S::m_dGasShutOffTime, .quantity = kQuantityTime},
    {.keyword = "3DFLOW_GAS_NOZZLE_SHUT_OFF_PERCENTAGE_VOLUME", .control = IDC_FLOW_GAS_SHUT_OFF_VOLUME,
     .companion = IDC_FLOW_GAS_SHUT_OFF_VOLUME_TEXT, .member = &S::m_dGasShutOffVolume,
     .quantity = kQuantityPercentage},
    {.keyword = "3DFLOW_COOLING_TIME", .control = IDC_FLOW_GAS_COOLING_TIME,
     .companion = IDC_FLOW_GAS_COOLING_TIME_TEXT, .member = &S::m_dGasCoolingTime, .quantity = kQuantityTime},
};

// Table G.
const Row kQualityRows[] = {
    {.keyword = "3DFLOW_OPTIM_QUALITY_WARPAGE", .control = IDC_FLOW_QUALITY_WARPAGE,
     .companion = IDC_FLOW_QUALITY_WARPAGE_TEXT, .member = &S::m_dQualityWarpage},
    {.keyword = "3DFLOW_OPTIM_QUALITY_DIMENSIONAL_TOLERANCE", .control = IDC_FLOW_QUALITY_TOLERANCE,
     .companion = IDC_FLOW_QUALITY_TOLERANCE_TEXT, .member = &S::m_dQualityTolerance},
    {.keyword = "3DFLOW_OPTIM_QUALITY_SINK_MARKS", .control = IDC_FLOW_QUALITY_SINK,
     .companion = IDC_FLOW_QUALITY_SINK_TEXT, .member = &S::m_dQualitySinkMarks},
};

// Table H, the curing page's part.
const Row kCuringRows[] = {
    {.keyword = "3DFLOW_TSET_CURING_TIME", .control = IDC_FLOW_TSET_CURING_TIME,
     .companion = IDC_FLOW_TSET_CURING_TIME_TEXT, .member = &S::m_dCuringTime, .quantity = kQuantityTime},
    {.keyword = "3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS", .control = IDC_FLOW_TSET_TRANSFER_POT,
     .member = &S::m_bTransferPot},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_DIAMETER", .control = IDC_FLOW_TSET_POT_DIAMETER,
     .companion = IDC_FLOW_TSET_POT_DIAMETER_TEXT, .member = &S::m_dPotDiameter, .quantity = kQuantityLength},
    {.keyword = "3DFLOW_TSET_HEATING_LINE_TEMPERATURE", .control = IDC_FLOW_TSET_HEATING_TEMP,
     .companion = IDC_FLOW_TSET_HEATING_TEMP_CHECK, .member = &S::m_dHeatingLineTemperature,
     .quantity = kQuantityTemperature},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_DWELL_TIME", .control = IDC_FLOW_TSET_DWELL_TIME,
     .companion = IDC_FLOW_TSET_DWELL_TIME_TEXT, .member = &S::m_dPotDwellTime, .quantity = kQuantityTime},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_LENGTH", .control = IDC_FLOW_TSET_POT_LENGTH,
     .companion = IDC_FLOW_TSET_POT_LENGTH_CHECK, .member = &S::m_dPotLength, .quantity = kQuantityLength},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_EDGE_TO_HEATING_LINE_DISTANCE", .control = IDC_FLOW_TSET_EDGE_DISTANCE,
     .companion = IDC_FLOW_TSET_EDGE_DISTANCE_CHECK, .member = &S::m_dPotEdgeDistance,
     .quantity = kQuantityLength},
};

// Table H, the transfer pot material dialog's part.
const Row kTransferPotRows[] = {
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_METAL_CONDUCTIVITY", .control = IDC_FLOW_POT_METAL_CONDUCTIVITY,
     .companion = IDC_FLOW_POT_METAL_CONDUCTIVITY_TEXT, .member = &S::m_dPotMetalConductivity,
     .quantity = kQuantityThermalConductivity},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_METAL_DENSITY", .control = IDC_FLOW_POT_METAL_DENSITY,
     .companion = IDC_FLOW_POT_METAL_DENSITY_TEXT, .member = &S::m_dPotMetalDensity,
     .quantity = kQuantityDensity},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_METAL_SPECIFIC_HEAT", .control = IDC_FLOW_POT_METAL_HEAT,
     .companion = IDC_FLOW_POT_METAL_HEAT_TEXT, .member = &S::m_dPotMetalSpecificHeat,
     .quantity = kQuantitySpecificHeat},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_PLASTIC_CONDUCTIVITY", .control = IDC_FLOW_POT_PLASTIC_CONDUCTIVITY,
     .companion = IDC_FLOW_POT_PLASTIC_CONDUCTIVITY_TEXT, .member = &S::m_dPotPlasticConductivity,
     .quantity = kQuantityThermalConductivity},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_PLASTIC_DENSITY", .control = IDC_FLOW_POT_PLASTIC_DENSITY,
     .companion = IDC_FLOW_POT_PLASTIC_DENSITY_TEXT, .member = &S::m_dPotPlasticDensity,
     .quantity = kQuantityDensity},
    {.keyword = "3DFLOW_TSET_TRANSFER_POT_PLASTIC_SPECIFIC_HEAT", .control = IDC_FLOW_POT_PLASTIC_HEAT,
     .companion = IDC_FLOW_POT_PLASTIC_HEAT_TEXT, .member = &S::m_dPotPlasticSpecificHeat,
     .quantity = kQuantitySpecificHeat},
};

// Table I.
const Row kDescriptionRows[] = {
    {.keyword = "ANALYSIS_DESCRIPTION", .control = IDC_FLOW_DESCRIPTION, .member = &S::m_strDescription},
};

// Registers `rows` on `page` (the current page when null), each "<P>" replaced
// by the wizard's solver prefix.
void BindFlowRows(CKeywordBindings& bindings, CFlowWizard& wizard, std::span<const Row> rows, CWnd* page = nullptr)
{
    CWnd* const previous = bindings.GetCurrentPage();
    if (page)
        bindings.SetCurrentPage(page);
    constexpr std::string_view kPrefixMark = "<P>";
    for (const Row& row : rows) {
        const std::string_view keyword = row.keyword;
        if (!keyword.starts_with(kPrefixMark)) {
            bindings.BindRows(wizard, std::span<const Row>(&row, 1));
            continue;
        }
        const std::string full = wizard.Keyword(keyword.substr(kPrefixMark.size()));
        Row prefixed = row;
        prefixed.keyword = full.c_str();
        bindings.BindRows(wizard, std::span<const Row>(&prefixed, 1));
    }
    bindings.SetCurrentPage(previous);
}

} // namespace

void BindAnalysisTypePage(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    BindFlowRows(bindings, wizard, kAnalysisTypeRows);
}

void BindBoundaryPage(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    BindFlowRows(bindings, wizard, kBoundaryRows);
}

void BindProcessPage(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    BindFlowRows(bindings, wizard, kProcessRows);
    CFlowWizPage3& page = wizard.GetProcessPage();
    BindFlowRows(bindings, wizard, kVelocityProfileRows, &page.GetVelocityProfileDlg());
    BindFlowRows(bindings, wizard, kPressureProfileRows, &page.GetPressureProfileDlg());
    if (wizard.GetFlags() & kFlowGas)
        BindFlowRows(bindings, wizard, kGasRows, &page.GetGasSettingsDlg());
    if (wizard.GetFlags() & kFlowOptimum)
        BindFlowRows(bindings, wizard, kQualityRows, &page.GetQualityCriteriaDlg());
}

void BindCuringPage(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    BindFlowRows(bindings, wizard, kCuringRows);
    BindFlowRows(bindings, wizard, kTransferPotRows, &wizard.GetCuringPage().GetTransferPotDlg());
}

void BindDescriptionPage(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    BindFlowRows(bindings, wizard, kDescriptionRows);
}
