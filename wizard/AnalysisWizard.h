#pragma once
// CAnalysisWizard: the wizard that starts a new analysis from a node of the
// project tree. Page 1 chooses the material (through the material library's
// selector), page 2 the analysis; Finish opens the chosen analysis wizard
// through the factory, hides this sheet while it runs, and takes over what
// it made.
#include <memory>
#include <string>

#include "wizard/AnalysisWizPages.h"
#include "wizard/Wizard.h"

class MMatSearch;

class CAnalysisWizard : public CWizard {
public:
    // A mesh starts on page 1; a material, result or other node of an
    // analysis starts on page 2 with the nearest material at or above it. A
    // boundary-condition set, folder, model data or mold mesh stands for the
    // model mesh it belongs to, and starts on page 1 without a material.
    CAnalysisWizard(ZQ_PM_Node* startNode, CWnd* parent = nullptr);
    ~CAnalysisWizard() override;

    // Whether the wizard can start from `node`: a mesh, material, result,
    // boundary-condition set, folder or model data of a meshed model.
    static bool CanStartFrom(const ZQ_PM_Node* node);

    ZQ_PM_Node* GetMaterialNode() const { return m_pMaterialNode; }
    void SetMaterialNode(ZQ_PM_Node* node) { m_pMaterialNode = node; }
    // Whether page 1 added or replaced a material in the project: that
    // change stays whatever becomes of the analysis.
    bool ChangedMaterial() const { return m_bChangedMaterial; }
    void NoteMaterialChanged() { m_bChangedMaterial = true; }
    // The node the chosen analysis starts from: the material after a mesh
    // start, otherwise the start node.
    ZQ_PM_Node* GetAnalysisNode() const;

    // The material page lets the user go on once a material is chosen.
    bool IsPageComplete(UINT templateId) override;
    // Fails when the start node has no mesh to prepare an analysis on.
    CResult Prepare() override;
    // This wizard binds no keyword and writes no file of its own: what its
    // Finish made is the chosen wizard's, taken over on page 2.
    void OnWizardFinish() override;
    CResult GetFinishResult() const override { return m_finishResult; }
    std::string GetOutputFile() const override { return m_strOutputFile; }

    // Page 2: the chosen wizard ended with Finish; its result node, job
    // submission choice, outcome, file and warnings become this wizard's.
    void TakeOver(const CWizard& chosen);
    // Page 2: the chosen wizard could not be made or prepared.
    void SetChosenFailure(CResult failure) { m_finishResult = std::move(failure); }
    // Whether Finish opened an analysis wizard that ended with Finish.
    bool ChosenWizardFinished() const { return m_chosenFinished; }

    // The material library's search, made on first use and kept with its
    // text and choice until the library is detached (WizardLibrary.h).
    static MMatSearch& GetMaterialSearch();
    static void ReleaseMaterialSearch();

protected:
    BOOL OnInitDialog() override;

private:
    CAnalysisWizPage1 m_page1;
    CAnalysisWizPage2 m_page2;
    ZQ_PM_Node* m_pMaterialNode = nullptr;
    std::string m_strOutputFile;
    bool m_chosenFinished = false;
    bool m_bChangedMaterial = false;
};

// The nearest material node at or above `node`; null when there is none.
ZQ_PM_Node* NearestMaterialNode(ZQ_PM_Node* node);
