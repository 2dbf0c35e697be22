#include "keyword/KeywordFile.h"

#include "keyword/KeywordText.h"
#include "keyword/TextFile.h"

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

// Unset values in solver files are written as this number; such lines are
// treated as if the keyword were absent.
const long kUnsetMarker = -16384;

using KeywordText::IsSpace;

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

// Whether a keyword read may fall under a legacy renaming rule: they are
// "3DFLOW_ANALYSIS_AIM", "3DFLOW_PACK_PROFILE" or begin
// "3DFLOW_FILL_PRESSURE_CONTROL", so a look at the first bytes and the
// length settles almost every line of a deck.
inline bool MayBeRenamed(std::string_view keyword)
{
    if (keyword.size() < 19 || std::memcmp(keyword.data(), "3DFLOW_", 7) != 0)
        return false;
    // "..._AIM" and "..._PROFILE" have 19 bytes; "3DFLOW_FILL_PRESSURE_CONTROL" 28.
    const char c = keyword[7];
    return ((c == 'A' || c == 'P') && keyword.size() == 19) || (c == 'F' && keyword.size() >= 28);
}

// 8 bytes at a time with a strong final mix: keywords of one deck share long
// prefixes ("3DFLOW_...") and differ in a few bytes near the end. Two lanes
// take alternate words, halving the chain of multiplies a keyword of 20 to
// 40 bytes waits for.
[[gnu::always_inline]] inline std::uint64_t HashKeyword(std::string_view key)
{
    const char* p = key.data();
    std::size_t n = key.size();
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ (n * 0xff51afd7ed558ccdull);
    std::uint64_t odd = 0x6A09E667F3BCC909ull;
    while (n >= 16) {
        std::uint64_t v, w;
        std::memcpy(&v, p, 8);
        std::memcpy(&w, p + 8, 8);
        h = (h ^ v) * 0xbf58476d1ce4e5b9ull;
        h ^= h >> 29;
        odd = (odd ^ w) * 0x94d049bb133111ebull;
        odd ^= odd >> 29;
        p += 16;
        n -= 16;
    }
    if (n >= 8) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        h = (h ^ v) * 0xbf58476d1ce4e5b9ull;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    h ^= odd * 0xff51afd7ed558ccdull;
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

// Copies `n` bytes from `from` to `to`: in 16-byte blocks when `from` has
// them before `fromEnd`, else with memmove. A block may write up to 15
// bytes past `to + n`, which the store leaves room for. Packing a text in
// place (`to` before `from` in one buffer) takes blocks only when `from` is
// a block or more ahead: then no block reaches text not yet read.
inline void CopyPacked(char* to, const char* from, std::size_t n, const char* fromEnd, bool inPlace)
{
    if (inPlace && to == from)
        return;
    if ((!inPlace || from - to >= 16) && static_cast<std::size_t>(fromEnd - from) >= n + 15) {
        for (std::size_t i = 0; i < n; i += 16) {
            char block[16];
            std::memcpy(block, from + i, 16);
            std::memcpy(to + i, block, 16);
        }
        return;
    }
    std::memmove(to, from, n);
}

} // namespace

#include "keyword/KeywordIndex.h"

namespace {

// A keyword and value that do not lie in a text read: the capacity first,
// then the keyword and the value back to back. A value that changes keeps
// its block while it fits, and grows it by half when it does not.
struct OwnedBlock {
    static char* New(std::size_t capacity)
    {
        void* p = std::malloc(sizeof(std::size_t) + capacity);
        if (!p)
            throw std::bad_alloc();
        std::memcpy(p, &capacity, sizeof capacity);
        return static_cast<char*>(p) + sizeof(std::size_t);
    }
    static std::size_t Capacity(const char* key)
    {
        std::size_t capacity;
        std::memcpy(&capacity, key - sizeof(std::size_t), sizeof capacity);
        return capacity;
    }
    static void Free(char* key) { std::free(key - sizeof(std::size_t)); }
};

// Keywords and values are measured in 32 bits: a value of 4 GB or more is
// refused (SetValue) or skipped (reading), as a keyword of 2 GB is.
constexpr std::size_t kMaxKeyword = 0x7FFFFFFFu;
constexpr std::size_t kMaxValue = 0xFFFFFFFFu;

// Room at the end of a store for the blocks of CopyPacked.
constexpr std::size_t kSlack = 16;

struct StoreDeleter {
    void operator()(char* p) const { StoreMemory::Free(p); }
};

} // namespace

