#include "keyword/KeywordFile.h"

#include "keyword/TextFile.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

const std::string kEmpty;

// Unset values in solver files are written as this number; such lines are
// treated as if the keyword were absent.
const long kUnsetMarker = -16384;

bool IsSpace(char c)
{
    // The C locale's isspace (blank, \t \n \v \f \r) as one bit test, without
    // the locale lookup per byte.
    const unsigned u = static_cast<unsigned char>(c);
    return u <= ' ' && ((0x100003E00ull >> u) & 1) != 0;
}

std::string_view TrimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && IsSpace(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string_view TrimLeft(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return s.substr(i);
}

// Solvers read values with atoi and strtod, so a value counts as unset when
// either reading yields the marker: "-16384abc" (atoi) and "-1.6384e4" (strtod).
bool IsUnsetMarker(std::string_view value)
{
    std::size_t i = 0;
    while (i < value.size() && IsSpace(value[i]))
        ++i;
    // Both readings need a minus sign to produce a negative number.
    if (i >= value.size() || value[i] != '-')
        return false;

    std::size_t j = i + 1;
    long magnitude = 0;
    bool digits = false;
    for (; j < value.size() && value[j] >= '0' && value[j] <= '9'; ++j) {
        digits = true;
        if (magnitude <= -kUnsetMarker) // saturate: anything larger is not the marker
            magnitude = magnitude * 10 + (value[j] - '0');
    }
    if (digits && -magnitude == kUnsetMarker)
        return true;

    // strtod stops at the first blank after the sign's token and at NUL, so
    // only that token needs a terminated copy.
    std::size_t end = i;
    while (end < value.size() && !IsSpace(value[end]) && value[end] != '\0')
        ++end;
    thread_local std::string token;
    token.assign(value.data() + i, end - i);
    char* stop = nullptr;
    double d = std::strtod(token.c_str(), &stop);
    return stop != token.c_str() && d == static_cast<double>(kUnsetMarker);
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// The first LF in [p, end), or nullptr; `colon` gets the first ':' before
// it (or before `end`), or nullptr. One pass finds both, 16 bytes at a time:
// two memchr calls per line cost twice the scan, and most lines are short.
inline const char* ScanLine(const char* p, const char* end, const char*& colon)
{
    colon = nullptr;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cl = _mm_set1_epi8(':');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        if (!colon) {
            // Colons at or after the first LF belong to the next line.
            const unsigned before = lfs ? (lfs & (0u - lfs)) - 1 : 0xFFFFu;
            const unsigned cls = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cl))) & before;
            if (cls)
                colon = p + std::countr_zero(cls);
        }
        if (lfs)
            return p + std::countr_zero(lfs);
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\n')
            return p;
        if (*p == ':' && !colon)
            colon = p;
    }
    return nullptr;
}

// Whether a keyword read may fall under a legacy renaming rule: they all
// begin "3DFLOW_ANALYSIS_AIM", "3DFLOW_PACK_PROFILE" or "3DFLOW_FILL_", so
// one look at the first bytes settles almost every line of a deck.
inline bool MayBeRenamed(std::string_view keyword)
{
    if (keyword.size() < 19 || std::memcmp(keyword.data(), "3DFLOW_", 7) != 0)
        return false;
    const char c = keyword[7];
    return c == 'A' || c == 'P' || c == 'F';
}

