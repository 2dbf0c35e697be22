// The project tree's analysis side: file kinds, solver programs, new and
// updated analysis inputs, machines and materials.
#include "host/HostPaths.h"
#include "host/MaterialLibrary.h"
#include "host/ProjectTree.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"

#include "platform/system/FileIo.h"
#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

struct FileKind {
    int type;
    Node_SubType subType;
};

const std::unordered_map<std::string, FileKind>& KindsByExtension()
{
    static const std::unordered_map<std::string, FileKind> kinds = {
        {".stl", {kNodeCadModel, kSubCadStl}},       {".ans", {kNodeCadModel, kSubCadPrep7}},
        {".prp", {kNodeCadModel, kSubCadPrep7}},     {".qvx", {kNodeCadModel, kSubCadQuvex}},
        {".igs", {kNodeCadModel, kSubCadIges}},      {".iges", {kNodeCadModel, kSubCadIges}},
        {".nas", {kNodeCadModel, kSubCadNastran}},   {".pat", {kNodeCadModel, kSubCadPatran}},
        {".bdf", {kNodeCadModel, kSubCadNastranBulk}}, {".unv", {kNodeCadModel, kSubCadUniversal}},
        {".ctt", {kNodeCadModel, kSubCadTessarin}},  {".stp", {kNodeCadModel, kSubCadStep}},
        {".step", {kNodeCadModel, kSubCadStep}},     {".vda", {kNodeCadModel, kSubCadVda}},
        {".081", {kNodeTranslation, kSubTranslator}}, {".092", {kNodeTranslation, kSubMesher}},
        {".zql", {kNodeMesh, kSubMidplane}},         {".zqf", {kNodeMesh, kSubFusion}},
        {".zq3", {kNodeMesh, kSub3D}},               {".zqc", {kNodeMesh, kSubMesh2DCool}},
        {".zqb", {kNodeMesh, kSubMoldMesh}},         {".zqh", {kNodeMesh, kSubChannelMesh}},
        {".mtl", {kNodeMaterial, kSubThermoplastic}},
        {".bf3", {kNodeBoundary, kSubFlow}},         {".bc3", {kNodeBoundary, kSubCooling}},
        {".bw3", {kNodeBoundary, kSubWarpage}},      {".bs3", {kNodeBoundary, kSubStress}},
        {".fin", {kNodeInput, kSubFlow}},            {".cin", {kNodeInput, kSubCooling}},
        {".win", {kNodeInput, kSubWarpage}},         {".sin", {kNodeInput, kSubStress}},
        {".flr", {kNodeResult, kSubFlow}},           {".clr", {kNodeResult, kSubCooling}},
        {".wpr", {kNodeResult, kSubWarpage}},        {".str", {kNodeResult, kSubStress}},
        {".ain", {kNodeModelData, kSubModelAttributes}}, {".ata", {kNodeModelData, kSubModelAttributes}},
        {".m3i", {kNodeMesh, kSubMoldMesh}},         {".m3r", {kNodeModelData, kSubModelAttributes}},
        {".ela", {kNodeModelData, kSubElementList}},
    };
    return kinds;
}

// Flow options a finished flow keyword file shows, for callers that do not
// say which they chose.
int FlagsFromKeywords(const MKeywordFile& file, int aim)
{
    int flags = 0;
    for (const std::string& k : file.GetKeywords()) {
        if (k.rfind("3DFLOW_FIBER_", 0) == 0)
            flags |= kFlowFiber;
        else if (k.rfind("3DFLOW_GAS_", 0) == 0)
            flags |= kFlowGas;
        else if (k.rfind("3DFLOW_TSET_", 0) == 0)
            flags |= kFlowThermoset;
    }
    if (aim == kAimCuring || file.HasKeyword("MATERIAL_THERMOSET_DATA"))
        flags |= kFlowThermoset;
    if (aim == kAimOptimumFill || aim == kAimOptimumPack)
        flags |= kFlowOptimum;
    return flags;
}

