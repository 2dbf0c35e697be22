#pragma once
// CWizard: the base of every wizard. A property sheet in wizard mode, built
// for one node of the project tree (the start node), that keeps the analysis'
// settings in a temporary keyword file and its keyword bindings, and moves
// between pages itself so that a subclass can skip pages by template id.
#include <memory>
#include <string>

#include "host/ProjectTree.h"
#include "keyword/KeywordBindings.h"
#include "platform/window/PropertySheet.h"
#include "platform/window/Types.h"

// What the host does with the job after Finish.
enum JobSubmission {
    kJobRunNow = 0,
    kJobBatchQueue = 1,
    kJobSubmitLater = 2,
    kJobPrepareNext = 3,
};

class CWizard : public CPropertySheet {
public:
    // `parent` null: the application's main window. A start node that is an
    // analysis input gives the temporary file its keywords at once.
    CWizard(UINT captionId, ZQ_PM_Node* startNode, CWnd* parent = nullptr);
    // Deletes the temporary file, read-only or not.
    ~CWizard() override;

    ZQ_PM_Node* GetStartNode() const { return m_pStartNode; }
    ZQ_PM_Node* GetResultNode() const { return m_pResultNode; }
    void SetResultNode(ZQ_PM_Node* node) { m_pResultNode = node; }
    // The analysis mesh of the start node, and its sub-type (kSubNone without one).
    ZQ_PM_Node* GetModelMeshNode() const;
    Node_SubType GetModelMeshType() const;
    // The nearest result node of sub-type `type` at or above the start node
    // that is not out of date; null when there is none.
    ZQ_PM_Node* GetPrevResultNode(Node_SubType type) const;

    // The caption of the sheet and the title of every page, at once when shown.
    void SetCaption(const CString& text);
    void SetCaption(int id);

    // The project tree every wizard works on; set once by the host.
    static void SetProjectTree(MProjectTree& tree);
    static MProjectTree& GetProjectTree();
    static bool HasProjectTree();

    CKeywordBindings& GetBindings() { return *m_pBindings; }
    const std::string& GetTempFileName() const { return m_strTempFile; }
    // 0..3 (JobSubmission); the last page stores its radio group here.
    int GetJobSubmission() const { return m_nJobSubmission; }
    void SetJobSubmission(int choice) { m_nJobSubmission = choice; }

    // Whether the page made from this dialog template may be shown; all are
    // in the base.
    virtual bool IsPageEnabled(UINT templateId);
    // The Finish work, run as the sheet closes with Finish: the base stores
    // the bound values into the temporary file. Overrides call it first.
    virtual void OnWizardFinish();

    // The wizard that `window` belongs to: itself or the nearest parent
    // window that is one; null when none is.
    static CWizard* FromWindow(CWnd* window);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    // The move the Next (forward) or Back button asks for, from the active page.
    void MoveToEnabledPage(bool forward);

    std::string m_strTempFile;
    std::unique_ptr<CKeywordBindings> m_pBindings;
    int m_nJobSubmission = kJobSubmitLater;
    ZQ_PM_Node* m_pStartNode = nullptr;
    ZQ_PM_Node* m_pResultNode = nullptr;

private:
    void PrepareTempFileFromInput();
};
