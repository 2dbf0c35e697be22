#include "platform/window/DataExchange.h"

#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/ListBoxes.h"

const char* const kParseIntMessage = "Please enter an integer.";
const char* const kParseRealMessage = "Please enter a number.";

void AfxThrowUserException() { throw CUserException(); }

CDataExchange::CDataExchange(CWnd* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate ? TRUE : FALSE), m_pDlgWnd(dialog)
{
}

CWnd* CDataExchange::PrepareCtrl(int id)
{
    CWnd* control = m_pDlgWnd->GetDlgItem(id);
    assert(control && "data exchange with a control the dialog does not have");
    m_pLastControl = control;
    m_bEditLastControl = false;
    return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int id)
{
    CWnd* control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail()
{
    // Only a read-back can fail; the person then finds the cursor in the
    // field to correct, with its text selected for retyping.
    if (m_bSaveAndValidate && m_pLastControl && m_pLastControl->IsWindow()) {
        m_pLastControl->SetFocus();
        if (m_bEditLastControl)
            if (auto* edit = dynamic_cast<CEdit*>(m_pLastControl))
                edit->SetSel(0, -1);
    }
    AfxThrowUserException();
}

// Sets the text only when it differs, so showing an unchanged value does not
// send the edit's change notification.
static void SetTextIfChanged(CWnd* control, const std::string& text)
{
    if (control->GetWindowText() != text)
        control->SetWindowText(text);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = control->GetWindowText();
    else
        SetTextIfChanged(control, value);
}

static bool ParseInt(const std::string& text, int& out)
{
    const char* s = text.c_str();
    while (*s == ' ' || *s == '\t')
        ++s;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s, &end, 10);
    if (end == s || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    out = static_cast<int>(v);
    return true;
}

static bool ParseReal(const std::string& text, double& out)
{
    const char* s = text.c_str();
    while (*s == ' ' || *s == '\t')
        ++s;
    char* end = nullptr;
    double v = std::strtod(s, &end);
    if (end == s)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    out = v;
    return true;
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(control, std::to_string(value));
        return;
    }
    if (!ParseInt(control->GetWindowText(), value)) {
        AfxMessageBox(kParseIntMessage, MB_OK, AFX_IDP_PARSE_INT);
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    CWnd* control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", value);
        SetTextIfChanged(control, buf);
        return;
    }
    if (!ParseReal(control->GetWindowText(), value)) {
        AfxMessageBox(kParseRealMessage, MB_OK, AFX_IDP_PARSE_REAL);
        pDX->Fail();
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    auto* button = dynamic_cast<CButton*>(pDX->PrepareCtrl(id));
    assert(button && "DDX_Check on a control that is not a button");
    if (pDX->m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value)
{
    CWnd* first = pDX->PrepareCtrl(id);
    assert((first->GetStyle() & WS_GROUP) && "DDX_Radio must name the first button of a group");
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (CWnd* c : pDX->m_pDlgWnd->GetGroup(first)) {
        auto* button = dynamic_cast<CButton*>(c);
        if (!button || !button->IsRadio())
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (button->GetCheck() == BST_CHECKED && value == -1)
                value = index;
        } else {
            button->SetCheck(index == value ? BST_CHECKED : BST_UNCHECKED);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(id));
    assert(combo && "DDX_CBIndex on a control that is not a combo box");
    if (pDX->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int id, std::string& value)
{
    auto* combo = dynamic_cast<CComboBox*>(pDX->PrepareCtrl(id));
    assert(combo && "DDX_CBString on a control that is not a combo box");
    if (pDX->m_bSaveAndValidate) {
        value = combo->GetWindowText();
    } else if (combo->SelectString(-1, value) == CB_ERR && !combo->IsDropDownList()) {
        combo->SetWindowText(value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index)
{
    auto* list = dynamic_cast<CListBox*>(pDX->PrepareCtrl(id));
    assert(list && "DDX_LBIndex on a control that is not a list box");
    if (pDX->m_bSaveAndValidate)
        index = list->GetCurSel();
    else
        list->SetCurSel(index);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.IsWindow())
        return;
    bool ok = control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
    assert(ok && "DDX_Control with a control the dialog does not have");
    (void)ok;
}
