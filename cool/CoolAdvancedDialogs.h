#pragma once
// The advanced options of the two cooling solvers, opened from the
// description page. Their fields are keyword bindings of the wizard; OK
// reads them back, Cancel leaves the settings as they were.
#include "platform/window/Dialog.h"

class CCoolWizard;

class CCoolAdvancedDialog : public CDialog {
public:
    CCoolAdvancedDialog(UINT templateId, CCoolWizard& wizard);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CCoolWizard& m_wizard;
};

// Geometry influence, iteration limit and tolerance, restart files.
class CCoolAdvanced3DDialog : public CCoolAdvancedDialog {
public:
    explicit CCoolAdvanced3DDialog(CCoolWizard& wizard);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The parameter applies only to the "Parameter" influence.
    void EnableParameter();
};

// Heat content factor, conductivity, iteration error and limit.
class CCoolAdvanced2DDialog : public CCoolAdvancedDialog {
public:
    explicit CCoolAdvanced2DDialog(CCoolWizard& wizard);
};
