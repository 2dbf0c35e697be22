#include "flow/FolderDialog.h"

#include <climits>

#include "platform/window/CommonDialogs.h"
#include "platform/window/Wnd.h"

CFolderDialog::CFolderDialog(const std::string& title, const std::string& initialFolder, UINT flags, CWnd* parent)
    : m_title(title), m_initial(initialFolder), m_flags(flags | BIF_STATUSTEXT), m_parent(parent)
{
}

int CFolderDialog::DoModal()
{
    m_owner = m_parent ? m_parent : WndMessages::TopModal();
    m_path.clear();
    m_status.clear();
    m_selection = m_initial;
    m_running = true;
    OnInitialized();
    if (!m_selection.empty())
        OnSelChanged(m_selection);
    // The browser opens on the folder selected so far; its answer is the
    // user's last selection.
    CFolderBrowser browser(m_title, m_selection, m_owner, m_flags);
    const int answer = browser.DoModal();
    std::string chosen = answer == IDOK ? browser.GetFolderPath() : std::string();
    if (!chosen.empty() && chosen != m_selection) {
        m_selection = chosen;
        OnSelChanged(chosen);
    }
    m_running = false;
    // A path the file system cannot take is no folder.
    if (chosen.empty() || chosen.size() >= PATH_MAX)
        return IDCANCEL;
    m_path = chosen;
    return IDOK;
}

void CFolderDialog::SetSelection(const std::string& folder)
{
    if (m_running)
        m_selection = folder;
}

void CFolderDialog::SetStatusText(const std::string& text)
{
    if (m_running)
        m_status = text;
}
