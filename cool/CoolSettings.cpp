#include "cool/CoolSettings.h"

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"

namespace {

using S = CCoolWizard;
// The members' initial values are the pages' defaults; the freeze
// temperature, which its check box governs, follows its keyword instead.
constexpr unsigned kDefault = kBindPageDefault;

const CCoolRow kAnalysisType[] = {
    {.keyword = "3DCOOL_ANALYSIS_TYPE", .control = IDC_COOL_MANUAL, .member = &S::m_analysisType, .flags = kDefault},
    {.keyword = "3DCOOL_COOLING_TIME", .control = IDC_COOL_COOLING_TIME, .companion = IDC_COOL_COOLING_TIME_TEXT,
     .member = &S::m_dCoolingTime, .quantity = kQuantityTime, .flags = kDefault},
    {.keyword = "3DCOOL_FRACTION_PLASTIC_FROZEN", .control = IDC_COOL_FROZEN, .companion = IDC_COOL_FROZEN_TEXT,
     .member = &S::m_dFrozenFraction, .quantity = kQuantityPercentage, .flags = kDefault},
    {.keyword = "MOLD_TEMPERATURE", .control = IDC_COOL_MOLD_TEMPERATURE, .companion = IDC_COOL_MOLD_TEMPERATURE_TEXT,
     .member = &S::m_dMoldTemperature, .quantity = kQuantityTemperature, .flags = kDefault},
};

const CCoolRow kMoldModel[] = {
    {.keyword = "3DCOOL_BOUNDARY_CONDITION", .member = &S::m_strBoundaryFile},
    {.keyword = "3DCOOL_MOLD_MODEL_FILE", .member = &S::m_strMoldModelFile},
};

const CCoolRow kProcess[] = {
    {.keyword = "3DCOOL_CLAMP_OPEN_TIME", .control = IDC_COOL_CLAMP_OPEN, .companion = IDC_COOL_CLAMP_OPEN_TEXT,
     .member = &S::m_dClampOpenTime, .quantity = kQuantityTime, .flags = kDefault},
    {.keyword = "INJECTION_TIME", .control = IDC_COOL_INJECTION_TIME, .companion = IDC_COOL_INJECTION_TIME_TEXT,
     .member = &S::m_dInjectionTime, .quantity = kQuantityTime, .flags = kDefault},
    {.keyword = "MELT_TEMPERATURE", .control = IDC_COOL_MELT_TEMPERATURE, .companion = IDC_COOL_MELT_TEMPERATURE_TEXT,
     .member = &S::m_dMeltTemperature, .quantity = kQuantityTemperature, .flags = kDefault},
    {.keyword = "3DCOOL_PLASTIC_FREEZE_TEMPERATURE", .control = IDC_COOL_FREEZE_TEMPERATURE,
     .companion = IDC_COOL_FREEZE_CHECK, .member = &S::m_dFreezeTemperature, .quantity = kQuantityTemperature},
    {.keyword = "3DCOOL_TOTAL_PACKING_TIME", .control = IDC_COOL_PACKING_TIME, .companion = IDC_COOL_PACKING_TIME_TEXT,
     .member = &S::m_dPackingTime, .quantity = kQuantityTime, .flags = kDefault},
};

const CCoolRow kNetwork[] = {
    {.keyword = "3DCOOL_NETWORK_ANALYSIS_TYPE", .control = IDC_COOL_BY_CIRCUIT, .companion = IDC_COOL_NETWORK_GROUP,
     .member = &S::m_networkType, .flags = kDefault},
    {.keyword = "3DCOOL_NETWORK_ANALYSIS_TYPE_TOTAL_PRESSURE_DROP", .control = IDC_COOL_PRESSURE_DROP,
     .companion = IDC_COOL_BY_PRESSURE_DROP, .member = &S::m_dTotalPressureDrop, .quantity = kQuantityPressureKPa,
     .flags = kDefault},
    {.keyword = "3DCOOL_NETWORK_ANALYSIS_TYPE_TOTAL_FLOW_RATE", .control = IDC_COOL_FLOW_RATE,
     .companion = IDC_COOL_BY_FLOW_RATE, .member = &S::m_dTotalFlowRate, .quantity = kQuantityFlowRateLitres,
     .flags = kDefault},
    {.keyword = "3DCOOL_MOLD_DIMENSIONS", .member = &S::m_strMoldDimensions, .flags = kDefault},
    {.keyword = "3DCOOL_MOLD_DIMENSIONS_SPECIFIED", .control = IDC_COOL_DIMENSIONS_GRID,
     .member = &S::m_moldDimensions, .quantity = kQuantityLength},
};

const CCoolRow kAdvanced3D[] = {
    {.keyword = "3DCOOL_GEOMETRY_INFLUENCE", .control = IDC_COOL_INFLUENCE_PARAMETER,
     .companion = IDC_COOL_INFLUENCE_GROUP, .member = &S::m_geometryInfluence, .flags = kDefault},
    {.keyword = "3DCOOL_GEOMETRY_INFLUENCE_PARAMETER", .control = IDC_COOL_PARAMETER,
     .companion = IDC_COOL_INFLUENCE_PARAMETER, .member = &S::m_dInfluenceParameter, .flags = kDefault},
    {.keyword = "3DCOOL_ITERATION_LIMIT", .control = IDC_COOL_ITERATION_LIMIT,
     .companion = IDC_COOL_ITERATION_LIMIT_TEXT, .member = &S::m_dIterationLimit, .flags = kDefault},
    {.keyword = "3DCOOL_SOLUTION_TOLERANCE", .control = IDC_COOL_TOLERANCE, .companion = IDC_COOL_TOLERANCE_TEXT,
     .member = &S::m_dSolutionTolerance, .flags = kDefault},
    {.keyword = "3DCOOL_REMOVE_TEMP_FILES", .control = IDC_COOL_REMOVE_FILES, .member = &S::m_bRemoveTempFiles,
     .flags = kDefault},
};

const CCoolRow k2DBoundary[] = {
    {.keyword = "2DCOOL_BOUNDARY_CONDITION", .member = &S::m_str2DBoundaryFile},
    {.keyword = "MOLD_TEMPERATURE", .control = IDC_COOL2D_MOLD_TEMPERATURE,
     .companion = IDC_COOL2D_MOLD_TEMPERATURE_TEXT, .member = &S::m_dMoldTemperature,
     .quantity = kQuantityTemperature, .flags = kDefault},
    {.keyword = "MELT_TEMPERATURE", .control = IDC_COOL2D_MELT_TEMPERATURE,
     .companion = IDC_COOL2D_MELT_TEMPERATURE_TEXT, .member = &S::m_dMeltTemperature,
     .quantity = kQuantityTemperature, .flags = kDefault},
    {.keyword = "2DCOOL_CYCLE_TIME", .control = IDC_COOL2D_CYCLE_TIME, .companion = IDC_COOL2D_CYCLE_TIME_TEXT,
     .member = &S::m_dCycleTime, .quantity = kQuantityTime, .flags = kDefault},
};

const CCoolRow kAdvanced2D[] = {
    {.keyword = "2DCOOL_HEAT_CONTENT_FACTOR", .control = IDC_COOL2D_HEAT_CONTENT,
     .companion = IDC_COOL2D_HEAT_CONTENT_TEXT, .member = &S::m_dHeatContentFactor, .flags = kDefault},
    {.keyword = "2DCOOL_THERMAL_CONDUCTIVITY", .control = IDC_COOL2D_CONDUCTIVITY,
     .member = &S::m_bThermalConductivity, .flags = kDefault},
    {.keyword = "2DCOOL_SOLVER_ITERATION_ERROR", .control = IDC_COOL2D_ITERATION_ERROR,
     .companion = IDC_COOL2D_ITERATION_ERROR_TEXT, .member = &S::m_d2DIterationError, .flags = kDefault},
    {.keyword = "2DCOOL_SOLVER_ITERATION_LIMIT", .control = IDC_COOL2D_ITERATION_LIMIT,
     .companion = IDC_COOL2D_ITERATION_LIMIT_TEXT, .member = &S::m_d2DIterationLimit, .flags = kDefault},
};

const CCoolRow kDescription[] = {
    {.keyword = "ANALYSIS_DESCRIPTION", .control = IDC_COOL_DESCRIPTION, .member = &S::m_strDescription},
};

} // namespace

const CCoolRows kCoolAnalysisTypeRows(kAnalysisType);
const CCoolRows kCoolMoldModelRows(kMoldModel);
const CCoolRows kCoolProcessRows(kProcess);
const CCoolRows kCoolNetworkRows(kNetwork);
const CCoolRows kCoolAdvanced3DRows(kAdvanced3D);
const CCoolRows kCool2DBoundaryRows(k2DBoundary);
const CCoolRows kCoolAdvanced2DRows(kAdvanced2D);
const CCoolRows kCoolDescriptionRows(kDescription);
