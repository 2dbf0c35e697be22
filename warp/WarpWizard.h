#pragma once
// CWarpWizard: the wizard that prepares a structural analysis of a molded
// part, in one of two modes: warpage (the deformation molding causes) or
// stress (the part under its loads and constraints). It refuses, before any
// window opens, an analysis that cannot follow the node it starts from, and
// on Finish writes the analysis input into the project.
#include <string>

#include "platform/system/Result.h"
#include "warp/WarpAdvDlg.h"
#include "warp/WarpPages.h"
#include "warp/WarpSettings.h"
#include "wizard/Wizard.h"

class CWarpWizard : public CWizard {
public:
    // `startNode`: a material (a new analysis below it), an analysis input
    // (to edit it) or a result (an analysis that follows it).
    CWarpWizard(ZQ_PM_Node* startNode, int mode, CWnd* parent = nullptr);
    ~CWarpWizard() override;

    // Whether the wizard starts from `node`.
    static bool CanStartFrom(const ZQ_PM_Node* node, int mode);

    // The working file: a copy of the input being edited, or the solver's
    // defaults with the host's inputs for a new analysis; then the bindings
    // and the ranges.
    CResult Prepare() override;
    // Applies the preparation rules (a refusal shows its message and returns
    // IDCANCEL before any window opens), then runs the sheet.
    intptr_t DoModal() override;
    void OnWizardFinish() override;

    // The preference the host sets before building wizards: a new analysis
    // takes its shrinkage from the thermal stresses unless it is 0.
    static void SetRSMPreference(int preference);
    static int GetRSMPreference();

    int GetMode() const { return m_settings.m_nMode; }
    bool IsStress() const { return m_settings.IsStress(); }
    // Whether the shrinkage comes from anything but the thermal stresses.
    bool HasShrinkageSource() const { return m_bShrinkageSource; }
    CWarpSettings& GetSettings() { return m_settings; }
    int GetAim() const { return m_settings.m_aim.m_index; }
    int GetControlMethod() const { return m_settings.m_controlMethod.m_index; }
    // The nearest warpage result above the start node, and the keyword file
    // of the analysis that produced it ("" without one).
    ZQ_PM_Node* GetPrevWarpageResult() const { return GetPrevResultNode(kSubWarpage); }
    std::string GetPrevWarpageFile() const;
    CWarpWizAdvDlg& GetAdvancedSheet() { return m_advanced; }

    std::string GetOutputFile() const override { return m_strOutputFile; }

private:
    bool ApplyPreparationRules();
    // Finish after the base stored the bound values: the input file written
    // and the project told, or, on failure, the project as it was.
    CResult MakeAnalysisInput();

    CWarpSettings m_settings;
    bool m_bShrinkageSource = false;
    CWarpWizAdvDlg m_advanced;
    CWarpWizPage1 m_page1;
    CWarpWizPage2 m_page2;
    CWarpWizPage3 m_page3;
    CWarpWizPage4 m_page4;
    CWarpWizPage5 m_page5;
    CWarpWizPage6 m_page6;
    CWarpWizPage7 m_page7;
    std::string m_strOutputFile;
};
