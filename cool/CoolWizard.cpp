#include "cool/CoolWizard.h"

#include "cool/CoolIds.h"
#include "cool/CoolOutput.h"
#include "cool/CoolRules.h"
#include "cool/CoolSettings.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/FileIo.h"
#include "platform/system/WinApp.h"
#include "wizard/WizardRegistry.h"

namespace {

std::unique_ptr<CWizard> CreateCoolWizard(ZQ_PM_Node* node) { return std::make_unique<CCoolWizard>(node); }

const SWizardFactory kCoolFactory{"cool", "a material, a cooling input, or a flow or cooling result",
                                  CCoolWizard::CanStartFrom, CreateCoolWizard, nullptr, kSubCooling};
const CWizardRegistration kRegistration(kCoolFactory);

// The `bindings` of a page entry: the tables in order, each on its window.
std::function<void(CKeywordBindings&)> Tables(CCoolWizard& wizard,
                                              std::initializer_list<std::pair<CWnd*, CCoolRows>> tables)
{
    std::vector<std::pair<CWnd*, CCoolRows>> list(tables);
    return [&wizard, list](CKeywordBindings& bindings) {
        for (const auto& [window, rows] : list) {
            if (window)
                bindings.SetCurrentPage(window);
            bindings.BindRows(wizard, rows);
        }
    };
}

} // namespace

CCoolWizard::CCoolWizard(ZQ_PM_Node* startNode, CWnd* parent)
    : CWizard(IDS_COOL_CAPTION, startNode, parent), m_advanced3D(*this), m_advanced2D(*this)
{
    m_b2D = GetModelMeshType() == kSubMesh2DCool;
    // Each variant has its own pages; the advanced dialog's table follows
    // the page before the description, so the tables register in the order
    // the solver documents them.
    if (m_b2D) {
        AddWizardPage({&m_page2D1, {}, {},
                       Tables(*this, {{nullptr, kCool2DBoundaryRows}, {&m_advanced2D, kCoolAdvanced2DRows}})});
    } else {
        AddWizardPage({&m_page1, {}, {}, Tables(*this, {{nullptr, kCoolAnalysisTypeRows}})});
        // An earlier cooling analysis has fixed the mold model and its conditions.
        AddWizardPage({&m_page2, {}, [this] { return GetPrevCoolingResult() == nullptr; },
                       Tables(*this, {{nullptr, kCoolMoldModelRows}})});
        AddWizardPage({&m_page3, {}, {}, Tables(*this, {{nullptr, kCoolProcessRows}})});
        AddWizardPage({&m_page4, {}, {},
                       Tables(*this, {{nullptr, kCoolNetworkRows}, {&m_advanced3D, kCoolAdvanced3DRows}})});
    }
    AddWizardPage({&m_page5, {}, {}, Tables(*this, {{nullptr, kCoolDescriptionRows}})});
}

CCoolWizard::~CCoolWizard() = default;

bool CCoolWizard::CanStartFrom(const ZQ_PM_Node* node)
{
    const int type = node->GetType();
    const Node_SubType subType = node->GetSubType();
    if (type == kNodeInput)
        return subType == kSubCooling;
    if (type == kNodeResult)
        return subType == kSubFlow || subType == kSubCooling;
    if (type != kNodeMaterial)
        return false;
    // A material belongs to an analysis mesh; mold and channel meshes are not one.
    return const_cast<ZQ_PM_Node*>(node)->GetModelMeshNode() != nullptr;
}

ZQ_PM_Node* CCoolWizard::GetPrevCoolingResult() const { return GetPrevResultNode(kSubCooling); }

ZQ_PM_Node* CCoolWizard::GetPrevFlowResult() const { return GetPrevResultNode(kSubFlow); }

bool CCoolWizard::FlowFixesCoolingTime() const
{
    const ZQ_PM_Node* flow = GetPrevFlowResult();
    return flow && flow->GetFlowAim() == kAimPacking;
}

CResult CCoolWizard::Prepare()
{
    if (CResult base = CWizard::Prepare(); !base)
        return base;
    if (m_pStartNode->GetType() != kNodeInput)
        if (CResult made = PrepareNewAnalysis(); !made)
            return made;
    if (CResult taken = TakePrevCoolingSettings(); !taken)
        return taken;

    RegisterPageBindings();
    MProjectTree& tree = GetProjectTree();
    const std::string program = tree.GetProgramName(kSubCooling, GetModelMeshType(), 0);
    for (const std::string& path : GetSolverRangeFiles(tree.GetDataPath(), program))
        if (CResult merged = GetBindings().MergeRanges(path); !merged)
            return merged;
    return CResult::Ok();
}