int AimOfFile(const MKeywordFile& file)
{
    int aim = FlowAimFromToken(file.GetValue("3DFLOW_ANALYSIS_AIM"));
    return aim != kAimNone ? aim : FlowAimFromToken(file.GetValue("MOLD3D_ANALYSIS_AIM"));
}

const char* AnalysisStem(Node_SubType subType)
{
    switch (subType) {
    case kSubFlow: return "flow";
    case kSubCooling: return "cool";
    case kSubWarpage: return "warp";
    case kSubStress: return "stress";
    default: return nullptr;
    }
}

const char* AnalysisName(Node_SubType subType)
{
    switch (subType) {
    case kSubFlow: return "Flow analysis";
    case kSubCooling: return "Cooling analysis";
    case kSubWarpage: return "Warpage analysis";
    default: return "Stress analysis";
    }
}

ZQ_PM_Node* NearestAbove(ZQ_PM_Node* node, int type)
{
    for (ZQ_PM_Node* n = node; n; n = n->m_parent)
        if (n->m_type == type)
            return n;
    return nullptr;
}

// The suite's numbered naming, with its counter file in the project folder.
CResult NumberedFile(const std::string& folder, const char* stem, const char* extension, CFilePath& numbered,
                     std::string& path)
{
    CResult made = numbered.MakeUniqueName(folder + stem, extension + 1);
    path = numbered.GetPath();
    return made;
}

std::string FormatReal(double v)
{
    return MKeywordFile::FormatDouble(v);
}

} // namespace

const char* AnalysisInputExtension(Node_SubType subType)
{
    switch (subType) {
    case kSubFlow: return ".fin";
    case kSubCooling: return ".cin";
    case kSubWarpage: return ".win";
    case kSubStress: return ".sin";
    default: return "";
    }
}

const char* AnalysisResultExtension(Node_SubType subType)
{
    switch (subType) {
    case kSubFlow: return ".flr";
    case kSubCooling: return ".clr";
    case kSubWarpage: return ".wpr";
    case kSubStress: return ".str";
    default: return "";
    }
}

void ClassifyFile(const std::string& path, int& type, Node_SubType& subType)
{
    type = kNodeOther;
    subType = kSubNone;
    auto it = KindsByExtension().find(hostpath::Extension(path));
    if (it == KindsByExtension().end())
        return;
    type = it->second.type;
    subType = it->second.subType;
    if (type == kNodeMaterial) {
        MMatData data;
        if (MMatSearch::ReadMaterial(path, data))
            subType = data.thermoset ? kSubThermoset : data.fiberFilled ? kSubFiberFilled : kSubThermoplastic;
    }
}

const CADTypeInfo* GetCADTypeInfo(int subType)
{
    static const CADTypeInfo types[] = {
        {kSubCadStl, "Stereolithography", ".stl"},
        {kSubCadPrep7, "ANSYS PREP7", ".ans .prp"},
        {kSubCadQuvex, "QUVEX", ".qvx"},
        {kSubCadIges, "IGES", ".igs .iges"},
        {kSubCadNastran, "NASTRAN", ".nas"},
        {kSubCadPatran, "PATRAN neutral", ".pat"},
        {kSubCadNastranBulk, "NASTRAN bulk data", ".bdf"},
        {kSubCadUniversal, "I-DEAS universal", ".unv"},
        {kSubCadUniversal2, "I-DEAS universal (second dialect)", ""},
        {kSubCadTessarin, "Tessarin CAD export", ".ctt"},
        {kSubCadStep, "STEP", ".stp .step"},
        {kSubCadVda, "VDA-FS", ".vda"},
    };
    for (const CADTypeInfo& t : types)
        if (t.subType == subType)
            return &t;
    return nullptr;
}

