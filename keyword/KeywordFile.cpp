#include "keyword/KeywordFile.h"

#include "keyword/TextFile.h"

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

const std::string kEmpty;

// Unset values in solver files are written as this number; such lines are
// treated as if the keyword were absent.
const long kUnsetMarker = -16384;

bool IsSpace(char c)
{
    // The C locale's isspace, without the locale lookup per byte.
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
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

// 8 bytes at a time with a strong final mix: keywords of one deck share long
// prefixes ("3DFLOW_...") and differ in a few bytes near the end.
std::uint64_t HashKeyword(std::string_view key)
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
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    h = (h ^ tail) * 0x94d049bb133111ebull;
    h ^= h >> 31;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return h;
}

} // namespace

// Open addressing with linear probing over a power-of-two table that doubles
// at a load of one half, so a deck of a million keywords loads in linear time.
// Entries hold the slot (the keyword text lives in m_keywords) and the low 32
// hash bits: they give the home position without rehashing the text and
// settle almost every mismatch without a string compare. Removal shifts the
// following run back, so no tombstones accumulate.
struct MKeywordFile::Index {
    struct Entry {
        std::uint32_t slotPlus1 = 0; // 0: empty
        std::uint32_t hash = 0;
    };

    std::vector<Entry> table = std::vector<Entry>(64);
    std::size_t count = 0;

    std::size_t Mask() const { return table.size() - 1; }

    // The table position holding `key`, or -1.
    long Locate(std::string_view key, std::uint64_t h, const std::vector<std::string>& keywords) const
    {
        const std::uint32_t tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = tag & Mask();; i = (i + 1) & Mask()) {
            const Entry& e = table[i];
            if (e.slotPlus1 == 0)
                return -1;
            if (e.hash == tag && keywords[e.slotPlus1 - 1] == key)
                return static_cast<long>(i);
        }
    }

    // The slot of `key`, or -1.
    long Find(std::string_view key, std::uint64_t h, const std::vector<std::string>& keywords) const
    {
        const long at = Locate(key, h, keywords);
        return at < 0 ? -1 : static_cast<long>(table[static_cast<std::size_t>(at)].slotPlus1 - 1);
    }

    // `slot`'s keyword must not be in the index yet.
    void Insert(std::uint64_t h, std::size_t slot)
    {
        assert(slot < UINT32_MAX);
        if ((count + 1) * 2 > table.size())
            Rebuild(table.size() * 2);
        Place(Entry{static_cast<std::uint32_t>(slot + 1), static_cast<std::uint32_t>(h)});
        ++count;
    }

    void Place(const Entry& entry)
    {
        std::size_t i = entry.hash & Mask();
        while (table[i].slotPlus1 != 0)
            i = (i + 1) & Mask();
        table[i] = entry;
    }

    bool Erase(std::string_view key, std::uint64_t h, const std::vector<std::string>& keywords)
    {
        const long at = Locate(key, h, keywords);
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
        while (n * 2 > size)
            size *= 2;
        if (size != table.size())
            Rebuild(size);
    }

    void Rebuild(std::size_t size)
    {
        std::vector<Entry> old(size);
        old.swap(table);
        for (const Entry& e : old)
            if (e.slotPlus1 != 0)
                Place(e);
    }

    void Clear()
    {
        table.assign(64, Entry{});
        count = 0;
    }
};

MKeywordFile::MKeywordFile() : m_index(new Index) {}

MKeywordFile::~MKeywordFile() { delete m_index; }

void MKeywordFile::Load(const std::string& path)
{
    m_lines.clear();
    m_keywords.clear();
    m_live.clear();
    m_index->Clear();
    Merge(path);
    m_fileName = path;
}

void MKeywordFile::Merge(const std::string& path)
{
    if (path.empty() || access(path.c_str(), R_OK) != 0)
        return;
    std::string bytes;
    try {
        CTextFile file(path, CTextFile::modeRead);
        // A read error keeps what was read before it.
        file.ReadBytes(bytes);
    } catch (const CFileException&) {
        return;
    }
    // The parser takes CR LF as LF and cuts trailing blanks (CR included) from
    // every line, so text-mode and binary-mode reads give the same content.
    MergeText(bytes);
}

void MKeywordFile::MergeText(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    auto nextLine = [&](std::string_view& line) {
        if (p >= end)
            return false;
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = nl ? nl : end;
        line = std::string_view(p, static_cast<std::size_t>(stop - p));
        p = nl ? nl + 1 : end;
        return true;
    };

    // Slots and index sized from a typical line length, so big decks do not
    // rehash repeatedly while they load.
    const std::size_t guess = m_keywords.size() + text.size() / 48;
    if (guess > m_keywords.capacity()) {
        m_keywords.reserve(guess);
        m_lines.reserve(guess);
        m_live.reserve(guess);
    }
    m_index->Reserve(guess);

    std::string joined; // reused for continued values
    std::string_view line;
    while (nextLine(line)) {
        if (line.empty() || line[0] == '#')
            continue;
        line = TrimRight(line);
        const void* colon = std::memchr(line.data(), ':', line.size());
        if (!colon)
            continue;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(colon) - line.data());
        const std::string_view keyword = line.substr(0, at);
        std::string_view value = line.substr(at + 1);
        if (IsUnsetMarker(value))
            continue;
        value = TrimLeft(value);
        if (line.back() == '\\') {
            joined.assign(value);
            std::string_view next;
            bool more = true;
            while (more && nextLine(next)) {
                next = TrimRight(next);
                joined += '\n';
                joined.append(next);
                more = !next.empty() && next.back() == '\\';
            }
            StoreRead(keyword, joined);
        } else {
            StoreRead(keyword, value);
        }
    }
}