MKeywordFile::MKeywordFile() : m_index(new Index) {}

MKeywordFile::~MKeywordFile()
{
    FreeAll();
    delete m_index;
}

void MKeywordFile::FreeAll()
{
    if (m_ownsBlocks)
        for (Slot& s : m_slots)
            Release(s);
    m_ownsBlocks = false;
    m_slots.clear();
    for (char* chunk : m_chunks)
        StoreMemory::Free(chunk);
    m_chunks.clear();
}

void MKeywordFile::Release(Slot& slot)
{
    if (slot.key && (slot.keyLength & kOwned))
        OwnedBlock::Free(slot.key);
    slot.key = nullptr;
    slot.keyLength = 0;
    slot.valueLength = 0;
}

MKeywordFile::Slot MKeywordFile::NewOwnedSlot(std::string_view keyword, std::string_view value)
{
    if (keyword.size() > kMaxKeyword || value.size() > kMaxValue)
        throw std::length_error("keyword or value too long");
    char* key = OwnedBlock::New(keyword.size() + value.size());
    m_ownsBlocks = true;
    std::memcpy(key, keyword.data(), keyword.size());
    if (!value.empty())
        std::memcpy(key + keyword.size(), value.data(), value.size());
    return Slot{key, static_cast<std::uint32_t>(keyword.size()) | kOwned, static_cast<std::uint32_t>(value.size())};
}

// `value` may lie anywhere, this slot's own value included.
void MKeywordFile::AssignValue(std::size_t slot, std::string_view value)
{
    Slot& s = m_slots[slot];
    const std::size_t keyLength = KeyLength(s);
    const bool owned = (s.keyLength & kOwned) != 0;
    if (value.size() <= s.valueLength || (owned && keyLength + value.size() <= OwnedBlock::Capacity(s.key))) {
        if (!value.empty())
            std::memmove(s.key + keyLength, value.data(), value.size());
        s.valueLength = static_cast<std::uint32_t>(value.size());
        return;
    }
    if (value.size() > kMaxValue)
        throw std::length_error("value too long");
    const std::size_t need = keyLength + value.size();
    char* key = OwnedBlock::New(owned ? need + need / 2 : need);
    m_ownsBlocks = true;
    std::memcpy(key, s.key, keyLength);
    std::memcpy(key + keyLength, value.data(), value.size());
    if (owned)
        OwnedBlock::Free(s.key);
    s.key = key;
    s.keyLength = static_cast<std::uint32_t>(keyLength) | kOwned;
    s.valueLength = static_cast<std::uint32_t>(value.size());
}

CResult MKeywordFile::Load(const std::string& path)
{
    FreeAll();
    m_index->Clear();
    m_fileName = path;
    return Merge(path);
}

CResult MKeywordFile::Merge(const std::string& path)
{
    if (path.empty())
        return CResult::Fail("no keyword file given");
    if (access(path.c_str(), R_OK) != 0)
        return CResult::FromErrno("cannot read '" + path + "'");
    CTextFile file;
    if (CResult opened = file.Open(path, CTextFile::modeRead); !opened)
        return opened;
    // The file is read whole, untranslated, into the buffer its keywords and
    // values will live in: the parser takes CR LF as LF and cuts trailing
    // blanks (CR included) from every line, so text-mode and binary-mode
    // reads agree. One byte more than the size sees the end without a
    // second buffer; a file that grows meanwhile doubles it.
    const long long length = file.GetLength();
    std::size_t capacity = length > 0 ? static_cast<std::size_t>(length) + 1 : std::size_t{64} << 10;
    std::unique_ptr<char, StoreDeleter> text(StoreMemory::Allocate(capacity + kSlack));
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            char* bigger = StoreMemory::Grow(text.get(), size, capacity * 2 + kSlack);
            text.release();
            text.reset(bigger);
            capacity *= 2;
        }
        // A read error ends the reading; what was read so far stays.
        const std::size_t got = file.ReadBlock(text.get() + size, capacity - size);
        if (got == 0)
            break;
        size += got;
    }
    char* store = text.release();
    Parse(std::string_view(store, size), store);
    return file.Close();
}

