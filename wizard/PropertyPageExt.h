#pragma once
// CPropertyPageExt: the base of every wizard and options page. Leaving a page
// backwards never validates it, Finish validates the page first, and context
// help on a caption shows the help of the field it names. The base owns the
// order of the data exchange (the page's own controls, then its keyword
// bindings) and calls the page's EnableControls step whenever the page shows.
#include <cassert>
#include <initializer_list>

#include "platform/window/PropertyPage.h"

class CWizard;

class CPropertyPageExt : public CPropertyPage {
public:
    explicit CPropertyPageExt(UINT templateId);

    // The wizard this page belongs to (walking up the parent windows); null
    // before the page is placed in one.
    CWizard* GetWizard() const;
    // The wizard as the sheet class the page was written for; the page must
    // be placed in one.
    template <class TSheet> TSheet* GetSheetAs() const
    {
        auto* sheet = dynamic_cast<TSheet*>(GetWizard());
        assert(sheet && "the page lives in a sheet of another class");
        return sheet;
    }

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnWizardFinish() override;

protected:
    // The page's own controls, those no keyword binding covers; the base
    // exchanges them before the bindings.
    virtual void ExchangeOwnControls(CDataExchange* pDX) {}
    // Enables and disables the page's controls from the settings, after the
    // page has been filled; called each time the page becomes active.
    virtual void EnableControls() {}
    // For EnableControls: enables or disables every control of `ids` the page has.
    void EnableIds(std::initializer_list<int> ids, bool enable);
    // The control the page's settings say the user types into first; 0 leaves
    // the sheet's choice (the first tab stop). Asked each time the page
    // becomes active, and by FocusChosenField.
    virtual int GetChosenField() { return 0; }
    // Moves the focus to GetChosenField's control, if there is one: for
    // command handlers whose click changes which field that is.
    void FocusChosenField();

    // Own controls first, then the bindings, so that a binding read back
    // after a page's own handler sees the page's choices. Final: pages
    // supply ExchangeOwnControls instead.
    void DoDataExchange(CDataExchange* pDX) final;
    BOOL OnHelpInfo(HELPINFO* info) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ExchangeBindings(CDataExchange* pDX);
};
