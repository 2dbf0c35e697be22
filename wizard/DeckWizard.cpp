#include "wizard/DeckWizard.h"

#include <climits>
#include <filesystem>
#include <string_view>
#include <unistd.h>

#include "host/HostPaths.h"
#include "keyword/DeckCheck.h"
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "wizard/Wizard.h"

namespace {

// The meshes a deck may be meant for, in the order a tie is settled.
constexpr Node_SubType kScratchMeshes[] = {kSubMidplane, kSub3D, kSubMesh2DCool};
// The analyses a scratch project offers on each mesh.
constexpr Node_SubType kScratchAnalyses[] = {kSubFlow, kSubCooling, kSubWarpage, kSubStress};
// While the wizard is chosen, a flow input claims every option, so that a
// deck of any of them finds its keywords bound; the deck's own options
// decide the wizard that is used.
constexpr int kAllFlowOptions = kFlowFiber | kFlowGas | kFlowThermoset | kFlowOptimum;

const char* MeshFileName(Node_SubType mesh)
{
    switch (mesh) {
    case kSubMidplane: return "model.zql";
    case kSub3D: return "model3d.zq3";
    default: return "model2d.zqc";
    }
}

const char* MeshName(Node_SubType mesh)
{
    switch (mesh) {
    case kSubMidplane: return "a midplane mesh";
    case kSubFusion: return "a surface mesh";
    case kSub3D: return "a 3D mesh";
    case kSubMesh2DCool: return "a 2D cooling mesh";
    default: return "no mesh";
    }
}

// The wizards prepare in the project's folder, as the host runs them: a
// range file there overrides the installed one.
class CDirectoryScope {
public:
    explicit CDirectoryScope(const std::string& folder)
    {
        char buffer[PATH_MAX];
        if (::getcwd(buffer, sizeof buffer))
            m_previous = buffer;
        m_ok = !m_previous.empty() && ::chdir(folder.c_str()) == 0;
    }
    ~CDirectoryScope()
    {
        // A folder we came from that is gone since leaves us where we are.
        if (m_ok && ::chdir(m_previous.c_str()) != 0)
            return;
    }
    bool Ok() const { return m_ok; }

private:
    std::string m_previous;
    bool m_ok = false;
};

bool SameExtension(const ZQ_PM_Node* node, const std::string& path)
{
    const std::string extension = hostpath::Extension(path);
    return !extension.empty() && hostpath::Extension(node->GetFilePath()) == extension;
}

std::string WizardNames()
{
    std::string names;
    for (const SWizardFactory* factory : RegisteredWizards())
        names += (names.empty() ? "" : ", ") + std::string(factory->name);
    return names;
}

} // namespace

CDeckWizard::CDeckWizard() = default;

CDeckWizard::~CDeckWizard()
{
    m_wizard.reset();
    m_tree.Close();
    if (!m_scratch.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_scratch, ignored);
    }
}

