#include "platform/system/FileIo.h"

#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wizsys {

namespace {

const char kTempTag[] = ".wiztmp";

// The call number that fails, from WIZ_FAULT_AT; 0 when none does.
long FaultAt()
{
    static const long at = [] {
        const char* text = std::getenv("WIZ_FAULT_AT");
        if (!text || !*text)
            return 0L;
        char* end = nullptr;
        const long n = std::strtol(text, &end, 10);
        return *end == '\0' && n > 0 ? n : 0L;
    }();
    return at;
}

// True when this call is the one that must fail; errno is then set.
bool Injected(int err)
{
    static long calls = 0;
    const long at = FaultAt();
    if (at == 0 || ++calls != at)
        return false;
    // Tells the test that this run met its fault, so it knows when N has
    // passed the last call a command makes.
    if (const char* mark = std::getenv("WIZ_FAULT_MARK"); mark && *mark) {
        const int fd = ::open(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    errno = err;
    return true;
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

int Open(const char* path, int flags, mode_t mode)
{
    // Only opens that write count: the faults model what loses data.
    if ((flags & (O_WRONLY | O_RDWR | O_CREAT)) && Injected(EIO))
        return -1;
    return ::open(path, flags | O_CLOEXEC, mode);
}

ssize_t Write(int fd, const void* data, std::size_t size)
{
    if (Injected(ENOSPC))
        return -1;
    ssize_t put;
    do
        put = ::write(fd, data, size);
    while (put < 0 && errno == EINTR);
    return put;
}

int Fsync(int fd)
{
    if (Injected(EIO))
        return -1;
    return ::fsync(fd);
}

int Rename(const char* from, const char* to)
{
    if (Injected(EIO))
        return -1;
    return ::rename(from, to);
}

CResult OpenForReading(const std::string& path, int& fd)
{
    fd = -1;
    if (path.empty())
        return CResult::Fail("no file name given");
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    const int opened = Open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (opened < 0)
        return CResult::FromErrno("cannot read " + Quoted(path));
    struct stat st;
    if (::fstat(opened, &st) != 0) {
        const int err = errno;
        ::close(opened);
        return CResult::FromErrno("cannot read " + Quoted(path), err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(opened);
        return CResult::Fail("cannot read " + Quoted(path) + ": it is " + KindOf(st.st_mode));
    }
    ::fcntl(opened, F_SETFL, ::fcntl(opened, F_GETFL) & ~O_NONBLOCK);
    fd = opened;
    return CResult::Ok();
}

CResult ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    int fd = -1;
    if (CResult opened = OpenForReading(path, fd); !opened)
        return opened;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int err = errno;
            ::close(fd);
            return CResult::FromErrno("cannot read " + Quoted(path), err);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return CResult::Ok();
}

CResult ResolveWriteTarget(const std::string& target, std::string& resolved, struct stat& st)
{
    if (target.empty())
        return CResult::Fail("no file name given");
    resolved = target;
    // Most targets are plain files: only a link needs the path it leads to.
    int found = ::lstat(target.c_str(), &st);
    const bool link = found == 0 && S_ISLNK(st.st_mode);
    if (link)
        found = ::stat(target.c_str(), &st);
    if (found != 0) {
        st = {};
        if (errno != ENOENT)
            return CResult::FromErrno("cannot write " + Quoted(target));
        // A dangling link: the file it names is made, as an open would.
        char text[PATH_MAX];
        const ssize_t n = link ? ::readlink(target.c_str(), text, sizeof text - 1) : -1;
        if (n > 0) {
            text[n] = '\0';
            resolved = text[0] == '/' ? std::string(text) : DirectoryOf(target) + "/" + text;
        }
        return CResult::Ok();
    }
    if (!S_ISREG(st.st_mode))
        return CResult::Fail("cannot write " + Quoted(target) + ": it is " + KindOf(st.st_mode));
    // The write-permission bit is what "read-only" means here, even when the
    // process could write regardless.
    if (!(st.st_mode & S_IWUSR))
        return CResult::Fail("cannot write " + Quoted(target) + ": the file is read-only");
    if (link)
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            resolved = real;
            std::free(real);
        }
    return CResult::Ok();
}

std::string TemporaryNameFor(const std::string& target)
{
    return target + kTempTag + std::to_string(::getpid());
}

CReplacingWriter::~CReplacingWriter()
{
    Abandon();
}

CResult CReplacingWriter::Failed(int err)
{
    m_error = CResult::FromErrno("cannot write " + Quoted(m_target), err);
    Abandon();
    return m_error;
}

CResult CReplacingWriter::Open(const std::string& target, Durability durability)
{
    assert(m_fd < 0);
    m_target = target;
    m_durability = durability;
    m_error = CResult::Ok();
    struct stat st;
    if (CResult resolved = ResolveWriteTarget(target, m_resolved, st); !resolved)
        return m_error = resolved;
    m_existed = st.st_mode != 0;
    m_mode = m_existed ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    m_uid = m_existed ? st.st_uid : 0;
    m_gid = m_existed ? st.st_gid : 0;
    m_inPlace = false;
    if (durability == Durability::kScratch && m_existed && st.st_size == 0) {
        // O_NOFOLLOW: the resolved name is the file itself, never a link planted since.
        m_fd = wizsys::Open(m_resolved.c_str(), O_WRONLY | O_NOFOLLOW);
        if (m_fd < 0)
            return Failed(errno);
        m_inPlace = true;
        return CResult::Ok();
    }
    m_temp = TemporaryNameFor(m_resolved);
    // O_EXCL with O_NOFOLLOW: a name someone planted beside the target is
    // never written through; a stale one of this pid is removed first.
    ::unlink(m_temp.c_str());
    m_fd = wizsys::Open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
    if (m_fd < 0) {
        const int err = errno;
        m_temp.clear();
        return Failed(err);
    }
    return CResult::Ok();
}

CResult CReplacingWriter::Write(std::string_view bytes)
{
    if (!m_error)
        return m_error;
    assert(m_fd >= 0);
    while (!bytes.empty()) {
        const ssize_t put = wizsys::Write(m_fd, bytes.data(), bytes.size());
        if (put <= 0)
            return Failed(put < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return CResult::Ok();
}

CResult CReplacingWriter::Commit()
{
    if (!m_error)
        return m_error;
    assert(m_fd >= 0);
    // Without the flush, a crash after the rename could leave an empty file.
    if (m_durability == Durability::kFlushed && Fsync(m_fd) != 0)
        return Failed(errno);
    if (m_inPlace) {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            return Failed(errno);
        m_inPlace = false;
        return CResult::Ok();
    }
    if (::fchmod(m_fd, m_mode) != 0)
        return Failed(errno);
    if (m_existed && (m_uid != ::geteuid() || m_gid != ::getegid()))
        (void)!::fchown(m_fd, m_uid, m_gid); // keeps the owner when allowed to
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Failed(errno);
    if (Rename(m_temp.c_str(), m_resolved.c_str()) != 0)
        return Failed(errno);
    m_temp.clear();
    return CResult::Ok();
}

void CReplacingWriter::Abandon()
{
    if (m_inPlace) {
        // The file was empty before: so it is again. Not through the seam,
        // which must not fail the undoing of its own failure.
        if (m_fd < 0)
            m_fd = ::open(m_resolved.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd >= 0)
            (void)!::ftruncate(m_fd, 0);
        m_inPlace = false;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

CResult WriteWholeFile(const std::string& target, std::string_view bytes, Durability durability)
{
    CReplacingWriter writer;
    if (CResult r = writer.Open(target, durability); !r)
        return r;
    if (CResult r = writer.Write(bytes); !r)
        return r;
    return writer.Commit();
}

CResult CopyFileReplacing(const std::string& source, const std::string& target)
{
    int in = -1;
    if (CResult r = OpenForReading(source, in); !r)
        return r;
    CReplacingWriter writer;
    CResult result = writer.Open(target);
    char buffer[1 << 16];
    while (result) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result = CResult::FromErrno("cannot read " + Quoted(source));
            break;
        }
        if (got == 0) {
            result = writer.Commit();
            break;
        }
        result = writer.Write(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    ::close(in);
    return result;
}

int RemoveStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const std::size_t tag = name.rfind(kTempTag);
        if (tag == std::string::npos || tag == 0)
            continue;
        const std::string digits = name.substr(tag + sizeof kTempTag - 1);
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::atol(digits.c_str()));
        // EPERM: the process runs under another user, so it is not gone.
        if (pid <= 0 || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        if (::unlink((prefix + name).c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace wizsys
