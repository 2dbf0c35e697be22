#pragma once
// The host's project tree: a project is a folder holding its node files and
// one text project file that records the tree. Every change is made under an
// exclusive lock on the project, after re-reading the project file, and is
// written atomically, so several processes can work on one project at once.
// The numbers below are documented in docs/project.md.
#include "platform/system/Result.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class MKeywordFile;
class MMatSearch;
class MProjectTree;

// Node types.
enum Node_Type : int {
    kNodeProject = 0,     // the root: the project itself
    kNodeCadModel = 1,    // a CAD model file
    kNodeTranslation = 2, // a translator or mesher input keyword file (".081", ".092")
    kNodeMesh = 3,        // an analysis mesh or a mold/cooling mesh
    kNodeMaterial = 4,    // a material (keyword file)
    kNodeBoundary = 5,    // a boundary-condition set
    kNodeInput = 6,       // an analysis input (keyword file)
    kNodeResult = 7,      // an analysis result
    kNodeOther = 8,       // any other file kept with the project
    kNodeFolder = 9,      // a folder grouping nodes
    kNodeModelData = 10,  // model attribute data: mold model, element list
};

// Node sub-types. CAD model kinds 2 to 13 follow the translator's numbering.
enum Node_SubType : int {
    kSubNone = 0,
    kSubCadStl = 2,
    kSubCadPrep7 = 3,
    kSubCadQuvex = 4,
    kSubCadIges = 5,
    kSubCadNastran = 6,
    kSubCadPatran = 7,
    kSubCadNastranBulk = 8,
    kSubCadUniversal = 9,
    kSubCadUniversal2 = 10,
    kSubCadTessarin = 11,
    kSubCadStep = 12,
    kSubCadVda = 13,
    kSubMesh2DCool = 15,   // the mesh of a 2D cooling model
    kSubMoldMesh = 17,     // a mold model (".m3i", ".zqb"): not an analysis mesh
    kSubChannelMesh = 18,  // cooling channel lines (not an analysis mesh)
    kSubModelAttributes = 19, // attribute data of a model (".ain", ".ata", ".m3r")
    kSubMidplane = 20,
    kSubFusion = 21,       // a surface mesh of both skins of the part
    kSub3D = 22,
    kSubThermoplastic = 23,
    kSubFiberFilled = 24,
    kSubThermoset = 25,
    kSubElementList = 26,  // a mold model's element list (".ela")
    kSubFlow = 27,
    kSubCooling = 28,
    kSubWarpage = 29,
    kSubStress = 30,
    kSubTranslator = 31,   // translator input (".081")
    kSubMesher = 32,       // 3D mesher input (".092")
};

// Node states.
enum Node_State : int {
    kStateOk = 0,         // the file is there and up to date
    kStatePending = 1,    // an input was prepared; its job has not run yet
    kStateQueued = 2,
    kStateRunning = 3,
    kStateFailed = -1,    // the job ran and failed
    kStateOutOfDate = -2, // something it was built from has changed since
    kStateMissing = -3,   // its file is not on disk
};

// Flow aims: what a flow analysis simulates (from its "...ANALYSIS_AIM").
enum Flow_Aim : int {
    kAimNone = 0,
    kAimFilling = 1,       // FILLING
    kAimRunnerBalance = 2, // RUNNER_BALANCE
    kAimPacking = 3,       // PACKING, FILL_AND_PACK, PACKING_STANDALONE: a packed part
    kAimCuring = 4,        // CURING
    kAimMoldWindow = 5,    // MOLD_WINDOW: no part simulated
    kAimGateLocation = 6,  // GATE_LOCATION: no part simulated
    kAimOptimumFill = 7,   // OPTIMUM_FILL_PROFILE
    kAimOptimumPack = 8,   // OPTIMUM_PACK_PROFILE
};

// Flow option bits of an analysis.
constexpr int kFlowFiber = 1, kFlowGas = 2, kFlowThermoset = 4, kFlowOptimum = 8;