CResult CDeckWizard::Build(const std::string& deckPath, const MKeywordFile& deck, const SDeckWizardRequest& request)
{
    std::vector<const SWizardFactory*> factories;
    if (request.wizard.empty()) {
        factories = RegisteredWizards();
    } else if (const SWizardFactory* named = FindWizard(request.wizard)) {
        factories.push_back(named);
    } else {
        return CResult::Fail("no wizard '" + request.wizard + "' (available: " + WizardNames() + ")");
    }

    std::vector<SCandidate> candidates;
    if (request.node >= 0) {
        if (CResult opened = m_tree.Open(request.project); !opened)
            return opened;
        ZQ_PM_Node* node = m_tree.FindNode(request.node);
        if (node == nullptr)
            return CResult::Fail("no node " + std::to_string(request.node) + " in " + request.project);
        m_folder = m_tree.GetProjectPath();
        for (const SWizardFactory* factory : factories)
            if (factory->canStartFrom(node))
                candidates.push_back({factory, node});
        if (candidates.empty())
            return CResult::Fail("node " + std::to_string(request.node) + " is not " +
                                 (request.wizard.empty() ? std::string("a node any wizard starts from")
                                                         : std::string(factories[0]->startsFrom)));
        SCandidate chosen{};
        if (CResult found = Choose(candidates, deckPath, deck, chosen); !found)
            return found;
        m_factory = chosen.factory;
        return Prepare(*chosen.factory, chosen.node, m_wizard);
    }

    if (CResult opened = OpenScratch(); !opened)
        return opened;
    std::vector<ZQ_PM_Node*> stubs;
    if (CResult added = AddScratchNodes(stubs); !added)
        return added;
    for (ZQ_PM_Node* stub : stubs)
        for (const SWizardFactory* factory : factories)
            if (factory->canStartFrom(stub))
                candidates.push_back({factory, stub});
    if (candidates.empty())
        return CResult::Fail("the " + request.wizard + " wizard starts from none of the nodes a deck can be; "
                             "give the --node it belongs to");
    SCandidate chosen{};
    if (CResult found = Choose(candidates, deckPath, deck, chosen); !found)
        return found;
    ZQ_PM_Node* node = DeckNodeLike(chosen.node, deckPath);
    if (node == nullptr)
        return CResult::Fail("cannot make the scratch project: " + m_tree.GetLastError());
    m_factory = chosen.factory;
    return Prepare(*chosen.factory, node, m_wizard);
}

CResult CDeckWizard::OpenScratch()
{
    std::string pattern = GetTempDirectory() + "/zqdeckXXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return CResult::FromErrno("cannot make a scratch folder in " + GetTempDirectory());
    m_scratch = hostpath::Absolute(pattern);
    m_folder = m_scratch;
    return m_tree.Create(m_scratch, "deck check");
}

CResult CDeckWizard::AddScratchNodes(std::vector<ZQ_PM_Node*>& starts)
{
    ZQ_PM_Node* cad = m_tree.AddNode(m_tree.GetRootNode(), kNodeCadModel, kSubCadIges, "", "model.igs");
    if (cad == nullptr)
        return CResult::Fail(m_tree.GetLastError());
    MKeywordFile empty;
    for (Node_SubType meshType : kScratchMeshes) {
        ZQ_PM_Node* mesh = m_tree.AddNode(cad, kNodeMesh, meshType, "", MeshFileName(meshType));
        ZQ_PM_Node* material =
            mesh ? m_tree.AddNode(mesh, kNodeMaterial, kSubThermoplastic, "", std::string(MeshFileName(meshType)) + ".mtl")
                 : nullptr;
        if (material == nullptr)
            return CResult::Fail(m_tree.GetLastError());
        for (Node_SubType analysis : kScratchAnalyses) {
            ZQ_PM_Node* input = m_tree.CreateInputNode(material, empty, analysis,
                                                       analysis == kSubFlow ? kAllFlowOptions : -1);
            if (input == nullptr)
                return CResult::Fail(m_tree.GetLastError());
            starts.push_back(input);
        }
    }
    // A translation input of a model of every kind the host knows: the kind
    // decides which pages, and so which keywords, the translator has.
    for (int kind = 0; kind <= kSubMesher; ++kind) {
        const CADTypeInfo* info = GetCADTypeInfo(kind);
        if (info == nullptr)
            continue;
        ZQ_PM_Node* model =
            kind == kSubCadIges ? cad : m_tree.AddNode(m_tree.GetRootNode(), kNodeCadModel, info->subType, "",
                                                       "model" + std::to_string(kind) + ".cad");
        const std::string translation = m_scratch + "/model" + std::to_string(kind) + ".081";
        if (CResult written = empty.Write(translation); !written)
            return written;
        ZQ_PM_Node* input = model ? m_tree.AddNode(model, kNodeTranslation, kSubTranslator, "", translation) : nullptr;
        if (input == nullptr)
            return CResult::Fail(m_tree.GetLastError());
        starts.push_back(input);
    }
    return CResult::Ok();
}

