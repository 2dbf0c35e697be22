// The advanced options' keywords, registered in the wizard's table after
// those of the wizard's own pages, page by page in the order of the sheet's
// pages: Analysis, Output, Filling solution, Output 3D, Filling solution 3D,
// Packing solution, Numerical solution, Runner balance, Molding window,
// Control parameters, Gate location. Each row reads: keyword, control,
// caption (or governing check box), value, display quantity.
#include <string>
#include <string_view>

#include "flow/FlowAdvSettings.h"
#include "flow/FlowIds.h"
#include "flow/FlowSettings.h"
#include "flow/FlowWizard.h"

const char* const kFlowFillFamilies[3] = {"3DFLOW_FILL_INTERMEDIATE", "3DFLOW_FILL_TIME_SERIES",
                                          "3DFLOW_FILL_RESTART"};

namespace {

constexpr int kNone = -1;

// Registers rows on one page. "<P>" in a keyword stands for the solver
// prefix, "<S>" for the stage whose results the Output page's second half
// writes (curing for a thermoset, packing otherwise).
class CRowBinder {
public:
    CRowBinder(CKeywordBindings& bindings, const CFlowWizard& wizard)
        : m_bindings(bindings), m_prefix(wizard.GetPrefix()),
          m_stage(wizard.GetFlags() & kFlowThermoset ? "3DFLOW_CURE_" : "3DFLOW_PACK_")
    {
    }
    void Page(CWnd* page) { m_bindings.SetCurrentPage(page); }
    void operator()(std::string_view keyword, int control, int companion, BindingVariable variable,
                    UnitQuantity quantity = kQuantityDimensionless)
    {
        m_bindings.Bind(Expand(keyword), control, companion, static_cast<int>(variable.index()), variable, quantity);
    }

private:
    // The keyword with its mark replaced, in a buffer reused for every row:
    // the table keeps its own copy.
    std::string_view Expand(std::string_view keyword)
    {
        for (auto [mark, value] : {std::pair<std::string_view, const std::string*>{"<P>", &m_prefix},
                                   std::pair<std::string_view, const std::string*>{"<S>", &m_stage}})
            if (keyword.starts_with(mark)) {
                m_expanded.assign(*value);
                m_expanded.append(keyword.substr(mark.size()));
                return m_expanded;
            }
        return keyword;
    }

