#include "platform/system/Network.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

struct SMount {
    std::string point;
    std::string provider;
    std::string source;
};

// The mount table, read once and read again only when it changes. Every file
// a wizard opens asks where it lies, and the system builds its table text
// anew for every read: with a few dozen mounts that read cost more than
// loading a small keyword file. The system's table reports a change by
// polling as a priority event on a descriptor kept open; a table in an
// ordinary file is read again when its identity, size or times change.
class CMountTable {
public:
    void Refresh(const std::string& file)
    {
        if (file != m_file)
            Forget();
        if (IsSystemTable(file) ? !Changed() : SameFile(file))
            return;
        m_file = file;
        m_mounts.clear();
        std::string text;
        if (ReadAll(file, text))
            Parse(text);
    }

    void Forget()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_file.clear();
        m_mounts.clear();
        m_known = false;
    }

    const std::vector<SMount>& Mounts() const { return m_mounts; }

private:
    static bool IsSystemTable(const std::string& file) { return file.rfind("/proc/", 0) == 0; }

    // True when the system's table must be read (first use, a mount or
    // unmount since the last poll, or a forked process that inherited the
    // descriptor of its parent's table).
    bool Changed()
    {
        if (m_fd < 0 || m_pid != ::getpid())
            return true;
        pollfd watch{m_fd, POLLPRI, 0};
        return ::poll(&watch, 1, 0) != 0;
    }

    bool SameFile(const std::string& file)
    {
        struct stat st;
        const bool exists = ::stat(file.c_str(), &st) == 0;
        const SIdentity now = exists ? SIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec,
                                                 st.st_mtim.tv_nsec, st.st_ctim.tv_sec, st.st_ctim.tv_nsec}
                                     : SIdentity{};
        const bool same = m_known && now == m_identity;
        m_identity = now;
        m_known = true;
        return same;
    }

    bool ReadAll(const std::string& file, std::string& text)
    {
        if (IsSystemTable(file)) {
            if (m_fd < 0 || m_pid != ::getpid()) {
                if (m_fd >= 0)
                    ::close(m_fd);
                m_fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
                m_pid = ::getpid();
                if (m_fd < 0)
                    return false;
            } else if (::lseek(m_fd, 0, SEEK_SET) != 0) {
                return false;
            }
            return ReadFd(m_fd, text);
        }
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return false;
        const bool read = ReadFd(fd, text);
        ::close(fd);
        return read;
    }

    static bool ReadFd(int fd, std::string& text)
    {
        char buffer[8192];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }

    // "source mount-point type options dump pass", one mount a line.
    void Parse(std::string_view text)
    {
        while (!text.empty()) {
            const std::size_t nl = text.find('\n');
            const std::string_view line = text.substr(0, nl);
            text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
            const std::size_t a = line.find(' ');
            const std::size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
            if (b == std::string_view::npos)
                continue;
            const std::size_t c = line.find(' ', b + 1);
            const std::string_view type =
                line.substr(b + 1, c == std::string_view::npos ? std::string_view::npos : c - b - 1);
            m_mounts.push_back({Unescape(std::string(line.substr(a + 1, b - a - 1))),
                                Network::ProviderForType(std::string(type)), Unescape(std::string(line.substr(0, a)))});
        }
    }

    struct SIdentity {
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = -1;
        time_t mtime = 0;
        long mtimeNs = 0;
        time_t ctime = 0;
        long ctimeNs = 0;
        bool operator==(const SIdentity&) const = default;
    };

    std::string m_file;
    std::vector<SMount> m_mounts;
    int m_fd = -1; // the system's table, kept open to be polled
    pid_t m_pid = 0;
    SIdentity m_identity;
    bool m_known = false;
};

// Guarded by g_tableLock. Never destroyed: a file may be opened while the
// program's statics are being torn down.
CMountTable& Table()
{
    static CMountTable* const table = new CMountTable;
    return *table;
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
    std::lock_guard<std::mutex> lock(g_tableLock);
    std::string file = g_tableFile;
    if (file.empty()) {
        const char* env = std::getenv(kMountTableVariable);
        file = env && *env ? env : kDefaultMountTable;
    }
    Table().Refresh(file);
    CNetResourceInfo best;
    std::size_t bestLength = 0;
    bool found = false;
    for (const SMount& mount : Table().Mounts()) {
        if (!Contains(mount.point, absolutePath))
            continue;
        // Later mounts over the same point hide earlier ones, so ">=".
        if (found && mount.point.size() < bestLength)
            continue;
        found = true;
        bestLength = mount.point.size();
        best.m_provider = mount.provider;
        best.m_remoteName = mount.source;
        best.m_mountPoint = mount.point;
    }
    return best;
}

void SetMountTableFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_tableLock);
    g_tableFile = path;
    // A test may write a new table under the old name within one tick of the
    // file system's clock; naming the file again always reads it again.
    Table().Forget();
}

std::size_t QueryCount()
{
    return g_queries.load();
}

} // namespace Network
