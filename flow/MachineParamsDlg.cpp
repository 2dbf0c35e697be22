#include "flow/MachineParamsDlg.h"

#include <unistd.h>

#include "flow/FlowIds.h"
#include "flow/FolderDialog.h"
#include "host/ProjectTree.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/window/CommonDialogs.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CMachineParamsDlg>;
using D = CMachineParamsDlg;

const Row kMachineRows[] = {
    {.keyword = "MACHINE_MANUFACTURER", .control = IDC_MACH_MANUFACTURER, .companion = IDC_MACH_MANUFACTURER_TEXT,
     .member = &D::m_strManufacturer},
    {.keyword = "MACHINE_MANUFACTURER_MODEL_CODE", .control = IDC_MACH_MODEL_CODE,
     .companion = IDC_MACH_MODEL_CODE_TEXT, .member = &D::m_strModelCode},
    {.keyword = "MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE", .control = IDC_MACH_CLAMP_FORCE,
     .companion = IDC_MACH_CLAMP_FORCE_TEXT, .member = &D::m_dClampForce, .quantity = kQuantityForceTonnes},
    {.keyword = "MACHINE_CONTROLLER_CODE", .control = IDC_MACH_CONTROLLER_CODE,
     .companion = IDC_MACH_CONTROLLER_CODE_TEXT, .member = &D::m_strControllerCode},
    {.keyword = "MACHINE_CONTROLLER_MAXIMUM_PRESSURE_STEPS", .control = IDC_MACH_PRESSURE_STEPS,
     .companion = IDC_MACH_PRESSURE_STEPS_TEXT, .member = &D::m_dPressureSteps},
    {.keyword = "MACHINE_CONTROLLER_MAXIMUM_VELOCITY_STEPS", .control = IDC_MACH_VELOCITY_STEPS,
     .companion = IDC_MACH_VELOCITY_STEPS_TEXT, .member = &D::m_dVelocitySteps},
    {.keyword = "MACHINE_CONTROLLER_PRESSURE_PROFILE_PRESSURE_TIME", .control = IDC_MACH_PRESSURE_TIME,
     .member = &D::m_bPressureTime},
    {.keyword = "MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_CONSTANT", .control = IDC_MACH_PRESSURE_CONSTANT,
     .member = &D::m_bPressureConstant},
    {.keyword = "MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_LINEAR", .control = IDC_MACH_PRESSURE_LINEAR,
     .member = &D::m_bPressureLinear},
    {.keyword = "MACHINE_CONTROLLER_VELOCITY_PROFILE_RAM_POSITION_RAM_VELOCITY", .control = IDC_MACH_RAM_VELOCITY,
     .member = &D::m_bRamVelocity},
    {.keyword = "MACHINE_CONTROLLER_PRESSURE_PROFILE_ZONE_PRESSURE", .control = IDC_MACH_ZONE_PRESSURE,
     .member = &D::m_bZonePressure},
    {.keyword = "MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_CONSTANT", .control = IDC_MACH_VELOCITY_CONSTANT,
     .member = &D::m_bVelocityConstant},
    {.keyword = "MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_LINEAR", .control = IDC_MACH_VELOCITY_LINEAR,
     .member = &D::m_bVelocityLinear},
    {.keyword = "MACHINE_CONTROLLER_VELOCITY_PROFILE_ZONE_RAM_VELOCITY", .control = IDC_MACH_ZONE_VELOCITY,
     .member = &D::m_bZoneVelocity},
    {.keyword = "MACHINE_INJECTION_MAXIMUM_INJECTION_PRESSURE", .control = IDC_MACH_MAX_PRESSURE,
     .companion = IDC_MACH_MAX_PRESSURE_TEXT, .member = &D::m_dMaxPressure, .quantity = kQuantityPressureMPa},
    {.keyword = "MACHINE_INJECTION_MAXIMUM_INJECTION_VELOCITY", .control = IDC_MACH_MAX_VELOCITY,
     .companion = IDC_MACH_MAX_VELOCITY_TEXT, .member = &D::m_dMaxVelocity, .quantity = kQuantitySpeedMm},
    {.keyword = "MACHINE_INJECTION_RESPONSE_TIME", .control = IDC_MACH_RESPONSE_TIME,
     .companion = IDC_MACH_RESPONSE_TIME_TEXT, .member = &D::m_dResponseTime, .quantity = kQuantityTime},
    {.keyword = "MACHINE_INJECTION_SCREW_DIAMETER", .control = IDC_MACH_SCREW_DIAMETER,
     .companion = IDC_MACH_SCREW_DIAMETER_TEXT, .member = &D::m_dScrewDiameter, .quantity = kQuantityLength},
    {.keyword = "MACHINE_INJECTION_SCREW_INTENSIFICATION_RATIO", .control = IDC_MACH_INTENSIFICATION,
     .companion = IDC_MACH_INTENSIFICATION_TEXT, .member = &D::m_dIntensification},
    {.keyword = "MACHINE_INJECTION_SCREW_MAXIMUM_STROKE", .control = IDC_MACH_SCREW_STROKE,
     .companion = IDC_MACH_SCREW_STROKE_TEXT, .member = &D::m_dScrewStroke, .quantity = kQuantityLength},
};

} // namespace

