#include "keyword/Location.h"

#include "platform/system/Network.h"
#include "platform/system/Registry.h"

#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kServersKey = "SOFTWARE\\Tessarin\\Tessarin Job Manager\\Servers";

// Shares already decided. Wizards open many files on the same share; asking
// the network and the registry once per share keeps opening cheap.
std::mutex g_cacheLock;
std::vector<std::string> g_unixShares;
std::vector<std::string> g_dosShares;

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Slashes(std::string s)
{
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

std::string MakeAbsolute(const std::string& path)
{
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(Slashes(path)), ec);
    if (ec)
        return Slashes(path);
    // Symbolic links may lead onto a share, and the mount table names real paths.
    fs::path canonical = fs::weakly_canonical(p, ec);
    return (ec ? p.lexically_normal() : canonical).string();
}

// The cached share is a directory, so "/mnt/a" must not answer for "/mnt/ab".
bool UnderShare(const std::string& share, const std::string& path)
{
    if (path.compare(0, share.size(), share) != 0)
        return false;
    return path.size() == share.size() || share.back() == '/' || path[share.size()] == '/';
}

bool FindInCache(const std::vector<std::string>& cache, const std::string& path)
{
    for (const std::string& share : cache)
        if (UnderShare(share, path))
            return true;
    return false;
}

// The job manager's directory maps: a local directory whose server-side twin
// begins with "/" is served by a UNIX job server.
bool MappedToUnixServer(const std::string& absolutePath)
{
    const std::string path = Lower(absolutePath);
    std::shared_ptr<const CRegistry> registry = CRegistry::Machine();
    for (const std::string& server : registry->EnumSubKeys(kServersKey)) {
        const std::string dirMap = std::string(kServersKey) + "\\" + server + "\\DirMap";
        std::string local;
        for (int n = 1; registry->QueryValue(dirMap, "Local" + std::to_string(n), local); ++n) {
            // Directories may be written with either separator.
            local = Lower(Slashes(local));
            if (local.empty() || path.compare(0, local.size(), local) != 0)
                continue;
            std::string remote;
            if (registry->QueryValue(dirMap, "Remote" + std::to_string(n), remote) && !remote.empty()
                && remote[0] == '/')
                return true;
        }
    }
    return false;
}

} // namespace

bool IsDosLocation(const std::string& path)
{
    if (path.empty())
        return true;
    // Drive letters name no network share on this platform: such paths are
    // local DOS locations, as drive C: always is.
    if (path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
        return true;

    const std::string absolute = MakeAbsolute(path);
    {
        std::lock_guard<std::mutex> lock(g_cacheLock);
        if (FindInCache(g_unixShares, absolute))
            return false;
        if (FindInCache(g_dosShares, absolute))
            return true;
    }

    const CNetResourceInfo info = Network::GetResourceInformation(absolute);
    if (!info.IsNetwork()) {
        // A local file system: a DOS location unless the job manager maps the
        // directory to a UNIX server. Not cached: the local root would cover
        // every mount and mapped directory beneath it.
        return !MappedToUnixServer(absolute);
    }
    bool dos = false;
    const std::string& provider = info.m_provider;
    if (provider.find("NFS") != std::string::npos)
        dos = false;
    else if (provider.find("Microsoft") == std::string::npos && provider.find("Windows") == std::string::npos)
        dos = false;
    else
        dos = !MappedToUnixServer(absolute);

    std::lock_guard<std::mutex> lock(g_cacheLock);
    std::vector<std::string>& cache = dos ? g_dosShares : g_unixShares;
    if (!FindInCache(cache, info.m_mountPoint))
        cache.push_back(info.m_mountPoint);
    return dos;
}

void ResetLocationCaches()
{
    std::lock_guard<std::mutex> lock(g_cacheLock);
    g_unixShares.clear();
    g_dosShares.clear();
}

std::string TextFileMode(const char* mode, bool dosLocation)
{
    std::string m(mode ? mode : "", 0, mode ? std::min<std::size_t>(std::strlen(mode), 4) : 0);
    if (dosLocation)
        return m;
    const std::size_t t = m.find('t');
    if (t != std::string::npos)
        m[t] = 'b';
    else if (m.find('b') == std::string::npos)
        m += 'b';
    return m;
}

namespace {

// Text mode over a binary stream: CR LF reads as LF, LF writes as CR LF.
// The inner stream is reached only through these functions, which the outer
// stream already serialises, so its unlocked calls are safe.
struct TextCookie {
    FILE* file;
};

ssize_t TextRead(void* cookie, char* buf, size_t size)
{
    FILE* f = static_cast<TextCookie*>(cookie)->file;
    size_t out = 0;
    while (out < size) {
        int ch = getc_unlocked(f);
        if (ch == EOF)
            break;
        if (ch == '\r') {
            const int next = getc_unlocked(f);
            if (next == '\n')
                ch = '\n';
            else if (next != EOF)
                ungetc(next, f);
        }
        buf[out++] = static_cast<char>(ch);
    }
    return out == 0 && std::ferror(f) ? -1 : static_cast<ssize_t>(out);
}

ssize_t TextWrite(void* cookie, const char* buf, size_t size)
{
    auto* c = static_cast<TextCookie*>(cookie);
    size_t from = 0;
    for (size_t i = 0; i < size; ++i) {
        if (buf[i] != '\n')
            continue;
        if (std::fwrite(buf + from, 1, i - from, c->file) != i - from || std::fwrite("\r\n", 1, 2, c->file) != 2)
            return -1;
        from = i + 1;
    }
    if (std::fwrite(buf + from, 1, size - from, c->file) != size - from)
        return -1;
    return static_cast<ssize_t>(size);
}

int TextSeek(void* cookie, off64_t* offset, int whence)
{
    auto* c = static_cast<TextCookie*>(cookie);
    // Positions are raw file offsets, as text-mode streams report them.
    if (fseeko(c->file, static_cast<off_t>(*offset), whence) != 0)
        return -1;
    *offset = ftello(c->file);
    return 0;
}

int TextClose(void* cookie)
{
    auto* c = static_cast<TextCookie*>(cookie);
    int rc = std::fclose(c->file);
    delete c;
    return rc;
}

} // namespace

FILE* OpenTextFile(const std::string& path, const char* mode)
{
    const bool dos = IsDosLocation(path);
    const std::string m = TextFileMode(mode, dos);
    if (!dos || m.find('b') != std::string::npos)
        return std::fopen(path.c_str(), m.c_str());
    std::string binary;
    for (char ch : m)
        if (ch != 't')
            binary += ch;
    binary += 'b';
    FILE* raw = std::fopen(path.c_str(), binary.c_str());
    if (!raw)
        return nullptr;
    auto* cookie = new TextCookie{raw};
    FILE* text = fopencookie(cookie, m.c_str(), cookie_io_functions_t{TextRead, TextWrite, TextSeek, TextClose});
    if (!text) {
        std::fclose(raw);
        delete cookie;
    }
    return text;
}