// 8 bytes at a time with a strong final mix: keywords of one deck share long
// prefixes ("3DFLOW_...") and differ in a few bytes near the end.
[[gnu::always_inline]] inline std::uint64_t HashKeyword(std::string_view key)
{
    const char* p = key.data();
    std::size_t n = key.size();
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ (n * 0xff51afd7ed558ccdull);
    while (n >= 8) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        h = (h ^ v) * 0xbf58476d1ce4e5b9ull;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    // A variable-length memcpy becomes a byte loop whose stores the next
    // 8-byte load must wait for; whole loads that end at the key's last byte
    // give the same value without that stall.
    std::uint64_t tail = 0;
    if constexpr (std::endian::native == std::endian::little) {
        if (n > 0 && key.size() >= 8) {
            std::memcpy(&tail, p + n - 8, 8);
            tail >>= 8 * (8 - n);
        } else if (n >= 4) {
            std::uint32_t lo, hi;
            std::memcpy(&lo, p, 4);
            std::memcpy(&hi, p + n - 4, 4);
            tail = lo | (std::uint64_t{hi} << (8 * (n - 4)));
        } else if (n > 0) {
            const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i); };
            tail = byte(0) | byte(n / 2) | byte(n - 1);
        }
    } else {
        std::memcpy(&tail, p, n);
    }
    h = (h ^ tail) * 0x94d049bb133111ebull;
    h ^= h >> 31;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return h;
}

// Big decks fill these buffers with tens of megabytes of fresh memory; huge
// pages cut the page faults from one per 4 KB to one per 2 MB. Only the
// whole 2 MB pages inside the buffer are advised; this is a hint, never an error.
void AdviseHugePages(const void* data, std::size_t bytes)
{
    const std::uintptr_t kHuge = 2u << 20;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

} // namespace

// Open addressing with linear probing over a power-of-two table that doubles
// at a load of three quarters, so a deck of a million keywords loads in
// linear time. The 32-bit tags keep the longer runs of that load cheap: a
// probe compares keyword text only when a tag matches, and the table of a big
// deck is half the memory it would be at a load of one half, memory that is
// freshly faulted on every load.
// Entries hold the slot (the keyword text lives in m_keyText) and the low 32
// hash bits: they give the home position without rehashing the text and
// settle almost every mismatch without a string compare. Removal shifts the
// following run back, so no tombstones accumulate.
struct MKeywordFile::Index {
    struct Entry {
        std::uint32_t slotPlus1 = 0; // 0: empty
        std::uint32_t hash = 0;
    };

    // Zeroed entries; big tables come straight from the system in huge pages
    // where it offers them, because every probe of a big deck lands on a
    // different 4 KB page and would otherwise miss the TLB.
    class Table {
    public:
        explicit Table(std::size_t size) : m_size(size)
        {
            const std::size_t bytes = size * sizeof(Entry);
            if (bytes >= kMapped) {
                void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
                if (p != MAP_FAILED) {
                    ::madvise(p, bytes, MADV_HUGEPAGE);
                    m_data = static_cast<Entry*>(p);
                    m_mapped = true;
                    return;
                }
            }
            m_data = static_cast<Entry*>(std::calloc(size, sizeof(Entry)));
            if (!m_data)
                throw std::bad_alloc();
        }
        ~Table() { Release(); }
        Table(Table&& other) noexcept : m_data(other.m_data), m_size(other.m_size), m_mapped(other.m_mapped)
        {
            other.m_data = nullptr;
        }
        Table& operator=(Table&& other) noexcept
        {
            if (this != &other) {
                Release();
                m_data = other.m_data;
                m_size = other.m_size;
                m_mapped = other.m_mapped;
                other.m_data = nullptr;
            }
            return *this;
        }
        Entry& operator[](std::size_t i) { return m_data[i]; }
        const Entry& operator[](std::size_t i) const { return m_data[i]; }
        std::size_t size() const { return m_size; }

    private:
        static constexpr std::size_t kMapped = 2u << 20;
        void Release()
        {
            if (m_data && m_mapped)
                ::munmap(m_data, m_size * sizeof(Entry));
            else
                std::free(m_data);
            m_data = nullptr;
        }
        Entry* m_data = nullptr;
        std::size_t m_size = 0;
        bool m_mapped = false;
    };

    Table table{64};
    std::size_t count = 0;

    std::size_t Mask() const { return table.size() - 1; }

