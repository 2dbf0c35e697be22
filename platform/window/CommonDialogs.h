#pragma once
// Message boxes, the file and folder dialogs and the wait cursor. Each asks
// the user agent (UserAgent.h) for its answer and is recorded in the UI log.
#include <string>

#include "platform/window/Types.h"

class CWnd;

// Shows `text` with the MB_ buttons, icon and default button of `type`; the
// caption is the application's name. A box without an icon gets the
// exclamation mark (OK, OK/Cancel) or the question mark (Yes/No kinds).
// `helpId` 0 means none. Returns the button pressed: the agent's answer, or
// the default button when nobody answers or the answer is not on the box.
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
// The string table entry `promptId`; its help context is the id itself
// unless `helpId` says otherwise ((UINT)-1: the id).
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
// A box with a caption of its own and exactly the icon `type` names (none
// when it names none); otherwise as AfxMessageBox.
int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type = MB_OK,
               UINT helpId = 0);
// The button ids a box of `type` offers, left to right, and which one is the default.
int MessageBoxDefaultButton(UINT type);
bool MessageBoxHasButton(UINT type, int button);

class CFileDialog {
public:
    // `filter` is "Label|*.ext;*.ext2|Label|*.*||".
    CFileDialog(bool openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr, CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    // IDOK with a chosen path, IDCANCEL otherwise. A chosen name without an
    // extension gets the default extension.
    virtual int DoModal();
    std::string GetPathName() const { return m_path; }
    std::string GetFileName() const;  // the name with its extension
    std::string GetFileExt() const;   // without the dot
    std::string GetFileTitle() const; // the name without its extension
    std::string GetFolderPath() const;

    struct {
        DWORD Flags = 0;
        std::string lpstrTitle;
        std::string lpstrInitialDir;
    } m_ofn;

private:
    bool m_open;
    std::string m_defaultExt;
    std::string m_fileName;
    std::string m_filter;
    std::string m_path;
};

// The shell's folder browser; dialogs with notices and helpers of their own
// are built on it. `flags` are the browser's flags, kept for the UI log.
class CFolderBrowser {
public:
    explicit CFolderBrowser(const std::string& title = "", const std::string& initialFolder = "", CWnd* parent = nullptr,
                            UINT flags = 0);
    virtual ~CFolderBrowser() = default;
    virtual int DoModal(); // IDOK with a folder, IDCANCEL otherwise
    std::string GetFolderPath() const { return m_path; }

private:
    std::string m_title;
    std::string m_initial;
    UINT m_flags;
    std::string m_path;
};

// The hourglass while it lives; nested ones stack.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows the hourglass again after a message box. The hourglass here is
    // the count of live objects, which a message box does not change, so
    // there is nothing to restore.
    void Restore() {}
    static int Depth(); // how many are alive: > 0 while the hourglass shows
};

