// wizhost project ...: make, list and edit a project on disk, and search the
// material library. Every change goes through MProjectTree, so it is locked
// and atomic like the wizards' own changes.
#include "app/Command.h"
#include "host/HostPaths.h"
#include "host/MaterialLibrary.h"
#include "host/ProjectTree.h"
#include "platform/system/FileIo.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cerrno>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace wizhost;

namespace {

const char kUsage[] =
    "wizhost project init DIR [--empty]      a copy of the sample project (or an empty one) in DIR\n"
    "wizhost project tree DIR                the tree: id, type, sub-type, state, label, file\n"
    "wizhost project add DIR FILE --type T --subtype S [--parent ID] [--label L]\n"
    "                                        add FILE (copied into DIR when outside it) as a node\n"
    "wizhost project remove DIR ID           remove a node with everything below it\n"
    "wizhost project show DIR ID             a node, and its keyword file when it has one\n"
    "wizhost project materials [--search TEXT]  the material library (exit 1: nothing matches)\n";

int Usage(const std::string& why)
{
    return Fail("project: " + why + " (see wizhost project --help)");
}

bool ParseId(const std::string& text, const char* what, int& value, std::string& error)
{
    long v = 0;
    if (!ParseInt(text, v) || v < INT_MIN || v > INT_MAX) {
        error = std::string(what) + " '" + text + "' is not a whole number";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// Options after the positional arguments: "--name value" pairs and flags.
struct Options {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> named;
    bool Has(const std::string& name) const
    {
        for (const auto& [n, v] : named)
            if (n == name)
                return true;
        return false;
    }
    std::string Get(const std::string& name) const
    {
        for (const auto& [n, v] : named)
            if (n == name)
                return v;
        return "";
    }
};

bool ParseOptions(const Args& args, std::size_t from, const std::vector<std::string>& valued,
                  const std::vector<std::string>& flags, Options& out, std::string& error)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            out.positional.push_back(a);
            continue;
        }
        bool isValued = std::find(valued.begin(), valued.end(), a) != valued.end();
        bool isFlag = std::find(flags.begin(), flags.end(), a) != flags.end();
        if (!isValued && !isFlag) {
            error = "unknown option '" + a + "'";
            return false;
        }
        if (out.Has(a)) {
            error = "option '" + a + "' given twice";
            return false;
        }
        if (isValued) {
            if (i + 1 >= args.size()) {
                error = "option '" + a + "' needs a value";
                return false;
            }
            out.named.emplace_back(a, args[++i]);
        } else {
            out.named.emplace_back(a, "");
        }
    }
    return true;
}

int OpenProject(MProjectTree& tree, const std::string& dir)
{
    if (!hostpath::IsDirectory(dir))
        return Fail("project: no such folder '" + dir + "'");
    if (CResult opened = tree.Open(dir); !opened)
        return Fail("project: " + opened.GetMessage());
    return kExitOk;
}

// Copies every file of `from` into `to` (flat; the sample project has no sub-folders).
bool CopyFolder(const std::string& from, const std::string& to, std::string& error)
{
    DIR* d = ::opendir(from.c_str());
    if (!d) {
        error = "cannot read the sample project '" + from + "'";
        return false;
    }
    bool ok = true;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || hostpath::IsDirectory(from + name) ||
            name.find(".lock") != std::string::npos)
            continue;
        if (CResult copied = wizsys::CopyFileReplacing(from + name, to + name); !copied) {
            error = copied.GetMessage();
            ok = false;
            break;
        }
    }
    ::closedir(d);
    return ok;
}

// Moves the files of the finished `stage` into `folder`, the project file
// last, so the folder holds a project only once every file is there. On
// failure the files already moved go back.
CResult Publish(const std::string& stage, const std::string& folder)
{
    if (!hostpath::IsDirectory(folder) || ::rmdir(folder.c_str()) == 0 || errno == ENOENT) {
        // A new (or empty) folder: the whole stage takes its place at once.
        if (wizsys::Rename(stage.c_str(), folder.c_str()) != 0)
            return CResult::FromErrno("cannot create the project folder '" + folder + "'");
        return CResult::Ok();
    }
    std::vector<std::string> names;
    if (DIR* d = ::opendir(stage.c_str())) {
        while (dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return (a == MProjectTree::ProjectFileName()) < (b == MProjectTree::ProjectFileName());
    });
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string from = stage + "/" + names[i], to = folder + "/" + names[i];
        if (hostpath::Exists(to) || wizsys::Rename(from.c_str(), to.c_str()) != 0) {
            CResult failed = hostpath::Exists(to) ? CResult::Fail("'" + to + "' is in the way")
                                                  : CResult::FromErrno("cannot move '" + names[i] + "' into the project");
            while (i-- > 0)
                ::rename((folder + "/" + names[i]).c_str(), (stage + "/" + names[i]).c_str());
            return failed;
        }
    }
    return CResult::Ok();
}