    // The table position holding `key`, or -1.
    long Locate(std::string_view key, std::uint64_t h, const MKeywordFile& file) const
    {
        const std::uint32_t tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = tag & Mask();; i = (i + 1) & Mask()) {
            const Entry& e = table[i];
            if (e.slotPlus1 == 0)
                return -1;
            if (e.hash == tag && file.KeywordAt(e.slotPlus1 - 1) == key)
                return static_cast<long>(i);
        }
    }

    // The slot of `key`, or -1.
    long Find(std::string_view key, std::uint64_t h, const MKeywordFile& file) const
    {
        const long at = Locate(key, h, file);
        return at < 0 ? -1 : static_cast<long>(table[static_cast<std::size_t>(at)].slotPlus1 - 1);
    }

    // The entry holding `key`, or the empty entry where it belongs. Call
    // MakeRoom first: a rebuild moves every entry.
    Entry& Probe(std::string_view key, std::uint64_t h, const MKeywordFile& file)
    {
        const std::uint32_t tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = tag & Mask();; i = (i + 1) & Mask()) {
            Entry& e = table[i];
            if (e.slotPlus1 == 0 || (e.hash == tag && file.KeywordAt(e.slotPlus1 - 1) == key))
                return e;
        }
    }

    // Room for one more entry.
    void MakeRoom()
    {
        if (!Fits(count + 1, table.size()))
            Rebuild(table.size() * 2);
    }

    // Fills the empty entry `at` that Probe returned.
    void Fill(Entry& at, std::uint64_t h, std::size_t slot)
    {
        assert(slot < UINT32_MAX && at.slotPlus1 == 0);
        at = Entry{static_cast<std::uint32_t>(slot + 1), static_cast<std::uint32_t>(h)};
        ++count;
    }

    static bool Fits(std::size_t n, std::size_t size) { return n <= size / 4 * 3; }

    void Place(const Entry& entry)
    {
        std::size_t i = entry.hash & Mask();
        while (table[i].slotPlus1 != 0)
            i = (i + 1) & Mask();
        table[i] = entry;
    }

    bool Erase(std::string_view key, std::uint64_t h, const MKeywordFile& file)
    {
        const long at = Locate(key, h, file);
        if (at < 0)
            return false;
        // Move later members of the probe run into the hole unless their home
        // lies cyclically after the hole, where a lookup still reaches them.
        std::size_t hole = static_cast<std::size_t>(at);
        for (std::size_t j = (hole + 1) & Mask(); table[j].slotPlus1 != 0; j = (j + 1) & Mask()) {
            const std::size_t home = table[j].hash & Mask();
            const bool reachable = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (!reachable) {
                table[hole] = table[j];
                hole = j;
            }
        }
        table[hole] = Entry{};
        --count;
        return true;
    }

    void Reserve(std::size_t n)
    {
        std::size_t size = table.size();
        while (!Fits(n, size))
            size *= 2;
        if (size != table.size())
            Rebuild(size);
    }

    void Rebuild(std::size_t size)
    {
        Table old(size);
        std::swap(old, table);
        for (std::size_t i = 0; i < old.size(); ++i)
            if (old[i].slotPlus1 != 0)
                Place(old[i]);
    }

    void Clear()
    {
        table = Table(64);
        count = 0;
    }

    // While a text is read, stored lines only append slots and note their
    // hash here; IndexAppended then enters them all in one tight pass.
    bool appending = false;
    std::size_t firstAppended = 0;
    std::size_t keyTextBefore = 0;
    std::vector<std::uint32_t> appendedTags;

    void BeginAppending(const MKeywordFile& file, std::size_t expected)
    {
        appendedTags.clear();
        appendedTags.reserve(expected);
        firstAppended = file.m_slots.size();
        keyTextBefore = file.m_keyText.size();
        appending = true;
    }

    // Enters the slots appended since reading began, in slot order, so a
    // keyword read twice keeps its first slot and takes the later value. The
    // later slot goes: the slots after it (and their keyword text) move up,
    // so the content is what storing line by line gives, and a deck that
    // repeats one keyword a million times holds one slot. Table entries are
    // fetched several slots ahead.
    void IndexAppended(MKeywordFile& file)
    {
        assert(appending && appendedTags.size() == file.m_slots.size() - firstAppended);
        appending = false;
        try {
            Reserve(count + appendedTags.size());
        } catch (...) {
            DropAppended(file);
            throw;
        }
        constexpr std::size_t kAhead = 16;
        const std::size_t n = appendedTags.size();
        std::size_t kept = firstAppended;     // the next slot that stays
        std::size_t keyEnd = keyTextBefore;   // where its keyword text goes
        for (std::size_t i = 0; i < n; ++i) {
            if (i + kAhead < n)
                Prefetch(appendedTags[i + kAhead]);
            const std::size_t slot = firstAppended + i;
            Entry& entry = Probe(file.KeywordAt(slot), appendedTags[i], file);
            if (entry.slotPlus1 != 0) {
                file.m_lines[entry.slotPlus1 - 1].swap(file.m_lines[slot]);
                continue;
            }
            if (kept != slot) {
                // Moves go towards the front and never reach a slot or a
                // keyword not yet looked at.
                Slot moved = file.m_slots[slot];
                std::memmove(&file.m_keyText[keyEnd], &file.m_keyText[moved.keyOffset], moved.keyLength);
                moved.keyOffset = keyEnd;
                file.m_slots[kept] = moved;
                file.m_lines[kept].swap(file.m_lines[slot]);
            }
            keyEnd += file.m_slots[kept].keyLength;
            Fill(entry, appendedTags[i], kept);
            ++kept;
        }
        file.m_slots.resize(kept);
        file.m_lines.erase(file.m_lines.begin() + static_cast<std::ptrdiff_t>(kept), file.m_lines.end());
        file.m_keyText.resize(keyEnd);
        std::vector<std::uint32_t>().swap(appendedTags);
    }

    // Back to the content before reading began (after a failed allocation).
    void DropAppended(MKeywordFile& file)
    {
        appending = false;
        file.m_slots.resize(firstAppended);
        file.m_lines.erase(file.m_lines.begin() + static_cast<std::ptrdiff_t>(firstAppended), file.m_lines.end());
        file.m_keyText.resize(keyTextBefore);
        std::vector<std::uint32_t>().swap(appendedTags);
    }

    // Loading touches one random table entry per keyword; fetching it a few
    // lines ahead hides most of the memory latency on big decks.
    void Prefetch(std::uint64_t h) const { __builtin_prefetch(&table[h & Mask()]); }
};

