#pragma once
// CFolderDialog: the system's folder browser with the notices it sends while
// it runs (initialised, selection changed) turned into overridable
// operations, and helpers that set the selected folder and the status text.
#include <string>

#include "platform/window/Types.h"

class CWnd;

// Browse flags.
constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001; // only file-system folders
constexpr UINT BIF_STATUSTEXT = 0x0004;       // the browser shows a status text

class CFolderDialog {
public:
    // The browser always gets BIF_STATUSTEXT besides `flags`, so that
    // SetStatusText has somewhere to go.
    CFolderDialog(const std::string& title = "", const std::string& initialFolder = "", UINT flags = 0,
                  CWnd* parent = nullptr);
    virtual ~CFolderDialog() = default;

    // IDOK when a folder was chosen and its path fits the platform's path
    // length, IDCANCEL otherwise. Owned by the active window when no parent
    // was given.
    virtual int DoModal();
    // The chosen folder after IDOK ("" otherwise).
    const std::string& GetFolderPath() const { return m_path; }
    UINT GetFlags() const { return m_flags; }
    // The owner of the last run.
    CWnd* GetOwner() const { return m_owner; }
    const std::string& GetStatusText() const { return m_status; }

protected:
    // The browser is up; SetSelection and SetStatusText act from here on.
    virtual void OnInitialized() {}
    // The selection moved to `folder`.
    virtual void OnSelChanged(const std::string& folder) { (void)folder; }

    // Selects `folder` in the running browser.
    void SetSelection(const std::string& folder);
    void SetStatusText(const std::string& text);

private:
    std::string m_title;
    std::string m_initial;
    UINT m_flags;
    CWnd* m_parent;
    CWnd* m_owner = nullptr;
    bool m_running = false;
    std::string m_selection;
    std::string m_status;
    std::string m_path;
};