int NodeImageId(int type, Node_SubType subType)
{
    switch (type) {
    case kNodeProject: return 0;
    case kNodeCadModel: return 1;
    case kNodeTranslation: return 2;
    case kNodeMesh:
        switch (subType) {
        case kSubMidplane: return 3;
        case kSubFusion: return 4;
        case kSub3D: return 5;
        case kSubMesh2DCool: return 6;
        default: return 7;
        }
    case kNodeMaterial: return 8;
    case kNodeBoundary: return 9;
    case kNodeInput: return 10;
    case kNodeResult: return 11;
    case kNodeFolder: return 13;
    case kNodeModelData: return 14;
    default: return 12;
    }
}

int FlowAimFromToken(const std::string& token)
{
    static const std::unordered_map<std::string, int> aims = {
        {"FILLING", kAimFilling},           {"RUNNER_BALANCE", kAimRunnerBalance},
        {"PACKING", kAimPacking},           {"FILL_AND_PACK", kAimPacking},
        {"PACKING_STANDALONE", kAimPacking}, {"CURING", kAimCuring},
        {"MOLD_WINDOW", kAimMoldWindow},    {"GATE_LOCATION", kAimGateLocation},
        {"OPTIMUM_FILL_PROFILE", kAimOptimumFill}, {"OPTIMUM_PACK_PROFILE", kAimOptimumPack},
    };
    auto it = aims.find(token);
    return it == aims.end() ? kAimNone : it->second;
}

std::string MProjectTree::GetInstallDataPath()
{
    // "" when no folder holds the data: wizhost refuses to run before it gets
    // here, and a library host learns why from hostpath::FindInstallData.
    std::string folder;
    (void)hostpath::FindInstallData(folder);
    return folder;
}

std::string MProjectTree::GetProgramName(Node_SubType subType, Node_SubType meshType, int flags) const
{
    switch (subType) {
    case kSubFlow:
        if (meshType == kSub3D)
            return "zqflow3d";
        if (flags & kFlowThermoset)
            return "zqtset";
        if (flags & kFlowGas)
            return "zqgas";
        if (flags & kFlowOptimum)
            return "zqoptim";
        if (flags & kFlowFiber)
            return "zqfiber";
        return "zqflow";
    case kSubCooling:
        return meshType == kSubMesh2DCool ? "zqcool2d" : "zqcool3d";
    case kSubWarpage:
    case kSubStress:
        return "warp";
    case kSubTranslator:
        return "zqtrans";
    case kSubMesher:
        return "zqmesh3d";
    default:
        return "";
    }
}

std::string MProjectTree::GetDefaultsFile(Node_SubType subType, Node_SubType meshType, int flags) const
{
    std::string program = GetProgramName(subType, meshType, flags);
    return program.empty() ? program : m_dataPath + program + ".def";
}

void MProjectTree::InitAnalysisInputs(MKeywordFile& file, Node_SubType subType, int flags, ZQ_PM_Node* node)
{
    if (!node)
        return;
    ZQ_PM_Node* mesh = node->GetModelMeshNode();
    const Node_SubType meshType = mesh ? mesh->m_subType : kSubNone;
    file.SetValue("ANALYSIS_PROGRAM", GetProgramName(subType, meshType, flags));
    if (mesh)
        file.SetValue("ANALYSIS_MESH_FILE", mesh->m_filePath);

    // The solvers read the material from the analysis file itself.
    if (ZQ_PM_Node* material = NearestAbove(node, kNodeMaterial)) {
        file.SetValue("ANALYSIS_MATERIAL_FILE", material->m_filePath);
        // The structural solvers look for the material's companion files
        // (stress-strain data) beside it under this name.
        file.SetValue("MATERIAL_FILE", material->m_filePath);
        MKeywordFile mat;
        // The host's interface has no failure here: a material file that
        // cannot be read adds no material keywords, which the wizard's checks
        // of the material then report.
        (void)mat.Load(material->m_filePath);
        mat.ForEachKeyword([&](std::string_view keyword, CValueView value) {
            if (keyword.starts_with("MATERIAL_"))
                file.SetValue(keyword, value);
        });
        if (subType == kSubFlow) {
            std::string melt = mat.GetValue("MATERIAL_RECOMMENDED_MELT_TEMPERATURE");
            std::string mold = mat.GetValue("MATERIAL_RECOMMENDED_MOLD_TEMPERATURE");
            if (!melt.empty())
                file.SetValue("MELT_TEMPERATURE", melt);
            if (!mold.empty())
                file.SetValue("MOLD_TEMPERATURE", mold);
        }
    }
    if (subType != kSubFlow) {
        for (ZQ_PM_Node* n = node; n; n = n->m_parent) {
            if (n->m_type == kNodeResult && n->m_subType == kSubFlow && n->m_state != kStateOutOfDate) {
                file.SetValue("ANALYSIS_FLOW_RESULT_FILE", n->m_filePath);
                break;
            }
        }
    }
}

