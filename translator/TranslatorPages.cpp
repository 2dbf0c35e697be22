#include "translator/TranslatorPages.h"

#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "translator/TranslatorIds.h"
#include "translator/TranslatorRules.h"
#include "translator/TranslatorSheet.h"

CTranslatorSheet* CTranslatorPage::GetTranslatorSheet() const { return GetSheetAs<CTranslatorSheet>(); }

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
    EnableIds({IDC_TRANS_TET_MESH}, sheet->CanDoTetMesh());

    const int cadType = sheet->GetCADModelType();
    if (cadType == kCadTypeIges) {
        // IGES units come from the file itself; the user picks a translator instead.
        for (int id : {IDC_TRANS_TRANSLATOR_GROUP, IDC_TRANS_BUILT_IN, IDC_TRANS_MDL})
            GetDlgItem(id)->ShowWindow(SW_SHOW);
        for (int id : {IDC_TRANS_UNITS_GROUP, IDC_TRANS_MILLIMETRES, IDC_TRANS_CENTIMETRES, IDC_TRANS_METRES, IDC_TRANS_INCHES})
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
    CWnd* label = GetDlgItem(IDC_TRANS_PART_DIMENSIONS);
    CString size;
    size.Format("\n\nx = %g\ny = %g\nz = %g", extents[0], extents[1], extents[2]);
    label->SetWindowText(label->GetWindowText() + size);
    label->ShowWindow(SW_SHOW);
}

void CTranslatorPage1::ExchangeOwnControls(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_TRANS_BUILT_IN, GetTranslatorSheet()->m_nTranslator);
}

// ---- page 2: the mesher's remesh aim and tetrahedral refinement -------------

CTranslatorPage2::CTranslatorPage2() : CTranslatorPage(IDD_TRANSLATOR_PAGE2) {}

int CTranslatorPage2::GetChosenField()
{
    // The aim the remesh mode asks for; a model that is not remeshed has none.
    CTranslatorSheet* sheet = GetTranslatorSheet();
    if (!IsSurfaceRemeshType(sheet->GetCADModelType()))
        return 0;
    return sheet->m_nRemeshMode == 1 ? IDC_TRANS_EDGE_LENGTH : IDC_TRANS_ELEMENT_AIM;
}

void CTranslatorPage2::EnableControls()
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    // Only STL-like models are remeshed; the others keep their own surface.
    const bool remesh = IsSurfaceRemeshType(sheet->GetCADModelType());
    EnableIds({IDC_TRANS_REMESH_GROUP, IDC_TRANS_BY_ELEMENTS, IDC_TRANS_BY_EDGE_LENGTH}, remesh);
    if (remesh) {
        const bool byEdge = sheet->m_nRemeshMode == 1;
        CheckRadioButton(IDC_TRANS_BY_ELEMENTS, IDC_TRANS_BY_EDGE_LENGTH, byEdge ? IDC_TRANS_BY_EDGE_LENGTH : IDC_TRANS_BY_ELEMENTS);
        EnableIds({IDC_TRANS_ELEMENT_AIM}, !byEdge);
        EnableIds({IDC_TRANS_EDGE_LENGTH}, byEdge);
    } else {
        EnableIds({IDC_TRANS_ELEMENT_AIM, IDC_TRANS_EDGE_LENGTH}, false);
    }
    const bool tetrahedral = sheet->m_outputType.m_index == kTranslatorTetrahedralMesh;
    EnableIds({IDC_TRANS_TET_GROUP, IDC_TRANS_LAYERS_TEXT, IDC_TRANS_LAYERS, IDC_TRANS_ASPECT_RATIO_TEXT, IDC_TRANS_ASPECT_RATIO}, tetrahedral);
}

BOOL CTranslatorPage2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_TRANS_BY_ELEMENTS || id == IDC_TRANS_BY_EDGE_LENGTH)) {
        GetTranslatorSheet()->m_nRemeshMode = id == IDC_TRANS_BY_EDGE_LENGTH ? 1 : 0;
        EnableControls();
        FocusChosenField();
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
    SuggestNodalTolerance();
    return result;
}

void CTranslatorPage3::EnableControls()
{
    EnableIds({IDC_TRANS_MODEL_LENGTH, IDC_TRANS_NODAL_TOLERANCE_TEXT, IDC_TRANS_NODAL_TOLERANCE}, IsDlgButtonChecked(IDC_TRANS_MODEL_LENGTH_CHECK) != 0);
    EnableIds({IDC_TRANS_USE_RIBS}, IsDlgButtonChecked(IDC_TRANS_USE_CONNECTIVITY) != 0);
    EnableIds({IDC_TRANS_FILTER_LAYERS}, IsDlgButtonChecked(IDC_TRANS_USE_FILTER) != 0);
}

void CTranslatorPage3::SuggestNodalTolerance()
{
    std::string tolerance;
    if (::SuggestNodalTolerance(GetDlgItemText(IDC_TRANS_MODEL_LENGTH), GetDlgItemText(IDC_TRANS_NODAL_TOLERANCE), tolerance))
        SetDlgItemText(IDC_TRANS_NODAL_TOLERANCE, tolerance);
}

BOOL CTranslatorPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const unsigned code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        GetTranslatorSheet()->GetBindings().OnCompanionClicked(id, static_cast<int>(code), reinterpret_cast<CWnd*>(lParam));
        EnableControls();
        return TRUE;
    }
    if (code == EN_KILLFOCUS && id == IDC_TRANS_MODEL_LENGTH) {
        SuggestNodalTolerance();
        return TRUE;
    }
    if (code == EN_KILLFOCUS && id == IDC_TRANS_FILTER_LAYERS) {
        SetDlgItemText(IDC_TRANS_FILTER_LAYERS, NormalizeLayerList(GetDlgItemText(IDC_TRANS_FILTER_LAYERS)));
        return TRUE;
    }
    return CTranslatorPage::OnCommand(wParam, lParam);
}

// ---- page 5: description and job submission ---------------------------------

CTranslatorPage4::CTranslatorPage4() : CTranslatorPage(IDD_TRANSLATOR_PAGE4) {}

void CTranslatorPage4::ExchangeOwnControls(CDataExchange* pDX)
{
    CTranslatorSheet* sheet = GetTranslatorSheet();
    DDX_Text(pDX, IDC_TRANS_DESCRIPTION, sheet->m_strDescription);
    int choice = sheet->GetJobSubmission();
    DDX_Radio(pDX, IDC_TRANS_TRANSLATE_NOW, choice);
    if (pDX->m_bSaveAndValidate)
        sheet->SetJobSubmission(choice);
}