MKeywordFile::MKeywordFile() : m_index(new Index) {}

MKeywordFile::~MKeywordFile() { delete m_index; }

CResult MKeywordFile::Load(const std::string& path)
{
    m_lines.clear();
    m_slots.clear();
    m_keyText.clear();
    m_index->Clear();
    m_fileName = path;
    return Merge(path);
}

// Lines of a text held in memory: views stay valid throughout.
class MKeywordFile::TextLines {
public:
    explicit TextLines(std::string_view text) : m_p(text.data()), m_end(text.data() + text.size()) {}
    // The next line, with its first ':' (nullptr when it has none).
    bool Next(std::string_view& line, const char*& colon)
    {
        if (m_p >= m_end)
            return false;
        const char* nl = ScanLine(m_p, m_end, colon);
        const char* stop = nl ? nl : m_end;
        line = std::string_view(m_p, static_cast<std::size_t>(stop - m_p));
        m_p = nl ? nl + 1 : m_end;
        return true;
    }
    bool Next(std::string_view& line)
    {
        const char* colon;
        return Next(line, colon);
    }

private:
    const char* m_p;
    const char* m_end;
};

// Lines of a file read in blocks of 64 KB into one reused buffer: a big deck
// is parsed while its bytes are still in the cache, and never held in memory
// whole. A small buffer is reused from one load to the next, where a
// megabyte came fresh from the system, page by page, on every load. A refill
// moves the unfinished line to the front, so views handed out before it are
// dead afterwards.
class MKeywordFile::FileLines {
public:
    explicit FileLines(CTextFile& file) : m_file(file), m_buffer(new char[kBlock]), m_size(kBlock) {}
    // The next line, with its first ':' (nullptr when it has none).
    bool Next(std::string_view& line, const char*& colon)
    {
        for (;;) {
            const char* nl = ScanLine(m_buffer.get() + m_pos, m_buffer.get() + m_filled, colon);
            if (nl) {
                line = std::string_view(m_buffer.get() + m_pos, static_cast<std::size_t>(nl - m_buffer.get()) - m_pos);
                m_pos = static_cast<std::size_t>(nl - m_buffer.get()) + 1;
                return true;
            }
            if (m_atEof) {
                if (m_pos >= m_filled)
                    return false;
                line = std::string_view(m_buffer.get() + m_pos, m_filled - m_pos);
                m_pos = m_filled;
                return true;
            }
            Refill();
        }
    }
    bool Next(std::string_view& line)
    {
        const char* colon;
        return Next(line, colon);
    }

private:
    void Refill()
    {
        const std::size_t rest = m_filled - m_pos;
        std::memmove(m_buffer.get(), m_buffer.get() + m_pos, rest);
        m_pos = 0;
        m_filled = rest;
        if (m_filled == m_size) { // a line longer than the buffer
            std::unique_ptr<char[]> bigger(new char[m_size * 2]);
            std::memcpy(bigger.get(), m_buffer.get(), m_filled);
            m_buffer = std::move(bigger);
            m_size *= 2;
        }
        const std::size_t got = m_file.ReadBlock(m_buffer.get() + m_filled, m_size - m_filled);
        m_filled += got;
        // A read error ends the reading; what was read so far stays.
        if (got == 0)
            m_atEof = true;
    }