int Init(const Args& args)
{
    Options o;
    std::string error;
    if (!ParseOptions(args, 1, {}, {"--empty"}, o, error))
        return Usage(error);
    if (o.positional.size() != 1)
        return Usage("init needs exactly one folder");
    std::string dir = hostpath::Normalize(o.positional[0]);
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (hostpath::Exists(dir + "/" + MProjectTree::ProjectFileName()))
        return Fail("project: '" + o.positional[0] + "' already holds a project");
    if (hostpath::Exists(o.positional[0]) && !hostpath::IsDirectory(o.positional[0]))
        return Fail("project: '" + o.positional[0] + "' is a file, not a folder");
    const std::string sample = MProjectTree::GetInstallDataPath() + "sample-project/";
    if (!o.Has("--empty") && !hostpath::IsDirectory(sample))
        return Fail("project: no sample project at '" + sample + "' (set WIZ_DATA_DIR)");

    // The project is made in a folder beside its place and moved there whole,
    // so a failed init leaves no half project behind.
    const std::string parent = hostpath::Absolute(dir + "/..");
    if (!hostpath::IsDirectory(parent) && !hostpath::MakeDirectories(parent))
        return Fail("project: cannot create the folder '" + parent + "'");
    const std::string stage = wizsys::TemporaryNameFor(hostpath::Absolute(dir));
    std::error_code ec;
    std::filesystem::remove_all(stage, ec);
    CResult made;
    if (o.Has("--empty")) {
        MProjectTree staged;
        made = staged.Create(stage, hostpath::BaseName(dir));
    } else if (::mkdir(stage.c_str(), 0777) != 0) {
        made = CResult::FromErrno("cannot create the folder '" + stage + "'");
    } else if (!CopyFolder(sample, stage + "/", error)) {
        made = CResult::Fail(error);
    }
    if (made)
        made = Publish(stage, dir);
    std::filesystem::remove_all(stage, ec);
    if (!made)
        return Fail("project: " + made.GetMessage());

    MProjectTree tree;
    if (CResult opened = tree.Open(dir); !opened)
        return Fail("project: " + opened.GetMessage());
    std::printf("project in %s: %zu nodes\n", tree.GetProjectPath().c_str(), tree.GetNodes().size());
    return kExitOk;
}

int Depth(const ZQ_PM_Node* n)
{
    int depth = 0;
    for (; n->GetParent(); n = n->GetParent())
        ++depth;
    return depth;
}

int Tree(const Args& args)
{
    if (args.size() != 2)
        return Usage("tree needs exactly one folder");
    MProjectTree tree;
    if (int rc = OpenProject(tree, args[1]))
        return rc;
    for (const ZQ_PM_Node* n : tree.GetNodes()) {
        std::printf("%*s%d type %d sub-type %d state %d \"%s\"", 2 * Depth(n), "", n->GetId(), n->GetType(),
                    static_cast<int>(n->GetSubType()), n->GetState(), n->GetDisplayLabel().c_str());
        if (!n->GetFilePath().empty())
            std::printf(" %s", tree.RelativePath(n->GetFilePath()).c_str());
        std::printf("\n");
    }
    return kExitOk;
}

int Add(const Args& args)
{
    Options o;
    std::string error;
    if (!ParseOptions(args, 1, {"--type", "--subtype", "--parent", "--label"}, {}, o, error))
        return Usage(error);
    if (o.positional.size() != 2)
        return Usage("add needs a folder and a file");
    if (!o.Has("--type") || !o.Has("--subtype"))
        return Usage("add needs --type and --subtype");
    int type = 0, subType = 0, parentId = 0;
    if (!ParseId(o.Get("--type"), "type", type, error) || !ParseId(o.Get("--subtype"), "sub-type", subType, error) ||
        (o.Has("--parent") && !ParseId(o.Get("--parent"), "parent id", parentId, error)))
        return Fail("project: " + error);
    if (type <= kNodeProject || type > kNodeModelData)
        return Fail("project: type " + std::to_string(type) + " is not a node type (1 to 10)");
    if (subType < 0)
        return Fail("project: sub-type " + std::to_string(subType) + " is negative");

    MProjectTree tree;
    if (int rc = OpenProject(tree, o.positional[0]))
        return rc;
    ZQ_PM_Node* parent = tree.FindNode(parentId);
    if (!parent)
        return Fail("project: node " + std::to_string(parentId) + " does not exist");
    const std::string& file = o.positional[1];
    if (!hostpath::Exists(file) || hostpath::IsDirectory(file))
        return Fail("project: no such file '" + file + "'");

    // The project keeps its files together: a file from elsewhere is copied in.
    const std::string path = hostpath::Absolute(file);
    ZQ_PM_Node* node = tree.RelativePath(path) == path
                           ? tree.AddCopiedFile(parent, type, static_cast<Node_SubType>(subType), o.Get("--label"), path)
                           : tree.AddNode(parent, type, static_cast<Node_SubType>(subType), o.Get("--label"), path);
    if (!node)
        return Fail("project: " + tree.GetLastError());
    std::printf("%d\n", node->GetId());
    return kExitOk;
}

