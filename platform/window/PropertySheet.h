#pragma once
// The property sheet, in tabbed mode (OK, Cancel, Apply, Help) or wizard mode
// (Back, Next, Finish, Cancel, Help). Pages are created at their first
// activation; the sheet's buttons are its child windows with the platform's ids.
#include <string>
#include <vector>

#include "platform/window/PropertyPage.h"
#include "platform/window/TabCtrl.h"
#include "platform/window/Wnd.h"

// Private sheet messages, posted so that they act after the current handler.
constexpr UINT PSM_SETWIZBUTTONS = WM_USER + 112;
constexpr UINT PSM_PRESSBUTTON = WM_USER + 113;

class CPropertySheet : public CWnd {
public:
    CPropertySheet() = default;
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(const std::string& caption, CWnd* parent = nullptr, UINT selectPage = 0);
    void Construct(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    void Construct(const std::string& caption, CWnd* parent = nullptr, UINT selectPage = 0);

    struct {
        DWORD dwFlags = PSH_DEFAULT;
    } m_psh;
    std::string m_strCaption;
    CWnd* m_pParentWnd = nullptr;

    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    // Before the sheet exists: the page shown first. After: activates it,
    // asking the page being left (OnKillActive) first.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(const std::string& title, UINT style = 0);

    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    bool IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
    // Posted: takes effect once the running handler (and the sheet's own
    // set-up) has finished.
    void SetWizardButtons(DWORD flags);
    // Shows Finish, enabled, with this text; hides Back and Next.
    void SetFinishText(const std::string& text);
    // Only renames Finish (for this run of the sheet): unlike SetFinishText,
    // which buttons show and are enabled still follows SetWizardButtons, so
    // a last page can offer Back beside a Finish that reads "OK".
    void SetFinishButtonText(const std::string& text);
    // Posted: acts as a click on the PSBTN_ button.
    void PressButton(int button);
    DWORD GetWizardButtons() const { return m_wizButtons; }
    CWnd* GetButton(int id) const { return GetDlgItem(id); }
    // A tabbed sheet's row of tabs, one per page in page order; null in a
    // wizard and before the sheet exists. A click on a tab asks the page
    // being left (OnKillActive, which may refuse) and then activates the
    // tab's page, as SetActivePage does.
    CTabCtrl* GetTabControl() const;

    // Creates the sheet and its buttons, runs OnInitDialog and the modal loop
    // and destroys the window: ID_WIZFINISH, IDOK or IDCANCEL; -1 without pages.
    virtual intptr_t DoModal();
    void EndDialog(int result) { EndModalLoop(result); }
    int GetTemplateId() const override;
    // The caption a person sees: a wizard shows its page's title.
    std::string GetWindowText() const override;

    void PageModified(CPropertyPage* page, bool changed);

protected:
    // The sheet's own set-up: activates the first page and sets the buttons
    // to their start state (Back and Next in a wizard).
    virtual BOOL OnInitDialog();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CancelModal() override;
    // Shows page `index`; with `leave` the active page is asked first. The
    // page's first control takes the focus unless a tab click keeps it.
    bool ActivatePage(int index, bool leave, bool focusPage = true);
    void ApplyWizardButtons(DWORD flags);

private:
    void CreateButtons();
    void CreateTabs();
    void OnWizardButton(int id);
    void OnSheetButton(int id);

    std::vector<CPropertyPage*> m_pages;
    int m_active = -1;
    int m_startPage = 0;
    DWORD m_wizButtons = 0;
    std::string m_finishText;
    std::vector<CPropertyPage*> m_modified;
};