    CTextFile& m_file;
    // Not zeroed: only bytes the file filled in are ever looked at.
    static constexpr std::size_t kBlock = 64 << 10;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size;
    std::size_t m_pos = 0;
    std::size_t m_filled = 0;
    bool m_atEof = false;
};

CResult MKeywordFile::Merge(const std::string& path)
{
    if (path.empty())
        return CResult::Fail("no keyword file given");
    if (access(path.c_str(), R_OK) != 0)
        return CResult::FromErrno("cannot read '" + path + "'");
    CTextFile file;
    if (CResult opened = file.Open(path, CTextFile::modeRead); !opened)
        return opened;
    // The parser takes CR LF as LF and cuts trailing blanks (CR included)
    // from every line, so text-mode and binary-mode reads agree.
    FileLines lines(file);
    const long long size = file.GetLength();
    Parse(lines, size > 0 ? static_cast<std::size_t>(size) : 0);
    return file.Close();
}

void MKeywordFile::MergeText(std::string_view text)
{
    TextLines lines(text);
    Parse(lines, text.size());
}

template <class Lines>
void MKeywordFile::Parse(Lines& lines, std::size_t expectedBytes)
{
    // Slots sized from a short line length, so big decks do not move their
    // slots repeatedly while they load (the index is sized once, from the
    // count, when the reading is done). The keywords of
    // one file fit in its size (renamed ones may grow a little): reserving
    // that much costs only address space, while a short guess made the text
    // move once more into freshly faulted memory on typical decks.
    const std::size_t guess = m_slots.size() + expectedBytes / 40;
    if (guess > m_slots.capacity()) {
        m_slots.reserve(guess);
        m_lines.reserve(guess);
        m_keyText.reserve(m_keyText.size() + expectedBytes);
        AdviseHugePages(m_slots.data(), m_slots.capacity() * sizeof(Slot));
        AdviseHugePages(m_lines.data(), m_lines.capacity() * sizeof(std::string));
        AdviseHugePages(m_keyText.data(), m_keyText.capacity());
    }

    // Reading only appends: every stored line gets a slot of its own, and
    // the index is brought up to date once at the end. Probing the table line
    // by line, between the parsing of one line and the next, cost more than
    // all the rest of the reading on big decks.
    m_index->BeginAppending(*this, expectedBytes / 40);
    try {
        std::string joinedKey, joined; // a continued entry, copied out of the line buffer
        std::string_view line;
        const char* colon = nullptr;
        while (lines.Next(line, colon)) {
            if (!colon || line[0] == '#')
                continue; // a line without ':' (an empty one too) or a comment
            line = TrimRight(line); // never cuts the ':'
            const std::size_t at = static_cast<std::size_t>(colon - line.data());
            const std::string_view keyword = line.substr(0, at);
            std::string_view value = line.substr(at + 1);
            if (IsUnsetMarker(value) || keyword.size() >= UINT32_MAX)
                continue;
            value = TrimLeft(value);
            const std::uint64_t h = HashKeyword(keyword);
            if (line.back() == '\\') {
                // Copied out first: reading the next lines may refill the
                // buffer that the views point into.
                joinedKey.assign(keyword);
                joined.assign(value);
                std::string_view next;
                bool more = true;
                while (more && lines.Next(next)) {
                    next = TrimRight(next);
                    joined += '\n';
                    joined.append(next);
                    more = !next.empty() && next.back() == '\\';
                }
                StoreRead(joinedKey, h, joined);
                continue;
            }
            if (MayBeRenamed(keyword))
                StoreRead(keyword, h, value);
            else
                SetValueHashed(keyword, h, value);
        }
    } catch (...) {
        m_index->DropAppended(*this);
        throw;
    }
    m_index->IndexAppended(*this);
}