// One node of the tree. The tree owns it; a node stays valid until the tree
// is destroyed, even when it is removed (it is then unlinked, type -1).
class ZQ_PM_Node {
public:
    int GetState() const { return m_state; }
    int GetType() const { return m_type; }
    Node_SubType GetSubType() const { return m_subType; }
    int GetImageId() const { return m_imageId; }
    int GetId() const { return m_id; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetFilePath() const { return m_filePath; }
    ZQ_PM_Node* GetParent() const { return m_parent; }
    ZQ_PM_Node* GetFirstChild() const { return m_firstChild; }
    ZQ_PM_Node* GetNextSibling() const { return m_nextSibling; }
    MProjectTree* GetTree() const { return m_tree; }

    // The analysis mesh this node belongs to: itself for an analysis mesh
    // (sub-type 15, 20, 21, 22), else the nearest such node above it, else
    // the first such node below it (for a CAD model or folder). Null when none.
    ZQ_PM_Node* GetModelMeshNode();
    // Flow option bits (kFlowFiber ...) of an analysis input or result; 0 otherwise.
    int GetAnalysisFlags() const { return m_flags; }
    // The aim of the flow analysis this node is or follows (nearest flow
    // input or result at or above it); kAimNone when there is none.
    int GetFlowAim() const;
    // The user's label, or the file name when the label is empty.
    std::string GetDisplayLabel() const;
    // True with the path when the node has a keyword file: translation
    // inputs, materials and analysis inputs (their own file), and meshes
    // made by the translator (the ".092"/".081" file beside the mesh).
    bool GetKeywordFile(std::string& path) const;
    // Stores m_name (changed by the caller) in the project file.
    bool WriteUserLabel();

    // Fields the wizards read directly.
    int m_state = kStateOk;
    int m_imageId = 0;
    int m_type = kNodeOther;
    Node_SubType m_subType = kSubNone;
    std::string m_name;     // the user's label ("" shows the file name)
    std::string m_filePath; // absolute path, joined with "/"
    ZQ_PM_Node* m_parent = nullptr;
    ZQ_PM_Node* m_firstChild = nullptr;
    ZQ_PM_Node* m_nextSibling = nullptr;

    // Host bookkeeping.
    int m_id = -1;
    int m_flags = 0;
    int m_flowAim = kAimNone;
    MProjectTree* m_tree = nullptr;
};

class MProjectTree {
public:
    MProjectTree();
    ~MProjectTree();
    MProjectTree(const MProjectTree&) = delete;
    MProjectTree& operator=(const MProjectTree&) = delete;

    // The name of the project file inside a project folder.
    static const char* ProjectFileName(); // "project.zqp"

    // Opens the project in `folder`; fails when the folder or its project
    // file is missing, cut short or garbled.
    CResult Open(const std::string& folder);
    // Makes `folder` (created when absent) a new empty project named `name`;
    // fails when it already holds a project or cannot be written.
    CResult Create(const std::string& folder, const std::string& name);
    void Close();
    bool IsOpen() const { return m_open; }
    // The project folder, ending with "/"; "" when none is open.
    const std::string& GetProjectPath() const { return m_projectPath; }
    ZQ_PM_Node* GetRootNode() const { return m_root; }
    const std::string& GetProjectName() const { return m_projectName; }
    ZQ_PM_Node* FindNode(int id) const;
    // Every live node in tree order (depth first, children in order).
    std::vector<ZQ_PM_Node*> GetNodes() const;
    // The last error as one line, for the caller to show (the host's
    // interface; the operations returning CResult carry it themselves).
    const std::string& GetLastError() const { return m_lastError; }
    // Re-reads the project file (changes made by other processes).
    CResult Reload();

    // Generic editing (wizhost project add/remove). `file` may be absolute or
    // relative to the project folder; a file outside the folder is kept by
    // its absolute path. Null/false with GetLastError on failure.
    ZQ_PM_Node* AddNode(ZQ_PM_Node* parent, int type, Node_SubType subType,
                        const std::string& label, const std::string& file);
    // AddNode for a file from outside the project, copied into the project
    // folder under its own name (or a numbered one when that is taken). The
    // name, the copy and the node are made together under the project lock;
    // on failure there is neither copy nor node.
    ZQ_PM_Node* AddCopiedFile(ZQ_PM_Node* parent, int type, Node_SubType subType,
                              const std::string& label, const std::string& source);
    CResult RemoveNode(ZQ_PM_Node* node); // with its whole subtree; files stay
    CResult SetNodeState(ZQ_PM_Node* node, int state);
    bool WriteUserLabel(ZQ_PM_Node* node);

