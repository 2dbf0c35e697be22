// The analysis type page: the aim, the restart point of an earlier flow
// result, and the machine of an optimisation analysis.
#include <cstdlib>

#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "flow/MachineParamsDlg.h"
#include "host/FlowRestarts.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/ListBoxes.h"

namespace {

// The texts the full-flow and curing buttons have in the template, kept the
// first time the page completes a stage, so that they can be given back.
std::string g_fullFlowText;
std::string g_curingText;
bool g_textsKept = false;

CComboBox* Combo(CWnd* page, int id) { return static_cast<CComboBox*>(page->GetDlgItem(id)); }

} // namespace

CFlowWizard* CFlowWizPage::GetFlowWizard() const { return GetSheetAs<CFlowWizard>(); }

CFlowWizPage1::CFlowWizPage1() : CFlowWizPage(IDD_FLOW_PAGE1) {}

CFlowWizPage1::~CFlowWizPage1() = default;

void CFlowWizPage1::Show(int id, bool show)
{
    if (CWnd* control = GetDlgItem(id))
        control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL CFlowWizPage1::OnInitDialog()
{
    const BOOL result = CFlowWizPage::OnInitDialog();
    CFlowWizard* wizard = GetFlowWizard();
    const int flags = wizard->GetFlags();

    bool chosen = false;
    if (wizard->Is3D())
        InitRestarts3D(chosen);
    else
        InitRestartsMidplane(chosen);

    if (m_restarts && m_restarts->GetCount() > 0) {
        if (wizard->m_nRestartIndex == -1)
            wizard->m_nRestartIndex = m_restarts->GetCount() - 1;
        CComboBox* list = Combo(this, IDC_FLOW_RESTART_LIST);
        list->ResetContent();
        for (int i = m_restarts->GetCount() - 1; i >= 0; --i) {
            const int item = list->AddString(m_restarts->GetDescription(i));
            list->SetItemData(item, static_cast<DWORD_PTR>(i));
            if (i == wizard->m_nRestartIndex)
                list->SetCurSel(item);
        }
        Show(IDC_FLOW_RESTART_LIST, true);
        Show(IDC_FLOW_RESTART_TEXT, true);
        OnRestartChosen();
        // The working file already holds the settings of a restart chosen
        // before: they are not read again.
        if (chosen)
            m_bRestartChanged = false;
    } else {
        CompleteStage();
    }

    if (flags & kFlowThermoset) {
        Show(IDC_FLOW_FULL_FLOW, false);
        Show(IDC_FLOW_CURING, true);
    }
    if (flags & kFlowOptimum)
        InitMachine();
    if (flags & (kFlowFiber | kFlowGas))
        Show(IDC_FLOW_RUNNER_BALANCE, false);
    if (flags & (kFlowGas | kFlowThermoset | kFlowOptimum)) {
        Show(IDC_FLOW_MOLD_WINDOW, false);
        Show(IDC_FLOW_GATE_LOCATION, false);
    }
    return result;
}

void CFlowWizPage1::InitRestarts3D(bool& chosen)
{
    CFlowWizard* wizard = GetFlowWizard();
    MKeywordFile working;
    // A working copy that cannot be read names no restart: the list stays empty.
    (void)working.Load(wizard->GetTempFileName());
    wizard->m_strRestartFile = working.GetValue("MOLD3D_RESTART_FILE_NAME");
    const int stamp = std::atoi(working.GetValue("MOLD3D_RESTART_TIME_STAMP_NUMBER").c_str());
    if (stamp != 0) {
        chosen = true;
        wizard->m_nRestartIndex = stamp - 2;
    }
    m_restarts = std::make_unique<MFlow3DRestarts>(wizard->m_strRestartFile);
    // On a 3D mesh full flow means FILL_AND_PACK and standalone packing takes
    // the place of runner balance; the midplane-only analyses go.
    Show(IDC_FLOW_FULL_FLOW, false);
    Show(IDC_FLOW_FILL_AND_PACK, true);
    Show(IDC_FLOW_RUNNER_BALANCE, false);
    Show(IDC_FLOW_PACKING_STANDALONE, true);
    Show(IDC_FLOW_MOLD_WINDOW, false);
    Show(IDC_FLOW_GATE_LOCATION, false);
    if (m_restarts->GetCount() > 0) {
        if (IsDlgButtonChecked(IDC_FLOW_PACKING_STANDALONE))
            EnableIds({IDC_FLOW_FILL_AND_PACK, IDC_FLOW_FILLING}, false);
        else
            EnableIds({IDC_FLOW_PACKING_STANDALONE}, false);
    }
}

void CFlowWizPage1::InitRestartsMidplane(bool& chosen)
{
    CFlowWizard* wizard = GetFlowWizard();
    MKeywordFile working;
    // A working copy that cannot be read names no restart: the list stays empty.
    (void)working.Load(wizard->GetTempFileName());
    wizard->m_restart.SetToken(working.GetValue("3DFLOW_RESTART"));
    if (wizard->m_restart.m_index < 0)
        wizard->m_restart.m_index = kRestartNone;
    if (wizard->m_restart.m_index == kRestartNone) {
        if (wizard->FollowsCooling()) {
            EnableIds({IDC_FLOW_RUNNER_BALANCE}, false);
            Show(IDC_FLOW_MOLD_WINDOW, false);
            Show(IDC_FLOW_GATE_LOCATION, false);
        }
        return;
    }
    EnableIds({IDC_FLOW_RUNNER_BALANCE}, false);
    Show(IDC_FLOW_MOLD_WINDOW, false);
    Show(IDC_FLOW_GATE_LOCATION, false);
    std::string& name = wizard->m_strRestartFile;
    name = working.GetValue("3DFLOW_RESTART_" + wizard->m_restart.GetToken());
    m_restarts = std::make_unique<MFlowRestarts>(name);
    if (m_restarts->GetCount() == 0) {
        if (name.find(".fr0") == std::string::npos)
            name += ".fr0";
    } else if (name.find('.') != std::string::npos) {
        chosen = true;
        wizard->m_nRestartIndex = m_restarts->GetIndexByFilename(name);
    }
}

void CFlowWizPage1::OnRestartChosen()
{
    CFlowWizard* wizard = GetFlowWizard();
    CComboBox* list = Combo(this, IDC_FLOW_RESTART_LIST);
    const int item = list->GetCurSel();
    wizard->m_nRestartIndex = item < 0 ? -1 : static_cast<int>(list->GetItemData(item));
    wizard->m_restart.m_index =
        RestartChoiceFromPointType(m_restarts->GetType(wizard->m_nRestartIndex), wizard->GetFlags());
    CompleteStage();
    wizard->m_strRestartFile = m_restarts->GetFilename(wizard->m_nRestartIndex);
    m_bRestartChanged = true;
}

void CFlowWizPage1::CompleteStage()
{
    if (!g_textsKept) {
        g_fullFlowText = GetDlgItem(IDC_FLOW_FULL_FLOW)->GetWindowText();
        g_curingText = GetDlgItem(IDC_FLOW_CURING)->GetWindowText();
        g_textsKept = true;
    }
    CFlowWizard* wizard = GetFlowWizard();
    const int flags = wizard->GetFlags();
    CString completion;
    if (flags & kFlowThermoset)
        completion.LoadString(IDS_FLOW_COMPLETE_CURING);
    else if (!(flags & kFlowOptimum))
        completion.LoadString(IDS_FLOW_COMPLETE_PACKING);
    const int buttonId = wizard->Is3D()             ? IDC_FLOW_FILL_AND_PACK
                         : (flags & kFlowThermoset) ? IDC_FLOW_CURING
                         : (flags & kFlowOptimum)   ? IDC_FLOW_OPTIMUM_PACK
                                                    : IDC_FLOW_FULL_FLOW;
    CWnd* button = GetDlgItem(buttonId);
    if (!button || !button->IsWindowEnabled())
        return;
    if (RestartCompletesStage(wizard->m_restart.m_index)) {
        if (!completion.empty())
            button->SetWindowText(completion);
        for (int id : {IDC_FLOW_FULL_FLOW, IDC_FLOW_FILL_AND_PACK, IDC_FLOW_CURING, IDC_FLOW_FILLING,
                       IDC_FLOW_RUNNER_BALANCE, IDC_FLOW_PACKING_STANDALONE, IDC_FLOW_MOLD_WINDOW,
                       IDC_FLOW_GATE_LOCATION, IDC_FLOW_OPTIMUM_FILL, IDC_FLOW_OPTIMUM_PACK})
            CheckDlgButton(id, id == buttonId ? BST_CHECKED : BST_UNCHECKED);
        EnableIds({IDC_FLOW_FILLING, IDC_FLOW_OPTIMUM_FILL}, false);
    } else if (flags & kFlowThermoset) {
        button->SetWindowText(g_curingText);
        EnableIds({IDC_FLOW_FILLING}, true);
    } else if (!(flags & kFlowOptimum)) {
        button->SetWindowText(g_fullFlowText);
        EnableIds({IDC_FLOW_FILLING}, true);
    }
}

void CFlowWizPage1::InitMachine()
{
    CFlowWizard* wizard = GetFlowWizard();
    for (int id : {IDC_FLOW_FULL_FLOW, IDC_FLOW_FILL_AND_PACK, IDC_FLOW_CURING, IDC_FLOW_FILLING,
                   IDC_FLOW_RUNNER_BALANCE, IDC_FLOW_PACKING_STANDALONE})
        Show(id, false);
    for (int id : {IDC_FLOW_OPTIMUM_FILL, IDC_FLOW_OPTIMUM_PACK, IDC_FLOW_MACHINE_TEXT, IDC_FLOW_MACHINE_BUTTON})
        Show(id, true);
    MKeywordFile working;
    // Without a readable working copy no machine is preselected.
    (void)working.Load(wizard->GetTempFileName());
    std::string manufacturer = working.GetValue("MACHINE_MANUFACTURER");
    std::string modelCode = working.GetValue("MACHINE_MANUFACTURER_MODEL_CODE");
    const std::string machineFile = working.GetValue("MACHINE_FILE");
    if (manufacturer.empty() && !machineFile.empty()) {
        MKeywordFile machine;
        // An unreadable machine file names no machine to preselect.
        (void)machine.Load(machineFile);
        manufacturer = machine.GetValue("MACHINE_MANUFACTURER");
        modelCode = machine.GetValue("MACHINE_MANUFACTURER_MODEL_CODE");
    }
    m_bMachineChanged = true;
    FillMachineList(manufacturer, modelCode);
    Show(IDC_FLOW_MACHINE_LIST, true);
    EnableIds({IDC_FLOW_MACHINE_LIST}, wizard->m_restart.m_index == kRestartNone);
}

void CFlowWizPage1::FillMachineList(const std::string& manufacturer, const std::string& modelCode)
{
    CComboBox* list = Combo(this, IDC_FLOW_MACHINE_LIST);
    list->ResetContent();
    m_machineFiles = CWizard::GetProjectTree().GetIMMFiles();
    std::vector<std::string> labels;
    for (const std::string& path : m_machineFiles) {
        MKeywordFile machine;
        // An unreadable machine file is listed with an empty label.
        (void)machine.Load(path);
        labels.push_back(MachineLabel(machine.GetValue("MACHINE_MANUFACTURER"),
                                      machine.GetValue("MACHINE_MANUFACTURER_MODEL_CODE")));
    }
    const std::vector<std::string> shown = MachineListLabels(labels);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int item = list->AddString(shown[i]);
        list->SetItemData(item, static_cast<DWORD_PTR>(i));
    }
    const std::string wanted = MachineLabel(manufacturer, modelCode);
    for (int item = 0; item < list->GetCount(); ++item) {
        if (EqualsNoCase(list->GetLBText(item), wanted)) {
            list->SetCurSel(item);
            break;
        }
    }
}

