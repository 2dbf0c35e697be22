#include "host/ProjectTree.h"

#include "host/HostPaths.h"
#include "platform/system/FileIo.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using hostpath::BaseName;
using hostpath::Normalize;

// An exclusive flock on "<project>/project.zqp.lock" for the life of the object.
class MProjectTree::Lock {
public:
    explicit Lock(const std::string& projectPath)
    {
        m_fd = ::open((projectPath + ProjectFileName() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0)
            return;
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~Lock()
    {
        if (m_fd >= 0) {
            ::flock(m_fd, LOCK_UN);
            ::close(m_fd);
        }
    }
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// ---------------------------------------------------------------- nodes

ZQ_PM_Node* ZQ_PM_Node::GetModelMeshNode()
{
    auto isMesh = [](const ZQ_PM_Node* n) {
        return n->m_type == kNodeMesh &&
               (n->m_subType == kSubMesh2DCool || n->m_subType == kSubMidplane ||
                n->m_subType == kSubFusion || n->m_subType == kSub3D);
    };
    for (ZQ_PM_Node* n = this; n; n = n->m_parent)
        if (isMesh(n))
            return n;
    // A CAD model or folder holds its meshes below it: take the first one.
    std::vector<ZQ_PM_Node*> stack;
    for (ZQ_PM_Node* c = m_firstChild; c; c = c->m_nextSibling)
        stack.push_back(c);
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        ZQ_PM_Node* n = stack.back();
        stack.pop_back();
        if (isMesh(n))
            return n;
        std::size_t at = stack.size();
        for (ZQ_PM_Node* c = n->m_firstChild; c; c = c->m_nextSibling)
            stack.push_back(c);
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(at), stack.end());
    }
    return nullptr;
}

int ZQ_PM_Node::GetFlowAim() const
{
    for (const ZQ_PM_Node* n = this; n; n = n->m_parent)
        if (n->m_subType == kSubFlow && (n->m_type == kNodeInput || n->m_type == kNodeResult))
            return n->m_flowAim;
    return kAimNone;
}

std::string ZQ_PM_Node::GetDisplayLabel() const
{
    if (!m_name.empty())
        return m_name;
    if (m_type == kNodeProject && m_tree && !m_tree->GetProjectName().empty())
        return m_tree->GetProjectName();
    if (m_filePath.empty())
        return "(node " + std::to_string(m_id) + ")";
    return BaseName(m_filePath);
}

bool ZQ_PM_Node::GetKeywordFile(std::string& path) const
{
    if (m_filePath.empty())
        return false;
    if (m_type == kNodeTranslation || m_type == kNodeMaterial || m_type == kNodeInput) {
        path = m_filePath;
        return true;
    }
    if (m_type == kNodeMesh) {
        // The translator writes its input beside the mesh it makes.
        const std::string base = hostpath::WithoutExtension(m_filePath);
        for (const char* ext : {".092", ".081"}) {
            if (hostpath::Exists(base + ext)) {
                path = base + ext;
                return true;
            }
        }
    }
    return false;
}

bool ZQ_PM_Node::WriteUserLabel()
{
    return m_tree && m_tree->WriteUserLabel(this);
}

// ---------------------------------------------------------------- tree

MProjectTree::MProjectTree()
{
    m_dataPath = GetInstallDataPath() + "solver/";
}

MProjectTree::~MProjectTree() = default;

const char* MProjectTree::ProjectFileName()
{
    return "project.zqp";
}

bool MProjectTree::Fail(const std::string& message)
{
    m_lastError = message;
    return false;
}

CResult MProjectTree::Failure(const std::string& message)
{
    m_lastError = message;
    return CResult::Fail(message);
}

void MProjectTree::Close()
{
    for (auto& [id, node] : m_nodes) {
        node->m_type = -1;
        node->m_parent = node->m_firstChild = node->m_nextSibling = nullptr;
        m_removed.push_back(std::move(node));
    }
    m_nodes.clear();
    m_pathIndex.clear();
    m_meshLabels.clear();
    m_root = m_editNode = nullptr;
    m_open = false;
    m_projectPath.clear();
    m_projectName.clear();
}

CResult MProjectTree::Open(const std::string& folder)
{
    Close();
    std::string path = hostpath::Absolute(folder);
    if (!hostpath::IsDirectory(path))
        return Failure("no such project folder '" + folder + "'");
    if (path.back() != '/')
        path += '/';
    m_projectPath = path;
    if (!Reload()) {
        std::string error = m_lastError;
        Close();
        return Failure(error);
    }
    m_open = true;
    return CResult::Ok();
}

CResult MProjectTree::Create(const std::string& folder, const std::string& name)
{
    Close();
    if (folder.empty())
        return Failure("no project folder given");
    std::string path = hostpath::Absolute(folder);
    if (!hostpath::IsDirectory(path) && !hostpath::MakeDirectories(path))
        return Failure("cannot create the project folder '" + folder + "'");
    if (path.back() != '/')
        path += '/';
    if (hostpath::Exists(path + ProjectFileName()))
        return Failure("'" + folder + "' already holds a project");
    m_projectPath = path;
    m_projectName = name;
    m_nextId = 1;
    auto root = std::make_unique<ZQ_PM_Node>();
    root->m_id = 0;
    root->m_type = kNodeProject;
    root->m_imageId = NodeImageId(kNodeProject, kSubNone);
    root->m_tree = this;
    m_root = root.get();
    m_nodes[0] = std::move(root);
    Lock lock(m_projectPath);
    if (!lock.Held() || !WriteFile()) {
        std::string error = m_lastError.empty() ? "cannot lock the project in '" + folder + "'" : m_lastError;
        Close();
        return Failure(error);
    }
    m_open = true;
    return CResult::Ok();
}

ZQ_PM_Node* MProjectTree::FindNode(int id) const
{
    auto it = m_nodes.find(id);
    return it == m_nodes.end() ? nullptr : it->second.get();
}

std::vector<ZQ_PM_Node*> MProjectTree::GetNodes() const
{
    std::vector<ZQ_PM_Node*> out;
    if (!m_root)
        return out;
    std::vector<ZQ_PM_Node*> stack{m_root};
    while (!stack.empty()) {
        ZQ_PM_Node* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        std::size_t at = stack.size();
        for (ZQ_PM_Node* c = n->m_firstChild; c; c = c->m_nextSibling)
            stack.push_back(c);
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(at), stack.end());
    }
    return out;
}