ZQ_PM_Node* MProjectTree::CreateInputNode(ZQ_PM_Node* parent, MKeywordFile& file, Node_SubType subType, int flags)
{
    const char* stem = AnalysisStem(subType);
    if (!stem)
        return Fail("sub-type " + std::to_string(subType) + " is no analysis"), nullptr;
    if (!parent)
        return Fail("no parent node given"), nullptr;
    ZQ_PM_Node* input = nullptr;
    std::string written;
    CFilePath numbered;
    const bool changed = ChangeNode(parent, [&](ZQ_PM_Node* p) {
        // Under the lock, so two processes never pick the same number.
        std::string path;
        if (CResult named = NumberedFile(m_projectPath, stem, AnalysisInputExtension(subType), numbered, path); !named)
            return Fail(named.GetMessage());
        if (CResult r = file.Write(path); !r)
            return Fail(r.GetMessage());
        written = path;
        const int aim = subType == kSubFlow ? AimOfFile(file) : kAimNone;
        const int bits = subType != kSubFlow ? 0 : flags >= 0 ? flags : FlagsFromKeywords(file, aim);
        std::string label = file.GetValue("ANALYSIS_DESCRIPTION");
        const std::string base = hostpath::WithoutExtension(path);
        if (label.empty())
            label = std::string(AnalysisName(subType)) + " " + hostpath::BaseName(base).substr(std::string(stem).size());
        input = NewNode(p, kNodeInput, subType, label, path);
        input->m_state = kStatePending;
        input->m_flags = bits;
        input->m_flowAim = aim;
        ZQ_PM_Node* result = NewNode(input, kNodeResult, subType, "", base + AnalysisResultExtension(subType));
        result->m_state = kStatePending;
        result->m_flags = bits;
        result->m_flowAim = aim;
        return true;
    });
    if (changed)
        return input;
    if (!written.empty())
        ::unlink(written.c_str()); // no node refers to it
    // Nothing was made under the number: the counter gets it back.
    if (CResult released = numbered.ReleaseUniqueName(); !released)
        Fail(GetLastError() + "; and undoing it failed: " + released.GetMessage());
    return nullptr;
}

bool MProjectTree::UpdateInputNode(ZQ_PM_Node* node)
{
    if (!node || node->m_type != kNodeInput)
        return Fail("not an analysis input node");
    return ChangeNode(node, [&](ZQ_PM_Node* n) {
        MKeywordFile file;
        if (CResult loaded = file.Load(n->m_filePath); !loaded)
            return Fail(loaded.GetMessage());
        if (n->m_subType == kSubFlow) {
            n->m_flowAim = AimOfFile(file);
            n->m_flags = FlagsFromKeywords(file, n->m_flowAim) | (n->m_flags & kFlowOptimum);
        }
        std::string label = file.GetValue("ANALYSIS_DESCRIPTION");
        if (!label.empty())
            n->m_name = label;
        n->m_state = kStatePending;
        // Its own result must be computed again; what was built on it is stale.
        for (ZQ_PM_Node* c = n->m_firstChild; c; c = c->m_nextSibling) {
            if (c->m_type == kNodeResult && c == n->m_firstChild) {
                c->m_state = kStatePending;
                c->m_flowAim = n->m_flowAim;
                c->m_flags = n->m_flags;
            }
            MarkAnalysesBelowOutOfDate(c);
        }
        return true;
    });
}