BOOL CFlowWizPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const unsigned code = HIWORD(wParam);
    if (id == IDC_FLOW_RESTART_LIST && code == CBN_SELCHANGE && m_restarts) {
        OnRestartChosen();
        return TRUE;
    }
    if (id == IDC_FLOW_MACHINE_LIST && code == CBN_SELCHANGE) {
        m_bMachineChanged = true;
        return TRUE;
    }
    if (id == IDC_FLOW_MACHINE_BUTTON && code == BN_CLICKED) {
        OnMachineButton();
        return TRUE;
    }
    return CFlowWizPage::OnCommand(wParam, lParam);
}

void CFlowWizPage1::OnMachineButton()
{
    CMachineParamsDlg dialog(this);
    CComboBox* list = Combo(this, IDC_FLOW_MACHINE_LIST);
    const int item = list->GetCurSel();
    if (item >= 0)
        dialog.LoadMachine(m_machineFiles[list->GetItemData(item)]);
    dialog.DoModal();
    FillMachineList(dialog.GetManufacturer(), dialog.GetModelCode());
}

intptr_t CFlowWizPage1::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    CFlowWizard* wizard = GetFlowWizard();
    wizard->m_stages = LeaveAnalysisType(wizard->m_stages, wizard->GetAim(), wizard->m_restart.m_index,
                                         wizard->GetFlags());
    if (m_bRestartChanged && !ReadRestartSettings())
        return -1;
    if ((wizard->GetFlags() & kFlowOptimum) && m_bMachineChanged && !MergeMachine())
        return -1;
    return CFlowWizPage::OnWizardNext();
}