    CKeywordBindings& m_bindings;
    std::string m_prefix;
    std::string m_stage;
    std::string m_expanded;
};

// The controls of one results family on the Output page: the choice and its
// caption, then edit and caption of each value.
struct SFamilyControls {
    int choice, choiceText;
    int constantTime, constantTimeText, specifiedTimes, specifiedTimesText;
    int constantVolume, constantVolumeText, specifiedVolumes, specifiedVolumesText;
};

void BindFamily(CRowBinder& row, const std::string& stem, SFlowResultFamily& f, const SFamilyControls& c,
                bool volumes)
{
    row(stem, c.choice, c.choiceText, &f.choice);
    row(stem + "_CONSTANT_TIME", c.constantTime, c.constantTimeText, &f.constantTime);
    row(stem + "_SPECIFIED_TIMES", c.specifiedTimes, c.specifiedTimesText, &f.specifiedTimes, kQuantityTime);
    if (!volumes)
        return;
    row(stem + "_CONSTANT_VOLUME", c.constantVolume, c.constantVolumeText, &f.constantVolume);
    row(stem + "_SPECIFIED_VOLUMES", c.specifiedVolumes, c.specifiedVolumesText, &f.specifiedVolumes,
        kQuantityPercentage);
}

void BindAnalysisPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    const bool optimum = wizard.GetFlags() & kFlowOptimum;
    row.Page(wizard.GetAdvancedSheet().GetPageOf(FlowAdvPage::kAnalysis));
    if (optimum) {
        row("<P>RAM", IDC_FLOW_ADV_STROKE, IDC_FLOW_ADV_STROKE_TEXT, &s.strokeVolume);
        row("<P>RAM_SPECIFIED_STROKE_LENGTH", IDC_FLOW_ADV_STROKE_LENGTH, IDC_FLOW_ADV_STROKE_LENGTH_TEXT,
            &s.strokeLength, kQuantityLength);
        row("<P>MAXIMUM_CLAMP_TONNAGE_OPTIONS", IDC_FLOW_ADV_CLAMP_OPTION, IDC_FLOW_ADV_CLAMP_OPTION_TEXT,
            &s.clampForceOption);
        row("<P>OPTIM_VELOCITY_MINIMUM_PROFILE_STEP_FACTOR", IDC_FLOW_ADV_STEP_FACTOR, IDC_FLOW_ADV_STEP_FACTOR_TEXT,
            &s.stepFactor);
    } else {
        row("<P>MAXIMUM_INJECTION_PRESSURE", IDC_FLOW_ADV_MAX_PRESSURE, IDC_FLOW_ADV_MAX_PRESSURE_TEXT,
            &s.maxInjectionPressure, kQuantityPressureMPa);
    }
    row("ENVIRONMENT_PRESSURE", IDC_FLOW_ADV_AMBIENT_PRESSURE, IDC_FLOW_ADV_AMBIENT_PRESSURE_TEXT, &s.ambientPressure,
        kQuantityPressureMPa);
    row("ENVIRONMENT_TEMPERATURE", IDC_FLOW_ADV_AMBIENT_TEMP, IDC_FLOW_ADV_AMBIENT_TEMP_TEXT, &s.ambientTemperature,
        kQuantityTemperature);
    if (!wizard.Is3D())
        row("<P>MAXIMUM_CLAMP_TONNAGE", IDC_FLOW_ADV_CLAMP_FORCE, IDC_FLOW_ADV_CLAMP_FORCE_TEXT, &s.maxClampForce,
            kQuantityForceTonnes);
    row("<P>MOLD_CONDUCTIVITY", IDC_FLOW_ADV_MOLD_CONDUCTIVITY, IDC_FLOW_ADV_MOLD_CONDUCTIVITY_TEXT,
        &s.moldConductivity, kQuantityThermalConductivity);
    row("<P>MOLD_DENSITY", IDC_FLOW_ADV_MOLD_DENSITY, IDC_FLOW_ADV_MOLD_DENSITY_TEXT, &s.moldDensity,
        kQuantityDensity);
    row("<P>MOLD_HEAT_CAPACITY", IDC_FLOW_ADV_MOLD_HEAT, IDC_FLOW_ADV_MOLD_HEAT_TEXT, &s.moldHeatCapacity,
        kQuantitySpecificHeat);
}

void BindOutputPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_output);
    const SFamilyControls fill[3] = {
        {IDC_FLOW_ADV_FI, IDC_FLOW_ADV_FI_TEXT, IDC_FLOW_ADV_FI_CTIME, IDC_FLOW_ADV_FI_CTIME_TEXT,
         IDC_FLOW_ADV_FI_STIMES, IDC_FLOW_ADV_FI_STIMES_TEXT, IDC_FLOW_ADV_FI_CVOL, IDC_FLOW_ADV_FI_CVOL_TEXT,
         IDC_FLOW_ADV_FI_SVOLS, IDC_FLOW_ADV_FI_SVOLS_TEXT},
        {IDC_FLOW_ADV_FT, IDC_FLOW_ADV_FT_TEXT, IDC_FLOW_ADV_FT_CTIME, IDC_FLOW_ADV_FT_CTIME_TEXT,
         IDC_FLOW_ADV_FT_STIMES, IDC_FLOW_ADV_FT_STIMES_TEXT, IDC_FLOW_ADV_FT_CVOL, IDC_FLOW_ADV_FT_CVOL_TEXT,
         IDC_FLOW_ADV_FT_SVOLS, IDC_FLOW_ADV_FT_SVOLS_TEXT},
        {IDC_FLOW_ADV_FR, IDC_FLOW_ADV_FR_TEXT, IDC_FLOW_ADV_FR_CTIME, IDC_FLOW_ADV_FR_CTIME_TEXT,
         IDC_FLOW_ADV_FR_STIMES, IDC_FLOW_ADV_FR_STIMES_TEXT, IDC_FLOW_ADV_FR_CVOL, IDC_FLOW_ADV_FR_CVOL_TEXT,
         IDC_FLOW_ADV_FR_SVOLS, IDC_FLOW_ADV_FR_SVOLS_TEXT},
    };
    SFlowResultFamily* fillFamilies[3] = {&s.fillIntermediate, &s.fillTimeSeries, &s.fillRestart};
    for (int i = 0; i < 3; ++i)
        BindFamily(row, kFlowFillFamilies[i], *fillFamilies[i], fill[i], true);
    row("3DFLOW_FILL_RESTART_DELETION", IDC_FLOW_ADV_FR_DELETION, IDC_FLOW_ADV_FR_DELETION, &s.fillRestart.deletion);

    row("<S>INTERMEDIATE", IDC_FLOW_ADV_SI, IDC_FLOW_ADV_SI_TEXT, &s.stageIntermediate.choice);
    row("<S>INTERMEDIATE_CONSTANT_TIME", IDC_FLOW_ADV_SI_CTIME, IDC_FLOW_ADV_SI_CTIME_TEXT,
        &s.stageIntermediate.constantTime);
    row("<S>INTERMEDIATE_SPECIFIED_TIMES", IDC_FLOW_ADV_SI_STIMES, IDC_FLOW_ADV_SI_STIMES_TEXT,
        &s.stageIntermediate.specifiedTimes, kQuantityTime);
    row("<S>TIME_SERIES", IDC_FLOW_ADV_ST, IDC_FLOW_ADV_ST_TEXT, &s.stageTimeSeries.choice);
    row("<S>TIME_SERIES_CONSTANT_TIME", IDC_FLOW_ADV_ST_CTIME, IDC_FLOW_ADV_ST_CTIME_TEXT,
        &s.stageTimeSeries.constantTime);
    row("<S>TIME_SERIES_SPECIFIED_TIMES", IDC_FLOW_ADV_ST_STIMES, IDC_FLOW_ADV_ST_STIMES_TEXT,
        &s.stageTimeSeries.specifiedTimes, kQuantityTime);
    row("<S>RESTART", IDC_FLOW_ADV_SR, IDC_FLOW_ADV_SR_TEXT, &s.stageRestart.choice);
    row("<S>RESTART_CONSTANT_TIME", IDC_FLOW_ADV_SR_CTIME, IDC_FLOW_ADV_SR_CTIME_TEXT, &s.stageRestart.constantTime);
    row("<S>RESTART_SPECIFIED_TIMES", IDC_FLOW_ADV_SR_STIMES, IDC_FLOW_ADV_SR_STIMES_TEXT,
        &s.stageRestart.specifiedTimes, kQuantityTime);
    row("<S>RESTART_DELETION", IDC_FLOW_ADV_SR_DELETION, IDC_FLOW_ADV_SR_DELETION, &s.stageRestart.deletion);
    // The switch the wizard remembers for the next analysis.
    row("3DFLOW_ABAQUS_INTERFACE", IDC_FLOW_ADV_ABAQUS, IDC_FLOW_ADV_ABAQUS, &wizard.m_bAbaqusInterface);
}

void BindFillingPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    const int flags = wizard.GetFlags();
    row.Page(&wizard.GetAdvancedSheet().m_filling);
    row("3DFLOW_FILL_NODAL_GROWTH_MECHANISM", IDC_FLOW_ADV_GROWTH, IDC_FLOW_ADV_GROWTH_TEXT, &s.growth);
    row("3DFLOW_FILL_NODAL_GROWTH_MECHANISM_MULTIPLE", IDC_FLOW_ADV_GROWTH_MULTIPLE,
        IDC_FLOW_ADV_GROWTH_MULTIPLE_TEXT, &s.growthMultiple, kQuantityPercentage);
    row("3DFLOW_FILL_NODAL_GROWTH_MECHANISM_STEP", IDC_FLOW_ADV_GROWTH_STEP, IDC_FLOW_ADV_GROWTH_STEP_TEXT,
        &s.growthStep, kQuantityTime);
    row("3DFLOW_PRESSURE_ITERATION_LIMIT", IDC_FLOW_ADV_PRESSURE_LIMIT, IDC_FLOW_ADV_PRESSURE_LIMIT_TEXT,
        &s.pressureIterations);
    row("3DFLOW_PRESSURE_ITERATION_TOLERANCE", IDC_FLOW_ADV_PRESSURE_TOL, IDC_FLOW_ADV_PRESSURE_TOL_TEXT,
        &s.pressureTolerance);
    row("3DFLOW_VISCOSITY_ITERATION_LIMIT", IDC_FLOW_ADV_VISCOSITY_LIMIT, IDC_FLOW_ADV_VISCOSITY_LIMIT_TEXT,
        &s.viscosityIterations);
    row("3DFLOW_VISCOSITY_ITERATION_TOLERANCE", IDC_FLOW_ADV_VISCOSITY_TOL, IDC_FLOW_ADV_VISCOSITY_TOL_TEXT,
        &s.viscosityTolerance);
    if (flags & kFlowThermoset) {
        row("3DFLOW_TSET_CONSIDER_CURING_EFFECTS", IDC_FLOW_ADV_CURING_IN_FILL, IDC_FLOW_ADV_CURING_IN_FILL,
            &s.curingInFilling);
    } else {
        row("3DFLOW_DENSITY_ITERATION_LIMIT", IDC_FLOW_ADV_DENSITY_LIMIT, IDC_FLOW_ADV_DENSITY_LIMIT_TEXT,
            &s.densityIterations);
        row("3DFLOW_DENSITY_ITERATION_TOLERANCE", IDC_FLOW_ADV_DENSITY_TOL, IDC_FLOW_ADV_DENSITY_TOL_TEXT,
            &s.densityTolerance);
    }
    if (flags & kFlowOptimum)
        row("3DFLOW_OPTIM_FILLING_ITERATION_LIMIT", IDC_FLOW_ADV_OPTIM_FILL_LIMIT, IDC_FLOW_ADV_OPTIM_FILL_LIMIT_TEXT,
            &s.optimFillingIterations);
}

void BindOutput3DPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_output3D);
    row("MOLD3D_WRITE_INTERMEDIATE", IDC_FLOW_ADV3_NONE, kNone, &s.write3D);
    row("MOLD3D_WRITE_INTERMEDIATE_SPECIFIED_TIMES", IDC_FLOW_ADV3_TIMES, IDC_FLOW_ADV3_SPECIFIED, &s.write3DTimes,
        kQuantityTime);
    row("MOLD3D_WRITE_INTERMEDIATE_CONSTANT_TIME_INTERVALS_VELOCITY", IDC_FLOW_ADV3_VELOCITY,
        IDC_FLOW_ADV3_VELOCITY_TEXT, &s.write3DVelocityIntervals);
    row("MOLD3D_WRITE_INTERMEDIATE_CONSTANT_TIME_INTERVALS_PRESSURE", IDC_FLOW_ADV3_PRESSURE,
        IDC_FLOW_ADV3_PRESSURE_TEXT, &s.write3DPressureIntervals);
    row("MOLD3D_WRITE_RECOVERY_FILE", IDC_FLOW_ADV3_NO_RECOVERY, kNone, &s.recovery3D);
    row("MOLD3D_WRITE_RECOVERY_FILE_EVERY_NUMBER_OF_HOURS", IDC_FLOW_ADV3_HOURS, IDC_FLOW_ADV3_RECOVERY,
        &s.recoveryHours);
}

