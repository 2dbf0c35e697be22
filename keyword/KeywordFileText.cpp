// The text side of a keyword file: writing it, the "%G" form of reals, and
// what a keyword or value must be to read back as it was set.
#include "keyword/KeywordFile.h"

#include "keyword/KeywordText.h"
#include "keyword/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using KeywordText::IsSpace;

void MKeywordFile::AppendText(std::string& out, const char* lineEnd, CTextFile* file) const
{
    const std::size_t endSize = std::strlen(lineEnd);
    const bool translate = endSize != 1;
    // Into a file the text goes in blocks of about a megabyte: a big deck is
    // then never held twice in memory, and a small file gets a buffer of its
    // own size.
    const std::size_t kBlock = 1 << 20;
    std::size_t total = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (IsWritten(i))
            total += KeyLength(m_slots[i]) + 2 + m_slots[i].valueLength + endSize;
    total += translate ? total / 16 : 0;
    out.reserve(out.size() + (file ? std::min(total, kBlock + 4096) : total));
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (!IsWritten(i))
            continue;
        out += KeywordAt(i);
        out += ": ";
        const std::string_view value = ValueAt(i);
        if (!translate) {
            out += value;
        } else {
            // Continued values hold LF; at a CR LF location each one gets its CR.
            std::size_t from = 0;
            for (std::size_t nl; (nl = value.find('\n', from)) != std::string_view::npos; from = nl + 1) {
                out.append(value.substr(from, nl - from));
                out += lineEnd;
            }
            out.append(value.substr(from));
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
    return s.key && !(KeyLength(s) > 0 && s.key[0] == '_') && s.valueLength > 0;
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

CResult MKeywordFile::Write(const std::string& path, wizsys::Durability durability) const
{
    if (path.empty())
        return CResult::Fail("the keyword file has no name to be written to");
    CTextFile file;
    const unsigned scratch = durability == wizsys::Durability::kScratch ? CTextFile::modeScratch : 0u;
    if (CResult opened = file.Open(path, CTextFile::modeCreate | CTextFile::modeWrite | scratch); !opened)
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
