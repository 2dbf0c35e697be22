#include "keyword/TextFile.h"

#include "keyword/Location.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <cstdint>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::size_t kBufferSize = 1 << 16;

} // namespace

CResult CTextFile::Open(const std::string& path, unsigned flags)
{
    assert(!IsOpen());
    m_path = path;
    m_writing = (flags & modeWrite) != 0;
    m_failed = m_eof = false;
    m_buffer.clear();
    m_pos = 0;
    if (path.empty())
        return CResult::Fail("no file name given");
    m_textMode = !(flags & typeBinary) && IsDosLocation(path);
    if (!m_writing)
        return wizsys::OpenForReading(path, m_fd);
    // Every write replaces the whole file, so a write open without
    // modeCreate means the same.
    // The buffer grows with what is written: most files are far smaller than it.
    m_writeError = m_writer.Open(path, (flags & modeScratch) ? wizsys::Durability::kScratch
                                                             : wizsys::Durability::kFlushed);
    return m_writeError;
}

CTextFile::~CTextFile()
{
    // A writer that was never closed must not publish half a file.
    m_writer.Abandon();
    if (m_fd >= 0)
        ::close(m_fd);
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
    WriteAll(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void CTextFile::WriteAll(const char* data, std::size_t size)
{
    if (m_failed || size == 0)
        return;
    m_writeError = m_writer.Write(std::string_view(data, size));
    m_failed = !m_writeError;
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

CResult CTextFile::Close()
{
    if (m_writing) {
        if (!m_writer.IsOpen())
            return m_writeError;
        Flush();
        if (m_failed) {
            m_writer.Abandon();
            return m_writeError;
        }
        m_writeError = m_writer.Commit();
        m_failed = !m_writeError;
        return m_writeError;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_failed)
        return CResult::Fail("cannot read '" + m_path + "': a read failed");
    return CResult::Ok();
}