// ---------------------------------------------------------------- machines

std::vector<std::string> MProjectTree::GetIMMFiles() const
{
    std::vector<std::string> files = hostpath::ListFiles(GetInstallDataPath() + "machines", ".imm");
    std::unordered_set<std::string> seen;
    for (const std::string& f : files)
        seen.insert(hostpath::PathKey(f));
    // The database folder and the project may be the installation folder.
    for (const std::string& folder : {GetMachineDBPath(), m_projectPath})
        for (const std::string& f : hostpath::ListFiles(folder, ".imm"))
            if (seen.insert(hostpath::PathKey(f)).second)
                files.push_back(f);
    return files;
}

std::string MProjectTree::GetMachineDBPath() const
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString("Machines", "DatabasePath", "") : std::string();
}

bool MProjectTree::SetMachineDBPath(const std::string& path)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return Fail("no application object to keep the machine database path");
    if (!app->WriteProfileString("Machines", "DatabasePath", hostpath::Normalize(path)))
        return Fail("cannot write the application profile");
    return true;
}

bool MProjectTree::GenerateMachineKeywords(const std::string& outFile, const std::string& machineFile) const
{
    MKeywordFile machine;
    if (!machine.Load(machineFile))
        return false;
    auto real = [&](const char* k) { return std::strtod(machine.GetValue(k).c_str(), nullptr); };
    const double diameter = real("MACHINE_INJECTION_SCREW_DIAMETER");
    const double stroke = real("MACHINE_INJECTION_SCREW_MAXIMUM_STROKE");
    const double speed = real("MACHINE_INJECTION_MAXIMUM_INJECTION_VELOCITY");
    const double pressure = real("MACHINE_INJECTION_MAXIMUM_INJECTION_PRESSURE");
    const double clamp = real("MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE");
    if (diameter <= 0 || stroke <= 0 || speed <= 0 || pressure <= 0)
        return false;

    // What the machine can deliver bounds what the optimiser may ask for.
    const double area = std::numbers::pi * diameter * diameter / 4;
    MKeywordFile out;
    out.SetValue("3DFLOW_RAM", "SPECIFIED");
    out.SetDouble("3DFLOW_RAM_SPECIFIED_DIAMETER", diameter);
    out.SetDouble("3DFLOW_RAM_SPECIFIED_STROKE_LENGTH", stroke);
    out.SetDouble("3DFLOW_MACHINE_MAXIMUM_SHOT_VOLUME", area * stroke);
    out.SetDouble("3DFLOW_MACHINE_MAXIMUM_FLOW_RATE", area * speed);
    out.SetDouble("3DFLOW_MACHINE_MAXIMUM_INJECTION_PRESSURE", pressure);
    if (clamp > 0)
        out.SetDouble("3DFLOW_MACHINE_MAXIMUM_CLAMP_FORCE", clamp);
    const double response = real("MACHINE_INJECTION_RESPONSE_TIME");
    if (response > 0)
        out.SetDouble("3DFLOW_MACHINE_RESPONSE_TIME", response);
    out.SetValue("INJECTION_FLOW_RATE_RANGE", "(0:" + FormatReal(area * speed) + "]");
    out.SetValue("3DFLOW_PRESSURE_CONTROL_SPECIFIED_RANGE", "(0:" + FormatReal(pressure) + "]");
    out.SetValue("3DFLOW_RAM_SPECIFIED_STROKE_LENGTH_RANGE", "(0:" + FormatReal(stroke) + "]");
    for (const char* k : {"MACHINE_CONTROLLER_MAXIMUM_VELOCITY_STEPS", "MACHINE_CONTROLLER_MAXIMUM_PRESSURE_STEPS"}) {
        double steps = real(k);
        if (steps >= 1) {
            std::string what = std::string(k).substr(sizeof("MACHINE_CONTROLLER_") - 1);
            out.SetValue("3DFLOW_OPTIM_" + what, std::to_string(static_cast<int>(steps)));
        }
    }
    return out.Write(outFile).IsOk();
}

