#pragma once
// CWizard: the base of every wizard. A property sheet in wizard mode, built
// for one node of the project tree (the start node), that keeps the analysis'
// settings in a temporary keyword file and its keyword bindings, and moves
// between pages itself so that a subclass can skip pages by template id.
//
// A wizard is built in two steps: the constructor only sets up members and
// pages and cannot fail; Prepare() reads and writes files and says why it
// failed. Each page is added with one entry that says when it applies; that
// entry decides both whether the page shows and whether its bindings exist.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/ProjectTree.h"
#include "keyword/KeywordBindings.h"
#include "platform/window/PropertySheet.h"
#include "platform/window/Types.h"
#include "platform/system/Result.h"
#include "wizard/PropertyPageExt.h"

// What the host does with the job after Finish.
enum JobSubmission {
    kJobRunNow = 0,
    kJobBatchQueue = 1,
    kJobSubmitLater = 2,
    kJobPrepareNext = 3,
};

// One page of a wizard and when it applies.
struct SWizardPage {
    CPropertyPageExt* page = nullptr;
    // Whether the page can show at all for the start node: the page's binding
    // rows are registered only then. Null: always.
    std::function<bool()> forModel;
    // Whether it shows now, given the choices made on earlier pages; asked
    // only when forModel holds. Null: always.
    std::function<bool()> when;
    // Registers the page's binding table (the current page is set to the
    // page). Null: the page binds nothing.
    std::function<void(CKeywordBindings&)> bindings;
};

// The `bindings` of a page entry that registers a table of rows for `owner`
// (usually the sheet itself).
template <class Owner, std::size_t N>
std::function<void(CKeywordBindings&)> BindingTable(Owner& owner, const CBindingRow<Owner> (&rows)[N])
{
    return [&owner, &rows](CKeywordBindings& bindings) { bindings.BindRows(owner, rows); };
}

class CWizard : public CPropertySheet {
public:
    // `parent` null: the application's main window. Claims the temporary
    // file's name and reads nothing.
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
    // Replaces the working copy with `file`. The copy is the wizard's alone
    // and is deleted with it, so it is not flushed to disk.
    CResult WriteWorkingFile(const MKeywordFile& file) const;
    // 0..3 (JobSubmission); the last page stores its radio group here.
    int GetJobSubmission() const { return m_nJobSubmission; }
    void SetJobSubmission(int choice) { m_nJobSubmission = choice; }

    // The fallible half of building a wizard, run once before DoModal: the
    // base gives the temporary file the keywords of a start node that is an
    // analysis input. Overrides call it first and stop at its failure.
    virtual CResult Prepare();

    // Whether the page made from this dialog template may be shown: by its
    // entry (both of its conditions); a page added without an entry always may.
    virtual bool IsPageEnabled(UINT templateId);
    // Whether the page made from this template, while it shows, lets the
    // user go on (Next or Finish); Back is never held. The base: always.
    virtual bool IsPageComplete(UINT templateId) { return true; }
    // The Finish work, run as the sheet closes with Finish: the base stores
    // the bound values into the temporary file and keeps the result in
    // m_finishResult. Overrides call it first and stop at its failure.
    virtual void OnWizardFinish();

    // What Finish made, for the host to report: the result (a failure leaves
    // the project as it was) and the path of the file made. The base makes
    // no file of its own.
    virtual CResult GetFinishResult() const { return m_finishResult; }
    virtual std::string GetOutputFile() const { return std::string(); }
    // Lines the host shows as warnings after a successful Finish: what failed
    // after the result was made and does not undo it.
    const std::vector<std::string>& GetFinishWarnings() const { return m_finishWarnings; }

    // The wizard that `window` belongs to: itself or the nearest parent
    // window that is one; null when none is.
    static CWizard* FromWindow(CWnd* window);

    // Sets Back, Next and Finish for the active page: Back when an enabled
    // page lies before it, Next when one lies after it, Finish otherwise;
    // Next and Finish disabled while IsPageComplete says no. Runs after
    // every move; a page calls it when its completeness changes.
    void UpdateNavigation();

protected:
    // Adds the page to the sheet, in showing order, with when it applies.
    void AddWizardPage(SWizardPage entry);
    // Registers the binding table of every page whose forModel holds, page
    // by page in the order they were added.
    void RegisterPageBindings();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    // The move the Next (forward) or Back button asks for, from the active page.
    void MoveToEnabledPage(bool forward);

    std::string m_strTempFile; // "" when none could be made (m_nTempError says why)
    int m_nTempError = 0;
    std::unique_ptr<CKeywordBindings> m_pBindings;
    int m_nJobSubmission = kJobSubmitLater;
    ZQ_PM_Node* m_pStartNode = nullptr;
    ZQ_PM_Node* m_pResultNode = nullptr;
    CResult m_finishResult;
    std::vector<std::string> m_finishWarnings;

private:
    CResult PrepareTempFileFromInput();
    const SWizardPage* FindEntry(UINT templateId) const;
    // The nearest enabled page from `index` on, stepping by `step`; -1 when none.
    int EnabledFrom(int index, int step);

    std::vector<SWizardPage> m_pages;
};