bool MProjectTree::IsLive(const ZQ_PM_Node* node) const
{
    return node && node->m_tree == this && FindNode(node->m_id) == node;
}

std::string MProjectTree::RelativePath(const std::string& absolute) const
{
    std::string path = Normalize(absolute);
    if (!m_projectPath.empty() && path.size() > m_projectPath.size() &&
        hostpath::EqualsNoCase(path.substr(0, m_projectPath.size()), m_projectPath))
        return path.substr(m_projectPath.size());
    return path;
}

std::string MProjectTree::AbsolutePath(const std::string& stored) const
{
    if (stored.empty())
        return stored;
    std::string path = Normalize(stored);
    if (hostpath::IsAbsolute(path))
        return path;
    return m_projectPath + path;
}

bool MProjectTree::Change(const std::function<bool()>& change)
{
    if (!m_open)
        return Fail("no project is open");
    Lock lock(m_projectPath);
    if (!lock.Held())
        return Fail("cannot lock the project in '" + m_projectPath + "'");
    // Another process may have changed the project since we read it.
    if (!Reload())
        return false;
    // Writers killed before their rename leave temporary files behind; the
    // lock keeps live writers of the project out while they are cleared.
    wizsys::RemoveStaleTemporaries(m_projectPath);
    m_skipWrite = false;
    if (!change() || (!m_skipWrite && !WriteFile())) {
        std::string error = m_lastError;
        (void)Reload(); // back to what is on disk: the change failed either way
        return Fail(error);
    }
    return true;
}

ZQ_PM_Node* MProjectTree::NewNode(ZQ_PM_Node* parent, int type, Node_SubType subType,
                                  const std::string& label, const std::string& absPath)
{
    assert(parent);
    auto node = std::make_unique<ZQ_PM_Node>();
    node->m_id = m_nextId++;
    node->m_type = type;
    node->m_subType = subType;
    node->m_imageId = NodeImageId(type, subType);
    node->m_name = label;
    node->m_filePath = absPath.empty() ? absPath : Normalize(absPath);
    node->m_tree = this;
    node->m_parent = parent;
    ZQ_PM_Node** link = &parent->m_firstChild;
    while (*link)
        link = &(*link)->m_nextSibling;
    *link = node.get();
    ZQ_PM_Node* raw = node.get();
    m_nodes[raw->m_id] = std::move(node);
    if (!raw->m_filePath.empty())
        m_pathIndex[hostpath::PathKey(raw->m_filePath)] = raw;
    return raw;
}

