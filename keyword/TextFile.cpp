#include "keyword/TextFile.h"

#include "keyword/Location.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <cstdint>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::size_t kBufferSize = 1 << 16;

std::string Describe(int cause, const std::string& path)
{
    return "cannot open '" + path + "': " + std::strerror(cause);
}

} // namespace

CFileException::CFileException(int cause, const std::string& fileName)
    : std::runtime_error(Describe(cause, fileName)), m_cause(cause), m_strFileName(fileName)
{
}

CTextFile::CTextFile(const std::string& path, unsigned flags)
    : m_path(path), m_writing((flags & modeWrite) != 0)
{
    if (path.empty())
        throw CFileException(ENOENT, path);
    m_textMode = !(flags & typeBinary) && IsDosLocation(path);
    int oflags = O_RDONLY;
    if (m_writing) {
        oflags = O_WRONLY;
        if (flags & modeCreate)
            oflags |= O_CREAT | O_TRUNC;
        struct stat st;
        // Write permission is checked on the mode bits so that a file marked
        // read-only stays untouched when the process runs with privileges.
        if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
            throw CFileException(EACCES, path);
    }
    m_fd = ::open(path.c_str(), oflags | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw CFileException(errno, path);
    struct stat st;
    if (fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw CFileException(EISDIR, path);
    }
    if (m_writing)
        m_buffer.reserve(kBufferSize);
}

CTextFile::~CTextFile()
{
    Close();
}

bool CTextFile::Fill()
{
    if (m_eof || m_failed || m_fd < 0)
        return false;
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    const std::size_t old = m_buffer.size();
    m_buffer.resize(old + kBufferSize);
    ssize_t got;
    do
        got = ::read(m_fd, m_buffer.data() + old, kBufferSize);
    while (got < 0 && errno == EINTR);
    m_buffer.resize(old + (got > 0 ? static_cast<std::size_t>(got) : 0));
    if (got < 0)
        m_failed = true;
    if (got <= 0)
        m_eof = true;
    return got > 0;
}

bool CTextFile::ReadString(std::string& line)
{
    if (m_writing)
        return false;
    line.clear();
    std::size_t scanned = m_pos;
    for (;;) {
        const char* base = m_buffer.data();
        const void* nl = std::memchr(base + scanned, '\n', m_buffer.size() - scanned);
        if (nl) {
            std::size_t at = static_cast<std::size_t>(static_cast<const char*>(nl) - base);
            std::size_t stop = at;
            if (m_textMode && stop > m_pos && m_buffer[stop - 1] == '\r')
                --stop;
            line.assign(m_buffer, m_pos, stop - m_pos);
            m_pos = at + 1;
            return true;
        }
        // Fill drops the consumed front, so the part already searched then
        // starts at 0.
        scanned = m_buffer.size() - m_pos;
        if (!Fill()) {
            if (m_pos >= m_buffer.size())
                return false;
            line.assign(m_buffer, m_pos, std::string::npos);
            m_pos = m_buffer.size();
            return true;
        }
    }
}

bool CTextFile::ReadBytes(std::string& bytes)
{
    bytes.assign(m_buffer, m_pos, std::string::npos);
    m_buffer.clear();
    m_pos = 0;
    if (m_writing || m_fd < 0 || m_eof)
        return !m_failed;
    struct stat st;
    std::size_t chunk = kBufferSize;
    if (fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        chunk = static_cast<std::size_t>(st.st_size) + 1; // +1: see the end in one call
    if (chunk >= (4u << 20)) {
        // A big file: reserve first so the kernel can back it with huge pages
        // before the first byte is touched.
        bytes.reserve(bytes.size() + chunk);
        const std::uintptr_t kHuge = 2u << 20;
        const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(bytes.data()) + kHuge - 1) & ~(kHuge - 1);
        const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(bytes.data()) + bytes.capacity()) & ~(kHuge - 1);
        if (end > begin)
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    for (;;) {
        const std::size_t old = bytes.size();
        bytes.resize(old + chunk);
        ssize_t got;
        do
            got = ::read(m_fd, bytes.data() + old, chunk);
        while (got < 0 && errno == EINTR);
        bytes.resize(old + (got > 0 ? static_cast<std::size_t>(got) : 0));
        if (got <= 0) {
            m_eof = true;
            m_failed = got < 0;
            return !m_failed;
        }
        chunk = kBufferSize;
    }
}

std::size_t CTextFile::ReadBlock(char* data, std::size_t size)
{
    // Bytes already buffered by ReadString come first.
    if (m_pos < m_buffer.size() && !m_writing) {
        const std::size_t n = std::min(size, m_buffer.size() - m_pos);
        std::memcpy(data, m_buffer.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    if (m_writing || m_fd < 0 || m_eof || size == 0)
        return 0;
    ssize_t got;
    do
        got = ::read(m_fd, data, size);
    while (got < 0 && errno == EINTR);
    if (got < 0)
        m_failed = true;
    if (got <= 0) {
        m_eof = true;
        return 0;
    }
    return static_cast<std::size_t>(got);
}

long long CTextFile::GetLength() const
{
    struct stat st;
    return m_fd >= 0 && fstat(m_fd, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

void CTextFile::Put(const char* data, std::size_t size)
{
    if (m_buffer.size() + size > kBufferSize)
        Flush();
    if (size >= kBufferSize) {
        // Large blocks go straight to the file.
        WriteAll(data, size);
        return;
    }
    m_buffer.append(data, size);
}

void CTextFile::Flush()
{
    if (m_fd >= 0)
        WriteAll(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void CTextFile::WriteAll(const char* data, std::size_t size)
{
    while (size > 0 && !m_failed) {
        ssize_t put = ::write(m_fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            m_failed = true;
            break;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

void CTextFile::WriteString(std::string_view text)
{
    if (!m_writing) {
        m_failed = true;
        return;
    }
    if (!m_textMode) {
        Put(text.data(), text.size());
        return;
    }
    std::size_t from = 0;
    for (std::size_t nl; (nl = text.find('\n', from)) != std::string_view::npos; from = nl + 1) {
        Put(text.data() + from, nl - from);
        Put("\r\n", 2);
    }
    Put(text.data() + from, text.size() - from);
}

void CTextFile::WriteBytes(std::string_view bytes)
{
    if (!m_writing) {
        m_failed = true;
        return;
    }
    Put(bytes.data(), bytes.size());
}

bool CTextFile::Close()
{
    if (m_fd < 0)
        return !m_failed;
    if (m_writing)
        Flush();
    if (::close(m_fd) != 0 && m_writing)
        m_failed = true;
    m_fd = -1;
    return !m_failed;
}
