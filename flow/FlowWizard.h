#pragma once
// CFlowWizard: the wizard that prepares one flow analysis (filling, packing,
// curing, runner balance, molding window, gate location, optimum profiles;
// with gas, fiber and optimisation variants) on a midplane, fusion or 3D
// mesh. It registers every keyword of the analysis, loads the defaults and
// ranges of its solver, decides which pages show, and on Finish writes the
// analysis keyword file and registers it with the project tree.
#include <string>
#include <string_view>

#include "flow/FlowPages.h"
#include "flow/FlowRules.h"
#include "keyword/ChoiceField.h"
#include "keyword/KeywordBindings.h"
#include "platform/system/Result.h"
#include "wizard/Wizard.h"

class MKeywordFile;

class CFlowWizard : public CWizard {
public:
    // `node`: a material (a new analysis below it), a flow analysis input (to
    // edit it) or a flow or cooling result (an analysis that follows it).
    // `flags`: kFlowFiber, kFlowGas, kFlowThermoset, kFlowOptimum.
    CFlowWizard(ZQ_PM_Node* node, int flags, CWnd* parent = nullptr);
    ~CFlowWizard() override;

    static bool CanStartFrom(const ZQ_PM_Node* node);
    // The flags a run from `node` has unless told otherwise: those of an
    // analysis node, the thermoset bit of a thermoset material.
    static int DefaultFlags(const ZQ_PM_Node* node);

    // The working file, the keyword bindings, the molding-window ranges, the
    // range files and the defaults.
    CResult Prepare() override;
    // For the time of the run the application's help file is the flow help.
    intptr_t DoModal() override;
    void OnWizardFinish() override;

    std::string GetOutputFile() const override { return m_strOutputFile; }

    // Whether a flow from a cooling result defaults to an asymmetric analysis
    // (1 until set); shared by every flow wizard.
    static void SetDefaultToAsymmetric(int value);

    int GetFlags() const { return m_nFlags; }
    bool Is3D() const { return m_strPrefix == "MOLD3D_"; }
    // "MOLD3D_" on a 3D mesh, "3DFLOW_" otherwise.
    const std::string& GetPrefix() const { return m_strPrefix; }
    std::string Keyword(std::string_view suffix) const { return m_strPrefix + std::string(suffix); }
    const std::string& GetSwitchOverKeyword() const { return m_strSwitchOverKeyword; }
    // Whether a flow result (another flow analysis precedes this one) or a
    // cooling result lies above the start node.
    bool FollowsFlow() const { return GetPrevResultNode(kSubFlow) != nullptr; }
    bool FollowsCooling() const { return GetPrevResultNode(kSubCooling) != nullptr; }
    int GetAim() const { return m_aim.m_index; }
    const CFlowWizPage1& GetAnalysisTypePage() const { return m_page1; }
    CFlowWizPage3& GetProcessPage() { return m_page3; }

    // Stage flags, set when the user leaves the analysis type page.
    SFlowStages m_stages;
    // Whether the solver also writes an Abaqus interface file; remembered
    // in the application settings for the next analysis.
    bool m_bAbaqusInterface = false;

    // Analysis type page.
    CChoiceField m_aim{{"PACKING", "FILL_AND_PACK", "CURING", "FILLING", "RUNNER_BALANCE", "PACKING_STANDALONE",
                        "MOLD_WINDOW", "GATE_LOCATION", "OPTIMUM_FILL_PROFILE", "OPTIMUM_PACK_PROFILE"},
                       0};
    CChoiceField m_restart{{"NONE", "INTERMEDIATE_FILLING", "END_OF_FILLING", "INTERMEDIATE_PACKING",
                            "INTERMEDIATE_CURING"},
                           0};
    std::string m_strRestartFile;
    int m_nRestartIndex = -1;

    // Boundary conditions and temperatures page; values in SI (deg.C, Pa).
    std::string m_strBoundaryFile;
    double m_dMeltTemperature = 230;
    double m_dMoldTemperature = 50;
    double m_dMeltLowerLimit = 200;
    double m_dMeltUpperLimit = 280;
    double m_dMoldLowerLimit = 20;
    double m_dMoldUpperLimit = 80;
    double m_dRunnerPressure = 5e7;

