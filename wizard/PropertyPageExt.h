#pragma once
// CPropertyPageExt: the base of every wizard and options page. Leaving a page
// backwards never validates it, Finish validates the page first, and context
// help on a caption shows the help of the field it names.
#include "platform/window/PropertyPage.h"

class CWizard;

class CPropertyPageExt : public CPropertyPage {
public:
    explicit CPropertyPageExt(UINT templateId);

    // The wizard this page belongs to (walking up the parent windows); null
    // before the page is placed in one.
    CWizard* GetWizard() const;

    BOOL OnKillActive() override;
    BOOL OnWizardFinish() override;

protected:
    // Nothing: pages call it first, exchange their own controls, then call
    // ExchangeBindings last.
    void DoDataExchange(CDataExchange* pDX) override;
    // The page exchange of the owning wizard's keyword bindings for this page.
    void ExchangeBindings(CDataExchange* pDX);
    BOOL OnHelpInfo(HELPINFO* info) override;
};
