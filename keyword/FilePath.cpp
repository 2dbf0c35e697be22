#include "keyword/FilePath.h"

#include "keyword/Location.h"
#include "platform/system/FileIo.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::size_t LastSeparator(std::string_view path)
{
    return path.find_last_of("\\/");
}

// Paths may be written with "\\" (files from the suite's other platforms);
// the system wants "/".
std::string OsPath(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

char LowerChar(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = LowerChar(c);
    return s;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i]))
            return false;
    return true;
}

bool StatPath(const std::string& path, struct stat& st)
{
    return !path.empty() && ::stat(OsPath(path).c_str(), &st) == 0;
}

bool AddOwnerWrite(const std::string& path)
{
    struct stat st;
    return StatPath(path, st) && ::chmod(OsPath(path).c_str(), st.st_mode | S_IWUSR) == 0;
}

// A read-only target is not overwritten, as the system's copy refuses it;
// the copy replaces the target whole or not at all.
bool CopyFile(const std::string& source, const std::string& target)
{
    return wizsys::CopyFileReplacing(OsPath(source), OsPath(target)).IsOk();
}

// The target of CopyTo and MoveTo: a directory receives this file's name.
std::string TargetFor(const std::string& source, const std::string& target)
{
    struct stat st;
    if (StatPath(target, st) && S_ISDIR(st.st_mode)) {
        std::string joined = target;
        if (!joined.empty() && !IsSeparator(joined.back()))
            joined += '/';
        return joined + CFilePath::FileName(source);
    }
    return target;
}

// Renames without replacing an existing file, as the system's move does.
bool RenameNoReplace(const std::string& from, const std::string& to)
{
    const std::string a = OsPath(from), b = OsPath(to);
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the flag: check, then rename.
    struct stat st;
    if (::lstat(b.c_str(), &st) == 0)
        return false;
    return ::rename(a.c_str(), b.c_str()) == 0;
}

} // namespace

std::string GetTempDirectory()
{
    for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
        const char* value = std::getenv(name);
        struct stat st;
        if (value && *value && ::stat(OsPath(value).c_str(), &st) == 0)
            return value;
    }
    return ".";
}

