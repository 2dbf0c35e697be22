#include "wizard/AnalysisWizard.h"

#include "host/MaterialLibrary.h"
#include "wizard/AnalysisIds.h"
#include "wizard/WizardRegistry.h"

namespace {

// Kept across wizards, so the selector opens on the user's last search.
std::unique_ptr<MMatSearch> g_materialSearch;

bool IsOneOf(int value, std::initializer_list<int> values)
{
    for (int v : values)
        if (v == value)
            return true;
    return false;
}

// Nodes that stand for their model mesh rather than for an analysis of their own.
bool StandsForMesh(const ZQ_PM_Node* node)
{
    return IsOneOf(node->GetType(), {kNodeBoundary, kNodeFolder, kNodeModelData}) ||
           IsOneOf(node->GetSubType(), {kSubMoldMesh, kSubChannelMesh});
}

std::unique_ptr<CWizard> CreatePreparation(ZQ_PM_Node* node) { return std::make_unique<CAnalysisWizard>(node); }

const SWizardFactory kPreparationFactory{
    "prepare", "a mesh, a material or a result of a meshed model (or a set, folder or model data below one)",
    CAnalysisWizard::CanStartFrom, CreatePreparation};
const CWizardRegistration kRegistration(kPreparationFactory);

} // namespace

ZQ_PM_Node* NearestMaterialNode(ZQ_PM_Node* node)
{
    for (; node; node = node->GetParent())
        if (node->GetType() == kNodeMaterial)
            return node;
    return nullptr;
}

CAnalysisWizard::CAnalysisWizard(ZQ_PM_Node* startNode, CWnd* parent)
    : CWizard(IDS_ANALYSIS_CAPTION, startNode, parent)
{
    // Page 1 belongs to a start on a mesh, which has no material yet: Back
    // from page 2 leads there only then, and Next waits for a material
    // (IsPageComplete).
    AddWizardPage({&m_page1, [this] { return m_pStartNode && m_pStartNode->GetType() == kNodeMesh; }, nullptr,
                   nullptr});
    AddWizardPage({&m_page2, nullptr, nullptr, nullptr});
    if (startNode && !StandsForMesh(startNode)) {
        m_pMaterialNode = NearestMaterialNode(startNode);
        if (startNode->GetType() != kNodeMesh)
            SetActivePage(1);
    } else if (startNode) {
        m_pStartNode = startNode->GetModelMeshNode();
    }
}

CAnalysisWizard::~CAnalysisWizard() = default;

bool CAnalysisWizard::IsPageComplete(UINT templateId)
{
    return templateId != IDD_ANALYSIS_PAGE1 || m_pMaterialNode != nullptr;
}

bool CAnalysisWizard::CanStartFrom(const ZQ_PM_Node* node)
{
    return node && IsOneOf(node->GetType(), {kNodeMesh, kNodeMaterial, kNodeBoundary, kNodeResult, kNodeFolder,
                                             kNodeModelData}) &&
           const_cast<ZQ_PM_Node*>(node)->GetModelMeshNode() != nullptr;
}

ZQ_PM_Node* CAnalysisWizard::GetAnalysisNode() const
{
    return m_pStartNode && m_pStartNode->GetType() == kNodeMesh ? m_pMaterialNode : m_pStartNode;
}

CResult CAnalysisWizard::Prepare()
{
    if (CResult base = CWizard::Prepare(); !base)
        return base;
    if (!m_pStartNode || !m_pStartNode->GetModelMeshNode())
        return CResult::Fail("the node belongs to no meshed model: there is nothing to analyse");
    return CResult::Ok();
}

BOOL CAnalysisWizard::OnInitDialog()
{
    const BOOL result = CWizard::OnInitDialog();
    // The first page refused to show (a material the mesh cannot take): with
    // no page before it there is nothing the user can do here.
    if (!GetActivePage())
        EndDialog(IDCANCEL);
    return result;
}

void CAnalysisWizard::OnWizardFinish()
{
    // Nothing to save: the base's temporary file holds no setting of ours,
    // and writing it could only fail a Finish that has already made its node.
}

void CAnalysisWizard::TakeOver(const CWizard& chosen)
{
    m_chosenFinished = true;
    SetResultNode(chosen.GetResultNode());
    SetJobSubmission(chosen.GetJobSubmission());
    m_finishResult = chosen.GetFinishResult();
    m_strOutputFile = chosen.GetOutputFile();
    m_finishWarnings = chosen.GetFinishWarnings();
}

MMatSearch& CAnalysisWizard::GetMaterialSearch()
{
    if (!g_materialSearch)
        g_materialSearch = std::make_unique<MMatSearch>();
    return *g_materialSearch;
}

void CAnalysisWizard::ReleaseMaterialSearch() { g_materialSearch.reset(); }
