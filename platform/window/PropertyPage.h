#pragma once
// A page of a property sheet: a child dialog the sheet creates the first time
// it is shown, told of every arrival and departure.
#include <string>

#include "platform/window/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    struct {
        DWORD dwFlags = PSP_DEFAULT;
        std::string pszTitle; // used when dwFlags has PSP_USETITLE
    } m_psp;

    // The tab or wizard title: the PSP_USETITLE title, else the template's caption.
    std::string GetTitle() const;
    CPropertySheet* GetSheet() const;

    // Each arrival; the base shows the members again (after the first
    // arrival, which OnInitDialog has filled). False refuses the page.
    virtual BOOL OnSetActive();
    // Each departure; the base reads the members back and refuses the
    // departure when that fails.
    virtual BOOL OnKillActive();
    // Wizard buttons: 0 goes to the next (or previous) page, -1 stays, a
    // template id goes to that page.
    virtual intptr_t OnWizardBack() { return 0; }
    virtual intptr_t OnWizardNext() { return 0; }
    // True lets the wizard finish.
    virtual BOOL OnWizardFinish() { return TRUE; }
    // Tabbed sheets: OK and Apply call OnApply (whose base calls OnOK), Cancel
    // asks OnQueryCancel and then calls OnReset (whose base calls OnCancel).
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel() { return TRUE; }
    // A page does not close itself: the sheet ends the modal loop after
    // asking its pages, so the dialog's own closing is switched off here.
    void OnOK() override {}
    void OnCancel() override {}
    void SetModified(BOOL changed = TRUE);
    // After a change that Cancel could not undo: the sheet's OK button reads
    // "Close" and its Cancel button is disabled.
    void CancelToClose();

    // Called by the sheet: creates the page window on first use.
    bool EnsureCreated(CPropertySheet* sheet);

private:
    bool m_firstSetActive = true;
};