std::string MakeTempName()
{
    std::string dir = GetTempDirectory();
    if (!IsSeparator(dir.back()))
        dir += '/';
    // Start from the clock and the process, then count up: parallel processes
    // start far apart and each name is claimed with an exclusive create.
    static std::atomic<unsigned> sequence{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    unsigned start = static_cast<unsigned>(now) ^ (static_cast<unsigned>(::getpid()) << 16);
    start += sequence.fetch_add(0x9E37u);
    for (unsigned attempt = 0; attempt < 0x10000u; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "zq%X.tmp", (start + attempt) & 0xFFFFFFu);
        const std::string path = dir + name;
        const int fd = ::open(OsPath(path).c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            break;
    }
    // No fixed fallback name: two callers would share it, and removing it
    // afterwards could remove a file of somebody else's.
    return std::string();
}

CFilePath::~CFilePath() = default;

bool CFilePath::Exists() const
{
    struct stat st;
    return StatPath(m_path, st);
}

bool CFilePath::IsReadOnly() const
{
    struct stat st;
    if (!StatPath(m_path, st))
        return false;
    if (!(st.st_mode & S_IWUSR))
        return true;
    if (S_ISDIR(st.st_mode))
        return false;
    const int fd = ::open(OsPath(m_path).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    ::close(fd);
    return false;
}

bool CFilePath::SetReadOnly(bool readOnly)
{
    struct stat st;
    if (!StatPath(m_path, st))
        return false;
    const mode_t mode = readOnly ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
    return ::chmod(OsPath(m_path).c_str(), mode & 07777) == 0;
}

bool CFilePath::IsDirectory() const
{
    struct stat st;
    return StatPath(m_path, st) && S_ISDIR(st.st_mode);
}

void CFilePath::PrependDirectory(const std::string& directory)
{
    if (directory.empty() || IsSeparator(directory.back()))
        m_path = directory + m_path;
    else
        m_path = directory + "/" + m_path;
}

std::string CFilePath::WithoutExtension() const
{
    const std::size_t dot = m_path.rfind('.');
    const std::size_t sep = LastSeparator(m_path);
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return m_path;
    return m_path.substr(0, dot);
}

void CFilePath::ChangeExtension(const std::string& extension)
{
    m_path = WithoutExtension() + extension;
}

bool CFilePath::Equals(std::string_view text) const
{
    return SameIgnoringCase(m_path, text);
}

bool CFilePath::EndsWith(std::string_view text) const
{
    return text.size() <= m_path.size()
        && SameIgnoringCase(std::string_view(m_path).substr(m_path.size() - text.size()), text);
}

void CFilePath::ReplaceDirectory(const std::string& directory)
{
    const std::size_t sep = LastSeparator(m_path);
    // An empty directory would otherwise turn a relative name into one at the root.
    if (directory.empty()) {
        ReplaceDirectory();
        return;
    }
    std::string dir = directory;
    while (dir.size() > 1 && IsSeparator(dir.back()))
        dir.pop_back();
    m_path = dir + "/" + (sep == std::string::npos ? m_path : m_path.substr(sep + 1));
}

void CFilePath::ReplaceDirectory()
{
    const std::size_t sep = LastSeparator(m_path);
    if (sep != std::string::npos)
        m_path.erase(0, sep + 1);
}

void CFilePath::Delete(bool clearReadOnly)
{
    // Read-only files are kept unless the caller clears the mark, so a
    // privileged process treats them as every other user does. Clearing it
    // is only leave to remove the name: removing one needs no write
    // permission on the file here, and another link to it keeps its mark.
    struct stat st;
    if (!clearReadOnly && StatPath(m_path, st) && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
        return;
    ::unlink(OsPath(m_path).c_str());
}

void CFilePath::Rename(const std::string& newPath)
{
    RenameNoReplace(m_path, newPath);
    m_path = newPath;
}

void CFilePath::CopyFrom(const std::string& source)
{
    if (CopyFile(source, m_path))
        AddOwnerWrite(m_path);
}

void CFilePath::CopyTo(const std::string& target) const
{
    const std::string to = TargetFor(m_path, target);
    if (CopyFile(m_path, to))
        AddOwnerWrite(to);
}

void CFilePath::MoveTo(const std::string& target) const
{
    const std::string to = TargetFor(m_path, target);
    if (RenameNoReplace(m_path, to) || errno != EXDEV)
        return;
    // Across file systems: copy, then delete, before returning.
    struct stat st;
    if (StatPath(to, st))
        return;
    if (CopyFile(m_path, to))
        ::unlink(OsPath(m_path).c_str());
}

std::string CFilePath::CurrentDirectory()
{
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : cwd.string();
}

std::string CFilePath::FileName(std::string_view path)
{
    const std::size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string CFilePath::Directory(std::string_view path)
{
    const std::size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

namespace {

// An exclusive lock on a folder (`directory` empty: the current one), held
// for the object's life. Without a folder to lock, nothing is held.
class FolderLock {
public:
    explicit FolderLock(const std::string& directory)
        : m_fd(::open(directory.empty() ? "." : OsPath(directory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing drops the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd;
};

} // namespace

CResult CFilePath::MakeUniqueName(const std::string& name, const std::string& extension, bool dropDirectory)
{
    // Directory part (kept as given, with its separator) and file name part.
    std::string directory;
    std::string base = name;
    const std::size_t sep = LastSeparator(name);
    if (sep != std::string::npos) {
        base = name.substr(sep + 1);
        if (!dropDirectory)
            directory = name.substr(0, sep + 1);
    }
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos)
        base.erase(dot);

    const std::string counterPath = directory + "tessarin.ctr";
    m_reservation = SReservation();
    // Processes numbering in one folder at once must each get their own
    // number, though none has made its file yet: reading and advancing the
    // counter is one step under a lock on the folder.
    const FolderLock lock(directory);
    // The numbers are whole numbers ("%d"): a counter that would pass INT_MAX
    // is refused instead of wrapping into negative names.
    long long counter = 1;
    std::string text;
    const bool hadCounter = ::access(OsPath(counterPath).c_str(), F_OK) == 0;
    if (hadCounter) {
        if (CResult read = wizsys::ReadWholeFile(OsPath(counterPath), text); !read)
            return read;
        m_reservation.before = text;
        text = text.substr(0, 80);
        errno = 0;
        char* end = nullptr;
        counter = std::strtoll(text.c_str(), &end, 10);
        if (end == text.c_str())
            counter = 0; // no number: read as 0, as a C reading of the line gives
        if (errno == ERANGE || counter < INT_MIN || counter > INT_MAX)
            return CResult::Fail("the counter in '" + counterPath + "' is out of the range of whole numbers");
    }

    // "mesh12" continues the series of "mesh"; a name of digits only keeps its first one.
    std::size_t keep = base.size();
    while (keep > 1 && base[keep - 1] >= '0' && base[keep - 1] <= '9')
        --keep;
    base = Lower(base.substr(0, keep));

    // Any file "<name><n>" or "<name><n>.<anything>" takes the number. The
    // folder is read once: every name and each of its prefixes before a dot.
    std::unordered_set<std::string> taken;
    if (DIR* dir = ::opendir(directory.empty() ? "." : OsPath(directory).c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string file = Lower(entry->d_name);
            taken.insert(file);
            for (std::size_t d = file.find('.'); d != std::string::npos; d = file.find('.', d + 1))
                taken.insert(file.substr(0, d));
        }
        ::closedir(dir);
    }
    std::string candidate;
    do {
        if (counter >= INT_MAX)
            return CResult::Fail("the counter in '" + counterPath + "' has reached the largest whole number");
        candidate = base + std::to_string(counter++);
    } while (taken.count(candidate) != 0);

    m_path = directory + candidate;
    if (!extension.empty())
        m_path += (extension[0] == '.' ? "" : ".") + extension;

    const std::string line = std::to_string(counter) + (IsDosLocation(counterPath) ? "\r\n" : "\n");
    if (CResult written = wizsys::WriteWholeFile(OsPath(counterPath), line); !written)
        return written;
    m_reservation.directory = directory;
    m_reservation.counterPath = counterPath;
    m_reservation.hadCounter = hadCounter;
    m_reservation.written = line;
    return CResult::Ok();
}

CResult CFilePath::ReleaseUniqueName()
{
    SReservation reservation = std::move(m_reservation);
    m_reservation = SReservation();
    if (reservation.counterPath.empty())
        return CResult::Ok();
    const FolderLock lock(reservation.directory);
    // Another process may have numbered a file since: its number must not be
    // handed out again, so the counter then stays where it is.
    std::string now;
    const std::string path = OsPath(reservation.counterPath);
    if (!wizsys::ReadWholeFile(path, now) || now != reservation.written)
        return CResult::Ok();
    if (reservation.hadCounter)
        return wizsys::WriteWholeFile(path, reservation.before);
    if (::unlink(path.c_str()) != 0)
        return CResult::FromErrno("cannot remove '" + reservation.counterPath + "'");
    return CResult::Ok();
}

CTempFile::CTempFile(bool deleteOnDestroy) : CFilePath(MakeTempName()), m_deleteOnDestroy(deleteOnDestroy) {}

CTempFile::~CTempFile()
{
    if (m_deleteOnDestroy)
        Delete(true);
}

void CTempFile::Rename(const std::string& newPath)
{
    CFilePath::Rename(newPath);
    m_deleteOnDestroy = false;
}
