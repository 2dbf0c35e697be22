#pragma once
// The window: a node of the window tree with an id, a kind, a text, style bits,
// a rectangle, a font and enabled/visible state, and the messages the library
// handles (command, notify, help, timer). There is no screen: windows exist as
// objects, and what a person would do to them comes in through UserInput.h.
#include <memory>
#include <string>
#include <vector>

#include "platform/window/Types.h"

class CWnd;
using HWND = CWnd*;

// What kind of window this is; the platform's class name follows from it.
enum class WndKind { Window, Dialog, Sheet, Button, Edit, Static, ComboBox, ListBox, ListView, Grid, Tab };

// A font with a deterministic text extent: every character has a fixed width
// class, scaled by the point size, so captions measure the same everywhere.
class CFont {
public:
    CFont() = default;
    CFont(int pointSize, std::string face) : m_pointSize(pointSize), m_face(std::move(face)) {}
    bool CreatePointFont(int tenthsOfPoint, const char* face);
    int GetPointSize() const { return m_pointSize; }
    const std::string& GetFaceName() const { return m_face; }
    // Width of the widest line and height of all lines of `text`, in pixels.
    CSize GetTextExtent(const std::string& text) const;
    int GetLineHeight() const;
    int GetAveCharWidth() const;

private:
    int m_pointSize = 8;
    std::string m_face = "MS Shell Dlg";
};

// A drawing context reduced to what layout code measures with.
class CDC {
public:
    CFont* SelectObject(CFont* font);
    CSize GetTextExtent(const std::string& text) const { return m_font.GetTextExtent(text); }

private:
    CFont m_font;
    CFont* m_selected = nullptr;
};

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int code = 0;
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    CPoint ptAction;
    LPARAM lParam = 0;
};

struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = HELPINFO_WINDOW;
    int iCtrlId = 0;
    HWND hItemHandle = nullptr;
    DWORD_PTR dwContextId = 0;
    CPoint MousePos;
};

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // --- creation ---------------------------------------------------------
    // Makes this object a window (a child of `parent` when given, appended at
    // the bottom of its z-order). False when it already is one.
    bool CreateWnd(WndKind kind, const std::string& text, DWORD style, const CRect& rect, CWnd* parent, int id,
                   DWORD exStyle = 0);
    // Takes over the control `id` of `parent` (made from a template): this
    // object gets its place in the z-order, id, text, style, rectangle, state
    // and help id, and the template's object is retired. False when no such
    // control exists or this object already is a window.
    bool SubclassDlgItem(UINT id, CWnd* parent);
    // Destroys the window and its children; the C++ object stays usable and
    // may be made a window again.
    virtual bool DestroyWindow();
    HWND m_hWnd = nullptr; // this while the object is a window
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr; }

    // --- identity and state -----------------------------------------------
    WndKind GetKind() const { return m_kind; }
    std::string GetClassName() const;
    int GetDlgCtrlID() const { return m_id; }
    void SetDlgCtrlID(int id) { m_id = id; }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    bool ModifyStyle(DWORD remove, DWORD add);
    bool ModifyStyleEx(DWORD remove, DWORD add);
    DWORD GetWindowContextHelpId() const { return m_helpId; }
    void SetWindowContextHelpId(DWORD id) { m_helpId = id; }

    virtual void SetWindowText(const std::string& text);
    virtual std::string GetWindowText() const { return m_text; }
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }

    bool EnableWindow(bool enable = true); // returns whether it was disabled before
    bool IsWindowEnabled() const { return m_hWnd && !(m_style & WS_DISABLED); }
    bool ShowWindow(int cmd);              // returns whether it was visible before
    bool IsWindowVisible() const;          // this and every parent visible
    void MoveWindow(const CRect& rect, bool repaint = true);
    void MoveWindow(int x, int y, int cx, int cy, bool repaint = true) { MoveWindow(CRect(x, y, x + cx, y + cy), repaint); }
    // Window rectangles are kept in the parent's client coordinates and there
    // is no screen offset, so the screen/client conversions are identities;
    // code written as "GetWindowRect, ScreenToClient, MoveWindow" works as is.
    void GetWindowRect(CRect* rect) const { *rect = m_rect; }
    void ScreenToClient(CRect*) const {}
    void ScreenToClient(CPoint*) const {}
    void ClientToScreen(CRect*) const {}
    void ClientToScreen(CPoint*) const {}
    void GetClientRect(CRect* rect) const { *rect = CRect(0, 0, m_rect.Width(), m_rect.Height()); }
    void SetFont(CFont* font, bool redraw = true);
    CFont* GetFont() const;
    CDC* GetDC();
    // Painting and placement on the screen: nothing is drawn headless and
    // there is no screen to centre on, so these have no effect; what a
    // person or a script sees is the windows' state, not their pixels.
    void ReleaseDC(CDC*) {}
    void Invalidate(bool = true) {}
    void UpdateWindow() {}
    void SetRedraw(bool = true) {}
    void CenterWindow(CWnd* = nullptr) {}

    // --- tree -------------------------------------------------------------
    CWnd* GetParent() const { return m_parent; }
    CWnd* GetOwner() const { return m_parent; }
    // GW_CHILD: first child; GW_HWNDNEXT/GW_HWNDPREV: sibling below/above;
    // GW_HWNDFIRST/GW_HWNDLAST: first/last sibling.
    CWnd* GetWindow(UINT cmd) const;
    CWnd* GetDlgItem(int id) const;
    CWnd* GetTopLevelParent() const;
    const std::vector<CWnd*>& GetChildren() const { return m_children; }
    // The next (or previous) control of the same WS_GROUP group, wrapping
    // around inside the group as the arrow keys do.
    CWnd* GetNextDlgGroupItem(CWnd* control, bool previous = false) const;
    bool IsChild(const CWnd* wnd) const;
    // The children that share `control`'s group: from the control with
    // WS_GROUP (or the one after a group box) up to the next such control.
    std::vector<CWnd*> GetGroup(const CWnd* control) const;
    // Hands the window object of a created child to this window, which then
    // deletes it when it is destroyed. Returns the child.
    CWnd* AdoptChild(std::unique_ptr<CWnd> child);

    // --- dialog item helpers ------------------------------------------------
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    int GetDlgItemText(int id, std::string& text) const;
    void SetDlgItemInt(int id, int value, bool isSigned = true);
    void CheckDlgButton(int id, int check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;

    // --- focus --------------------------------------------------------------
    CWnd* SetFocus(); // returns the window that had it
    static CWnd* GetFocus();

    // --- messages -----------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queued for the running modal loop (or PumpMessages), handled in order.
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Repeats every `elapse` ms of the virtual clock until KillTimer.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    bool KillTimer(UINT_PTR id);

    // Runs until EndModalLoop; see UserAgent.h for what happens when idle.
    int RunModalLoop();
    void EndModalLoop(int result);
    bool IsInModalLoop() const { return m_inModalLoop; }
    int m_nModalResult = -1;
    // The modal loop asks this when nobody is there to answer: ends the window
    // as its cancel button would. The base ends the loop with IDCANCEL.
    virtual void CancelModal();
    // The dialog template id a user agent names this window by; 0 for none.
    virtual int GetTemplateId() const { return 0; }

    // Shows help through the application's help file.
    virtual void WinHelp(DWORD_PTR data, UINT cmd = HELP_CONTEXT);

protected:
    friend class CModalState;
    friend class CDialog;
    // Routes a message to the handlers below; override to see every message.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Command from a control or menu: LOWORD(wParam) id, HIWORD code,
    // lParam the control. True when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Context help; the base passes it to the parent, and a window without one
    // shows the help of the context id through the application.
    virtual BOOL OnHelpInfo(HELPINFO* info);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnDestroy();
    // Sends a WM_COMMAND notification with this control's id to the parent.
    void NotifyParent(UINT code);
    // Copies the control's content when SubclassDlgItem takes it over.
    virtual void TakeOverContent(CWnd& from) {}
    // Clears the content kept by a control when its window is destroyed.
    virtual void ResetContent() {}

    WndKind m_kind = WndKind::Window;
    std::string m_text;

private:
    void Detach();

    int m_id = 0;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    DWORD m_helpId = 0;
    CRect m_rect;
    CFont m_font;
    bool m_hasFont = false;
    CDC m_dc;
    CWnd* m_parent = nullptr;
    std::vector<CWnd*> m_children;                 // z-order, top first
    std::vector<std::unique_ptr<CWnd>> m_owned;    // children this window made
    std::vector<std::unique_ptr<CWnd>> m_retired;  // taken over; kept so old pointers stay valid
    bool m_inModalLoop = false;
    bool m_endModal = false;
};

// The state of a key: the high bit is set while it is held down. Keys are
// held only while UserInput presses them (F1 for keyboard help).
short GetKeyState(int virtualKey);
void SetKeyDown(int virtualKey, bool down);
// The id a list or grid created in code gets when it is given none (0 or
// 0xFFFF): one past the largest id among `parent`'s children, so that every
// list can be named by its id.
UINT ListControlId(const CWnd* parent, UINT id);

// Process-wide message state: the queue of posted messages, the virtual clock
// and its timers, and the stack of running modal windows.
namespace WndMessages {
// Handles every posted message and every timer due now; returns how many.
int PumpMessages();
// Milliseconds of the virtual clock since the start of the process.
unsigned long long GetTickCount();
// Advances the clock by `ms`, firing timers as they fall due, each followed
// by the messages it posted.
void AdvanceClock(unsigned ms);
// Running modal windows, outermost first.
const std::vector<CWnd*>& ModalStack();
CWnd* TopModal();
bool HasPendingTimers();
// Forgets every posted message and timer (a test's fresh start).
void Reset();
} // namespace WndMessages