// Older solver versions wrote some settings under other names; files of
// previous analyses are brought up to date as they are read.
void MKeywordFile::StoreRead(std::string_view keyword, std::uint64_t hash, std::string_view value)
{
    static constexpr std::string_view kAim = "3DFLOW_ANALYSIS_AIM";
    static constexpr std::string_view kPack = "3DFLOW_PACK_PROFILE";
    static constexpr std::string_view kChangeOver = "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER";
    static constexpr std::string_view kFillControl = "3DFLOW_FILL_PRESSURE_CONTROL";
    // "_RANGE" keywords, exempt from the rules, are looked for only among the
    // few keywords the rules would touch.
    const bool candidate = MayBeRenamed(keyword) &&
                           (keyword == kAim || keyword == kPack || StartsWith(keyword, kFillControl));
    if (!candidate || keyword.find("_RANGE") != std::string_view::npos) {
        SetValueHashed(keyword, hash, value);
        return;
    }

    if (keyword == kAim) {
        for (std::string_view prefix : {"MULTI_", "ASYMMETRIC_", "FAST_", "FLOWCHECK_"}) {
            if (!StartsWith(value, prefix))
                continue;
            const std::size_t underscore = prefix.size() - 1;
            SetValue("3DFLOW_ANALYSIS_TYPE", value.substr(0, underscore));
            // Asymmetric aims were stored as "ASYMMETRIC_MULTI_<aim>": the
            // rest starts past "MULTI_" as well.
            const std::size_t skip = prefix == "ASYMMETRIC_" ? 7 : 1;
            const std::size_t from = underscore + skip;
            SetValue(keyword, from <= value.size() ? value.substr(from) : std::string_view());
            return;
        }
        SetValueHashed(keyword, hash, value);
    } else if (keyword == kPack) {
        SetValue("3DFLOW_PRESSURE_CONTROL_PROFILE", "PRESSURE");
        SetValue("3DFLOW_PRESSURE_CONTROL_PROFILE_PRESSURE", value);
    } else if (keyword == "3DFLOW_FILL_PRESSURE_CONTROL_STATUS") {
        SetValue("3DFLOW_PRESSURE_CONTROL_STATUS", value);
    } else if (keyword == kChangeOver) {
        SetValue("3DFLOW_PRESSURE_CONTROL", value == "AUTOMATIC" ? std::string_view("FACTOR") : value);
    } else if (StartsWith(keyword, kChangeOver)) {
        std::string_view suffix = keyword.substr(kChangeOver.size());
        if (suffix == "_AUTOMATIC")
            suffix = "_FACTOR";
        SetValue(std::string("3DFLOW_PRESSURE_CONTROL").append(suffix), value);
    } else if (StartsWith(keyword, kFillControl)) {
        SetValue(std::string("3DFLOW_VELOCITY_PRESSURE_TRANSITION").append(keyword.substr(kFillControl.size())), value);
    } else {
        SetValueHashed(keyword, hash, value);
    }
}