CResult CDeckWizard::Choose(const std::vector<SCandidate>& candidates, const std::string& deckPath,
                            const MKeywordFile& deck, SCandidate& chosen)
{
    if (candidates.size() == 1) {
        chosen = candidates[0];
        return CResult::Ok();
    }
    // Which wizard, on which mesh, knows the deck best: the bindings say it,
    // so a wizard that binds a new keyword is found without a table here.
    // A wizard that cannot start here is reported, not passed over: another
    // one chosen in its place would read the deck by the wrong table.
    // Warpage and stress bind nearly the same keywords: the kind of file the
    // deck is, as the host names analysis files, comes first, then the count.
    std::size_t best = 0;
    bool bestNamed = false;
    chosen = candidates.front();
    for (const SCandidate& candidate : candidates) {
        std::unique_ptr<CWizard> wizard;
        if (CResult prepared = Prepare(*candidate.factory, candidate.node, wizard); !prepared)
            return prepared;
        const std::size_t bound = CountBoundKeywords(wizard->GetBindings(), deck);
        const bool named = bound > 0 && SameExtension(candidate.node, deckPath);
        if (named > bestNamed || (named == bestNamed && bound > best)) {
            best = bound;
            bestNamed = named;
            chosen = candidate;
        }
    }
    // Only one wizard was named: a deck it knows nothing of is still its deck.
    if (best == 0 && candidates.front().factory != candidates.back().factory)
        return CResult::Fail("no wizard binds any keyword of the deck; name one with --wizard");
    return CResult::Ok();
}

CResult CDeckWizard::Prepare(const SWizardFactory& factory, ZQ_PM_Node* node, std::unique_ptr<CWizard>& wizard)
{
    CDirectoryScope scope(m_folder);
    if (!scope.Ok())
        return CResult::FromErrno("cannot enter " + m_folder);
    CWizard::SetProjectTree(m_tree);
    wizard = factory.create(node);
    if (CResult prepared = wizard->Prepare(); !prepared)
        return CResult::Fail("the " + std::string(factory.name) + " wizard cannot start: " + prepared.GetMessage());
    return CResult::Ok();
}

ZQ_PM_Node* CDeckWizard::DeckNodeLike(ZQ_PM_Node* stub, const std::string& deckPath)
{
    // The deck stays where it is; the node takes its options from it, as the
    // host does for an input rewritten outside the wizards.
    ZQ_PM_Node* node = m_tree.AddNode(stub->GetParent(), stub->GetType(), stub->GetSubType(), "",
                                      hostpath::Absolute(deckPath));
    if (node == nullptr || node->GetType() != kNodeInput)
        return node;
    return m_tree.UpdateInputNode(node) ? node : nullptr;
}

CResult CDeckWizard::LoadWorkingFile(MKeywordFile& file) const
{
    // Without a temporary folder the working file's name is relative to the
    // folder the wizard was prepared in.
    CDirectoryScope scope(m_folder);
    if (!scope.Ok())
        return CResult::FromErrno("cannot enter " + m_folder);
    return file.Load(m_wizard->GetTempFileName());
}

std::string CDeckWizard::Describe() const
{
    if (!m_wizard)
        return "no wizard";
    const ZQ_PM_Node* start = m_wizard->GetStartNode();
    std::string text = "the " + std::string(m_factory->name) + " wizard on " + MeshName(m_wizard->GetModelMeshType());
    const ZQ_PM_Node* model = start ? start->GetParent() : nullptr;
    if (m_wizard->GetModelMeshType() == kSubNone && model && GetCADTypeInfo(model->GetSubType()))
    {
        const std::string kind = GetCADTypeInfo(model->GetSubType())->name;
        const bool vowel = std::string_view("AEIOU").find(kind[0]) != std::string_view::npos;
        text = "the " + std::string(m_factory->name) + " wizard on " + (vowel ? "an " : "a ") + kind + " model";
    }
    if (start && start->GetAnalysisFlags() != 0)
        text += ", analysis options " + std::to_string(start->GetAnalysisFlags());
    return text;
}