CResult CCoolWizard::PrepareNewAnalysis()
{
    // The solver's defaults first, so that what the host knows of this
    // analysis (mesh, material, flow result) is written over them.
    MProjectTree& tree = GetProjectTree();
    MKeywordFile file;
    if (CResult merged = MergeIfPresent(file, tree.GetDefaultsFile(kSubCooling, GetModelMeshType(), 0)); !merged)
        return merged;
    tree.InitAnalysisInputs(file, kSubCooling, 0, m_pStartNode);
    return WriteWorkingFile(file);
}

CResult CCoolWizard::TakePrevCoolingSettings()
{
    const ZQ_PM_Node* result = GetPrevCoolingResult();
    const ZQ_PM_Node* input = result ? result->GetParent() : nullptr;
    if (!input || m_b2D)
        return CResult::Ok();
    // Written into the working file, because the bindings read it when the
    // sheet opens and would undo a change made to the members now.
    MKeywordFile earlier;
    if (CResult loaded = earlier.Load(input->GetFilePath()); !loaded)
        return loaded;
    MKeywordFile working;
    if (CResult loaded = working.Load(m_strTempFile); !loaded)
        return loaded;
    working.CopyKeyword("3DCOOL_MOLD_MODEL_FILE", earlier);
    working.CopyKeyword("3DCOOL_BOUNDARY_CONDITION", earlier);
    return WriteWorkingFile(working);
}

intptr_t CCoolWizard::DoModal()
{
    CWinApp* app = AfxGetApp();
    std::string previous;
    if (app) {
        previous = app->m_pszHelpFilePath;
        app->m_pszHelpFilePath = GetProjectTree().GetDataPath() + "cool.hlp";
    }
    const intptr_t result = CWizard::DoModal();
    if (app)
        app->m_pszHelpFilePath = previous;
    return result;
}

void CCoolWizard::OnWizardFinish()
{
    CWizard::OnWizardFinish();
    if (!m_finishResult)
        return;
    MKeywordFile file;
    if (m_finishResult = file.Load(m_strTempFile); !m_finishResult)
        return;
    if (!m_b2D) {
        file.SetValue("3DCOOL_JOURNAL_FILE", JournalFileFor(m_strMoldModelFile));
        if (m_strBoundaryFile.empty()) {
            m_finishResult = MakeAutomaticBoundaryFile(m_strMoldModelFile, m_strCreatedBoundaryFile, m_boundaryName);
            if (!m_finishResult)
                return;
            m_strBoundaryFile = m_strCreatedBoundaryFile;
            file.SetValue("3DCOOL_BOUNDARY_CONDITION", m_strBoundaryFile);
        }
    }
    HandOver(file);
}

void CCoolWizard::HandOver(MKeywordFile& file)
{
    m_finishResult = WriteInput(file);
    // A set made for this analysis alone goes when the analysis does not
    // exist, and its number goes back to the counter, so that a failed
    // Finish leaves no trace.
    if (!m_finishResult && !m_strCreatedBoundaryFile.empty()) {
        CFilePath(m_strCreatedBoundaryFile).Delete();
        if (CResult released = m_boundaryName.ReleaseUniqueName(); !released)
            m_finishResult = CResult::Fail(m_finishResult.GetMessage() +
                                           "; and undoing it failed: " + released.GetMessage());
        m_strCreatedBoundaryFile.clear();
    }
}

CResult CCoolWizard::WriteInput(MKeywordFile& file)
{
    MProjectTree& tree = GetProjectTree();
    const bool edit = m_pStartNode->GetType() == kNodeInput && !CFilePath(m_pStartNode->GetFilePath()).IsReadOnly();
    if (!edit) {
        // The host writes the new input and adds its node together, or neither.
        ZQ_PM_Node* node = tree.CreateInputNode(m_pStartNode, file, kSubCooling, 0);
        if (!node)
            return CResult::Fail(tree.GetLastError());
        m_strOutputFile = node->GetFilePath();
        SetResultNode(node);
        return CResult::Ok();
    }

    // The input is rewritten in place: its old bytes go back when the write
    // or the node's update fails.
    m_strOutputFile = m_pStartNode->GetFilePath();
    std::string oldBytes;
    if (CResult read = wizsys::ReadWholeFile(m_strOutputFile, oldBytes); !read)
        return read;
    CResult done = file.Write(m_strOutputFile);
    if (done && !tree.UpdateInputNode(m_pStartNode))
        done = CResult::Fail(tree.GetLastError());
    if (done) {
        SetResultNode(m_pStartNode);
        return done;
    }
    if (CResult restored = wizsys::WriteWholeFile(m_strOutputFile, oldBytes); !restored)
        return CResult::Fail(done.GetMessage() + "; and undoing it failed: " + restored.GetMessage());
    return done;
}