void MKeywordFile::AppendText(std::string& out, const char* lineEnd, CTextFile* file) const
{
    const std::size_t endSize = std::strlen(lineEnd);
    const bool translate = endSize != 1;
    // Into a file the text goes in blocks of about a megabyte: a big deck is
    // then never held twice in memory.
    const std::size_t kBlock = 1 << 20;
    if (!file) {
        std::size_t total = 0;
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            if (IsWritten(i))
                total += m_slots[i].keyLength + 2 + m_lines[i].size() + endSize;
        out.reserve(out.size() + total + (translate ? total / 16 : 0));
    } else {
        out.reserve(kBlock + 4096);
    }
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (!IsWritten(i))
            continue;
        out += KeywordAt(i);
        out += ": ";
        const std::string& value = m_lines[i];
        if (!translate) {
            out += value;
        } else {
            // Continued values hold LF; at a CR LF location each one gets its CR.
            std::size_t from = 0;
            for (std::size_t nl; (nl = value.find('\n', from)) != std::string::npos; from = nl + 1) {
                out.append(value, from, nl - from);
                out += lineEnd;
            }
            out.append(value, from, std::string::npos);
        }
        out += lineEnd;
        if (file && out.size() >= kBlock) {
            file->WriteBytes(out);
            out.clear();
        }
    }
    if (file)
        file->WriteBytes(out);
}

bool MKeywordFile::IsWritten(std::size_t slot) const
{
    const Slot& s = m_slots[slot];
    // "_" keywords are working values of the wizards, and an empty value
    // means "let the solver decide": neither reaches a file.
    return s.live && !(s.keyLength > 0 && m_keyText[s.keyOffset] == '_') && !m_lines[slot].empty();
}

std::string MKeywordFile::ToText() const
{
    std::string out;
    AppendText(out, "\n", nullptr);
    return out;
}

CResult MKeywordFile::Write() const
{
    return Write(m_fileName);
}

CResult MKeywordFile::Write(const std::string& path) const
{
    if (path.empty())
        return CResult::Fail("the keyword file has no name to be written to");
    CTextFile file;
    if (CResult opened = file.Open(path, CTextFile::modeCreate | CTextFile::modeWrite); !opened)
        return opened;
    std::string block;
    AppendText(block, file.LineEnd(), &file);
    return file.Close();
}

CResult MKeywordFile::CheckValue(std::string_view value)
{
    // The reader cuts blanks at both ends of a value and joins a line that
    // ends in a backslash with the next one, so such values would not read
    // back as they were set.
    if (!value.empty() && (IsSpace(value.front()) || IsSpace(value.back())))
        return CResult::Fail("a value may not begin or end with a blank (it would not read back the same)");
    if (!value.empty() && value.back() == '\\')
        return CResult::Fail("a value may not end with a backslash (the next line would be joined to it)");
    for (std::size_t nl = value.find('\n'); nl != std::string_view::npos; nl = value.find('\n', nl + 1)) {
        if (nl == 0 || value[nl - 1] != '\\')
            return CResult::Fail("a line break in a value must follow a backslash (a continued list)");
        if (nl + 1 == value.size())
            return CResult::Fail("a value may not end with a line break");
    }
    if (value.find('\r') != std::string_view::npos)
        return CResult::Fail("a value may not hold a carriage return");
    return CResult::Ok();
}

CResult MKeywordFile::CheckKeyword(std::string_view keyword)
{
    if (keyword.empty() || keyword[0] == '#' || keyword.find_first_of(":\n\r") != std::string_view::npos)
        return CResult::Fail("keyword '" + std::string(keyword) +
                             "' must be non-empty, not start with '#' and hold no ':' or line break");
    return CResult::Ok();
}