// The project folder args[1] and its node args[2]; an exit code when the
// arguments are wrong or either is missing.
int OpenNode(const Args& args, const char* usage, MProjectTree& tree, ZQ_PM_Node*& node)
{
    if (args.size() != 3)
        return Usage(usage);
    int id = 0;
    std::string error;
    if (!ParseId(args[2], "node id", id, error))
        return Fail("project: " + error);
    if (int rc = OpenProject(tree, args[1]))
        return rc;
    node = tree.FindNode(id);
    if (!node)
        return Fail("project: node " + std::to_string(id) + " does not exist");
    return kExitOk;
}

int Remove(const Args& args)
{
    MProjectTree tree;
    ZQ_PM_Node* node = nullptr;
    if (int rc = OpenNode(args, "remove needs a folder and a node id", tree, node))
        return rc;
    if (CResult removed = tree.RemoveNode(node); !removed)
        return Fail("project: " + removed.GetMessage());
    return kExitOk;
}

int Show(const Args& args)
{
    MProjectTree tree;
    ZQ_PM_Node* n = nullptr;
    if (int rc = OpenNode(args, "show needs a folder and a node id", tree, n))
        return rc;
    std::printf("id: %d\nparent: %d\ntype: %d\nsub-type: %d\nstate: %d\nimage: %d\nlabel: %s\nfile: %s\n",
                n->GetId(), n->GetParent() ? n->GetParent()->GetId() : -1, n->GetType(),
                static_cast<int>(n->GetSubType()), n->GetState(), n->GetImageId(), n->GetDisplayLabel().c_str(),
                n->GetFilePath().c_str());
    if (n->GetType() == kNodeInput || n->GetType() == kNodeResult)
        std::printf("flags: %d\nflow aim: %d\n", n->GetAnalysisFlags(), n->GetFlowAim());
    if (ZQ_PM_Node* mesh = n->GetModelMeshNode())
        std::printf("model mesh: %d\n", mesh->GetId());
    std::string keywordFile, text;
    if (n->GetKeywordFile(keywordFile)) {
        std::printf("keyword file: %s\n", keywordFile.c_str());
        if (CResult read = wizsys::ReadWholeFile(keywordFile, text); !read)
            return Fail("project: " + read.GetMessage());
        std::string lf;
        lf.reserve(text.size());
        for (char c : text)
            if (c != '\r')
                lf += c;
        std::printf("\n%s", lf.c_str());
        if (!lf.empty() && lf.back() != '\n')
            std::printf("\n");
    }
    return kExitOk;
}

int Materials(const Args& args)
{
    Options o;
    std::string error;
    if (!ParseOptions(args, 1, {"--search"}, {}, o, error))
        return Usage(error);
    if (!o.positional.empty())
        return Usage("materials takes no folder");
    MMatSearch search;
    if (!hostpath::IsDirectory(search.GetLibraryPath()))
        return Fail("project: no material library at '" + search.GetLibraryPath() + "' (set WIZ_DATA_DIR)");
    int found = search.Search(o.Get("--search"));
    for (const MMatData& m : search.GetMatches()) {
        const char* kind = m.thermoset ? "thermoset" : m.fiberFilled ? "fiber-filled" : "thermoplastic";
        std::printf("%s | %s | %s | %s | %s\n", m.name.c_str(), m.manufacturer.c_str(), m.family.c_str(), kind,
                    hostpath::BaseName(m.file).c_str());
    }
    return found > 0 ? kExitOk : kExitNo;
}

int Run(const Args& args)
{
    if (args.empty())
        return Usage("no command given");
    if (WantsHelp(args)) {
        std::printf("%s", kUsage);
        return kExitOk;
    }
    const std::string& c = args[0];
    if (c == "init")
        return Init(args);
    if (c == "tree")
        return Tree(args);
    if (c == "add")
        return Add(args);
    if (c == "remove")
        return Remove(args);
    if (c == "show")
        return Show(args);
    if (c == "materials")
        return Materials(args);
    return Usage("unknown command '" + c + "'");
}

const WizCommand kProject("project", kUsage, Run);

} // namespace
