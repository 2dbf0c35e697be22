#include "host/IgesReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

namespace cad {

namespace {

void AddIgesRecord(std::string_view line, CIgesSections& sections, std::unordered_map<long, std::size_t>& entityIndex)
{
    if (line.size() < 73)
        return;
    const std::string_view data = line.substr(0, 72);
    switch (line[72]) {
    case 'G':
        sections.global.append(data);
        break;
    case 'D':
        sections.directory.push_back(data);
        break;
    case 'P': {
        const long owner = std::strtol(std::string(line.substr(64, 8)).c_str(), nullptr, 10);
        auto [it, added] = entityIndex.try_emplace(owner, sections.parameters.size());
        if (added)
            sections.parameters.emplace_back(owner, std::string());
        sections.parameters[it->second].second.append(line.substr(0, 64));
        break;
    }
    default:
        break;
    }
}

MUnitLengthType UnitsFromName(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "MM")
        return kUnitLengthMillimeter;
    if (name == "CM")
        return kUnitLengthCentimeter;
    if (name == "M")
        return kUnitLengthMeter;
    if (name == "IN" || name == "INCH")
        return kUnitLengthInch;
    if (name == "FT")
        return kUnitLengthFoot;
    return kUnitLengthOther;
}

MUnitLengthType UnitsFromFlag(long flag, const std::string& name)
{
    switch (flag) {
    case 1: return kUnitLengthInch;
    case 2: return kUnitLengthMillimeter;
    case 3: return UnitsFromName(name);
    case 4: return kUnitLengthFoot;
    case 6: return kUnitLengthMeter;
    case 10: return kUnitLengthCentimeter;
    default: return kUnitLengthOther; // miles, kilometres, mils, microns, microinches
    }
}

// Parameters 1 and 2 may redefine the delimiters, so they are read by hand
// before the rest can be split. Returns where parameter 3 begins.
std::size_t ReadIgesDelimiters(const std::string& text, CIgesGlobal& global)
{
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    };
    // An empty parameter keeps the default; "1Hx" names the character x.
    auto readDelimiter = [&](char fallback) {
        skipBlanks();
        if (pos + 2 < text.size() && text[pos] == '1' && (text[pos + 1] == 'H' || text[pos + 1] == 'h')) {
            pos += 3;
            return text[pos - 1];
        }
        return fallback;
    };
    // Parameter 1 is followed by the delimiter it has just named.
    global.paramDelim = readDelimiter(',');
    skipBlanks();
    if (pos < text.size() && text[pos] == global.paramDelim)
        ++pos;
    global.recordDelim = readDelimiter(';');
    skipBlanks();
    if (pos < text.size() && text[pos] == global.paramDelim)
        ++pos;
    return std::min(pos, text.size());
}

} // namespace

CIgesSections SplitIgesSections(const std::string& text)
{
    CIgesSections sections;
    std::unordered_map<long, std::size_t> entityIndex;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // Files from old systems hold their 80-column records with no line
        // ends between them.
        if (line.size() >= 160 && line.size() % 80 == 0) {
            for (std::size_t r = 0; r < line.size(); r += 80)
                AddIgesRecord(line.substr(r, 80), sections, entityIndex);
        } else {
            AddIgesRecord(line, sections, entityIndex);
        }
    }
    return sections;
}

CIgesGlobal ReadIgesGlobal(const std::string& text)
{
    CIgesGlobal global;
    if (text.empty())
        return global;
    const std::size_t third = ReadIgesDelimiters(text, global);
    CIgesParams params(std::string_view(text).substr(third), global.paramDelim, global.recordDelim);
    std::string value;
    std::string unitName;
    long unitFlag = 1; // the flag's default when the file leaves it empty: inches
    for (int index = 3; params.Next(value); ++index) {
        if (index == 13 && !value.empty()) {
            const double scale = IgesReal(value);
            if (scale > 0 && std::isfinite(scale))
                global.scale = scale;
        } else if (index == 14 && !value.empty()) {
            unitFlag = std::strtol(value.c_str(), nullptr, 10);
        } else if (index == 15) {
            unitName = value;
        } else if (index > 15) {
            break;
        }
    }
    global.units = UnitsFromFlag(unitFlag, unitName);
    return global;
}

bool CIgesParams::Next(std::string& value)
{
    if (m_done)
        return false;
    SkipBlanks();
    const std::size_t start = m_pos;
    std::size_t digits = m_pos;
    while (digits < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[digits])))
        ++digits;
    if (digits > start && digits < m_text.size() && (m_text[digits] == 'H' || m_text[digits] == 'h')) {
        const std::size_t count = std::strtoul(std::string(m_text.substr(start, digits - start)).c_str(), nullptr, 10);
        const std::size_t from = digits + 1;
        const std::size_t take = std::min(count, m_text.size() - std::min(from, m_text.size()));
        value.assign(m_text.substr(std::min(from, m_text.size()), take));
        m_pos = from + take;
        SkipBlanks();
    } else {
        while (m_pos < m_text.size() && m_text[m_pos] != m_param && m_text[m_pos] != m_record)
            ++m_pos;
        value.assign(m_text.substr(start, m_pos - start));
        while (!value.empty() && value.back() == ' ')
            value.pop_back();
    }
    if (m_pos >= m_text.size() || m_text[m_pos] == m_record)
        m_done = true;
    else
        ++m_pos; // the parameter delimiter
    return true;
}

void CIgesParams::SkipBlanks()
{
    while (m_pos < m_text.size() && m_text[m_pos] == ' ')
        ++m_pos;
}

double IgesReal(std::string text)
{
    // IGES writes exponents with D as often as with E.
    for (char& c : text)
        if (c == 'D' || c == 'd')
            c = 'E';
    return std::strtod(text.c_str(), nullptr);
}

long ToWhole(double value)
{
    // Garbage must never drive a loop.
    if (!(value >= -1e9 && value <= 1e9))
        return -1;
    return static_cast<long>(value);
}

} // namespace cad