    // The node whose file is `path` (compared case-insensitively, "\\" and
    // "/" alike, relative paths against the project folder); null when none.
    ZQ_PM_Node* FindFileInTree(const std::string& path) const;
    // The node of a new file: the existing node when one has the file, else a
    // new node (type and sub-type from the extension) under the edit node, or
    // under the root when no edit node is set. A label recorded with
    // WriteMeshLabel for the file's base name becomes the node's label.
    ZQ_PM_Node* AddFile(const std::string& path);
    ZQ_PM_Node* AddFile(const std::string& path, ZQ_PM_Node* parent);
    // WriteMeshLabel(path, meshLabel) and AddFile(path) as one change of the
    // project file: both are made, or neither. Null with GetLastError.
    ZQ_PM_Node* AddLabeledFile(const std::string& path, const std::string& meshLabel);
    void SetEditNode(ZQ_PM_Node* node) { m_editNode = node; }
    ZQ_PM_Node* GetEditNode() const { return m_editNode; }

    // Fills an empty keyword file with the inputs of a new analysis of
    // `subType` started from `node`: the mesh and material files, the
    // material's keywords, temperatures from the material, and the previous
    // flow result for cooling, warpage and stress.
    void InitAnalysisInputs(MKeywordFile& file, Node_SubType subType, int flags, ZQ_PM_Node* node);
    // Writes `file` as a new numbered keyword file in the project and makes
    // an analysis input node of `subType` under `parent`, whose first child is
    // its (pending) result node. `flags` < 0 derives the flow option bits from
    // the keywords. Null with GetLastError when the file cannot be written.
    ZQ_PM_Node* CreateInputNode(ZQ_PM_Node* parent, MKeywordFile& file, Node_SubType subType, int flags = -1);
    // The input node's file was rewritten: its label, aim and flags are read
    // again, its result becomes pending and the results below go out of date.
    bool UpdateInputNode(ZQ_PM_Node* node);

    // Solver program for an analysis sub-type, mesh type and flow flags
    // ("zqflow", "zqflow3d", "zqgas", "zqfiber", "zqtset", "zqoptim",
    // "zqcool2d", "zqcool3d", "warp"); "" for other sub-types.
    std::string GetProgramName(Node_SubType subType, Node_SubType meshType, int flags) const;
    // Data path + program name + ".def".
    std::string GetDefaultsFile(Node_SubType subType, Node_SubType meshType, int flags) const;
    // The folder of the solver defaults and range files, ending with "/".
    // Unless set, it is the "solver" folder of the installation data folder
    // (GetInstallDataPath).
    const std::string& GetDataPath() const { return m_dataPath; }
    void SetDataPath(const std::string& path); // a separator is added when missing
    // The installation data folder, ending with "/", as hostpath::FindInstallData
    // finds it; "" when there is none.
    static std::string GetInstallDataPath();

    // "Mesh N" for the next mesh of the project.
    std::string GetNewMeshLabel() const;
    // Records the label that the mesh made at `file` (any extension) gets.
    bool WriteMeshLabel(const std::string& file, const std::string& label);

    // Machine files: the installation's "machines" folder, then the machine
    // database folder, then the project folder; each folder's files sorted.
    std::vector<std::string> GetIMMFiles() const;
    // Profile "Machines"/"DatabasePath" of the application; "" when unset.
    std::string GetMachineDBPath() const;
    bool SetMachineDBPath(const std::string& path);
    // Writes into `outFile` the flow keywords and ranges that follow from the
    // machine in `machineFile`: ram size, shot volume, and the limits of flow
    // rate, pressure and profile steps. False when the machine cannot be read.
    bool GenerateMachineKeywords(const std::string& outFile, const std::string& machineFile) const;

    // Copies the material chosen in `search` into the project and adds its
    // node under `node`'s mesh (or `node` itself). Null when none is chosen.
    ZQ_PM_Node* AddMaterialNode(ZQ_PM_Node* node, MMatSearch& search);
    // Replaces the material of `node` by the one chosen in `search`; the
    // analyses below go out of date.
    bool UpdateMaterialNode(ZQ_PM_Node* node, MMatSearch& search);

