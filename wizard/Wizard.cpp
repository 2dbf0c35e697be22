#include "wizard/Wizard.h"

#include <cassert>

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/WinApp.h"

namespace {
MProjectTree* g_projectTree = nullptr;
}

CWizard::CWizard(UINT captionId, ZQ_PM_Node* startNode, CWnd* parent)
    : CPropertySheet(captionId, parent ? parent : AfxGetMainWnd()),
      m_strTempFile(MakeTempName()),
      m_nTempError(m_strTempFile.empty() ? errno : 0),
      m_pBindings(std::make_unique<CKeywordBindings>()),
      m_pStartNode(startNode)
{
    SetWizardMode();
}

CResult CWizard::Prepare()
{
    // Every page and dialog reads and writes the working copy by its name.
    if (m_strTempFile.empty())
        return CResult::FromErrno("cannot make a working file in '" + GetTempDirectory() + "'", m_nTempError);
    if (m_pStartNode && m_pStartNode->GetType() == kNodeInput)
        return PrepareTempFileFromInput();
    return CResult::Ok();
}

CWizard::~CWizard()
{
    // The host may have made the file read-only while the wizard ran; it is
    // ours all the same.
    if (!m_strTempFile.empty())
        CFilePath(m_strTempFile).Delete(true);
    m_pBindings.reset();
}

CResult CWizard::PrepareTempFileFromInput()
{
    MKeywordFile file;
    // A new input may have no file yet; one that cannot be read must not be
    // taken for an empty analysis.
    if (CResult loaded = LoadIfPresent(file, m_pStartNode->GetFilePath()); !loaded)
        return loaded;
    // Older inputs lack a description; the node's name is the one the user knows.
    if (file.GetValue("ANALYSIS_DESCRIPTION").empty())
        file.SetValue("ANALYSIS_DESCRIPTION", m_pStartNode->GetName());
    return WriteWorkingFile(file);
}

CResult CWizard::WriteWorkingFile(const MKeywordFile& file) const
{
    return file.Write(m_strTempFile, wizsys::Durability::kScratch);
}

void CWizard::AddWizardPage(SWizardPage entry)
{
    assert(entry.page && "a wizard page entry names its page");
    AddPage(entry.page);
    m_pages.push_back(std::move(entry));
}

void CWizard::RegisterPageBindings()
{
    CKeywordBindings& bindings = GetBindings();
    for (const SWizardPage& entry : m_pages) {
        if (!entry.bindings || (entry.forModel && !entry.forModel()))
            continue;
        bindings.SetCurrentPage(entry.page);
        entry.bindings(bindings);
    }
    bindings.SetCurrentPage(nullptr);
}

const SWizardPage* CWizard::FindEntry(UINT templateId) const
{
    for (const SWizardPage& entry : m_pages)
        if (entry.page->m_nIDTemplate == templateId)
            return &entry;
    return nullptr;
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

bool CWizard::IsPageEnabled(UINT templateId)
{
    const SWizardPage* entry = FindEntry(templateId);
    if (entry == nullptr)
        return true;
    return (!entry->forModel || entry->forModel()) && (!entry->when || entry->when());
}

void CWizard::OnWizardFinish()
{
    // The settings reach the project only through this file: a subclass
    // reads them back from it, so its failure is the Finish's.
    m_finishResult = m_pBindings->SaveValues(m_strTempFile, wizsys::Durability::kScratch);
}

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
    // An unreadable file leaves the defaults, which is all a new analysis has.
    (void)m_pBindings->LoadValues(m_strTempFile);
    CPropertySheet::OnInitDialog();
    UpdateNavigation();
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
    const int target = EnabledFrom(GetActiveIndex() + step, step);
    if (target < 0)
        return;
    // The page being left reads this to tell Back (no validation) from Next.
    m_nModalResult = forward ? ID_WIZNEXT : ID_WIZBACK;
    SetActivePage(target);
    UpdateNavigation();
}

int CWizard::EnabledFrom(int index, int step)
{
    for (const int count = GetPageCount(); index >= 0 && index < count; index += step)
        if (IsPageEnabled(GetPage(index)->m_nIDTemplate))
            return index;
    return -1;
}

void CWizard::UpdateNavigation()
{
    // The pages that apply may change with every move (a choice on one page
    // enables another), so both neighbours are looked for afresh each time.
    const int active = GetActiveIndex();
    const bool last = EnabledFrom(active + 1, 1) < 0;
    const CPropertyPage* page = GetPage(active);
    DWORD buttons = 0;
    if (!page || IsPageComplete(page->m_nIDTemplate))
        buttons = last ? PSWIZB_FINISH : PSWIZB_NEXT;
    else if (last)
        buttons = PSWIZB_DISABLEDFINISH;
    if (EnabledFrom(active - 1, -1) >= 0)
        buttons |= PSWIZB_BACK;
    SetWizardButtons(buttons);
}

void CWizard::OnDestroy()
{
    if (m_nModalResult == ID_WIZFINISH)
        OnWizardFinish();
    CPropertySheet::OnDestroy();
}
