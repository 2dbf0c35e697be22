// The binary model reader (".m3r" results, ".m3i" inputs): a header of 99
// 4-byte words, a directory of named records, and the per-element records the
// wizards need. The layout is in docs/model-files.md.
#include "model/ModelAttributeStore.h"

#include "keyword/FilePath.h"

#include "platform/system/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr std::size_t kHeaderWords = 99;
constexpr std::size_t kHeaderBytes = kHeaderWords * 4;
constexpr std::size_t kEntryBytes = 20; // name[8], compare length, position, real
constexpr std::size_t kRecordHeadBytes = 5 * 4;
constexpr int kWordVersion = 0;
constexpr int kWordDirectory = 11;
constexpr int kWordLeading = 30;  // A: element slots before the record values
constexpr int kWordElements = 35; // B: values per record
constexpr int32_t kMaxElements = 100000;
// A only adds zero slots; a limit keeps a damaged header from asking for
// gigabytes of them.
constexpr int32_t kMaxLeading = 1000000;
constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryDelay = std::chrono::milliseconds(500);
// The region every element gets when the file has no REGION record.
constexpr int kDefaultRegion = 2;

int32_t Word(const unsigned char* bytes, std::size_t index)
{
    int32_t w;
    std::memcpy(&w, bytes + index * 4, 4);
    return w;
}

struct DirectoryEntry {
    char name[8];
    int32_t compareLength;
    int32_t position;
};

// Whole-number records and the category each one fills. REGION, SHAPE, BEAMPOS,
// BEAMID and HTCHAR are what the solver writes; NCIRCUIT and NINSERT carry the
// mold's circuits and inserts in files this library's tools write.
struct WholeRecord {
    const char* name;
    int category;
};
constexpr WholeRecord kWholeRecords[] = {
    {"REGION", kCategoryRegion},   {"SHAPE", kCategoryShape},       {"BEAMPOS", kCategoryBeamPos},
    {"BEAMID", kCategoryBeamId},   {"HTCHAR", kCategoryHeatTransfer}, {"NCIRCUIT", kCategoryNCircuit},
    {"NINSERT", kCategoryNInsert},
};

} // namespace

// Positioned reads over a file or over bytes in memory, so the fuzzer and the
// tests drive the same parser as real files.
class CModelByteSource {
public:
    virtual ~CModelByteSource() = default;
    // False unless all `size` bytes at `offset` exist.
    virtual bool ReadAt(uint64_t offset, std::size_t size, void* out) = 0;
    virtual uint64_t Size() const = 0;
};