void MProjectTree::Unlink(ZQ_PM_Node* node)
{
    ZQ_PM_Node** link = &node->m_parent->m_firstChild;
    while (*link != node)
        link = &(*link)->m_nextSibling;
    *link = node->m_nextSibling;
    std::vector<ZQ_PM_Node*> doomed{node};
    for (std::size_t i = 0; i < doomed.size(); ++i)
        for (ZQ_PM_Node* c = doomed[i]->m_firstChild; c; c = c->m_nextSibling)
            doomed.push_back(c);
    for (ZQ_PM_Node* n : doomed) {
        if (n == m_editNode)
            m_editNode = nullptr;
        auto it = m_pathIndex.find(hostpath::PathKey(n->m_filePath));
        if (it != m_pathIndex.end() && it->second == n)
            m_pathIndex.erase(it);
        auto owned = m_nodes.find(n->m_id);
        n->m_type = -1;
        n->m_parent = n->m_firstChild = n->m_nextSibling = nullptr;
        m_removed.push_back(std::move(owned->second));
        m_nodes.erase(owned);
    }
}

ZQ_PM_Node* MProjectTree::AddNode(ZQ_PM_Node* parent, int type, Node_SubType subType,
                                  const std::string& label, const std::string& file)
{
    if (!parent)
        parent = m_root;
    const int parentId = parent ? parent->m_id : 0;
    if (type < 0 || type == kNodeProject)
        return Fail("node type " + std::to_string(type) + " cannot be added"), nullptr;
    const std::string absPath = file.empty() ? file : AbsolutePath(file);
    ZQ_PM_Node* added = nullptr;
    const bool changed = Change([&] {
        ZQ_PM_Node* p = FindNode(parentId);
        if (!p)
            return Fail("node " + std::to_string(parentId) + " does not exist");
        added = NewNode(p, type, subType, label, absPath);
        added->m_state = (absPath.empty() || hostpath::Exists(absPath)) ? kStateOk : kStateMissing;
        return true;
    });
    return changed ? added : nullptr;
}

ZQ_PM_Node* MProjectTree::AddCopiedFile(ZQ_PM_Node* parent, int type, Node_SubType subType,
                                        const std::string& label, const std::string& source)
{
    if (!parent)
        parent = m_root;
    const int parentId = parent ? parent->m_id : 0;
    if (type < 0 || type == kNodeProject)
        return Fail("node type " + std::to_string(type) + " cannot be added"), nullptr;
    const std::string from = hostpath::Absolute(source);
    ZQ_PM_Node* added = nullptr;
    std::string copied;
    const bool changed = Change([&] {
        ZQ_PM_Node* p = FindNode(parentId);
        if (!p)
            return Fail("node " + std::to_string(parentId) + " does not exist");
        // Chosen under the lock: two adds of files with one base name never
        // pick the same name, nor a name a node already refers to.
        std::string target = m_projectPath + hostpath::BaseName(from);
        const std::string stem = hostpath::WithoutExtension(hostpath::BaseName(from));
        const std::string ext = hostpath::Extension(from);
        if (hostpath::Exists(target) || FindFileInTree(target))
            target = hostpath::NumberedName(m_projectPath, stem, ext);
        // A node may name a file that is missing from the folder.
        for (int n = 2; FindFileInTree(target); ++n)
            target = m_projectPath + stem + "_" + std::to_string(n) + ext;
        if (CResult r = wizsys::CopyFileReplacing(from, target); !r)
            return Fail(r.GetMessage());
        copied = target;
        added = NewNode(p, type, subType, label, target);
        added->m_state = kStateOk;
        return true;
    });
    if (!changed && !copied.empty())
        ::unlink(copied.c_str()); // the node was not written: its copy goes too
    return changed ? added : nullptr;
}

bool MProjectTree::ChangeNode(ZQ_PM_Node* node, const std::function<bool(ZQ_PM_Node*)>& change)
{
    if (!node)
        return Fail("no node given");
    // The caller's pointer belongs to the tree as it was; the change applies
    // to the same node, by id, in the tree as re-read under the lock.
    const int id = node->m_id;
    return Change([&] {
        ZQ_PM_Node* n = FindNode(id);
        if (!n)
            return Fail("node " + std::to_string(id) + " does not exist");
        return change(n);
    });
}

