#pragma once
// Dialog data exchange: moving values between a dialog's members and its
// controls in both directions, with the framework's failure path.
#include <string>

#include "platform/window/Wnd.h"

// Thrown by CDataExchange::Fail; UpdateData catches it and returns false.
class CUserException {
public:
    virtual ~CUserException() = default;
};
[[noreturn]] void AfxThrowUserException();

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control `id` of the dialog, remembered as the one being exchanged
    // (a missing control is a bug).
    CWnd* PrepareCtrl(int id);
    CWnd* PrepareEditCtrl(int id);
    // Gives the focus back to the control last prepared (selecting all of an
    // edit's text) and ends the exchange by throwing CUserException. The
    // caller has already shown its message.
    [[noreturn]] void Fail();

private:
    CWnd* m_pLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// The framework's own messages when a typed number does not parse.
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
extern const char* const kParseIntMessage;  // "Please enter an integer."
extern const char* const kParseRealMessage; // "Please enter a number."

// Text of a control: strings as they are, numbers with "%d" and "%.15g".
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
// A check box's state (BST_ values).
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The checked radio button of the group that starts at `id`, counted from 0
// among the group's radio buttons; -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// The selected index of a combo box; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// The selected text of a combo box; showing selects the first item starting with it.
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);
// The selected index of a single-selection list box.
void DDX_LBIndex(CDataExchange* pDX, int id, int& index);
// Makes `control` the window of the dialog's control `id` the first time.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