// Older solver versions wrote some settings under other names; files of
// previous analyses are brought up to date as they are read.
void MKeywordFile::StoreRead(std::string_view keyword, std::string_view value)
{
    static constexpr std::string_view kFlow = "3DFLOW_";
    if (!StartsWith(keyword, kFlow) || keyword.find("_RANGE") != std::string_view::npos) {
        SetValue(keyword, value);
        return;
    }

    static constexpr std::string_view kAim = "3DFLOW_ANALYSIS_AIM";
    static constexpr std::string_view kChangeOver = "3DFLOW_FILL_PRESSURE_CONTROL_CHANGE_OVER";
    static constexpr std::string_view kFillControl = "3DFLOW_FILL_PRESSURE_CONTROL";
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
        SetValue(keyword, value);
    } else if (keyword == "3DFLOW_PACK_PROFILE") {
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
        SetValue(keyword, value);
    }
}

void MKeywordFile::AppendText(std::string& out, const char* lineEnd) const
{
    const std::size_t endSize = std::strlen(lineEnd);
    const bool translate = endSize != 1;
    std::size_t total = 0;
    for (std::size_t i = 0; i < m_keywords.size(); ++i)
        if (IsWritten(i))
            total += m_keywords[i].size() + 2 + m_lines[i].size() + endSize;
    out.reserve(out.size() + total + (translate ? total / 16 : 0));
    for (std::size_t i = 0; i < m_keywords.size(); ++i) {
        if (!IsWritten(i))
            continue;
        out += m_keywords[i];
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
    }
}

bool MKeywordFile::IsWritten(std::size_t slot) const
{
    const std::string& keyword = m_keywords[slot];
    // "_" keywords are working values of the wizards, and an empty value
    // means "let the solver decide": neither reaches a file.
    return m_live[slot] && !(!keyword.empty() && keyword[0] == '_') && !m_lines[slot].empty();
}

std::string MKeywordFile::ToText() const
{
    std::string out;
    AppendText(out, "\n");
    return out;
}

bool MKeywordFile::Write() const
{
    return Write(m_fileName);
}

bool MKeywordFile::Write(const std::string& path) const
{
    if (path.empty())
        return false;
    try {
        CTextFile file(path, CTextFile::modeCreate | CTextFile::modeWrite);
        std::string text;
        AppendText(text, file.LineEnd());
        file.WriteBytes(text);
        return file.Close();
    } catch (const CFileException&) {
        return false;
    }
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
    const long slot = m_index->Find(keyword, HashKeyword(keyword), m_keywords);
    return slot < 0 ? kEmpty : m_lines[static_cast<std::size_t>(slot)];
}

void MKeywordFile::SetValue(std::string_view keyword, std::string_view value)
{
    const std::uint64_t h = HashKeyword(keyword);
    const long slot = m_index->Find(keyword, h, m_keywords);
    if (slot >= 0) {
        m_lines[static_cast<std::size_t>(slot)].assign(value);
        return;
    }
    m_keywords.emplace_back(keyword);
    m_lines.emplace_back(value);
    m_live.push_back(1);
    m_index->Insert(h, m_keywords.size() - 1);
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
    const long slot = m_index->Find(keyword, h, m_keywords);
    if (slot < 0)
        return false;
    // The index compares against m_keywords, so erase before blanking the slot.
    m_index->Erase(keyword, h, m_keywords);
    m_keywords[static_cast<std::size_t>(slot)].clear();
    m_lines[static_cast<std::size_t>(slot)].clear();
    m_live[static_cast<std::size_t>(slot)] = 0;
    return true;
}

bool MKeywordFile::HasKeyword(std::string_view keyword) const
{
    return m_index->Find(keyword, HashKeyword(keyword), m_keywords) >= 0;
}

void MKeywordFile::RemoveKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_keywords.size(); ++i)
        if (m_live[i] && StartsWith(m_keywords[i], prefix))
            RemoveKeyword(std::string(m_keywords[i]));
}

void MKeywordFile::KeepKeywordsWithPrefix(std::string_view prefix)
{
    for (std::size_t i = 0; i < m_keywords.size(); ++i)
        if (m_live[i] && !StartsWith(m_keywords[i], prefix))
            RemoveKeyword(std::string(m_keywords[i]));
}

void MKeywordFile::CopyKeyword(std::string_view keyword, const MKeywordFile& other)
{
    SetValue(keyword, other.GetValue(keyword));
}

std::vector<std::string> MKeywordFile::GetKeywords() const
{
    std::vector<std::string> out;
    out.reserve(m_index->count);
    for (std::size_t i = 0; i < m_keywords.size(); ++i)
        if (m_live[i])
            out.push_back(m_keywords[i]);
    return out;
}

std::size_t MKeywordFile::GetKeywordCount() const
{
    return m_index->count;
}