void MKeywordFile::MergeText(std::string_view text)
{
    if (text.empty())
        return;
    // The keywords and values are copied as they are read: never more bytes
    // than the text, and no copy of the lines that are not kept.
    Parse(text, StoreMemory::Allocate(text.size() + kSlack));
}

void MKeywordFile::Parse(std::string_view text, char* store)
{
    try {
        m_chunks.push_back(store);
    } catch (...) {
        StoreMemory::Free(store);
        throw;
    }
    // Slots sized from a short line length, so big decks do not move their
    // slots repeatedly while they load (the index is sized once, from the
    // count, when the reading is done).
    const std::size_t before = m_slots.size();
    const std::size_t guess = before + text.size() / 40;
    if (guess > m_slots.capacity())
        m_slots.reserve(guess);

    // Each kept keyword is copied to `store` with its value right behind it
    // (continued lines are joined the same way), so a read costs one buffer
    // and a slot per keyword. The copy never runs ahead of the reading: with
    // `store` the text itself, the text is packed in place. Reading only
    // appends slots; the index is brought up to date once at the end.
    // Probing the table line by line, between the parsing of one line and
    // the next, cost more than all the rest of the reading on big decks.
    m_index->BeginAppending(*this, text.size() / 40);
    try {
        const char* p = text.data();
        const char* const end = p + text.size();
        char* w = store;
        const bool inPlace = store == text.data();
        while (p < end) {
            const char* colon = nullptr;
            const char* nl = ScanLine(p, end, colon);
            const char* next = nl ? nl + 1 : end;
            if (!colon || *p == '#') {
                p = next; // a line without ':' (an empty one too) or a comment
                continue;
            }
            // Trimming never cuts the ':'.
            const std::string_view line = TrimRight(std::string_view(p, static_cast<std::size_t>((nl ? nl : end) - p)));
            const std::size_t at = static_cast<std::size_t>(colon - p);
            std::string_view keyword = line.substr(0, at);
            std::string_view value = line.substr(at + 1);
            p = next;
            if (IsUnsetMarker(value) || keyword.size() > kMaxKeyword)
                continue;
            value = TrimLeft(value);
            const bool continued = line.back() == '\\';
            if (!continued && MayBeRenamed(keyword) && StoreRenamed(keyword, value))
                continue;
            const std::uint64_t h = HashKeyword(keyword);
            char* const key = w;
            CopyPacked(key, keyword.data(), keyword.size(), end, inPlace);
            char* const valueAt = key + keyword.size();
            CopyPacked(valueAt, value.data(), value.size(), end, inPlace);
            char* valueEnd = valueAt + value.size();
            keyword = std::string_view(key, keyword.size());
            if (continued) {
                bool more = true;
                while (more && p < end) {
                    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                    const std::string_view cont = TrimRight(std::string_view(p, static_cast<std::size_t>((lf ? lf : end) - p)));
                    *valueEnd++ = '\n';
                    CopyPacked(valueEnd, cont.data(), cont.size(), end, inPlace);
                    valueEnd += cont.size();
                    more = !cont.empty() && cont.back() == '\\';
                    p = lf ? lf + 1 : end;
                }
                value = std::string_view(valueAt, static_cast<std::size_t>(valueEnd - valueAt));
                // A renamed keyword's value is copied where it belongs, so
                // its text here is overwritten by what follows.
                if (value.size() > kMaxValue || (MayBeRenamed(keyword) && StoreRenamed(keyword, value)))
                    continue;
            }
            AppendRead(key, keyword.size(), static_cast<std::size_t>(valueEnd - valueAt), h);
            w = valueEnd;
        }
    } catch (...) {
        m_index->DropAppended(*this);
        throw;
    }
    m_index->IndexAppended(*this);
    // A text that added no keyword is not kept: the values it gave keywords
    // already present move to blocks of their own (a file merged again and
    // again would otherwise be held once per merge).
    if (m_slots.size() == before) {
        const auto from = reinterpret_cast<std::uintptr_t>(store);
        const auto to = from + text.size();
        for (Slot& s : m_slots) {
            const auto at = reinterpret_cast<std::uintptr_t>(s.key);
            if (s.key && !(s.keyLength & kOwned) && at >= from && at < to)
                s = NewOwnedSlot(std::string_view(s.key, s.keyLength), std::string_view(s.key + s.keyLength, s.valueLength));
        }
        StoreMemory::Free(m_chunks.back());
        m_chunks.pop_back();
    }
}