bool CFlowWizPage1::ReadRestartSettings()
{
    CWaitCursor wait;
    CFlowWizard* wizard = GetFlowWizard();
    CTempFile settings;
    if (m_restarts->GenerateKeywordFile(wizard->m_nRestartIndex, settings.GetPath())) {
        MKeywordFile file;
        // Settings that cannot be read are empty: the restart changes nothing.
        (void)file.Load(settings.GetPath());
        if (file.GetValue(wizard->Keyword("PRESSURE_CONTROL_STATUS")) == "ON")
            wizard->m_stages.fillStageEditable = 0;
        // The restart's own settings and ranges: unreadable ones are empty too.
        (void)wizard->GetBindings().LoadValues(settings.GetPath());
        (void)wizard->GetBindings().MergeRanges(settings.GetPath());
    }
    ++m_nRestartReads;
    m_bRestartChanged = false;
    return true;
}

bool CFlowWizPage1::MergeMachine()
{
    CFlowWizard* wizard = GetFlowWizard();
    CComboBox* list = Combo(this, IDC_FLOW_MACHINE_LIST);
    const int item = list->GetCurSel();
    if (item < 0) {
        AfxMessageBox(IDS_FLOW_SELECT_MACHINE, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::string& machineFile = m_machineFiles[list->GetItemData(item)];
    // The working copy is written back below: one read only in part would
    // lose the user's settings, and a machine that cannot be read would
    // leave the profile without its limits. Either keeps the page.
    MKeywordFile working;
    for (CResult read : {working.Load(wizard->GetTempFileName()), working.Merge(machineFile)}) {
        if (!read) {
            AfxMessageBox(read.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    working.RemoveKeyword("MACHINE_FILE");
    working.SetValue("MACHINE_DATABASE", "KEYWORD");
    if (CResult written = wizard->WriteWorkingFile(working); !written) {
        AfxMessageBox(written.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CWaitCursor wait;
    CTempFile generated;
    if (CWizard::GetProjectTree().GenerateMachineKeywords(generated.GetPath(), machineFile)) {
        // Keywords the host just made from a readable machine; should they
        // not read back, the fields keep their values and ranges.
        if (wizard->m_restart.m_index == kRestartNone)
            (void)wizard->GetBindings().LoadValues(generated.GetPath());
        (void)wizard->GetBindings().MergeRanges(generated.GetPath());
    }
    m_bMachineChanged = false;
    return true;
}