namespace {

class CMemorySource : public CModelByteSource {
public:
    explicit CMemorySource(std::string_view bytes) : m_bytes(bytes) {}
    bool ReadAt(uint64_t offset, std::size_t size, void* out) override
    {
        if (offset > m_bytes.size() || size > m_bytes.size() - offset)
            return false;
        if (size > 0) // an empty record may come with a null buffer
            std::memcpy(out, m_bytes.data() + offset, size);
        return true;
    }
    uint64_t Size() const override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
};

class CFileSource : public CModelByteSource {
public:
    explicit CFileSource(int fd) : m_fd(fd)
    {
        struct stat st;
        m_size = fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<uint64_t>(st.st_size) : 0;
    }
    bool ReadAt(uint64_t offset, std::size_t size, void* out) override
    {
        if (offset > m_size || size > m_size - offset)
            return false;
        char* to = static_cast<char*>(out);
        while (size > 0) {
            const ssize_t got = pread(m_fd, to, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            to += got;
            offset += static_cast<uint64_t>(got);
            size -= static_cast<std::size_t>(got);
        }
        return true;
    }
    uint64_t Size() const override { return m_size; }

private:
    int m_fd;
    uint64_t m_size = 0;
};

// Opens for reading with writers kept out: a read lock on the open file, so a
// solver still writing the result (holding a write lock) makes us wait. Only
// a lock conflict is retried; a missing file fails at once.
int OpenExcludingWriters(const std::string& path)
{
    for (int attempt = 1;; ++attempt) {
        int fd = -1;
        // A FIFO or device is refused here rather than read (or waited on).
        if (!wizsys::OpenForReading(path, fd))
            return -1;
        struct flock lock = {};
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        if (fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return fd;
        const int cause = errno;
        ::close(fd);
        if ((cause != EAGAIN && cause != EACCES) || attempt == kOpenAttempts)
            return -1;
        std::this_thread::sleep_for(kOpenRetryDelay);
    }
}

} // namespace

ModelLoadResult MModelAttributeStore::ReadBinaryFile(const std::string& path)
{
    Clear();
    // A result file may be marked read-only by the job that wrote it; the
    // permission is lifted while the file is open and put back afterwards.
    CFilePath file(path);
    const bool restoreReadOnly = file.EndsWith(".m3r") && file.Exists() && file.IsReadOnly();
    if (restoreReadOnly)
        file.SetReadOnly(false);
    const int fd = OpenExcludingWriters(path);
    ModelLoadResult result = ModelLoadResult::CannotOpen;
    if (fd >= 0) {
        CFileSource source(fd);
        result = ReadBinarySource(source);
        ::close(fd);
    }
    if (restoreReadOnly)
        file.SetReadOnly(true);
    m_loadResult = result;
    return result;
}

ModelLoadResult MModelAttributeStore::ReadBinary(std::string_view bytes)
{
    Clear();
    CMemorySource source(bytes);
    m_loadResult = ReadBinarySource(source);
    return m_loadResult;
}

ModelLoadResult MModelAttributeStore::ReadBinarySource(CModelByteSource& source)
{
    unsigned char header[kHeaderBytes];
    if (!source.ReadAt(0, kHeaderBytes, header))
        return ModelLoadResult::ShortHeader;
    const int32_t version = Word(header, kWordVersion);
    if (version != 100 && version < 105) {
        ShowModelMessage("File is incorrect M3I version format", "M3R Read Error");
        return ModelLoadResult::BadVersion;
    }
    int32_t leading = Word(header, kWordLeading);
    int32_t elements = Word(header, kWordElements);
    if (elements > kMaxElements || elements < 0)
        elements = 0;
    if (leading > kMaxLeading || leading < 0)
        leading = 0;

    // The directory cannot hold more entries than the file has room for.
    const int32_t declared = Word(header, kWordDirectory);
    const uint64_t room = (source.Size() - kHeaderBytes) / kEntryBytes;
    const uint64_t count = declared < 0 ? 0 : std::min<uint64_t>(static_cast<uint64_t>(declared), room);
    std::vector<DirectoryEntry> directory(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < directory.size(); ++i) {
        unsigned char raw[kEntryBytes];
        if (!source.ReadAt(kHeaderBytes + i * kEntryBytes, kEntryBytes, raw)) {
            directory.resize(i);
            break;
        }
        std::memcpy(directory[i].name, raw, 8);
        directory[i].compareLength = Word(raw, 2);
        directory[i].position = Word(raw, 3);
    }

    // Reads the named record's `size` bytes of values; false when it is absent
    // or lies (partly) past the end of the file.
    auto readRecord = [&](const char* name, std::size_t size, void* out) {
        char wanted[8] = {};
        std::memcpy(wanted, name, std::min<std::size_t>(std::strlen(name), 8));
        for (const DirectoryEntry& e : directory) {
            const std::size_t n = static_cast<std::size_t>(std::clamp<int32_t>(e.compareLength, 1, 8));
            if (std::memcmp(wanted, e.name, n) != 0)
                continue;
            if (e.position < 1)
                return false;
            // Positions count words from 1.
            const uint64_t at = static_cast<uint64_t>(e.position) * 4 - 4 + kRecordHeadBytes;
            return source.ReadAt(at, size, out);
        }
        return false;
    };

    std::vector<int32_t> values(static_cast<std::size_t>(elements));
    for (const WholeRecord& r : kWholeRecords) {
        const bool present = readRecord(r.name, values.size() * 4, values.data());
        if (!present && r.category != kCategoryRegion)
            continue;
        if (!present)
            std::fill(values.begin(), values.end(), kDefaultRegion);
        // Element numbers count the leading slots first, from 1; a zero
        // value means the element carries no such attribute.
        MAttributeCategory& category = m_categories[r.category];
        MAttributeGroup& group = category.m_groups[kAttributeGroupCount - 1];
        for (std::size_t j = 0; j < values.size(); ++j) {
            const int v = values[j];
            if (v == 0)
                continue;
            group.m_ints.push_back(v);
            MAttributeRecord& record = category.RecordOf(kAttributeGroupCount - 1, v);
            record.m_value = v;
            record.m_elements[0].push_back(leading + static_cast<int>(j) + 1);
        }
    }

    std::vector<float> thickness(static_cast<std::size_t>(elements) * 2);
    if (!readRecord("BLMTHICK", thickness.size() * 4, thickness.data())) {
        ShowModelMessage("No Dimension Attribute in M3R file", "Error");
    } else {
        m_thickness.assign(static_cast<std::size_t>(leading), {0.0, 0.0});
        for (std::size_t j = 0; j < static_cast<std::size_t>(elements); ++j)
            m_thickness.emplace_back(thickness[2 * j], thickness[2 * j + 1]);
    }
    return ModelLoadResult::Ok;
}
