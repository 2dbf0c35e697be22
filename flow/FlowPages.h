#pragma once
// The pages of the flow wizard, in showing order: analysis type; boundary
// conditions and temperatures; process settings; curing and transfer pot
// (thermoset only); valve-gate timing; description and job submission. And
// the plain dialogs whose fields are bound in the wizard's table.
#include <memory>
#include <string>
#include <vector>

#include "flow/TransferPotDlg.h"
#include "flow/FlowWizAdvDlg.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"
#include "wizard/PropertyPageExt.h"

class CFlowWizard;
class CValveTimingGrid;
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
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CFlowWizard& GetFlowWizard() const { return m_wizard; }

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

class CPressureProfileDlg;
class CVelocityProfileDlg;
class CGasSettingsDlg;
class CQualityCriteriaDlg;

// The process settings page owns the dialogs it opens; their fields are the
// wizard's bindings, so they keep their values between openings.
class CFlowWizPage3 : public CFlowWizPage {
public:
    explicit CFlowWizPage3(CFlowWizard& wizard);
    ~CFlowWizPage3() override;
    BOOL OnSetActive() override;
    intptr_t OnWizardNext() override;

    CPressureProfileDlg& GetPressureProfileDlg() { return *m_pressureProfileDlg; }
    CVelocityProfileDlg& GetVelocityProfileDlg() { return *m_velocityProfileDlg; }
    CGasSettingsDlg& GetGasSettingsDlg() { return *m_gasSettingsDlg; }
    CQualityCriteriaDlg& GetQualityCriteriaDlg() { return *m_qualityCriteriaDlg; }

protected:
    BOOL OnInitDialog() override;
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillCombos();
    void ApplyOffer();
    void EnableGasPressurePhase();
    int SelectedToken(int comboId) const;
    template <class Dialog> void OpenDialog(Dialog& dialog);

    std::unique_ptr<CPressureProfileDlg> m_pressureProfileDlg;
    std::unique_ptr<CVelocityProfileDlg> m_velocityProfileDlg;
    std::unique_ptr<CGasSettingsDlg> m_gasSettingsDlg;
    std::unique_ptr<CQualityCriteriaDlg> m_qualityCriteriaDlg;
};

// The curing page of a thermoset analysis: the curing time and the transfer
// pot, whose material properties are a dialog of the page's own.
class CFlowWizPageTset : public CFlowWizPage {
public:
    CFlowWizPageTset();
    BOOL OnSetActive() override;
    CTransferPotDlg& GetTransferPotDlg() { return m_transferPotDlg; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The pot's fields are used only for a transfer pot analysis, and the
    // optional ones only when their check boxes are on.
    void ApplyTransferPotRule();

    CTransferPotDlg m_transferPotDlg;
};

// The valve-gate page: the timing grid of the chosen boundary conditions'
// valve-gate groups. The grid is filled and loaded from the working keyword
// file on every arrival and written back on every departure, Back included.
class CFlowWizPage4 : public CFlowWizPage {
public:
    CFlowWizPage4();
    ~CFlowWizPage4() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    // Null until the page is first shown.
    CValveTimingGrid* GetGrid() const { return m_grid.get(); }

protected:
    BOOL OnInitDialog() override;

private:
    std::unique_ptr<CValveTimingGrid> m_grid;
};

// The description and job submission page, with the button of the advanced
// options.
class CFlowWizPage5 : public CFlowWizPage {
public:
    CFlowWizPage5();

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int m_nJobSubmission = 0;
};
