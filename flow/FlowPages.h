#pragma once
// The pages of the flow wizard, in showing order: analysis type; boundary
// conditions and temperatures; process settings; curing and transfer pot
// (thermoset only); valve-gate timing; description and job submission. And
// the plain dialogs whose fields are bound in the wizard's table.
#include <memory>
#include <string>
#include <vector>

#include "flow/FlowWizAdvDlg.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"
#include "wizard/PropertyPageExt.h"

class CFlowWizard;
class MFlowRestarts;

// The flow wizard's pages all belong to a CFlowWizard.
class CFlowWizPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CFlowWizard* GetFlowWizard() const;
};

// A dialog a page opens whose fields are bound in the wizard's table: its
// exchange is the bindings' alone.
class CFlowBoundDialog : public CDialog {
public:
    CFlowBoundDialog(UINT templateId, CFlowWizard& wizard) : CDialog(templateId), m_wizard(wizard) {}

protected:
    // Fills the dialog's drop-down lists, whose entries the bound choices index.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CFlowWizard& m_wizard;
};

class CFlowWizPage1 : public CFlowWizPage {
public:
    CFlowWizPage1();
    ~CFlowWizPage1() override;
    intptr_t OnWizardNext() override;

    // The restart list (null until the page is initialised).
    const MFlowRestarts* GetRestarts() const { return m_restarts.get(); }
    bool IsRestartChanged() const { return m_bRestartChanged; }
    // How many times a restart point's settings were read on leaving the page.
    int GetRestartReads() const { return m_nRestartReads; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void InitRestarts3D(bool& chosen);
    void InitRestartsMidplane(bool& chosen);
    void OnRestartChosen();
    void CompleteStage();
    void InitMachine();
    void OnMachineButton();
    void FillMachineList(const std::string& manufacturer, const std::string& modelCode);
    bool ReadRestartSettings();
    bool MergeMachine();
    void Show(int id, bool show);

    std::unique_ptr<MFlowRestarts> m_restarts;
    bool m_bRestartChanged = false;
    int m_nRestartReads = 0;
    std::vector<std::string> m_machineFiles;
    bool m_bMachineChanged = false;
};

class CFlowWizPage2 : public CFlowWizPage {
public:
    CFlowWizPage2();
    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The rows own copies of their paths: freed with the list.
    void OnDestroy() override;
    void ExchangeOwnControls(CDataExchange* pDX) override;
    intptr_t OnWizardNext() override;

private:
    CListCtrl& List();
    CImageList m_images;
};

class CFlowWizPage3 : public CFlowWizPage {
public:
    CFlowWizPage3();

protected:
    BOOL OnInitDialog() override;
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CFlowWizPageTset : public CFlowWizPage {
public:
    CFlowWizPageTset();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CFlowWizPage4 : public CFlowWizPage {
public:
    CFlowWizPage4();
};

class CFlowWizPage5 : public CFlowWizPage {
public:
    CFlowWizPage5();

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
