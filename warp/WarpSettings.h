#pragma once
// The settings of a warpage or stress analysis that the wizard's pages and
// its advanced options show, held in SI (lengths in metres, angles in
// radians, fractions rather than per cent). A member's initial value is its
// field's default, shown when no file gives one. Each page's binding table,
// in the order its fields are documented, lives in a file of its own under
// settings/; the functions below hand a table to the page entry that
// registers it.
#include <functional>
#include <string>
#include <vector>

#include "keyword/ChoiceField.h"

class CKeywordBindings;

// The analysis aims, in the order of their tokens and radio buttons.
enum WarpAim : int {
    kWarpAimLinearBuckling = 0,
    kWarpAimSmallDeflection = 1,
    kWarpAimLargeDeflection = 2,
    kWarpAimIsolateSmall = 3,     // single-variate study, small deflection
    kWarpAimIsolateBuckling = 4,  // single-variate study, buckling
    kWarpAimModalFrequency = 5,
};

// The load increment methods of a large deflection analysis.
enum WarpControlMethod : int {
    kWarpControlLoad = 0,
    kWarpControlArc = 1,
    kWarpControlManual = 2,
    kWarpControlAuto = 3,
};

// The two analyses one wizard prepares.
enum WarpMode : int {
    kWarpModeWarpage = 0,
    kWarpModeStress = 1,
};

struct CWarpSettings {
    int m_nMode = kWarpModeWarpage;
    bool IsStress() const { return m_nMode == kWarpModeStress; }

    // Analysis type.
    CChoiceField m_aim{{"LINEAR_BUCKLING", "SMALL_DEFLECTION", "LARGE_DEFLECTION", "SVA_SMALL_DEFLECTION",
                        "SVA_LINEAR_BUCKLING", "MODAL_FREQUENCY"},
                       kWarpAimSmallDeflection};
    int m_nRestartStep = 0;
    // Boundary conditions: the set's file ("" for automatic constraints).
    std::string m_strBoundaryCondition;
    // Variates.
    CChoiceField m_variates{{"ALL", "DIFFCOOL", "DIFFSHRINK", "DIFFORIEN"}, 0};
    double m_dSensitivityCooling = 0.1;
    double m_dSensitivityShrinkage = 0.1;
    double m_dSensitivityOrientation = 0.1;
    bool m_bExcludeCornerEffect = false;
    // Load increment method.
    CChoiceField m_controlMethod{{"LOAD", "ARC", "MANUAL", "AUTO"}, kWarpControlAuto};
    int m_nMaxSteps = 50;
    double m_dMaxStepFactor = 1.5;
    double m_dAutoDispIncrement = 0.0001; // 0.1 mm
    double m_dArcControlIncrement = 0.1;
    double m_dMaxLoadFactor = 1;
    // Manual displacement steps.
    std::vector<double> m_manualIncrements;
    int m_nControlNode = 1;
    int m_nControlNodeDof = 3;
    // Load control steps (fractions of the load).
    std::vector<double> m_loadIncrements;
    // Description.
    std::string m_strDescription;

    // Advanced: General.
    bool m_bRemoveColdRunners = true;
    CChoiceField m_materialModel{{"ORTHOTROPIC", "ORTHOTROPIC_MULTI_LAYER", "ISOTROPIC"}, 0};
    CChoiceField m_element{{"LMT3", "CST3", "LBT3"}, 0};
    bool m_bOutputDisplacement = true;
    bool m_bOutputStress = true;
    bool m_bOutputStrain = false;
    bool m_bKeepRestarts = false;
    double m_dCornerMaxAngle = 2.0944; // 120 degrees
    // Advanced: Structural.
    bool m_bBandOptimisation = true;
    int m_nElementGroupSize = 64;
    int m_nStepsBetweenPrintouts = 1;
    double m_dMaxFacetAngle = 0.261799; // 15 degrees
    bool m_bMinimiseStiffnessBlocks = false;
    double m_dModeShape1 = 0;
    double m_dModeShape2 = 0;
    double m_dModeShape3 = 0;
    // Advanced: Non-Linear Step.
    CChoiceField m_strategy{{"NEWTON_RAPHSON_2", "NEWTON_RAPHSON_1", "INITIAL_STIFFNESS", "FULL_NEWTON_RAPHSON",
                             "FULL_NR_STEP_REDUCT", "SIMPLE_LOAD_STEP"},
                            0};
    int m_nMaxIterations = 20;
    int m_nMinIterations = 2;
    double m_dNewtonRaphsonTolerance = 0.001;
    // Advanced: Load Factor.
    CChoiceField m_eigenMethod{{"LOWEST_POS", "LOWEST_MAG"}, 0};
    double m_dEigenTolerance = 0.0001;
    double m_dSmallestLoadFactor = 0;
    bool m_bSturmCheck = false;
    int m_nMaxSubspaceIterations = 30;
    int m_nEigenvalues = 1;
    int m_nSubspaceVectors = 8;
    // Advanced: Non-Convergence.
    double m_dZeroPivotTolerance = 1e-8;
    CChoiceField m_nonPositiveDefinite{{"POST_BUCKLING", "PIVOT_ADJUST", "ABORT"}, 0};
};

using WarpBindingTable = std::function<void(CKeywordBindings&)>;

// The binding tables, one per page, for `settings`.
WarpBindingTable AnalysisTypeBindings(CWarpSettings& settings);
WarpBindingTable BoundaryBindings(CWarpSettings& settings);
WarpBindingTable VariatesBindings(CWarpSettings& settings);
WarpBindingTable LoadIncrementBindings(CWarpSettings& settings);
WarpBindingTable ManualStepsBindings(CWarpSettings& settings);
WarpBindingTable LoadStepsBindings(CWarpSettings& settings);
WarpBindingTable DescriptionBindings(CWarpSettings& settings);
WarpBindingTable AdvGeneralBindings(CWarpSettings& settings);
WarpBindingTable AdvStructuralBindings(CWarpSettings& settings);
WarpBindingTable AdvNonLinearBindings(CWarpSettings& settings);
WarpBindingTable AdvLoadFactorBindings(CWarpSettings& settings);
WarpBindingTable AdvNonConvergenceBindings(CWarpSettings& settings);