CResult MKeywordFile::SetCheckedValue(std::string_view keyword, std::string_view value)
{
    if (CResult r = CheckKeyword(keyword); !r)
        return r;
    if (CResult r = CheckValue(value); !r)
        return r;
    SetValue(keyword, value);
    return CResult::Ok();
}

std::string MKeywordFile::GetValue(std::string_view keyword) const
{
    const std::string& raw = GetRawValue(keyword);
    std::string out;
    out.reserve(raw.size());
    std::size_t from = 0;
    for (std::size_t bs; (bs = raw.find('\\', from)) != std::string::npos;) {
        out.append(raw, from, bs - from);
        from = bs + 2; // the backslash and the character after it
    }
    if (from < raw.size())
        out.append(raw, from, std::string::npos);
    return out;
}

const std::string& MKeywordFile::GetRawValue(std::string_view keyword) const
{
    const long slot = m_index->Find(keyword, HashKeyword(keyword), *this);
    return slot < 0 ? kEmpty : m_lines[static_cast<std::size_t>(slot)];
}

void MKeywordFile::SetValue(std::string_view keyword, std::string_view value)
{
    SetValueHashed(keyword, HashKeyword(keyword), value);
}

inline void MKeywordFile::SetValueHashed(std::string_view keyword, std::uint64_t h, std::string_view value)
{
    assert(keyword.size() < UINT32_MAX);
    if (m_index->appending) {
        m_slots.push_back(Slot{m_keyText.size(), static_cast<std::uint32_t>(keyword.size()), true});
        m_keyText.append(keyword);
        m_lines.emplace_back(value);
        m_index->appendedTags.push_back(static_cast<std::uint32_t>(h));
        return;
    }
    m_index->MakeRoom();
    Index::Entry& entry = m_index->Probe(keyword, h, *this);
    if (entry.slotPlus1 != 0) {
        m_lines[entry.slotPlus1 - 1].assign(value);
        return;
    }
    m_slots.push_back(Slot{m_keyText.size(), static_cast<std::uint32_t>(keyword.size()), true});
    m_keyText.append(keyword);
    m_lines.emplace_back(value);
    m_index->Fill(entry, h, m_slots.size() - 1);
}

std::string MKeywordFile::FormatDouble(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%G", value);
    std::string text = buf;
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return text;
    std::size_t digits = e + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-'))
        ++digits;
    std::size_t nonZero = digits;
    while (nonZero + 1 < text.size() && text[nonZero] == '0')
        ++nonZero;
    text.erase(digits, nonZero - digits);
    return text;
}

void MKeywordFile::SetDouble(std::string_view keyword, double value)
{
    SetValue(keyword, FormatDouble(value));
}

bool MKeywordFile::RemoveKeyword(std::string_view keyword)
{
    const std::uint64_t h = HashKeyword(keyword);
    const long slot = m_index->Find(keyword, h, *this);
    if (slot < 0)
        return false;
    m_index->Erase(keyword, h, *this);
    // The keyword's text stays in m_keyText, unused: slots are never compacted.
    m_slots[static_cast<std::size_t>(slot)].live = false;
    std::string().swap(m_lines[static_cast<std::size_t>(slot)]);
    return true;
}

bool MKeywordFile::HasKeyword(std::string_view keyword) const
{
    return m_index->Find(keyword, HashKeyword(keyword), *this) >= 0;
}

void MKeywordFile::RemoveKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].live && StartsWith(KeywordAt(i), prefix))
            RemoveKeyword(KeywordAt(i));
}

void MKeywordFile::KeepKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].live && !StartsWith(KeywordAt(i), prefix))
            RemoveKeyword(KeywordAt(i));
}

void MKeywordFile::CopyKeyword(std::string_view keyword, const MKeywordFile& other)
{
    SetValue(keyword, other.GetValue(keyword));
}

std::vector<std::string> MKeywordFile::GetKeywords() const
{
    std::vector<std::string> out;
    out.reserve(m_index->count);
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].live)
            out.emplace_back(KeywordAt(i));
    return out;
}

std::size_t MKeywordFile::GetKeywordCount() const
{
    return m_index->count;
}