    // Process settings page.
    CChoiceField m_injection{{"AUTOMATIC", "TIME", "FLOW_RATE", "PROFILE"}, 0};
    double m_dInjectionFlowRate = 5e-5;
    double m_dInjectionTime = 1;
    CChoiceField m_switchOver{{"AUTOMATIC", "PERCENTAGE_VOLUME", "SPECIFIED_TIME", "PRESSURE_AT_A_NODE",
                               "NO_PRESSURE_CONTROL"},
                              0};
    double m_dSwitchOverVolume = 0.99;
    double m_dSwitchOverPressure = 0;
    double m_dSwitchOverTime = 1;
    CChoiceField m_pressureControl{{"FACTOR", "SPECIFIED", "PROFILE"}, 0};
    double m_dPressureFactor = 80;
    double m_dPressureSpecified = 5e7;

    // Velocity profile dialog.
    CChoiceField m_fillProfile{{"FLOW_VOL", "TIME_RAM_POSITION", "TIME_RAM_SPLINE", "RAM_POSITION_RAM_VELOCITY"}, 0};
    CDoublePairList m_profileFlowVol;
    CDoublePairList m_profileTimeRamPosition;
    CDoublePairList m_profileTimeRamSpline;
    CDoublePairList m_profileRamVelocity;
    CChoiceField m_profileNominal{{"FLOW_RATE", "TIME", "RESCALE_TIME"}, 0};
    double m_dNominalFlowRate = 5e-5;
    double m_dNominalTime = 1;
    double m_dNominalRescaleTime = 1;
    CChoiceField m_ram{{"AUTOMATIC", "SPECIFIED"}, 0};
    double m_dRamDiameter = 0.035;
    double m_dRamStroke = 0.1;

    // Pressure profile dialog.
    CChoiceField m_pressureProfile{{"PRESSURE", "FACTOR"}, 0};
    CDoublePairList m_profilePressure;
    CDoublePairList m_profileFactor;

    // Gas settings dialog.
    CChoiceField m_gasProcess{{"CONSTANT_VOLUME", "CONSTANT_PRESSURE"}, 0};
    CChoiceField m_gasShutOff{{"PERCENTAGE_VOLUME", "TIME", "NEVER"}, 0};
    double m_dGasShutOffTime = 0;
    double m_dGasShutOffVolume = 0;
    double m_dGasCoolingTime = 0;

    // Quality criteria dialog.
    double m_dQualityWarpage = 0;
    double m_dQualityTolerance = 0;
    double m_dQualitySinkMarks = 0;

    // Curing page and transfer pot material dialog.
    double m_dCuringTime = 0;
    bool m_bTransferPot = false;
    double m_dPotDiameter = 0;
    double m_dHeatingLineTemperature = 0;
    double m_dPotDwellTime = 0;
    double m_dPotLength = 0;
    double m_dPotEdgeDistance = 0;
    double m_dPotMetalConductivity = 0;
    double m_dPotMetalDensity = 0;
    double m_dPotMetalSpecificHeat = 0;
    double m_dPotPlasticConductivity = 0;
    double m_dPotPlasticDensity = 0;
    double m_dPotPlasticSpecificHeat = 0;

    // Description page.
    std::string m_strDescription;


    CFlowWizAdvDlg& GetAdvancedSheet() { return m_advanced; }
    // The curing page owns the transfer pot material dialog.
    CFlowWizPageTset& GetCuringPage() { return m_pageTset; }
    CFlowWizPage4& GetValveGatePage() { return m_page4; }
    // Opens the advanced options sheet modally, its pages arranged for the
    // choices made so far; what the description page's "Advanced..." runs.
    int RunAdvancedOptions();

private:
    // Steps of Prepare.
    CResult InitNewAnalysis(MKeywordFile& working);
    void SplitSwitchOverValue(MKeywordFile& working);
    void SetMoldWindowRanges(const MKeywordFile& working);
    CResult MergeSolverRanges();
    // Steps of Finish.
    void WriteRestartAndBoundary(MKeywordFile& file);
    CResult RegisterAnalysis(MKeywordFile& file);
    bool ShowsValveGates() const;

    int m_nFlags;
    std::string m_strPrefix = "3DFLOW_";
    std::string m_strSwitchOverKeyword;

    CFlowWizAdvDlg m_advanced;
    CFlowWizPage1 m_page1;
    CFlowWizPage2 m_page2;
    CFlowWizPage3 m_page3{*this};
    CFlowWizPageTset m_pageTset;
    CFlowWizPage4 m_page4;
    CFlowWizPage5 m_page5;

    std::string m_strOutputFile;
};
