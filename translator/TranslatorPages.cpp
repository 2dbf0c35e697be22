#include "translator/TranslatorPages.h"

#include <cassert>

#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "translator/TranslatorRules.h"
#include "translator/TranslatorSheet.h"

using namespace TranslatorIds;

// ---- shared ----------------------------------------------------------------

CTranslatorSheet* CTranslatorPage::GetTranslatorSheet() const
{
    CTranslatorSheet* sheet = dynamic_cast<CTranslatorSheet*>(GetWizard());
    assert(sheet && "translator pages live in a translator sheet");
    return sheet;
}

void CTranslatorPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPageExt::DoDataExchange(pDX);
    ExchangeOwnControls(pDX);
    ExchangeBindings(pDX);
}

void CTranslatorPage::EnableControls(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

// ---- page 1: mesh type, units, translator -----------------------------------

CTranslatorPage1::CTranslatorPage1() : CTranslatorPage(IDD_TRANSLATOR_PAGE1) {}

BOOL CTranslatorPage1::OnInitDialog()
{
    CWaitCursor wait; // asking the host about the CAD file may read all of it
    CTranslatorSheet* sheet = GetTranslatorSheet();
    // Without a units setting of its own the model keeps the units it was
    // last translated in, else millimetres.
    if (sheet->m_units.m_index == -1)
        sheet->m_units.m_index = sheet->m_fileUnits.m_index == -1 ? 0 : sheet->m_fileUnits.m_index;
    EnableControls({kTetMesh}, sheet->CanDoTetMesh());

    const int cadType = sheet->GetCADModelType();
    if (cadType == kCadTypeIges) {
        // IGES units come from the file itself; the user picks a translator instead.
        for (int id : {kTranslatorGroup, kBuiltIn, kMDL})
            GetDlgItem(id)->ShowWindow(SW_SHOW);
        for (int id : {kUnitsGroup, kMillimetres, kCentimetres, kMetres, kInches})
            GetDlgItem(id)->ShowWindow(SW_HIDE);
    } else {
        sheet->m_nTranslator = IsMDLOnlyType(cadType) ? kTranslatorMDL : kTranslatorNone;
    }
    ShowPartDimensions();
    return CTranslatorPage::OnInitDialog();
}

void CTranslatorPage1::ShowPartDimensions()
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    float extents[3] = {0, 0, 0};
    const int units = CTranslatorSheet::GetCADUnits(sheet->GetCADFilePath().c_str(), sheet->GetCADModelType(), extents);
    if (units == kUnitLengthUnknown)
        return;
    sheet->m_units.m_index = UnitsChoiceFromCADUnits(units);
    CWnd* label = GetDlgItem(kPartDimensions);
    CString size;
    size.Format("\n\nx = %g\ny = %g\nz = %g", extents[0], extents[1], extents[2]);
    label->SetWindowText(label->GetWindowText() + size);
    label->ShowWindow(SW_SHOW);
}

void CTranslatorPage1::ExchangeOwnControls(CDataExchange* pDX)
{
    DDX_Radio(pDX, kBuiltIn, GetTranslatorSheet()->m_nTranslator);
}

// ---- page 2: the mesher's remesh aim and tetrahedral refinement -------------

namespace {
// Posted by page 2 to itself: the sheet focuses a page's first tab stop after
// the page has accepted activation, so the aim field is focused after that.
constexpr UINT WM_FOCUS_AIM_FIELD = WM_USER + 201;
} // namespace

CTranslatorPage2::CTranslatorPage2() : CTranslatorPage(IDD_TRANSLATOR_PAGE2) {}

BOOL CTranslatorPage2::OnSetActive()
{
    const BOOL result = CTranslatorPage::OnSetActive();
    UpdateControls();
    PostMessage(WM_FOCUS_AIM_FIELD);
    return result;
}

LRESULT CTranslatorPage2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FOCUS_AIM_FIELD) {
        FocusAimField();
        return 0;
    }
    return CTranslatorPage::WindowProc(message, wParam, lParam);
}

