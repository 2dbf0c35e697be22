#include "wizard/Wizard.h"

#include <cassert>

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"

namespace {
MProjectTree* g_projectTree = nullptr;
}

CWizard::CWizard(UINT captionId, ZQ_PM_Node* startNode, CWnd* parent)
    : CPropertySheet(captionId, parent ? parent : AfxGetMainWnd()),
      m_strTempFile(MakeTempName()),
      m_pBindings(std::make_unique<CKeywordBindings>()),
      m_pStartNode(startNode)
{
    SetWizardMode();
    if (m_pStartNode && m_pStartNode->GetType() == kNodeInput)
        PrepareTempFileFromInput();
}

CWizard::~CWizard()
{
    // The host may have made the file read-only while the wizard ran; it is
    // ours all the same.
    CFilePath(m_strTempFile).Delete(true);
    m_pBindings.reset();
}

void CWizard::PrepareTempFileFromInput()
{
    MKeywordFile file;
    file.Load(m_pStartNode->GetFilePath());
    // Older inputs lack a description; the node's name is the one the user knows.
    if (file.GetValue("ANALYSIS_DESCRIPTION").empty())
        file.SetValue("ANALYSIS_DESCRIPTION", m_pStartNode->GetName());
    file.Write(m_strTempFile);
}

ZQ_PM_Node* CWizard::GetModelMeshNode() const
{
    return m_pStartNode ? m_pStartNode->GetModelMeshNode() : nullptr;
}

Node_SubType CWizard::GetModelMeshType() const
{
    const ZQ_PM_Node* mesh = GetModelMeshNode();
    return mesh ? mesh->GetSubType() : kSubNone;
}

ZQ_PM_Node* CWizard::GetPrevResultNode(Node_SubType type) const
{
    for (ZQ_PM_Node* node = m_pStartNode; node; node = node->GetParent())
        if (node->GetType() == kNodeResult && node->GetSubType() == type && node->GetState() != kStateOutOfDate)
            return node;
    return nullptr;
}

void CWizard::SetCaption(const CString& text)
{
    m_strCaption = text;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = GetPage(i);
        page->m_psp.pszTitle = text;
        page->m_psp.dwFlags |= PSP_USETITLE;
    }
    if (IsWindow())
        SetWindowText(text);
}

void CWizard::SetCaption(int id)
{
    CString text;
    text.LoadString(static_cast<UINT>(id));
    SetCaption(text);
}

void CWizard::SetProjectTree(MProjectTree& tree) { g_projectTree = &tree; }

MProjectTree& CWizard::GetProjectTree()
{
    assert(g_projectTree && "the host sets the project tree before any wizard runs");
    return *g_projectTree;
}

bool CWizard::HasProjectTree() { return g_projectTree != nullptr; }

bool CWizard::IsPageEnabled(UINT) { return true; }

void CWizard::OnWizardFinish() { m_pBindings->SaveValues(m_strTempFile); }

CWizard* CWizard::FromWindow(CWnd* window)
{
    for (CWnd* w = window; w; w = w->GetParent())
        if (auto* wizard = dynamic_cast<CWizard*>(w))
            return wizard;
    return nullptr;
}

BOOL CWizard::OnInitDialog()
{
    // The analysis' own values override the defaults before any page shows.
    m_pBindings->LoadValues(m_strTempFile);
    // Posted, so it lands after the sheet's own set-up has set its buttons.
    SetWizardButtons(GetPageCount() == 1 ? PSWIZB_FINISH : PSWIZB_NEXT);
    CPropertySheet::OnInitDialog();
    ModifyStyle(0, WS_SYSMENU);
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return TRUE;
}

BOOL CWizard::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (id != ID_WIZNEXT && id != ID_WIZBACK)
        return CPropertySheet::OnCommand(wParam, lParam);
    MoveToEnabledPage(id == ID_WIZNEXT);
    return TRUE;
}

void CWizard::MoveToEnabledPage(bool forward)
{
    CPropertyPage* page = GetActivePage();
    if (!page)
        return;
    // The page may veto the move; any other answer is ignored, because the
    // wizard alone knows which pages are enabled.
    if (forward) {
        if (page->OnWizardNext() == -1 || !page->UpdateData(TRUE))
            return;
    } else if (page->OnWizardBack() == -1) {
        return;
    }

    const int step = forward ? 1 : -1;
    const int count = GetPageCount();
    auto enabledFrom = [&](int index) {
        for (; index >= 0 && index < count; index += step)
            if (IsPageEnabled(GetPage(index)->m_nIDTemplate))
                return index;
        return -1;
    };
    const int target = enabledFrom(GetActiveIndex() + step);
    if (target < 0)
        return;
    const bool another = enabledFrom(target + step) >= 0;
    if (forward)
        SetWizardButtons(another ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK | PSWIZB_FINISH);
    else
        SetWizardButtons(another ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_NEXT);
    // The page being left reads this to tell Back (no validation) from Next.
    m_nModalResult = forward ? ID_WIZNEXT : ID_WIZBACK;
    SetActivePage(target);
}

void CWizard::OnDestroy()
{
    if (m_nModalResult == ID_WIZFINISH)
        OnWizardFinish();
    CPropertySheet::OnDestroy();
}