    // The mesh check callback the host may install (called on new meshes).
    using MeshCheckFunction = bool (*)(const char* path);
    void SetMeshCheckFunction(MeshCheckFunction f) { m_meshCheck = f; }

    // The path of a node's file as stored in the project file.
    std::string RelativePath(const std::string& absolute) const;
    std::string AbsolutePath(const std::string& stored) const;

private:
    struct Record;
    class Lock;
    friend class ZQ_PM_Node;

    bool ReadFile(std::vector<Record>& records, std::string& name, int& nextId,
                  std::map<std::string, std::string>& labels);
    void Apply(const std::vector<Record>& records, const std::string& name, int nextId,
               std::map<std::string, std::string>&& labels);
    bool WriteFile();
    bool Fail(const std::string& message);
    // Fail, as a result: m_lastError holds the message too.
    CResult Failure(const std::string& message);
    CResult AsResult(bool ok) const { return ok ? CResult::Ok() : CResult::Fail(m_lastError); }
    // Runs `change` under the project lock on a freshly read tree and writes
    // the result; false (tree as re-read) when the change or the write fails.
    bool Change(const std::function<bool()>& change);
    // Change() applied to `node` as re-read; fails when it is null or gone.
    bool ChangeNode(ZQ_PM_Node* node, const std::function<bool(ZQ_PM_Node*)>& change);
    // AddFile, recording `meshLabel` (when given) in the same change.
    ZQ_PM_Node* AddFileChange(const std::string& path, ZQ_PM_Node* parent, const std::string* meshLabel);
    // The key of the mesh labels for a file: its project-relative path without extension.
    std::string MeshLabelKey(const std::string& absPath) const;
    // Records the label and gives it to the mesh nodes already made for `key`.
    void SetMeshLabel(const std::string& key, const std::string& label);
    ZQ_PM_Node* NewNode(ZQ_PM_Node* parent, int type, Node_SubType subType,
                        const std::string& label, const std::string& absPath);
    void Unlink(ZQ_PM_Node* node);
    bool IsLive(const ZQ_PM_Node* node) const;
    // Every analysis input and result below `node` was built on what it
    // holds: all become out of date (`node` itself stays as it is).
    static void MarkAnalysesBelowOutOfDate(ZQ_PM_Node* node);

    bool m_open = false;
    std::string m_projectPath;
    std::string m_projectName;
    std::string m_dataPath;
    std::string m_lastError;
    int m_nextId = 1;
    ZQ_PM_Node* m_root = nullptr;
    ZQ_PM_Node* m_editNode = nullptr;
    std::map<int, std::unique_ptr<ZQ_PM_Node>> m_nodes; // live nodes by id
    std::vector<std::unique_ptr<ZQ_PM_Node>> m_removed; // kept for callers' pointers
    std::map<std::string, std::string> m_meshLabels;    // relative base name (PathKey) -> label
    std::unordered_map<std::string, ZQ_PM_Node*> m_pathIndex; // PathKey of a node's file -> node
    bool m_skipWrite = false; // set by a change that found nothing to change
    MeshCheckFunction m_meshCheck = nullptr;
};

// The numbered file names CreateInputNode gives, by analysis sub-type:
// "flow", "cool", "warp", "stress" with ".fin", ".cin", ".win", ".sin".
// Result files: ".flr", ".clr", ".wpr", ".str".
const char* AnalysisInputExtension(Node_SubType subType);
const char* AnalysisResultExtension(Node_SubType subType);
// Node type and sub-type for a file by its extension (kNodeOther/kSubNone
// when unknown); materials are told apart by their keywords.
void ClassifyFile(const std::string& path, int& type, Node_SubType& subType);
// What the host knows of a CAD model kind (sub-types 2 to 13).
struct CADTypeInfo {
    Node_SubType subType;
    const char* name;       // shown to the user
    const char* extensions; // the file extensions that mean it, blank-separated
};
// The entry of a CAD sub-type; null for any other sub-type.
const CADTypeInfo* GetCADTypeInfo(int subType);
// The image id shown for a node of this type and sub-type.
int NodeImageId(int type, Node_SubType subType);
// The flow aim of an "...ANALYSIS_AIM" token; kAimNone for any other text.
int FlowAimFromToken(const std::string& token);