void CTranslatorPage2::FocusAimField()
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    if (IsSurfaceRemeshType(sheet->GetCADModelType()))
        GotoDlgCtrl(GetDlgItem(sheet->m_nRemeshMode == 1 ? kEdgeLength : kElementAim));
}

void CTranslatorPage2::UpdateControls()
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    // Only STL-like models are remeshed; the others keep their own surface.
    const bool remesh = IsSurfaceRemeshType(sheet->GetCADModelType());
    EnableControls({kRemeshGroup, kByElements, kByEdgeLength}, remesh);
    if (remesh) {
        const bool byEdge = sheet->m_nRemeshMode == 1;
        CheckRadioButton(kByElements, kByEdgeLength, byEdge ? kByEdgeLength : kByElements);
        EnableControls({kElementAim}, !byEdge);
        EnableControls({kEdgeLength}, byEdge);
    } else {
        EnableControls({kElementAim, kEdgeLength}, false);
    }
    const bool tetrahedral = sheet->m_outputType.m_index == kTranslatorTetrahedralMesh;
    EnableControls({kTetGroup, kLayersCaption, kLayers, kAspectRatioCaption, kAspectRatio}, tetrahedral);
}

BOOL CTranslatorPage2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED && (id == kByElements || id == kByEdgeLength)) {
        GetTranslatorSheet()->m_nRemeshMode = id == kByEdgeLength ? 1 : 0;
        UpdateControls();
        FocusAimField();
        return TRUE;
    }
    return CTranslatorPage::OnCommand(wParam, lParam);
}

// ---- page 3: the MDL translator's remesh aim ---------------------------------

CTranslatorPage2_PS::CTranslatorPage2_PS() : CTranslatorPage(IDD_TRANSLATOR_PAGE2_PS) {}

// ---- page 4: IGES options -------------------------------------------------------

CTranslatorPage3::CTranslatorPage3() : CTranslatorPage(IDD_TRANSLATOR_PAGE3) {}

BOOL CTranslatorPage3::OnSetActive()
{
    const BOOL result = CTranslatorPage::OnSetActive();
    UpdateDependentControls();
    SuggestNodalTolerance();
    return result;
}

void CTranslatorPage3::UpdateDependentControls()
{
    EnableControls({kModelLength, kNodalToleranceCaption, kNodalTolerance}, IsDlgButtonChecked(kModelLengthCheck) != 0);
    EnableControls({kUseRibs}, IsDlgButtonChecked(kUseConnectivity) != 0);
    EnableControls({kFilterLayers}, IsDlgButtonChecked(kUseFilter) != 0);
}

void CTranslatorPage3::SuggestNodalTolerance()
{
    std::string tolerance;
    if (::SuggestNodalTolerance(GetDlgItemText(kModelLength), GetDlgItemText(kNodalTolerance), tolerance))
        SetDlgItemText(kNodalTolerance, tolerance);
}

BOOL CTranslatorPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const unsigned code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        GetTranslatorSheet()->GetBindings().OnCompanionClicked(id, static_cast<int>(code), reinterpret_cast<CWnd*>(lParam));
        UpdateDependentControls();
        return TRUE;
    }
    if (code == EN_KILLFOCUS && id == kModelLength) {
        SuggestNodalTolerance();
        return TRUE;
    }
    if (code == EN_KILLFOCUS && id == kFilterLayers) {
        SetDlgItemText(kFilterLayers, NormalizeLayerList(GetDlgItemText(kFilterLayers)));
        return TRUE;
    }
    return CTranslatorPage::OnCommand(wParam, lParam);
}

// ---- page 5: description and job submission ---------------------------------

CTranslatorPage4::CTranslatorPage4() : CTranslatorPage(IDD_TRANSLATOR_PAGE4) {}

void CTranslatorPage4::ExchangeOwnControls(CDataExchange* pDX)
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    DDX_Text(pDX, kDescription, sheet->m_strDescription);
    int choice = sheet->GetJobSubmission();
    DDX_Radio(pDX, kTranslateNow, choice);
    if (pDX->m_bSaveAndValidate)
        sheet->SetJobSubmission(choice);
}