CMachineParamsDlg::CMachineParamsDlg(CWnd* parent) : CDialog(IDD_FLOW_MACHINE_PARAMS, parent)
{
    m_bindings.SetCurrentPage(this);
    m_bindings.BindRows(*this, kMachineRows);
    const std::string dataPath = CWizard::GetProjectTree().GetDataPath();
    // The dialog opens from a page and has no way to refuse: a range or
    // defaults file that cannot be read leaves the fields unchecked or blank.
    (void)m_bindings.MergeRanges(dataPath + "zqlipc.rng");
    (void)m_bindings.LoadValues(dataPath + "zqlipc.def");
}

CMachineParamsDlg::~CMachineParamsDlg() = default;

void CMachineParamsDlg::LoadMachine(const std::string& path) { (void)m_bindings.LoadValues(path); }

BOOL CMachineParamsDlg::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    // A blank machine is typed in directly; saving it still takes "Edit",
    // as for a known one, so that Close asks only after an explicit edit.
    ShowView(m_strManufacturer.empty());
    return result;
}

void CMachineParamsDlg::DoDataExchange(CDataExchange* pDX) { m_bindings.ExchangePage(pDX); }

BOOL CMachineParamsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_MACH_EDIT && HIWORD(wParam) == BN_CLICKED) {
        OnEdit();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMachineParamsDlg::OnEdit()
{
    ShowView(true);
    GetDlgItem(IDC_MACH_EDIT)->EnableWindow(false);
    GetDlgItem(IDC_MACH_SAVE)->EnableWindow(true);
    FocusManufacturer();
}

void CMachineParamsDlg::FocusManufacturer()
{
    if (CWnd* field = GetDlgItem(IDC_MACH_MANUFACTURER))
        GotoDlgCtrl(field);
}

void CMachineParamsDlg::ShowView(bool editable)
{
    // A copy: the overlays join the children as they are made.
    const std::vector<CWnd*> children = GetChildren();
    for (CWnd* child : children) {
        if (child->GetDlgCtrlID() == IDC_MACH_EDIT)
            break;
        if (auto* edit = dynamic_cast<CEdit*>(child)) {
            edit->SetReadOnly(!editable);
            continue;
        }
        auto* button = dynamic_cast<CButton*>(child);
        if (!button || !button->IsCheckBox())
            continue;
        button->EnableWindow(editable);
        // A disabled check box greys its caption; the read-only view shows the
        // caption as plain text over it instead.
        auto found = m_overlays.find(button->GetDlgCtrlID());
        if (editable) {
            if (found != m_overlays.end())
                found->second->ShowWindow(SW_HIDE);
            continue;
        }
        if (found == m_overlays.end()) {
            CRect rect;
            button->GetWindowRect(&rect);
            ScreenToClient(&rect);
            rect.left += 2;
            rect.top += 3;
            rect.right -= 18;
            auto overlay = std::make_unique<CStatic>();
            overlay->Create(button->GetWindowText(), WS_CHILD, rect, this);
            overlay->SetFont(GetFont());
            found = m_overlays.emplace(button->GetDlgCtrlID(), std::move(overlay)).first;
        }
        found->second->ShowWindow(SW_SHOW);
    }
}

void CMachineParamsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    MProjectTree& tree = CWizard::GetProjectTree();
    std::string match;
    bool writable = false;
    for (const std::string& path : tree.GetIMMFiles()) {
        MKeywordFile machine;
        // A machine file that cannot be read matches no machine.
        (void)machine.Load(path);
        if (machine.GetValue("MACHINE_MANUFACTURER") != m_strManufacturer ||
            machine.GetValue("MACHINE_MANUFACTURER_MODEL_CODE") != m_strModelCode)
            continue;
        match = path;
        if (!CFilePath(path).IsReadOnly()) {
            writable = true;
            break;
        }
    }
    if (!match.empty()) {
        FocusManufacturer();
        if (!writable) {
            AfxMessageBox(IDS_FLOW_MACHINE_READ_ONLY, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (AfxMessageBox(IDS_FLOW_MACHINE_OVERWRITE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        SaveTo(match);
        return;
    }
    const std::string folder = DatabaseFolder();
    if (folder.empty())
        return;
    CFilePath name;
    const bool separated = folder.back() == '/' || folder.back() == '\\';
    if (CResult named = name.MakeUniqueName(folder + (separated ? "" : "/") + "zq.imm", "imm"); !named) {
        AfxMessageBox(named.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A failed save gives the number back, so the folder is as it was.
    if (!SaveTo(name.GetPath()))
        if (CResult released = name.ReleaseUniqueName(); !released)
            AfxMessageBox(released.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
}

std::string CMachineParamsDlg::DatabaseFolder()
{
    MProjectTree& tree = CWizard::GetProjectTree();
    std::string folder = tree.GetMachineDBPath();
    if (!folder.empty())
        return folder;
    if (AfxMessageBox(IDS_FLOW_MACHINE_NO_DB_PATH, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return std::string();
    // The folder browser may change the current folder, in which new
    // analysis files are numbered.
    const std::string current = CFilePath::CurrentDirectory();
    CString title;
    title.LoadString(IDS_FLOW_MACHINE_DB_TITLE);
    CFolderDialog dialog(title, "", BIF_RETURNONLYFSDIRS, this);
    if (dialog.DoModal() != IDOK)
        return std::string();
    if (!current.empty() && chdir(current.c_str()) != 0)
        return std::string();
    folder = dialog.GetFolderPath();
    if (!tree.SetMachineDBPath(folder))
        return std::string();
    return folder;
}

bool CMachineParamsDlg::SaveTo(const std::string& path)
{
    if (CResult saved = m_bindings.SaveValues(path); !saved) {
        AfxMessageBox(saved.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_strSavedFile = path;
    ShowView(false);
    GetDlgItem(IDC_MACH_EDIT)->EnableWindow(true);
    GetDlgItem(IDC_MACH_SAVE)->EnableWindow(false);
    return true;
}

void CMachineParamsDlg::OnCancel()
{
    CWnd* save = GetDlgItem(IDC_MACH_SAVE);
    if (save && save->IsWindowEnabled() &&
        AfxMessageBox(IDS_FLOW_MACHINE_CLOSE_UNSAVED, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    CDialog::OnCancel();
}

void CMachineParamsDlg::OnDestroy()
{
    m_overlays.clear();
    CDialog::OnDestroy();
}
