#pragma once
// Dialogs built from a dialog template: modal dialogs and the child dialogs
// that property pages are.
#include <memory>
#include <vector>

#include "platform/resources/Resources.h"
#include "platform/window/Wnd.h"

class CDataExchange;

// The ids a dialog built from `t` gives its controls, in template order: the
// template's own, except that a list (list box, combo box, list view) or grid
// written without one gets the next id after the largest the template uses,
// so that every list can be named by its id.
std::vector<int> TemplateControlIds(const CDialogTemplate& t);

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Uses `tmpl` (copied) instead of the compiled template of the id, for
    // dialogs made in code.
    void SetTemplate(const CDialogTemplate& tmpl);
    const CDialogTemplate* GetTemplate() const;
    int GetTemplateId() const override { return static_cast<int>(m_nIDTemplate); }

    // Creates the dialog and its controls, runs OnInitDialog and the modal
    // loop (UserAgent.h), destroys the window and returns the EndDialog
    // result; -1 when the template does not exist.
    virtual intptr_t DoModal();
    void EndDialog(int result);

    // Exchanges the dialog's data with its controls: false when a check
    // failed (a message was shown and the failing control has the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Focuses the control, selecting all of an edit's text.
    void GotoDlgCtrl(CWnd* control);

    // Creates the dialog as a child of `parent` (a property page's way).
    bool CreateChild(CWnd* parent);
    // Focuses the first visible, enabled tab stop.
    void FocusFirstTabStop();

    UINT m_nIDTemplate = 0;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    // Set-up after the controls exist; the base fills them (UpdateData(FALSE)).
    // True: the focus goes to the first tab stop.
    virtual BOOL OnInitDialog();
    // The base reads the controls back and closes with IDOK when they are valid.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CancelModal() override { OnCancel(); }
    // Makes the window and its controls from the template; false without one.
    bool CreateFromTemplate(CWnd* parent, bool child);

private:
    std::unique_ptr<CDialogTemplate> m_ownTemplate;
};

// Dialog units of `font` to pixels, as the dialog manager converts template rectangles.
CRect DialogUnitsToPixels(const CDlgRect& rect, const CFont& font);
