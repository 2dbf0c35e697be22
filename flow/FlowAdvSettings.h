#pragma once
// The settings the flow wizard's advanced options sheet edits, held in SI
// units, and the binding tables that tie them to their keywords. The values
// here are only what a page shows when neither the solver's defaults nor the
// analysis file give one.
#include <vector>

#include "keyword/ChoiceField.h"

class CKeywordBindings;
class CFlowWizard;

// The five keywords of one family of results (intermediate results, time
// series or restart files): a choice and the value each choice needs.
struct SFlowResultFamily {
    CChoiceField choice{{"NONE", "CONSTANT_TIME", "SPECIFIED_TIMES", "CONSTANT_VOLUME", "SPECIFIED_VOLUMES"}, 0};
    int constantTime = 20;
    std::vector<double> specifiedTimes;
    int constantVolume = 20;
    std::vector<double> specifiedVolumes;
    bool deletion = false; // restart files only
};

// One molding-window criterion: whether it is used, and its limit.
struct SMoldWindowLimit {
    bool use = false;
    double value = 0;
};

struct SFlowAdvSettings {
    // Analysis.
    CChoiceField strokeVolume{{"AUTOMATIC", "SPECIFIED"}, 0};
    double strokeLength = 0.1;
    CChoiceField clampForceOption{{"AUTOMATIC", "SPECIFIED"}, 0};
    double stepFactor = 0.1;
    double maxInjectionPressure = 1.8e8;
    double ambientPressure = 1e5;
    double ambientTemperature = 25;
    double maxClampForce = 9.80665e5;
    double moldConductivity = 29;
    double moldDensity = 7800;
    double moldHeatCapacity = 460;

    // Output: the filling families, then those of packing (or curing).
    SFlowResultFamily fillIntermediate;
    SFlowResultFamily fillTimeSeries;
    SFlowResultFamily fillRestart;
    SFlowResultFamily stageIntermediate;
    SFlowResultFamily stageTimeSeries;
    SFlowResultFamily stageRestart;

    // Filling solution.
    CChoiceField growth{{"FAST", "MULTIPLE", "SINGLE", "STEP"}, 0};
    double growthMultiple = 0.02;
    double growthStep = 0.05;
    int pressureIterations = 100;
    double pressureTolerance = 1e-4;
    int viscosityIterations = 20;
    double viscosityTolerance = 1e-3;
    bool curingInFilling = false;
    int densityIterations = 20;
    double densityTolerance = 1e-3;
    int optimFillingIterations = 10;

    // Output 3D.
    CChoiceField write3D{{"NONE", "SPECIFIED_TIMES", "CONSTANT_TIME_INTERVALS"}, 0};
    std::vector<double> write3DTimes;
    int write3DVelocityIntervals = 10;
    int write3DPressureIntervals = 10;
    CChoiceField recovery3D{{"NONE", "EVERY_NUMBER_OF_HOURS"}, 0};
    double recoveryHours = 2;

    // The solver controls of the 3D filling and packing stages.
    struct SSolver3D {
        int freeSurfaceSteps = 100;
        double volumePerStep = 0.02;
        int iterations = 10;
        int nsIterations = 10;
        double convergence = 1e-3;
        double nsConvergence = 1e-3;
        int pressureLimit = 200;
        int nsPressureLimit = 200;
        double pressureResidual = 1e-6;
        double nsPressureResidual = 1e-6;
        int temperatureLimit = 200;
        double temperatureResidual = 1e-6;
        int nsVelocityLimit = 200;
        double nsVelocityResidual = 1e-6;
    };
    SSolver3D filling3D;
    SSolver3D packing3D;
    double packMaxStep = 0.1;
    double packMinStep = 0.001;
    double packStepVariation = 0.1;
    double packTimeIncrement = 0.1;

    // Numerical solution.
    CChoiceField solverType{{"MULTI", "ASYMMETRIC", "FAST"}, 0};
    int plasticLaminates = 12;
    int metalLaminates = 8;
    double gridRatio = 1.2;
    int fiberIterations = 50;
    double fiberStepFactor = 1;
    double curingStep = 0.1;
    double curingStability = 1;
    CChoiceField filling3DType{{"INERTIA_FREE_FLOW", "NAVIER_STOKES"}, 0};
    bool includeInertia = false;

    // Runner balance.
    int runIterations = 20;
    double runShearHeatMax = 30;
    bool runSmoothSections = true;
    double runPressureTolerance = 1e6;
    double runSectionTolerance = 0.01;
    double runTimeTolerance = 0.01;
    bool runIterationResults = false;

    // Molding window: the feasible and the preferred limits, in the order
    // pressure, high temperature, low temperature, shear rate, shear stress.
    SMoldWindowLimit feasible[5];
    SMoldWindowLimit preferred[5];
    CChoiceField moldWindowDisplay{{"REFINED", "FULL"}, 0};

    // Control parameters.
    CChoiceField injectionPressureOption{{"AUTOMATIC", "SPECIFIED"}, 0};
    double controlInjectionPressure = 1.8e8;
    CChoiceField packingPressureOption{{"AUTOMATIC", "SPECIFIED"}, 0};
    double packingPressure = 1e8;
    CChoiceField pressureMethod{{"PRESSURE_TIME", "ZONE_PRESSURE"}, 0};
    int pressureSteps = 5;
    bool pressureConstant = true;
    bool pressureLinear = true;
    CChoiceField velocityMethod{{"RAM_POSITION_RAM_VELOCITY", "ZONE_RAM_VELOCITY"}, 0};
    double velocityMaxSpeed = 1;
    double velocityMinSpeed = 0.1;
    int velocitySteps = 10;
    bool velocityConstant = true;
    bool velocityLinear = true;

    // Gate location.
    double gateProcessability = 1;
    double gatePackability = 1;
    double gateResistance = 1;
};

// The keyword stem of each filling family, in the order of the Output page.
extern const char* const kFlowFillFamilies[3];