// The solver controls a 3D stage shares between the filling and packing
// pages; the packing page starts at the iterations per time step.
void BindSolver3D(CRowBinder& row, const std::string& stem, SFlowAdvSettings::SSolver3D& v, bool filling)
{
    if (filling) {
        row(stem + "NUMBER_OF_FREE_SURFACE_TIMESTEPS", IDC_FLOW_ADV3_FREE_STEPS, IDC_FLOW_ADV3_FREE_STEPS_TEXT,
            &v.freeSurfaceSteps);
        row(stem + "PERCENTAGE_VOLUME_PER_TIME_STEP", IDC_FLOW_ADV3_VOLUME_STEP, IDC_FLOW_ADV3_VOLUME_STEP_TEXT,
            &v.volumePerStep, kQuantityPercentage);
    }
    row(stem + "ITERATIONS_PER_TIMESTEP", IDC_FLOW_ADV3_ITERATIONS, IDC_FLOW_ADV3_ITERATIONS_TEXT, &v.iterations);
    row(stem + "NAVIER_STOKES_ITERATIONS_PER_TIMESTEP", IDC_FLOW_ADV3_NS_ITERATIONS,
        IDC_FLOW_ADV3_NS_ITERATIONS_TEXT, &v.nsIterations);
    row(stem + "SOLVER_CONVERGENCE_TOTAL_SUM", IDC_FLOW_ADV3_CONVERGENCE, IDC_FLOW_ADV3_CONVERGENCE_TEXT,
        &v.convergence);
    row(stem + "NAVIER_STOKES_SOLVER_CONVERGENCE_TOTAL_SUM", IDC_FLOW_ADV3_NS_CONVERGENCE,
        IDC_FLOW_ADV3_NS_CONVERGENCE_TEXT, &v.nsConvergence);
    row(stem + "SOLVER_PRESSURE_ITERATION_LIMIT", IDC_FLOW_ADV3_P_LIMIT, IDC_FLOW_ADV3_P_LIMIT_TEXT,
        &v.pressureLimit);
    row(stem + "NAVIER_STOKES_SOLVER_PRESSURE_ITERATION_LIMIT", IDC_FLOW_ADV3_NS_P_LIMIT,
        IDC_FLOW_ADV3_NS_P_LIMIT_TEXT, &v.nsPressureLimit);
    row(stem + "SOLVER_PRESSURE_RESIDUAL_TOLERANCE", IDC_FLOW_ADV3_P_RESIDUAL, IDC_FLOW_ADV3_P_RESIDUAL_TEXT,
        &v.pressureResidual);
    row(stem + "NAVIER_STOKES_SOLVER_PRESSURE_RESIDUAL_TOLERANCE", IDC_FLOW_ADV3_NS_P_RESIDUAL,
        IDC_FLOW_ADV3_NS_P_RESIDUAL_TEXT, &v.nsPressureResidual);
    row(stem + "SOLVER_TEMPERATURE_ITERATION_LIMIT", IDC_FLOW_ADV3_T_LIMIT, IDC_FLOW_ADV3_T_LIMIT_TEXT,
        &v.temperatureLimit);
    row(stem + "SOLVER_TEMPERATURE_RESIDUAL_TOLERANCE", IDC_FLOW_ADV3_T_RESIDUAL, IDC_FLOW_ADV3_T_RESIDUAL_TEXT,
        &v.temperatureResidual);
    row(stem + "NAVIER_STOKES_SOLVER_VELOCITY_ITERATION_LIMIT", IDC_FLOW_ADV3_NS_V_LIMIT,
        IDC_FLOW_ADV3_NS_V_LIMIT_TEXT, &v.nsVelocityLimit);
    row(stem + "NAVIER_STOKES_SOLVER_VELOCITY_RESIDUAL_TOLERANCE", IDC_FLOW_ADV3_NS_V_RESIDUAL,
        IDC_FLOW_ADV3_NS_V_RESIDUAL_TEXT, &v.nsVelocityResidual);
}

void BindPackingPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_packing);
    if (!wizard.Is3D()) {
        row("3DFLOW_PACK_TIME_INCREMENT", IDC_FLOW_ADV_PACK_MAX_STEP, IDC_FLOW_ADV_PACK_MAX_STEP_TEXT,
            &s.packTimeIncrement, kQuantityTime);
        return;
    }
    row("MOLD3D_PACKING_TIME_STEP_MAXIMUM", IDC_FLOW_ADV_PACK_MAX_STEP, IDC_FLOW_ADV_PACK_MAX_STEP_TEXT,
        &s.packMaxStep, kQuantityTime);
    row("MOLD3D_PACKING_TIME_STEP_MINIMUM", IDC_FLOW_ADV_PACK_MIN_STEP, IDC_FLOW_ADV_PACK_MIN_STEP_TEXT,
        &s.packMinStep, kQuantityTime);
    row("MOLD3D_PACKING_TIME_STEP_VARIATION", IDC_FLOW_ADV_PACK_VARIATION, IDC_FLOW_ADV_PACK_VARIATION_TEXT,
        &s.packStepVariation);
    BindSolver3D(row, "MOLD3D_PACKING_", s.packing3D, false);
}

void BindNumericalPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_numerical);
    row("3DFLOW_ANALYSIS_TYPE", IDC_FLOW_ADV_SOLVER, IDC_FLOW_ADV_SOLVER_TEXT, &s.solverType);
    row("<P>PLASTIC_LAMINATES", IDC_FLOW_ADV_PLASTIC_LAMINATES, IDC_FLOW_ADV_PLASTIC_LAMINATES_TEXT,
        &s.plasticLaminates);
    row("<P>METAL_LAMINATES", IDC_FLOW_ADV_METAL_LAMINATES, IDC_FLOW_ADV_METAL_LAMINATES_TEXT, &s.metalLaminates);
    row("<P>GRID_RATIO", IDC_FLOW_ADV_GRID_RATIO, IDC_FLOW_ADV_GRID_RATIO_TEXT, &s.gridRatio);
    row("3DFLOW_FIBER_ADVECTION_ITERATION_LIMIT", IDC_FLOW_ADV_FIBER_LIMIT, IDC_FLOW_ADV_FIBER_LIMIT_TEXT,
        &s.fiberIterations);
    row("3DFLOW_FIBER_KINETIC_TIME_STEP_FACTOR", IDC_FLOW_ADV_FIBER_FACTOR, IDC_FLOW_ADV_FIBER_FACTOR_TEXT,
        &s.fiberStepFactor);
    if (wizard.GetFlags() & kFlowThermoset) {
        row("3DFLOW_TSET_INITIAL_CURING_TIME_INCREMENT", IDC_FLOW_ADV_CURING_STEP, IDC_FLOW_ADV_CURING_STEP_TEXT,
            &s.curingStep, kQuantityTime);
        row("3DFLOW_TSET_CURING_REACTION_STABILITY_FACTOR", IDC_FLOW_ADV_CURING_STABILITY,
            IDC_FLOW_ADV_CURING_STABILITY_TEXT, &s.curingStability);
    }
    if (wizard.Is3D()) {
        row("MOLD3D_FILLING_ANALYSIS_TYPE", IDC_FLOW_ADV_3D_SOLVER, IDC_FLOW_ADV_3D_SOLVER_TEXT, &s.filling3DType);
        row("MOLD3D_FILLING_INCLUDE_INERTIA", IDC_FLOW_ADV_INERTIA, IDC_FLOW_ADV_INERTIA, &s.includeInertia);
    }
}