inline void MKeywordFile::AppendRead(char* key, std::size_t keyLength, std::size_t valueLength, std::uint64_t hash)
{
    m_slots.push_back(Slot{key, static_cast<std::uint32_t>(keyLength), static_cast<std::uint32_t>(valueLength)});
    m_index->appendedTags.push_back(static_cast<std::uint32_t>(hash));
}

// Older solver versions wrote some settings under other names; files of
// previous analyses are brought up to date as they are read. False when
// `keyword` is stored as it is.
bool MKeywordFile::StoreRenamed(std::string_view keyword, std::string_view value)
{
    static constexpr std::string_view kAim = "3DFLOW_ANALYSIS_AIM";
    static constexpr std::string_view kPack = "3DFLOW_PACK_PROFILE";
    static constexpr std::string_view kChangeOver = "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER";
    static constexpr std::string_view kFillControl = "3DFLOW_FILL_PRESSURE_CONTROL";
    // "_RANGE" keywords, exempt from the rules, are looked for only among the
    // few keywords the rules would touch.
    const bool candidate = MayBeRenamed(keyword) &&
                           (keyword == kAim || keyword == kPack || StartsWith(keyword, kFillControl));
    if (!candidate || keyword.find("_RANGE") != std::string_view::npos)
        return false;

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
            return true;
        }
        return false;
    }
    if (keyword == kPack) {
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
        return false;
    }
    return true;
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
    return Unescape(GetRawValue(keyword));
}

std::string MKeywordFile::Unescape(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    std::size_t from = 0;
    for (std::size_t bs; (bs = raw.find('\\', from)) != std::string_view::npos;) {
        out.append(raw.substr(from, bs - from));
        from = bs + 2; // the backslash and the character after it
    }
    if (from < raw.size())
        out.append(raw.substr(from));
    return out;
}

CValueView MKeywordFile::GetRawValue(std::string_view keyword) const
{
    const long slot = m_index->Find(keyword, HashKeyword(keyword), *this);
    return slot < 0 ? std::string_view() : ValueAt(static_cast<std::size_t>(slot));
}

void MKeywordFile::SetValue(std::string_view keyword, std::string_view value)
{
    SetValueHashed(keyword, HashKeyword(keyword), value);
}

inline void MKeywordFile::SetValueHashed(std::string_view keyword, std::uint64_t h, std::string_view value)
{
    if (m_index->appending) {
        m_slots.push_back(NewOwnedSlot(keyword, value));
        m_index->appendedTags.push_back(static_cast<std::uint32_t>(h));
        return;
    }
    m_index->MakeRoom();
    Index::Entry& entry = m_index->Probe(keyword, h, *this);
    if (entry.slotPlus1 != 0) {
        AssignValue(entry.slotPlus1 - 1, value);
        return;
    }
    m_slots.push_back(NewOwnedSlot(keyword, value));
    m_index->Fill(entry, h, m_slots.size() - 1);
}

void MKeywordFile::SetDouble(std::string_view keyword, double value)
{
    SetValue(keyword, FormatDouble(value));
}

bool MKeywordFile::RemoveKeyword(std::string_view keyword)
{
    const long slot = m_index->Find(keyword, HashKeyword(keyword), *this);
    if (slot < 0)
        return false;
    RemoveSlot(static_cast<std::size_t>(slot));
    return true;
}

// Slots are never compacted: a removed one stays, empty.
void MKeywordFile::RemoveSlot(std::size_t slot)
{
    const std::string_view keyword = KeywordAt(slot);
    m_index->Erase(keyword, HashKeyword(keyword), *this);
    Release(m_slots[slot]);
}

bool MKeywordFile::HasKeyword(std::string_view keyword) const
{
    return m_index->Find(keyword, HashKeyword(keyword), *this) >= 0;
}

void MKeywordFile::RemoveKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].key && StartsWith(KeywordAt(i), prefix))
            RemoveSlot(i);
}

void MKeywordFile::KeepKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].key && !StartsWith(KeywordAt(i), prefix))
            RemoveSlot(i);
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
        if (m_slots[i].key)
            out.emplace_back(KeywordAt(i));
    return out;
}

std::size_t MKeywordFile::GetKeywordCount() const
{
    return m_index->count;
}