CResult MProjectTree::RemoveNode(ZQ_PM_Node* node)
{
    return AsResult(ChangeNode(node, [&](ZQ_PM_Node* n) {
        if (n == m_root)
            return Fail("the project root cannot be removed");
        Unlink(n);
        return true;
    }));
}

CResult MProjectTree::SetNodeState(ZQ_PM_Node* node, int state)
{
    return AsResult(ChangeNode(node, [&](ZQ_PM_Node* n) {
        n->m_state = state;
        return true;
    }));
}

bool MProjectTree::WriteUserLabel(ZQ_PM_Node* node)
{
    // The caller changed m_name in place; re-reading under the lock would
    // overwrite it, so keep it aside first.
    const std::string label = node ? node->m_name : std::string();
    return ChangeNode(node, [&](ZQ_PM_Node* n) {
        n->m_name = label;
        return true;
    });
}

ZQ_PM_Node* MProjectTree::FindFileInTree(const std::string& path) const
{
    if (path.empty() || !m_root)
        return nullptr;
    auto it = m_pathIndex.find(hostpath::PathKey(AbsolutePath(path)));
    return it == m_pathIndex.end() ? nullptr : it->second;
}

ZQ_PM_Node* MProjectTree::AddFile(const std::string& path)
{
    return AddFile(path, m_editNode);
}

ZQ_PM_Node* MProjectTree::AddFile(const std::string& path, ZQ_PM_Node* parent)
{
    return AddFileChange(path, parent, nullptr);
}

ZQ_PM_Node* MProjectTree::AddLabeledFile(const std::string& path, const std::string& meshLabel)
{
    return AddFileChange(path, m_editNode, &meshLabel);
}

ZQ_PM_Node* MProjectTree::AddFileChange(const std::string& path, ZQ_PM_Node* parent, const std::string* meshLabel)
{
    if (path.empty())
        return Fail("no file given"), nullptr;
    const std::string absPath = AbsolutePath(path);
    const int parentId = parent ? parent->m_id : 0;
    ZQ_PM_Node* node = nullptr;
    const bool changed = Change([&] {
        if (meshLabel)
            SetMeshLabel(MeshLabelKey(absPath), *meshLabel);
        if ((node = FindFileInTree(absPath)) != nullptr) {
            m_skipWrite = meshLabel == nullptr;
            return true;
        }
        ZQ_PM_Node* p = FindNode(parentId);
        if (!p)
            p = m_root; // the edit node went away meanwhile
        int type = kNodeOther;
        Node_SubType subType = kSubNone;
        if (hostpath::IsDirectory(absPath))
            type = kNodeFolder;
        else
            ClassifyFile(absPath, type, subType);
        std::string label;
        auto it = m_meshLabels.find(MeshLabelKey(absPath));
        if (it != m_meshLabels.end())
            label = it->second;
        node = NewNode(p, type, subType, label, absPath);
        node->m_state = hostpath::Exists(absPath) ? kStateOk : kStateMissing;
        if (type == kNodeMesh && m_meshCheck && node->m_state == kStateOk && !m_meshCheck(absPath.c_str()))
            node->m_state = kStateFailed;
        return true;
    });
    if (!changed || (node && !IsLive(node)))
        node = nullptr;
    return node;
}

std::string MProjectTree::GetNewMeshLabel() const
{
    int meshes = 0;
    for (const auto& [id, node] : m_nodes)
        if (node->m_type == kNodeMesh)
            ++meshes;
    return "Mesh " + std::to_string(meshes + 1);
}

bool MProjectTree::WriteMeshLabel(const std::string& file, const std::string& label)
{
    if (file.empty())
        return Fail("no mesh file given");
    const std::string key = MeshLabelKey(AbsolutePath(file));
    return Change([&] {
        SetMeshLabel(key, label);
        return true;
    });
}

std::string MProjectTree::MeshLabelKey(const std::string& absPath) const
{
    return hostpath::PathKey(RelativePath(hostpath::WithoutExtension(absPath)));
}

void MProjectTree::SetMeshLabel(const std::string& key, const std::string& label)
{
    m_meshLabels[key] = label;
    // A node already made for that mesh takes the label at once.
    for (auto& [id, node] : m_nodes)
        if (node->m_type == kNodeMesh && MeshLabelKey(node->m_filePath) == key)
            node->m_name = label;
}

void MProjectTree::SetDataPath(const std::string& path)
{
    m_dataPath = Normalize(path);
    if (!m_dataPath.empty() && m_dataPath.back() != '/')
        m_dataPath += '/';
}
