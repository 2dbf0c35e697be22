#include "platform/window/Wnd.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/window/Controls.h"
#include "platform/agents/UiLog.h"
#include "platform/system/WinApp.h"

namespace WndMessages {
void Forget(CWnd* wnd); // MessageLoop.cpp: drops the timers and posted messages of a dying window
}

static CWnd* g_focus = nullptr;
static std::vector<int> g_keysDown;

short GetKeyState(int virtualKey)
{
    return std::find(g_keysDown.begin(), g_keysDown.end(), virtualKey) != g_keysDown.end() ? static_cast<short>(0x8000)
                                                                                            : 0;
}

UINT ListControlId(const CWnd* parent, UINT id)
{
    if ((id != 0 && id != 0xFFFF) || !parent)
        return id;
    int largest = 0;
    for (CWnd* c = parent->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
        largest = std::max(largest, c->GetDlgCtrlID());
    return static_cast<UINT>(largest + 1);
}

void SetKeyDown(int virtualKey, bool down)
{
    auto it = std::find(g_keysDown.begin(), g_keysDown.end(), virtualKey);
    if (down && it == g_keysDown.end())
        g_keysDown.push_back(virtualKey);
    else if (!down && it != g_keysDown.end())
        g_keysDown.erase(it);
}

// --- font -------------------------------------------------------------------

bool CFont::CreatePointFont(int tenthsOfPoint, const char* face)
{
    m_pointSize = std::max(1, tenthsOfPoint / 10);
    m_face = face ? face : "";
    return true;
}

// Width of one character at 8 points: a few width classes are enough for
// captions to measure differently by content, and stay reproducible.
static int CharWidth8(char c)
{
    if (std::strchr("iljtfI.,:;'|!()[] ", c))
        return 3;
    if (std::strchr("mwMW@", c))
        return 9;
    if (c >= 'A' && c <= 'Z')
        return 7;
    return 6;
}

int CFont::GetLineHeight() const { return (m_pointSize * 13 + 4) / 8; }

int CFont::GetAveCharWidth() const { return (m_pointSize * 6 + 4) / 8; }

CSize CFont::GetTextExtent(const std::string& text) const
{
    int widest = 0, width = 0, lines = 1;
    for (char c : text) {
        if (c == '\n') {
            widest = std::max(widest, width);
            width = 0;
            ++lines;
        } else if (c != '\r') {
            width += CharWidth8(c);
        }
    }
    widest = std::max(widest, width);
    return {(widest * m_pointSize + 4) / 8, lines * GetLineHeight()};
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_selected;
    m_selected = font;
    if (font)
        m_font = *font;
    return old;
}

// --- creation and destruction -------------------------------------------------

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    DestroyWindow();
}

bool CWnd::CreateWnd(WndKind kind, const std::string& text, DWORD style, const CRect& rect, CWnd* parent, int id,
                     DWORD exStyle)
{
    if (m_hWnd)
        return false;
    m_kind = kind;
    m_text = text;
    m_style = style;
    m_exStyle = exStyle;
    m_rect = rect;
    m_id = id;
    m_parent = parent;
    m_endModal = false;
    m_hWnd = this;
    if (parent && (style & WS_CHILD))
        parent->m_children.push_back(this);
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (m_hWnd || !parent)
        return false;
    auto it = std::find_if(parent->m_children.begin(), parent->m_children.end(),
                           [id](CWnd* c) { return c->m_id == static_cast<int>(id); });
    if (it == parent->m_children.end())
        return false;
    CWnd* old = *it;
    m_kind = old->m_kind == WndKind::Window ? m_kind : old->m_kind;
    m_text = old->m_text;
    m_style = old->m_style;
    m_exStyle = old->m_exStyle;
    m_helpId = old->m_helpId;
    m_rect = old->m_rect;
    m_font = old->m_font;
    m_hasFont = old->m_hasFont;
    m_id = old->m_id;
    m_parent = parent;
    m_endModal = false;
    m_hWnd = this;
    TakeOverContent(*old);
    *it = this;
    if (g_focus == old)
        g_focus = this;
    WndMessages::Forget(old);
    old->m_parent = nullptr;
    old->m_hWnd = nullptr;
    // Keep the retired object alive: code may still hold the pointer it got
    // from GetDlgItem before the control was taken over.
    auto owned = std::find_if(parent->m_owned.begin(), parent->m_owned.end(),
                              [old](const std::unique_ptr<CWnd>& p) { return p.get() == old; });
    if (owned != parent->m_owned.end()) {
        parent->m_retired.push_back(std::move(*owned));
        parent->m_owned.erase(owned);
    }
    return true;
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    OnDestroy();
    WndMessages::Forget(this);
    if (g_focus == this)
        g_focus = nullptr;
    for (CWnd* child : std::vector<CWnd*>(m_children))
        child->DestroyWindow();
    m_children.clear();
    m_owned.clear();
    m_retired.clear();
    Detach();
    m_hWnd = nullptr;
    ResetContent();
    return true;
}

