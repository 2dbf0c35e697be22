#include "platform/window/PropertySheet.h"

#include <algorithm>

#include "platform/window/Controls.h"
#include "platform/system/WinApp.h"

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) { Construct(captionId, parent, selectPage); }

CPropertySheet::CPropertySheet(const std::string& caption, CWnd* parent, UINT selectPage)
{
    Construct(caption, parent, selectPage);
}

void CPropertySheet::Construct(UINT captionId, CWnd* parent, UINT selectPage)
{
    CString caption;
    caption.LoadString(captionId);
    Construct(caption, parent, selectPage);
}

void CPropertySheet::Construct(const std::string& caption, CWnd* parent, UINT selectPage)
{
    m_strCaption = caption;
    m_pParentWnd = parent;
    m_startPage = static_cast<int>(selectPage);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page || GetPageIndex(page) >= 0)
        return;
    m_pages.push_back(page);
    if (CTabCtrl* tabs = GetTabControl())
        tabs->InsertItem(-1, page->GetTitle());
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<size_t>(index)];
    m_pages.erase(m_pages.begin() + index);
    if (CTabCtrl* tabs = GetTabControl())
        tabs->DeleteItem(index);
    if (m_active == index) {
        m_active = -1;
        page->DestroyWindow();
        if (IsWindow() && !m_pages.empty())
            ActivatePage(std::min(index, GetPageCount() - 1), false);
    } else {
        if (m_active > index)
            --m_active;
        page->DestroyWindow();
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? -1 : static_cast<int>(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return IsWindow() ? GetPage(m_active) : GetPage(m_startPage);
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (!IsWindow()) {
        m_startPage = index;
        return TRUE;
    }
    return ActivatePage(index, true) ? TRUE : FALSE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::SetTitle(const std::string& title, UINT) { m_strCaption = title; m_text = title; }

std::string CPropertySheet::GetWindowText() const
{
    if (IsWizard())
        if (CPropertyPage* page = GetPage(m_active); page && (page->m_psp.dwFlags & PSP_USETITLE))
            return page->m_psp.pszTitle;
    return m_text;
}

int CPropertySheet::GetTemplateId() const
{
    CPropertyPage* page = GetPage(m_active);
    return page ? static_cast<int>(page->m_nIDTemplate) : 0;
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return IsWizard() ? nullptr : dynamic_cast<CTabCtrl*>(GetDlgItem(AFX_IDC_TAB_CONTROL));
}

bool CPropertySheet::ActivatePage(int index, bool leave, bool focusPage)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return false;
    CPropertyPage* old = GetPage(m_active);
    if (old == page)
        return true;
    if (leave && old && old->IsWindow() && !old->OnKillActive())
        return false;
    if (!page->EnsureCreated(this))
        return false;
    if (!page->OnSetActive())
        return false;
    if (old && old->IsWindow())
        old->ShowWindow(SW_HIDE);
    m_active = index;
    if (CTabCtrl* tabs = GetTabControl())
        tabs->SetCurSel(index);
    page->ShowWindow(SW_SHOW);
    if (focusPage)
        page->FocusFirstTabStop();
    return true;
}

void CPropertySheet::CreateTabs()
{
    CRect frame;
    GetWindowRect(&frame);
    auto tabs = std::make_unique<CTabCtrl>();
    tabs->Create(WS_VISIBLE | WS_TABSTOP, CRect(4, 4, frame.Width() - 4, 24), this, AFX_IDC_TAB_CONTROL);
    for (CPropertyPage* p : m_pages)
        tabs->InsertItem(-1, p->GetTitle());
    AdoptChild(std::move(tabs));
}

void CPropertySheet::CreateButtons()
{
    struct ButtonDef {
        int id;
        const char* text;
        bool wizard;
        bool tabbed;
    };
    static const ButtonDef buttons[] = {
        {IDOK, "OK", false, true},
        {ID_WIZBACK, "< &Back", true, false},
        {ID_WIZNEXT, "&Next >", true, false},
        {ID_WIZFINISH, "Finish", true, false},
        {IDCANCEL, "Cancel", true, true},
        {ID_APPLY_NOW, "&Apply", false, true},
        {IDHELP, "&Help", true, true},
    };
    bool hasHelp = (m_psh.dwFlags & PSH_HASHELP) != 0;
    for (CPropertyPage* p : m_pages)
        hasHelp = hasHelp || (p->m_psp.dwFlags & PSP_HASHELP);
    int x = 8;
    CRect frame;
    GetWindowRect(&frame);
    for (const ButtonDef& s : buttons) {
        if (IsWizard() ? !s.wizard : !s.tabbed)
            continue;
        DWORD style = WS_TABSTOP | (s.id == ID_WIZNEXT || s.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        bool visible = s.id != ID_WIZFINISH && (s.id != IDHELP || hasHelp) &&
                       (s.id != ID_APPLY_NOW || !(m_psh.dwFlags & PSH_NOAPPLYNOW));
        if (visible)
            style |= WS_VISIBLE;
        if (s.id == ID_APPLY_NOW)
            style |= WS_DISABLED; // until a page is modified
        auto button = std::make_unique<CButton>();
        button->Create(s.text, style, CRect(x, frame.Height() - 30, x + 75, frame.Height() - 8), this,
                       static_cast<UINT>(s.id));
        AdoptChild(std::move(button));
        x += 81;
    }
}

intptr_t CPropertySheet::DoModal()
{
    if (m_pages.empty() || IsWindow())
        return -1;
    // Big enough for the largest page and the row of buttons.
    CRect size(0, 0, 200, 100);
    for (CPropertyPage* p : m_pages)
        if (const CDialogTemplate* t = p->GetTemplate()) {
            CFont font = t->font.pointSize > 0 ? CFont(t->font.pointSize, t->font.face) : CFont();
            CRect r = DialogUnitsToPixels(t->rect, font);
            size.right = std::max(size.right, r.Width() + 16);
            size.bottom = std::max(size.bottom, r.Height() + 56);
        }
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    if (!CreateWnd(WndKind::Sheet, m_strCaption, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME, size, owner, 0,
                   WS_EX_DLGMODALFRAME))
        return -1;
    CWnd* previousFocus = GetFocus();
    m_active = -1;
    m_finishText.clear();
    m_modified.clear();
    m_nModalResult = -1;
    CreateButtons();
    if (!IsWizard())
        CreateTabs();
    SendMessage(WM_INITDIALOG);
    RunModalLoop();
    const int result = m_nModalResult;
    DestroyWindow();
    m_active = -1;
    if (previousFocus && previousFocus->IsWindow() && previousFocus->IsWindowVisible())
        previousFocus->SetFocus();
    return result;
}

BOOL CPropertySheet::OnInitDialog()
{
    ActivatePage(std::clamp(m_startPage, 0, GetPageCount() - 1), false);
    if (IsWizard())
        ApplyWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void CPropertySheet::SetWizardButtons(DWORD flags) { PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }

void CPropertySheet::PressButton(int button) { PostMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

void CPropertySheet::ApplyWizardButtons(DWORD flags)
{
    m_wizButtons = flags;
    if (!m_finishText.empty())
        return; // a finish text keeps Finish alone, as set
    CWnd* back = GetDlgItem(ID_WIZBACK);
    CWnd* next = GetDlgItem(ID_WIZNEXT);
    CWnd* finish = GetDlgItem(ID_WIZFINISH);
    if (!back || !next || !finish)
        return;
    back->EnableWindow((flags & PSWIZB_BACK) != 0);
    const bool showFinish = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    finish->ShowWindow(showFinish ? SW_SHOW : SW_HIDE);
    finish->EnableWindow((flags & PSWIZB_FINISH) != 0);
    next->ShowWindow(showFinish ? SW_HIDE : SW_SHOW);
    next->EnableWindow((flags & PSWIZB_NEXT) != 0);
}

void CPropertySheet::SetFinishButtonText(const std::string& text)
{
    if (CWnd* finish = GetDlgItem(ID_WIZFINISH))
        finish->SetWindowText(text);
}

void CPropertySheet::SetFinishText(const std::string& text)
{
    m_finishText = text;
    if (CWnd* finish = GetDlgItem(ID_WIZFINISH)) {
        finish->SetWindowText(text);
        finish->ShowWindow(SW_SHOW);
        finish->EnableWindow(true);
    }
    for (int id : {ID_WIZBACK, ID_WIZNEXT})
        if (CWnd* b = GetDlgItem(id))
            b->ShowWindow(SW_HIDE);
}

void CPropertySheet::PageModified(CPropertyPage* page, bool changed)
{
    auto it = std::find(m_modified.begin(), m_modified.end(), page);
    if (changed && it == m_modified.end())
        m_modified.push_back(page);
    else if (!changed && it != m_modified.end())
        m_modified.erase(it);
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(!m_modified.empty());
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case PSM_SETWIZBUTTONS:
        ApplyWizardButtons(static_cast<DWORD>(lParam));
        return 0;
    case PSM_PRESSBUTTON: {
        static const int ids[] = {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
        if (wParam < sizeof ids / sizeof ids[0])
            if (CWnd* b = GetDlgItem(ids[wParam]))
                SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(ids[wParam]), BN_CLICKED),
                            reinterpret_cast<LPARAM>(b));
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    const int id = static_cast<int>(LOWORD(wParam));
    switch (id) {
    case ID_WIZBACK:
    case ID_WIZNEXT:
    case ID_WIZFINISH:
        OnWizardButton(id);
        return TRUE;
    case IDOK:
    case IDCANCEL:
    case ID_APPLY_NOW:
    case IDHELP:
        OnSheetButton(id);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    CTabCtrl* tabs = GetTabControl();
    if (!nm || !tabs || nm->hwndFrom != tabs)
        return FALSE;
    if (nm->code == TCN_SELCHANGING) {
        // The page being left may refuse, as its data exchange does.
        CPropertyPage* page = GetPage(m_active);
        *result = page && page->IsWindow() && !page->OnKillActive() ? TRUE : FALSE;
        return TRUE;
    }
    if (nm->code == TCN_SELCHANGE) {
        // The tab keeps the focus the click gave it; a page that refuses to
        // come to front leaves the old one in front of its tab.
        if (!ActivatePage(tabs->GetCurSel(), false, false))
            tabs->SetCurSel(m_active);
        *result = 0;
        return TRUE;
    }
    return FALSE;
}

void CPropertySheet::OnWizardButton(int id)
{
    CPropertyPage* page = GetPage(m_active);
    if (!page)
        return;
    if (id == ID_WIZFINISH) {
        if (page->OnWizardFinish())
            EndModalLoop(ID_WIZFINISH);
        return;
    }
    const intptr_t r = id == ID_WIZNEXT ? page->OnWizardNext() : page->OnWizardBack();
    if (r == -1)
        return;
    int target = m_active + (id == ID_WIZNEXT ? 1 : -1);
    if (r != 0) {
        target = -1;
        for (int i = 0; i < GetPageCount(); ++i)
            if (static_cast<intptr_t>(m_pages[static_cast<size_t>(i)]->m_nIDTemplate) == r)
                target = i;
    }
    if (target < 0 || target >= GetPageCount())
        return;
    m_nModalResult = id; // the pages being left may ask which button moved them
    ActivatePage(target, true);
}

void CPropertySheet::OnSheetButton(int id)
{
    CPropertyPage* page = GetPage(m_active);
    switch (id) {
    case IDCANCEL:
        if (page && !page->OnQueryCancel())
            return;
        for (CPropertyPage* p : m_pages)
            if (p->IsWindow())
                p->OnReset();
        EndModalLoop(IDCANCEL);
        return;
    case IDOK:
    case ID_APPLY_NOW:
        if (page && !page->OnKillActive())
            return;
        for (CPropertyPage* p : m_pages)
            if (p->IsWindow() && !p->OnApply())
                return;
        m_modified.clear();
        if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
            apply->EnableWindow(false);
        if (id == IDOK)
            EndModalLoop(IDOK);
        return;
    case IDHELP:
        if (page)
            page->SendMessage(WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), 0);
        return;
    default:
        return;
    }
}

void CPropertySheet::CancelModal()
{
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    else
        EndModalLoop(IDCANCEL);
}
