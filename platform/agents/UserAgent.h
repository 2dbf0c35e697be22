#pragma once
// The user agent: whoever answers the library's modal windows. The platform has
// no real screen; every modal loop (a dialog's or a sheet's DoModal) hands its
// top window to the process-wide agent whenever it has nothing left to do, and
// message boxes and file or folder dialogs ask the agent for their answer.
//
// Without an agent nothing can be answered, so nothing waits: a modal loop ends
// at once as if Cancel had been pressed (a dialog's OnCancel, a sheet's Cancel
// button), a message box returns its default button and a file or folder
// dialog is cancelled. All of them are still recorded in the UI log (UiLog.h).
#include <optional>
#include <string>

class CWnd;

// What a message box asks; `type` holds the MB_ button, icon and default-button bits.
struct CMessageBoxRequest {
    std::string text;
    std::string caption;
    unsigned type = 0;
    unsigned helpId = 0;
    int defaultResult = 0; // the IDOK/IDCANCEL/IDYES/IDNO a nobody-answers box returns
};

// What a file-open, file-save or folder dialog asks.
struct CFileDialogRequest {
    enum Kind { Open, Save, Folder };
    Kind kind = Open;
    std::string title;
    std::string defaultExt;  // without the dot
    std::string fileName;    // initial file name, may be empty
    std::string filter;      // "Text (*.txt)|*.txt|All (*.*)|*.*||"
    std::string initialDir;
    unsigned flags = 0;      // OFN_ bits
};

class CUserAgent {
public:
    virtual ~CUserAgent() = default;

    // The modal loop of `modal` (the topmost modal window: a CDialog or a
    // CPropertySheet) has handled every posted message. The agent acts through
    // the operations of UserInput.h, which may open nested modal windows; their
    // loops call OnIdle again, re-entrantly, with the nested window.
    // Returning false means the agent has nothing more to say: the loop then
    // lets time pass up to the next due timer, or, with no timer left, ends the
    // window as if Cancel had been pressed.
    virtual bool OnIdle(CWnd* modal) = 0;

    // Returns IDOK, IDCANCEL, IDYES, IDNO (or another button of the box's type).
    virtual int OnMessageBox(const CMessageBoxRequest& request) = 0;

    // Returns the chosen path, or nothing when the dialog is cancelled.
    virtual std::optional<std::string> OnFileDialog(const CFileDialogRequest& request) = 0;
};

// The process-wide agent; null (the default) means nobody answers. The caller
// keeps ownership and must reset it before the agent dies.
void SetUserAgent(CUserAgent* agent);
CUserAgent* GetUserAgent();
