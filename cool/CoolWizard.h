#pragma once
// CCoolWizard: the wizard that prepares a mold-cooling analysis. It writes the
// analysis' keyword file as a new cooling input node (or rewrites the input it
// was started from). The mesh decides the variant: a 2D cooling mesh gets the
// boundary-condition page and the description page; any other mesh gets the
// five pages of the 3D solver, and Finish may make a boundary-condition set
// that puts the whole mold in one steel.
#include <string>
#include <vector>

#include "cool/CoolAdvancedDialogs.h"
#include "cool/CoolWiz2DPage1.h"
#include "cool/CoolWizPage1.h"
#include "cool/CoolWizPage2.h"
#include "cool/CoolWizPage3.h"
#include "cool/CoolWizPage4.h"
#include "cool/CoolWizPage5.h"
#include "keyword/ChoiceField.h"
#include "keyword/FilePath.h"
#include "platform/system/Result.h"
#include "wizard/Wizard.h"

class CCoolWizard : public CWizard {
public:
    // `startNode`: a material (a new analysis below it), a cooling input (to
    // edit it) or a flow or cooling result (an analysis that follows it).
    explicit CCoolWizard(ZQ_PM_Node* startNode, CWnd* parent = nullptr);
    ~CCoolWizard() override;

    static bool CanStartFrom(const ZQ_PM_Node* node);

    // The working file: a new analysis' inputs from the host (with the
    // solver's defaults under them), the mold model and conditions of an
    // earlier cooling result, the bindings of the variant and its ranges.
    CResult Prepare() override;

    // The help file of the cooling wizard is shown while it runs.
    intptr_t DoModal() override;
    void OnWizardFinish() override;

    bool Is2D() const { return m_b2D; }
    // The earlier cooling result this analysis follows; null when none.
    ZQ_PM_Node* GetPrevCoolingResult() const;
    // The earlier flow result, and whether it packed the part (the cooling
    // time then follows from it).
    ZQ_PM_Node* GetPrevFlowResult() const;
    bool FlowFixesCoolingTime() const;

    std::string GetOutputFile() const override { return m_strOutputFile; }
    // The boundary-condition set Finish made for the automatic entry; "" when none.
    const std::string& GetCreatedBoundaryFile() const { return m_strCreatedBoundaryFile; }

    // Settings the pages show; values in SI (temperatures in deg.C, the
    // frozen part as a fraction). The initial values are the pages' defaults.
    CChoiceField m_analysisType{{"MANUAL", "AUTOMATIC"}, 1};
    double m_dCoolingTime = 15;
    double m_dFrozenFraction = 0.9;
    double m_dMoldTemperature = 50;
    std::string m_strBoundaryFile;  // "" while the automatic set is chosen
    std::string m_strMoldModelFile;
    double m_dClampOpenTime = 5;
    double m_dInjectionTime = 1;
    double m_dMeltTemperature = 230;
    double m_dFreezeTemperature = 0; // written only while its check box is ticked
    double m_dPackingTime = 10;
    CChoiceField m_networkType{{"CIRCUIT_DATA", "TOTAL_PRESSURE_DROP", "TOTAL_FLOW_RATE"}, 0};
    double m_dTotalPressureDrop = 200000;
    double m_dTotalFlowRate = 0.0002;
    std::string m_strMoldDimensions = "AUTOMATIC";
    std::vector<double> m_moldDimensions;
    CChoiceField m_geometryInfluence{{"PARAMETER", "IDEAL", "AUTOMATIC"}, 2};
    double m_dInfluenceParameter = 1;
    double m_dIterationLimit = 50;
    double m_dSolutionTolerance = 0.001;
    bool m_bRemoveTempFiles = true;

    std::string m_str2DBoundaryFile;
    double m_dCycleTime = 30;
    double m_dHeatContentFactor = 1;
    bool m_bThermalConductivity = true;
    double m_d2DIterationError = 0.001;
    double m_d2DIterationLimit = 50;

    std::string m_strDescription;

    CCoolAdvanced3DDialog m_advanced3D;
    CCoolAdvanced2DDialog m_advanced2D;

private:
    CResult PrepareNewAnalysis();
    CResult TakePrevCoolingSettings();
    // Hands the finished keyword file to the project tree.
    void HandOver(MKeywordFile& file);
    // Writes the input file and makes or updates its node; a failure leaves
    // the input and the project as they were.
    CResult WriteInput(MKeywordFile& file);

    bool m_b2D = false;
    CCoolWiz2DPage1 m_page2D1;
    CCoolWizPage1 m_page1;
    CCoolWizPage2 m_page2;
    CCoolWizPage3 m_page3;
    CCoolWizPage4 m_page4;
    CCoolWizPage5 m_page5;
    std::string m_strOutputFile;
    std::string m_strCreatedBoundaryFile;
    // Holds the number the automatic set took, to give it back when Finish fails.
    CFilePath m_boundaryName;
};