void CWnd::Detach()
{
    if (m_parent) {
        auto& siblings = m_parent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    m_parent = nullptr;
}

CWnd* CWnd::AdoptChild(std::unique_ptr<CWnd> child)
{
    CWnd* raw = child.get();
    m_owned.push_back(std::move(child));
    return raw;
}

// --- identity and state -------------------------------------------------------

std::string CWnd::GetClassName() const
{
    switch (m_kind) {
    case WndKind::Button: return "Button";
    case WndKind::Edit: return "Edit";
    case WndKind::Static: return "Static";
    case WndKind::ComboBox: return "ComboBox";
    case WndKind::ListBox: return "ListBox";
    case WndKind::ListView: return "SysListView32";
    case WndKind::Grid: return "GXWND";
    case WndKind::Tab: return "SysTabControl32";
    case WndKind::Dialog:
    case WndKind::Sheet: return "#32770";
    case WndKind::Window: break;
    }
    return "Window";
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    DWORD old = m_style;
    m_style = (m_style & ~remove) | add;
    return old != m_style;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    return old != m_exStyle;
}

void CWnd::SetWindowText(const std::string& text) { m_text = text; }

bool CWnd::EnableWindow(bool enable)
{
    bool wasDisabled = (m_style & WS_DISABLED) != 0;
    if (enable)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    // A disabled window cannot keep the focus.
    if (!enable && g_focus == this)
        g_focus = nullptr;
    return wasDisabled;
}

bool CWnd::ShowWindow(int cmd)
{
    bool wasVisible = (m_style & WS_VISIBLE) != 0;
    if (cmd == SW_HIDE)
        m_style &= ~WS_VISIBLE;
    else
        m_style |= WS_VISIBLE;
    if (cmd == SW_HIDE && g_focus && (g_focus == this || IsChild(g_focus)))
        g_focus = nullptr;
    return wasVisible;
}

bool CWnd::IsWindowVisible() const
{
    if (!m_hWnd)
        return false;
    for (const CWnd* w = this; w; w = (w->m_style & WS_CHILD) ? w->m_parent : nullptr)
        if (!(w->m_style & WS_VISIBLE))
            return false;
    return true;
}

void CWnd::MoveWindow(const CRect& rect, bool) { m_rect = rect; }

void CWnd::SetFont(CFont* font, bool)
{
    if (!font)
        return;
    m_font = *font;
    m_hasFont = true;
}

CFont* CWnd::GetFont() const
{
    // A control without its own font uses its dialog's, as the dialog manager
    // hands the template font to every control it creates.
    for (const CWnd* w = this; w; w = w->m_parent)
        if (w->m_hasFont)
            return const_cast<CFont*>(&w->m_font);
    return const_cast<CFont*>(&m_font);
}

CDC* CWnd::GetDC()
{
    m_dc.SelectObject(GetFont());
    return &m_dc;
}

// --- tree -----------------------------------------------------------------------

CWnd* CWnd::GetWindow(UINT cmd) const
{
    if (cmd == GW_CHILD)
        return m_children.empty() ? nullptr : m_children.front();
    if (cmd == GW_OWNER)
        return (m_style & WS_CHILD) ? nullptr : m_parent;
    if (!m_parent || !(m_style & WS_CHILD))
        return nullptr;
    const auto& s = m_parent->m_children;
    auto it = std::find(s.begin(), s.end(), this);
    if (it == s.end())
        return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST: return s.front();
    case GW_HWNDLAST: return s.back();
    case GW_HWNDNEXT: return it + 1 == s.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == s.begin() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

CWnd* CWnd::GetDlgItem(int id) const
{
    for (CWnd* c : m_children)
        if (c->m_id == id)
            return c;
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while ((w->m_style & WS_CHILD) && w->m_parent)
        w = w->m_parent;
    return const_cast<CWnd*>(w);
}

bool CWnd::IsChild(const CWnd* wnd) const
{
    for (const CWnd* w = wnd ? wnd->m_parent : nullptr; w; w = w->m_parent)
        if (w == this)
            return true;
    return false;
}

static bool IsGroupBox(const CWnd* w)
{
    return w->GetKind() == WndKind::Button && (w->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX;
}

std::vector<CWnd*> CWnd::GetGroup(const CWnd* control) const
{
    // A group runs from a control with WS_GROUP up to the next one; a group
    // box also closes the group before it, so radio groups framed by boxes
    // stay apart even when the template forgot a WS_GROUP.
    const auto& s = m_children;
    auto it = std::find(s.begin(), s.end(), control);
    if (it == s.end())
        return {};
    auto startsGroup = [&](std::vector<CWnd*>::const_iterator i) {
        return ((*i)->GetStyle() & WS_GROUP) || IsGroupBox(*i) || (i != s.begin() && IsGroupBox(*(i - 1)));
    };
    auto first = it;
    while (first != s.begin() && !startsGroup(first))
        --first;
    auto last = it + 1;
    while (last != s.end() && !startsGroup(last))
        ++last;
    return std::vector<CWnd*>(first, last);
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* control, bool previous) const
{
    std::vector<CWnd*> group = GetGroup(control);
    if (group.empty())
        return nullptr;
    auto it = std::find(group.begin(), group.end(), control);
    size_t n = group.size(), i = static_cast<size_t>(it - group.begin());
    for (size_t step = 1; step < n; ++step) {
        CWnd* c = group[previous ? (i + n - step) % n : (i + step) % n];
        if (c->IsWindowVisible() && c->IsWindowEnabled())
            return c;
    }
    return control;
}

// --- dialog item helpers ------------------------------------------------------------

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* c = GetDlgItem(id))
        c->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(int id) const
{
    CWnd* c = GetDlgItem(id);
    return c ? c->GetWindowText() : std::string();
}

int CWnd::GetDlgItemText(int id, std::string& text) const
{
    text = GetDlgItemText(id);
    return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, int value, bool isSigned)
{
    SetDlgItemText(id, isSigned ? std::to_string(value) : std::to_string(static_cast<unsigned>(value)));
}

void CWnd::CheckDlgButton(int id, int check)
{
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(id)))
        b->SetCheck(check);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    auto* b = dynamic_cast<CButton*>(GetDlgItem(id));
    return b ? static_cast<UINT>(b->GetCheck()) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (CWnd* c : m_children)
        if (c->m_id >= firstId && c->m_id <= lastId)
            if (auto* b = dynamic_cast<CButton*>(c))
                b->SetCheck(c->m_id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (CWnd* c : m_children)
        if (c->m_id >= firstId && c->m_id <= lastId)
            if (auto* b = dynamic_cast<CButton*>(c); b && b->GetCheck() == BST_CHECKED)
                return c->m_id;
    return 0;
}

// --- focus ------------------------------------------------------------------------

CWnd* CWnd::SetFocus()
{
    CWnd* old = g_focus;
    if (old == this || !m_hWnd)
        return old;
    // The losing window is told first, while the new one does not have the
    // focus yet: its kill-focus handler may still move the focus elsewhere.
    g_focus = this;
    if (old)
        old->OnKillFocus(this);
    if (g_focus == this)
        OnSetFocus(old);
    return old;
}

CWnd* CWnd::GetFocus() { return g_focus; }

// Hooks for derived windows: a plain window has nothing to do on these.
void CWnd::OnSetFocus(CWnd*) {}
void CWnd::OnKillFocus(CWnd*) {}
void CWnd::OnDestroy() {}

// --- messages --------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        break;
    }
    case WM_HELP:
        return OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_SETTEXT:
        SetWindowText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_CLOSE:
        CancelModal();
        return 0;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

// What the system would do with a message no handler took: headless there is
// no painting, frame or cursor to look after, so nothing, with result 0.
LRESULT CWnd::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }

// A plain window handles no commands or notifications; FALSE lets the
// caller (a dialog's routing, a parent) go on looking.
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnHelpInfo(HELPINFO* info)
{
    if (m_parent)
        return static_cast<BOOL>(m_parent->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(info)));
    WinHelp(info ? info->dwContextId : 0, HELP_CONTEXT);
    return TRUE;
}

// A timer nobody overrode this for has nothing to do when it fires.
void CWnd::OnTimer(UINT_PTR) {}

void CWnd::NotifyParent(UINT code)
{
    if (m_parent && m_hWnd)
        m_parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(m_id), code), reinterpret_cast<LPARAM>(this));
}

void CWnd::CancelModal() { EndModalLoop(IDCANCEL); }

void CWnd::WinHelp(DWORD_PTR data, UINT cmd)
{
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(data, cmd);
        return;
    }
    CUiLogRecord record;
    record.kind = UiLogKind::HelpPopup;
    record.type = cmd;
    record.helpId = static_cast<unsigned>(data);
    AppendUiLog(std::move(record));
}
