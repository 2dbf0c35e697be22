// The host's two text readers, the project file and the restart index, on
// arbitrary bytes: they must refuse or accept without crashing, and an
// accepted project must write back to a file that reads as the same tree.
#include "host/FlowRestarts.h"
#include "host/HostPaths.h"
#include "host/ProjectTree.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

static const std::string& Folder()
{
    static std::string folder = [] {
        char name[] = "/tmp/fuzz_project_XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made ? made : "/tmp") + "/";
    }();
    return folder;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string& folder = Folder();
    if (!hostpath::WriteFileAtomic(folder + MProjectTree::ProjectFileName(), bytes))
        return 0;
    MProjectTree tree;
    if (tree.Open(folder)) {
        const size_t nodes = tree.GetNodes().size();
        // A no-op change rewrites the file; it must read back the same.
        if (tree.AddNode(tree.GetRootNode(), kNodeOther, kSubNone, "", "") && tree.RemoveNode(
                tree.FindNode(tree.GetNodes().back()->GetId()))) {
            MProjectTree again;
            if (!again.Open(folder) || again.GetNodes().size() != nodes)
                abort();
        }
    }
    hostpath::WriteFileAtomic(folder + "r.fr0", bytes);
    MFlowRestarts restarts(folder + "r.fr0");
    for (int i = 0; i < restarts.GetCount(); ++i)
        (void)restarts.GetDescription(i);
    return 0;
}
