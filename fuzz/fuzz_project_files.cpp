// The host's two text readers, the project file and the restart index, on
// arbitrary bytes: they must refuse or accept without crashing, and an
// accepted project must write back to a file that reads as the same tree.
#include "host/FlowRestarts.h"
#include "host/HostPaths.h"
#include "host/ProjectTree.h"

#include <cstdint>
#include <cstdio>
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

// Most mutations break the checksum and stop at it; sealing half of the
// inputs with a matching END record lets the fuzzer reach the records.
static std::string Sealed(std::string text)
{
    uint32_t table[256];
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    const size_t end = text.rfind("END\t");
    if (end != std::string::npos)
        text.resize(end);
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    int nodes = 0;
    for (size_t at = 0; (at = text.find("NODE\t", at)) != std::string::npos; ++at)
        if (at == 0 || text[at - 1] == '\n')
            ++nodes;
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : text)
        crc = table[(crc ^ c) & 0xFF] ^ (crc >> 8);
    char line[64];
    std::snprintf(line, sizeof line, "END\t%d\t%08X\n", nodes, crc ^ 0xFFFFFFFFu);
    return text + line;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        bytes = Sealed(bytes);
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