void BindRunnerBalancePage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_runnerBalance);
    row("3DFLOW_RUN_ITERATION_LIMIT", IDC_FLOW_ADV_RUN_LIMIT, IDC_FLOW_ADV_RUN_LIMIT_TEXT, &s.runIterations);
    row("3DFLOW_RUN_SHEAR_HEAT_MAX", IDC_FLOW_ADV_RUN_SHEAR, IDC_FLOW_ADV_RUN_SHEAR_CHECK, &s.runShearHeatMax,
        kQuantityTemperature);
    row("3DFLOW_RUN_SMOOTH_SECTIONS", IDC_FLOW_ADV_RUN_SMOOTH, IDC_FLOW_ADV_RUN_SMOOTH, &s.runSmoothSections);
    row("3DFLOW_RUN_PRESSURE_TOLERANCE", IDC_FLOW_ADV_RUN_PRESSURE_TOL, IDC_FLOW_ADV_RUN_PRESSURE_TOL_TEXT,
        &s.runPressureTolerance, kQuantityPressureMPa);
    row("3DFLOW_RUN_SECTION_TOLERANCE", IDC_FLOW_ADV_RUN_SECTION_TOL, IDC_FLOW_ADV_RUN_SECTION_TOL_TEXT,
        &s.runSectionTolerance);
    row("3DFLOW_RUN_TIME_TOLERANCE", IDC_FLOW_ADV_RUN_TIME_TOL, IDC_FLOW_ADV_RUN_TIME_TOL_TEXT, &s.runTimeTolerance,
        kQuantityPercentage);
    row("3DFLOW_RUN_ITERATION_RESULTS", IDC_FLOW_ADV_RUN_RESULTS, IDC_FLOW_ADV_RUN_RESULTS, &s.runIterationResults);
}

void BindMoldWindowPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_moldWindow);
    struct SCriterion {
        const char* name;
        int feasibleCheck, preferredCheck;
        UnitQuantity quantity;
    };
    static const SCriterion kCriteria[5] = {
        {"PRESSURE_LIMIT", IDC_FLOW_MW_F_PRESSURE_CHECK, IDC_FLOW_MW_P_PRESSURE_CHECK, kQuantityDimensionless},
        {"HIGH_TEMPERATURE", IDC_FLOW_MW_F_HIGH_TEMP_CHECK, IDC_FLOW_MW_P_HIGH_TEMP_CHECK, kQuantityTemperature},
        {"LOW_TEMPERATURE", IDC_FLOW_MW_F_LOW_TEMP_CHECK, IDC_FLOW_MW_P_LOW_TEMP_CHECK, kQuantityTemperature},
        {"SHEAR_RATE", IDC_FLOW_MW_F_SHEAR_RATE_CHECK, IDC_FLOW_MW_P_SHEAR_RATE_CHECK, kQuantityDimensionless},
        {"SHEAR_STRESS", IDC_FLOW_MW_F_SHEAR_STRESS_CHECK, IDC_FLOW_MW_P_SHEAR_STRESS_CHECK, kQuantityDimensionless},
    };
    // Each check box sits right before the edit it governs.
    for (const char* which : {"FEASIBLE", "PREFERRED"}) {
        const bool feasible = which[0] == 'F';
        for (int i = 0; i < 5; ++i) {
            const SCriterion& c = kCriteria[i];
            SMoldWindowLimit& limit = feasible ? s.feasible[i] : s.preferred[i];
            const int check = feasible ? c.feasibleCheck : c.preferredCheck;
            const std::string stem = std::string("3DFLOW_MOLD_WINDOW_") + which;
            row(stem + "_USE_" + c.name, check, check, &limit.use);
            row(stem + "_" + c.name, check + 1, check, &limit.value, c.quantity);
        }
    }
    row("3DFLOW_MOLD_WINDOW_DISPLAY", IDC_FLOW_MW_DISPLAY, IDC_FLOW_MW_DISPLAY_TEXT, &s.moldWindowDisplay);
}

void BindControlPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_control);
    row("3DFLOW_MAXIMUM_INJECTION_PRESSURE_OPTIONS", IDC_FLOW_CP_PRESSURE_AUTO, kNone, &s.injectionPressureOption);
    row("3DFLOW_MAXIMUM_INJECTION_PRESSURE", IDC_FLOW_CP_PRESSURE, IDC_FLOW_CP_PRESSURE_TEXT,
        &s.controlInjectionPressure, kQuantityPressureMPa);
    row("3DFLOW_OPTIM_MAXIMUM_PACKING_PRESSURE_OPTIONS", IDC_FLOW_CP_PACK_AUTO, kNone, &s.packingPressureOption);
    row("3DFLOW_OPTIM_MAXIMUM_PACKING_PRESSURE", IDC_FLOW_CP_PACK, IDC_FLOW_CP_PACK_TEXT, &s.packingPressure,
        kQuantityPressureMPa);
    row("3DFLOW_OPTIM_PRESSURE_PROFILE_INPUT_METHOD", IDC_FLOW_CP_P_TIME, kNone, &s.pressureMethod);
    row("3DFLOW_OPTIM_PRESSURE_PROFILE_STEPS", IDC_FLOW_CP_P_STEPS, IDC_FLOW_CP_P_STEPS_TEXT, &s.pressureSteps);
    row("3DFLOW_OPTIM_PRESSURE_PROFILE_TYPES_CONSTANT", IDC_FLOW_CP_P_CONSTANT, IDC_FLOW_CP_P_CONSTANT,
        &s.pressureConstant);
    row("3DFLOW_OPTIM_PRESSURE_PROFILE_TYPES_LINEAR", IDC_FLOW_CP_P_LINEAR, IDC_FLOW_CP_P_LINEAR, &s.pressureLinear);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_INPUT_METHOD", IDC_FLOW_CP_V_RAM, kNone, &s.velocityMethod);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_MAXIMUM_SPEED", IDC_FLOW_CP_V_MAX_SPEED, IDC_FLOW_CP_V_MAX_SPEED_TEXT,
        &s.velocityMaxSpeed, kQuantityPercentage);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_MINIMUM_SPEED", IDC_FLOW_CP_V_MIN_SPEED, IDC_FLOW_CP_V_MIN_SPEED_TEXT,
        &s.velocityMinSpeed, kQuantityPercentage);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_STEPS", IDC_FLOW_CP_V_STEPS, IDC_FLOW_CP_V_STEPS_TEXT, &s.velocitySteps);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_TYPES_CONSTANT", IDC_FLOW_CP_V_CONSTANT, IDC_FLOW_CP_V_CONSTANT,
        &s.velocityConstant);
    row("3DFLOW_OPTIM_VELOCITY_PROFILE_TYPES_LINEAR", IDC_FLOW_CP_V_LINEAR, IDC_FLOW_CP_V_LINEAR, &s.velocityLinear);
}

void BindGateLocationPage(CRowBinder& row, CFlowWizard& wizard, SFlowAdvSettings& s)
{
    row.Page(&wizard.GetAdvancedSheet().m_gateLocation);
    row("3DFLOW_GATE_2D_SCAN_QUALITY_PROCESSIBLE", IDC_FLOW_GL_PROCESSIBLE, IDC_FLOW_GL_PROCESSIBLE_TEXT,
        &s.gateProcessability);
    row("3DFLOW_GATE_2D_SCAN_QUALITY_PACKABILITY", IDC_FLOW_GL_PACKABILITY, IDC_FLOW_GL_PACKABILITY_TEXT,
        &s.gatePackability);
    row("3DFLOW_GATE_2D_SCAN_QUALITY_GEOMETRIC_RESISTANCE", IDC_FLOW_GL_RESISTANCE, IDC_FLOW_GL_RESISTANCE_TEXT,
        &s.gateResistance);
}

} // namespace

void BindAdvancedOptions(CKeywordBindings& bindings, CFlowWizard& wizard)
{
    CWnd* const previous = bindings.GetCurrentPage();
    SFlowAdvSettings& s = wizard.GetAdvancedSheet().m_settings;
    CRowBinder row(bindings, wizard);
    BindAnalysisPage(row, wizard, s);
    if (wizard.Is3D()) {
        BindOutput3DPage(row, wizard, s);
        row.Page(&wizard.GetAdvancedSheet().m_filling3D);
        BindSolver3D(row, "MOLD3D_FILLING_", s.filling3D, true);
    } else {
        BindOutputPage(row, wizard, s);
        BindFillingPage(row, wizard, s);
    }
    BindPackingPage(row, wizard, s);
    BindNumericalPage(row, wizard, s);
    BindRunnerBalancePage(row, wizard, s);
    BindMoldWindowPage(row, wizard, s);
    if (wizard.GetFlags() & kFlowOptimum)
        BindControlPage(row, wizard, s);
    BindGateLocationPage(row, wizard, s);
    bindings.SetCurrentPage(previous);
}
