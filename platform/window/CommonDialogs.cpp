#include "platform/window/CommonDialogs.h"

#include <optional>

#include "platform/resources/Resources.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/UserAgent.h"
#include "platform/agents/UserInput.h"
#include "platform/system/WinApp.h"

static std::vector<int> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int MessageBoxDefaultButton(UINT type)
{
    std::vector<int> buttons = ButtonsOf(type);
    size_t which = (type & MB_DEFMASK) >> 8;
    return buttons[which < buttons.size() ? which : 0];
}

bool MessageBoxHasButton(UINT type, int button)
{
    for (int b : ButtonsOf(type))
        if (b == button)
            return true;
    return false;
}

int MessageBox(CWnd*, const std::string& text, const std::string& caption, UINT type, UINT helpId)
{
    CMessageBoxRequest request;
    request.text = text;
    request.caption = caption;
    request.type = type;
    request.helpId = helpId;
    request.defaultResult = MessageBoxDefaultButton(type);
    int result = request.defaultResult;
    CUserAgent* agent = GetUserAgent();
    if (agent && !UserInput::IsAborting()) {
        int answer = agent->OnMessageBox(request);
        if (MessageBoxHasButton(type, answer))
            result = answer;
    }
    CUiLogRecord record;
    record.kind = UiLogKind::MessageBox;
    record.text = text;
    record.caption = caption;
    record.type = type;
    record.helpId = helpId;
    record.result = result;
    AppendUiLog(std::move(record));
    return result;
}

int AfxMessageBox(const std::string& text, UINT type, UINT helpId)
{
    if ((type & MB_ICONMASK) == 0) {
        UINT kind = type & MB_TYPEMASK;
        type |= (kind == MB_YESNO || kind == MB_YESNOCANCEL) ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    CWinApp* app = AfxGetApp();
    return MessageBox(AfxGetMainWnd(), text, app ? app->m_pszAppName : std::string(), type, helpId);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    std::string text;
    LoadString(static_cast<int>(promptId), text);
    return AfxMessageBox(text, type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}

// Asks the agent and records the question with its answer.
static std::optional<std::string> AskForPath(const CFileDialogRequest& request)
{
    std::optional<std::string> path;
    CUserAgent* agent = GetUserAgent();
    if (agent && !UserInput::IsAborting())
        path = agent->OnFileDialog(request);
    if (path && path->empty())
        path.reset();
    CUiLogRecord record;
    record.kind = request.kind == CFileDialogRequest::Folder ? UiLogKind::FolderDialog : UiLogKind::FileDialog;
    record.text = request.title;
    record.caption = request.filter;
    record.type = request.flags;
    record.result = path ? 1 : 0;
    record.path = path.value_or("");
    AppendUiLog(std::move(record));
    return path;
}

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd*)
    : m_open(openFileDialog), m_defaultExt(defaultExt ? defaultExt : ""), m_fileName(fileName ? fileName : ""),
      m_filter(filter ? filter : "")
{
    m_ofn.Flags = flags;
}

int CFileDialog::DoModal()
{
    CFileDialogRequest request;
    request.kind = m_open ? CFileDialogRequest::Open : CFileDialogRequest::Save;
    request.title = m_ofn.lpstrTitle.empty() ? (m_open ? "Open" : "Save As") : m_ofn.lpstrTitle;
    request.defaultExt = m_defaultExt;
    request.fileName = m_fileName;
    request.filter = m_filter;
    request.initialDir = m_ofn.lpstrInitialDir;
    request.flags = m_ofn.Flags;
    std::optional<std::string> path = AskForPath(request);
    if (!path)
        return IDCANCEL;
    m_path = *path;
    if (!m_defaultExt.empty() && GetFileExt().empty())
        m_path += "." + m_defaultExt;
    return IDOK;
}

static size_t NameStart(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string CFileDialog::GetFileName() const { return m_path.substr(NameStart(m_path)); }

std::string CFileDialog::GetFileExt() const
{
    std::string name = GetFileName();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
    std::string name = GetFileName();
    return name.substr(0, name.rfind('.'));
}

std::string CFileDialog::GetFolderPath() const
{
    size_t start = NameStart(m_path);
    return start == 0 ? std::string() : m_path.substr(0, start - 1);
}

CFolderBrowser::CFolderBrowser(const std::string& title, const std::string& initialFolder, CWnd*, UINT flags)
    : m_title(title), m_initial(initialFolder), m_flags(flags)
{
}

int CFolderBrowser::DoModal()
{
    CFileDialogRequest request;
    request.kind = CFileDialogRequest::Folder;
    request.title = m_title;
    request.initialDir = m_initial;
    request.flags = m_flags;
    std::optional<std::string> path = AskForPath(request);
    if (!path)
        return IDCANCEL;
    m_path = *path;
    return IDOK;
}

static int g_waitDepth = 0;

CWaitCursor::CWaitCursor() { ++g_waitDepth; }
CWaitCursor::~CWaitCursor() { --g_waitDepth; }
int CWaitCursor::Depth() { return g_waitDepth; }
