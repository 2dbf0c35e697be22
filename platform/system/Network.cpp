#include "platform/system/Network.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>

namespace {

std::mutex g_tableLock;
std::string g_tableFile; // "" : $WIZ_MOUNT_TABLE, else the system's table
std::atomic<std::size_t> g_queries{0};

// The mount table escapes blanks, tabs, newlines and backslashes as octal.
std::string Unescape(const std::string& field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3'
            && field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// Whether `mountPoint` is `path` or one of its ancestor directories.
bool Contains(const std::string& mountPoint, const std::string& path)
{
    if (mountPoint == "/")
        return !path.empty() && path[0] == '/';
    return path.compare(0, mountPoint.size(), mountPoint) == 0
        && (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

} // namespace

namespace Network {

std::string ProviderForType(const std::string& fsType)
{
    if (fsType == "nfs" || fsType == "nfs4")
        return "NFS";
    if (fsType == "cifs" || fsType == "smb3" || fsType == "smbfs")
        return "Microsoft Windows Network";
    // Other network file systems: none of them is served by Windows.
    static const char* const kOthers[] = {"afs", "ceph", "glusterfs", "lustre", "9p", "davfs",
                                          "fuse.sshfs", "fuse.glusterfs", "fuse.davfs2", "ncpfs", "coda"};
    for (const char* other : kOthers)
        if (fsType == other)
            return fsType;
    return "";
}

CNetResourceInfo GetResourceInformation(const std::string& absolutePath)
{
    ++g_queries;
    std::string file;
    {
        std::lock_guard<std::mutex> lock(g_tableLock);
        file = g_tableFile;
    }
    if (file.empty()) {
        const char* env = std::getenv(kMountTableVariable);
        file = env && *env ? env : kDefaultMountTable;
    }
    CNetResourceInfo best;
    std::size_t bestLength = 0;
    bool found = false;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        // "source mount-point type options dump pass"
        std::size_t a = line.find(' ');
        std::size_t b = a == std::string::npos ? a : line.find(' ', a + 1);
        std::size_t c = b == std::string::npos ? b : line.find(' ', b + 1);
        if (b == std::string::npos)
            continue;
        const std::string mountPoint = Unescape(line.substr(a + 1, b - a - 1));
        if (!Contains(mountPoint, absolutePath))
            continue;
        // Later mounts over the same point hide earlier ones, so ">=".
        if (found && mountPoint.size() < bestLength)
            continue;
        found = true;
        bestLength = mountPoint.size();
        const std::string type = line.substr(b + 1, c == std::string::npos ? std::string::npos : c - b - 1);
        best.m_provider = ProviderForType(type);
        best.m_remoteName = Unescape(line.substr(0, a));
        best.m_mountPoint = mountPoint;
    }
    return best;
}

void SetMountTableFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    g_tableFile = path;
}

std::size_t QueryCount()
{
    return g_queries.load();
}

} // namespace Network