// ---------------------------------------------------------------- materials

ZQ_PM_Node* MProjectTree::AddMaterialNode(ZQ_PM_Node* node, MMatSearch& search)
{
    const MMatData* chosen = search.GetSelection();
    if (!chosen)
        return Fail("no material chosen"), nullptr;
    if (!node)
        return Fail("no node given"), nullptr;
    ZQ_PM_Node* mesh = node->m_type == kNodeMesh ? node : node->GetModelMeshNode();
    const MMatData data = *chosen;
    ZQ_PM_Node* added = nullptr;
    std::string copied;
    CFilePath numbered;
    const bool changed = ChangeNode(mesh ? mesh : node, [&](ZQ_PM_Node* p) {
        // The project keeps its own copy, so a library change never alters
        // the analyses already made with it.
        std::string path;
        if (CResult named = NumberedFile(m_projectPath, "material", ".mtl", numbered, path); !named)
            return Fail(named.GetMessage());
        if (CResult r = wizsys::CopyFileReplacing(data.file, path); !r)
            return Fail(r.GetMessage());
        copied = path;
        Node_SubType sub = data.thermoset ? kSubThermoset : data.fiberFilled ? kSubFiberFilled : kSubThermoplastic;
        added = NewNode(p, kNodeMaterial, sub, data.name, path);
        return true;
    });
    if (changed)
        return added;
    if (!copied.empty())
        ::unlink(copied.c_str());
    if (CResult released = numbered.ReleaseUniqueName(); !released)
        Fail(GetLastError() + "; and undoing it failed: " + released.GetMessage());
    return nullptr;
}

bool MProjectTree::UpdateMaterialNode(ZQ_PM_Node* node, MMatSearch& search)
{
    const MMatData* chosen = search.GetSelection();
    if (!chosen)
        return Fail("no material chosen");
    if (!node || node->m_type != kNodeMaterial)
        return Fail("not a material node");
    const MMatData data = *chosen;
    return ChangeNode(node, [&](ZQ_PM_Node* n) {
        if (CResult r = wizsys::CopyFileReplacing(data.file, n->m_filePath); !r)
            return Fail(r.GetMessage());
        n->m_name = data.name;
        n->m_subType = data.thermoset ? kSubThermoset : data.fiberFilled ? kSubFiberFilled : kSubThermoplastic;
        n->m_imageId = NodeImageId(kNodeMaterial, n->m_subType);
        MarkAnalysesBelowOutOfDate(n);
        return true;
    });
}

void MProjectTree::MarkAnalysesBelowOutOfDate(ZQ_PM_Node* node)
{
    // Breadth first through one growing list: no recursion however deep the tree.
    std::vector<ZQ_PM_Node*> below;
    for (ZQ_PM_Node* c = node->m_firstChild; c; c = c->m_nextSibling)
        below.push_back(c);
    for (std::size_t i = 0; i < below.size(); ++i) {
        if (below[i]->m_type == kNodeInput || below[i]->m_type == kNodeResult)
            below[i]->m_state = kStateOutOfDate;
        for (ZQ_PM_Node* c = below[i]->m_firstChild; c; c = c->m_nextSibling)
            below.push_back(c);
    }
}
