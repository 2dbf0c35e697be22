// The attribute text reader: an ".ain" file of numeric records grouped under
// "*CODE category" lines, naming each attribute by a line of its ".ata" file.
// The record layout is in docs/model-files.md.
#include "model/ModelAttributeStore.h"

#include "keyword/TextFile.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

// Lines are handled in pieces of at most this many characters, each piece
// counting as a line.
constexpr std::size_t kPieceLength = 511;
constexpr int kMaxAttributeNumber = 10000000;
constexpr std::size_t kMaxTokens = 9;

// Calls `piece` for every line piece of `bytes`, cut at its first CR.
template <typename F>
void ForEachPiece(std::string_view bytes, F&& piece)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* lf = std::memchr(bytes.data() + pos, '\n', bytes.size() - pos);
        const std::size_t lineEnd = lf ? static_cast<const char*>(lf) - bytes.data() : bytes.size();
        for (std::size_t start = pos;; start += kPieceLength) {
            const std::size_t end = std::min(start + kPieceLength, lineEnd);
            std::string_view p = bytes.substr(start, end - start);
            const std::size_t cut = p.find_first_of(std::string_view("\r\0", 2));
            piece(cut == std::string_view::npos ? p : p.substr(0, cut));
            if (end >= lineEnd)
                break;
        }
        pos = lineEnd + 1;
    }
}

// Up to kMaxTokens tokens split at blanks, tabs, CR and LF; returns the count.
std::size_t Tokenize(std::string_view line, std::string_view* tokens)
{
    std::size_t n = 0, pos = 0;
    auto isSep = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (n < kMaxTokens) {
        while (pos < line.size() && isSep(line[pos]))
            ++pos;
        if (pos == line.size())
            break;
        const std::size_t start = pos;
        while (pos < line.size() && !isSep(line[pos]))
            ++pos;
        tokens[n++] = line.substr(start, pos - start);
    }
    return n;
}

bool ParseWhole(std::string_view token, long long& value)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ParseReal(std::string_view token, double& value)
{
    char copy[64];
    if (token.empty() || token.size() >= sizeof copy)
        return false;
    std::memcpy(copy, token.data(), token.size());
    copy[token.size()] = '\0';
    char* end = nullptr;
    value = std::strtod(copy, &end);
    return end == copy + token.size();
}

std::string_view Trim(std::string_view text)
{
    const char* ws = " \t\r\n\v\f";
    const std::size_t b = text.find_first_not_of(ws);
    if (b == std::string_view::npos)
        return {};
    return text.substr(b, text.find_last_not_of(ws) - b + 1);
}

} // namespace

ModelLoadResult MModelAttributeStore::ReadTextFiles(const std::string& ainPath, const std::string& ataPath)
{
    Clear();
    std::string ain, ata;
    CTextFile ataFile, ainFile;
    if (!ataFile.Open(ataPath, CTextFile::modeRead) || !ainFile.Open(ainPath, CTextFile::modeRead)) {
        m_loadResult = ModelLoadResult::CannotOpen;
        return m_loadResult;
    }
    ataFile.ReadBytes(ata);
    ainFile.ReadBytes(ain);
    ReadText(ain, ata);
    return m_loadResult;
}

void MModelAttributeStore::ReadText(std::string_view ain, std::string_view ata)
{
    Clear();
    std::vector<std::string> names;
    ForEachPiece(ata, [&](std::string_view line) { names.emplace_back(Trim(line)); });
    int category = -1;
    int lineNumber = 0;
    ForEachPiece(ain, [&](std::string_view line) { ReadTextLine(line, ++lineNumber, names, category); });
}

void MModelAttributeStore::ReadTextLine(std::string_view line, int lineNumber, const std::vector<std::string>& names,
                                        int& category)
{
    std::string_view tokens[kMaxTokens];
    const std::size_t count = Tokenize(line, tokens);
    if (count == 0 || tokens[0] == "NAMED" || tokens[0] == "ATTRIBUTE")
        return;
    if (tokens[0] == "*CODE") {
        category = count > 1 ? FindAttributeCategory(tokens[1]) : -1;
        return;
    }

    // group, .ata line, attribute number, kind, element, value, element list
    const long long low[7] = {1, 1, 1, 1, 0, 1, 0};
    const long long high[7] = {kAttributeGroupCount, static_cast<long long>(names.size()), kMaxAttributeNumber, 3,
                               INT32_MAX, INT32_MAX, 1};
    long long n[7];
    for (int i = 0; i < 7; ++i) {
        // A missing or non-numeric number fails its own check.
        if (static_cast<std::size_t>(i) >= count || !ParseWhole(tokens[i], n[i]) || n[i] < low[i] || n[i] > high[i]) {
            m_warnings.push_back({lineNumber, i + 1});
            return;
        }
    }
    if (category < 0) {
        m_warnings.push_back({lineNumber, kWarnNoCategory});
        return;
    }
    double real = kAttributeUnsetReal;
    if (count > 7 && !ParseReal(tokens[7], real))
        real = kAttributeUnsetReal;

    const int group = static_cast<int>(n[0]) - 1;
    const int number = static_cast<int>(n[2]);
    const int kind = static_cast<int>(n[3]);
    const int element = static_cast<int>(n[4]);
    const int value = static_cast<int>(n[5]);
    MAttributeCategory& c = m_categories[category];
    c.m_names.emplace(number, names[static_cast<std::size_t>(n[1] - 1)]);
    MAttributeGroup& g = c.m_groups[group];
    MAttributeRecord& record = c.RecordOf(group, number);
    if (kind & 1) {
        g.m_ints.push_back(value);
        if (record.m_value == kAttributeUnsetInt)
            record.m_value = value;
    }
    if (kind & 2) {
        g.m_reals.push_back(real);
        if (record.m_real == kAttributeUnsetReal)
            record.m_real = real;
    }
    if (element > 0)
        record.m_elements[n[6]].push_back(element);
}
