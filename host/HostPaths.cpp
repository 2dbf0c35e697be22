#include "host/HostPaths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace hostpath {

static char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Normalize(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i] == '\\' ? '/' : path[i];
        if (c == '/' && !out.empty() && out.back() == '/' && out.size() > 1)
            continue;
        out += c;
    }
    return out;
}

std::string PathKey(const std::string& path)
{
    std::string key = Normalize(path);
    for (char& c : key)
        c = Lower(c);
    return key;
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool IsAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
           (path.size() > 1 && path[1] == ':');
}

std::string Absolute(const std::string& path)
{
    std::string p = Normalize(path);
    if (!IsAbsolute(p)) {
        char cwd[4096];
        if (::getcwd(cwd, sizeof cwd))
            p = Normalize(std::string(cwd) + "/" + p);
    }
    const bool trailing = !p.empty() && p.back() == '/';
    std::vector<std::string> parts;
    std::size_t start = 0;
    std::string prefix;
    if (p.size() > 1 && p[1] == ':') {
        prefix = p.substr(0, 2);
        start = 2;
    }
    while (start <= p.size()) {
        std::size_t sep = p.find('/', start);
        std::string part = p.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (sep == std::string::npos)
            break;
        start = sep + 1;
    }
    std::string out = prefix;
    for (const std::string& part : parts)
        out += "/" + part;
    if (out.empty() || out == prefix)
        out += "/";
    else if (trailing)
        out += "/";
    return out;
}

std::string BaseName(const std::string& path)
{
    std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string DirName(const std::string& path)
{
    std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string WithoutExtension(const std::string& path)
{
    std::size_t dot = path.rfind('.');
    std::size_t sep = path.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return path;
    return path.substr(0, dot);
}

std::string Extension(const std::string& path)
{
    std::string ext = path.substr(WithoutExtension(path).size());
    for (char& c : ext)
        c = Lower(c);
    return ext;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectories(const std::string& path)
{
    std::string p = Normalize(path);
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            std::string part = p.substr(0, i);
            if (!IsDirectory(part) && ::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                return false;
        }
    }
    return IsDirectory(p);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& ext)
{
    std::vector<std::string> out;
    if (folder.empty())
        return out;
    std::string dir = Normalize(folder);
    if (dir.back() != '/')
        dir += '/';
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return out;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || Extension(name) != ext)
            continue;
        if (!IsDirectory(dir + name))
            out.push_back(dir + name);
    }
    ::closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes)
{
    std::string temp = path + ".tmp" + std::to_string(::getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            errno = saved;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    // Without the flush a crash after the rename could leave an empty file.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return false;
    }
    return true;
}

std::string NumberedName(const std::string& folder, const std::string& stem, const std::string& ext)
{
    std::string dir = Normalize(folder);
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    // One pass over the folder gives every base name in use.
    std::unordered_set<std::string> used;
    if (DIR* d = ::opendir(dir.empty() ? "." : dir.c_str())) {
        while (dirent* e = ::readdir(d))
            used.insert(PathKey(WithoutExtension(e->d_name)));
        ::closedir(d);
    }
    const std::string key = PathKey(stem);
    for (int n = 1;; ++n)
        if (!used.count(key + std::to_string(n)))
            return dir + stem + std::to_string(n) + ext;
}

bool CopyFile(const std::string& from, const std::string& to)
{
    std::string bytes;
    return ReadWholeFile(from, bytes) && WriteFileAtomic(to, bytes);
}

static bool HoldsInstallData(const std::string& folder)
{
    return IsDirectory(folder + "solver");
}

CResult FindInstallData(std::string& folder)
{
    folder.clear();
    if (const char* env = std::getenv("WIZ_DATA_DIR"); env && *env) {
        std::string dir = Normalize(env);
        if (dir.back() != '/')
            dir += '/';
        // A folder named on purpose is not second-guessed by looking elsewhere.
        if (!HoldsInstallData(dir))
            return CResult::Fail("no installation data in WIZ_DATA_DIR '" + dir + "': it holds no solver/ folder");
        folder = dir;
        return CResult::Ok();
    }
    char exe[4096];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return CResult::Fail("no installation data: the program's own location is unknown; set WIZ_DATA_DIR "
                             "to the folder that holds solver/");
    const std::string programDir = DirName(std::string(exe, static_cast<std::size_t>(n)));
    const std::string installed = Absolute(programDir + "../share/wizlib/");
    if (HoldsInstallData(installed)) {
        folder = installed;
        return CResult::Ok();
    }
    // Built programs live a few folders below the source tree (build/wizhost,
    // build/tests/test_host).
    std::string dir = programDir;
    for (int up = 0; up < 6 && !dir.empty(); ++up) {
        if (HoldsInstallData(dir + "data/")) {
            folder = dir + "data/";
            return CResult::Ok();
        }
        dir = DirName(dir.substr(0, dir.size() - 1));
    }
    return CResult::Fail("no installation data in " + installed + " nor in a data/ folder above " + programDir +
                         "; set WIZ_DATA_DIR to the folder that holds solver/");
}

} // namespace hostpath
