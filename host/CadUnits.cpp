#include "host/CadUnits.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// Smallest box around every point seen.
class CBox {
public:
    void Add(double x, double y, double z)
    {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
            return;
        const double p[3] = {x, y, z};
        for (int i = 0; i < 3; ++i) {
            m_lo[i] = std::min(m_lo[i], p[i]);
            m_hi[i] = std::max(m_hi[i], p[i]);
        }
        m_empty = false;
    }
    bool Empty() const { return m_empty; }
    void Extents(float extents[3], double scale) const
    {
        for (int i = 0; i < 3; ++i)
            extents[i] = static_cast<float>((m_hi[i] - m_lo[i]) / scale);
    }

private:
    double m_lo[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                      std::numeric_limits<double>::max()};
    double m_hi[3] = {-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                      -std::numeric_limits<double>::max()};
    bool m_empty = true;
};

bool ReadWholeFile(const char* path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

uint32_t ReadLE32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

float ReadLEFloat(const unsigned char* p)
{
    const uint32_t bits = ReadLE32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// ---- IGES ------------------------------------------------------------------

// A fixed-format IGES file: 80-column records, the section letter in column 73.
struct CIgesSections {
    std::string global;                     // columns 1-72 of the G records, joined
    std::vector<std::string_view> directory; // columns 1-72 of the D records
    // Parameter data joined per entity (columns 1-64), keyed by the entity's
    // directory sequence number (columns 66-72), in file order.
    std::vector<std::pair<long, std::string>> parameters;
};

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
        if (line.size() < 73)
            continue;
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
    return sections;
}

// Splits IGES free-format parameters, honouring Hollerith strings ("3HABC")
// that may hold the delimiters themselves. Stops at the record delimiter.
class CIgesParams {
public:
    CIgesParams(std::string_view text, char paramDelim, char recordDelim)
        : m_text(text), m_param(paramDelim), m_record(recordDelim)
    {
    }

    // The next parameter's raw text, or false at the end of the record.
    bool Next(std::string& value)
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

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }

    std::string_view m_text;
    char m_param;
    char m_record;
    std::size_t m_pos = 0;
    bool m_done = false;
};

// A parameter read as a whole number (an entity type, a count); -1 for
// anything that is not a plausible one, so that garbage never drives a loop.
long ToWhole(double value)
{
    if (!(value >= -1e9 && value <= 1e9))
        return -1;
    return static_cast<long>(value);
}

// IGES writes exponents with D as often as with E.
double IgesReal(std::string text)
{
    for (char& c : text)
        if (c == 'D' || c == 'd')
            c = 'E';
    return std::strtod(text.c_str(), nullptr);
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

struct CIgesGlobal {
    char paramDelim = ',';
    char recordDelim = ';';
    double scale = 1.0;
    MUnitLengthType units = kUnitLengthUnknown;
};

// Parameters 1 and 2 may redefine the delimiters, so they are read by hand
// before the rest can be split.
CIgesGlobal ReadIgesGlobal(const std::string& text)
{
    CIgesGlobal global;
    if (text.empty())
        return global;
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

    CIgesParams params(std::string_view(text).substr(std::min(pos, text.size())), global.paramDelim, global.recordDelim);
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

// A transformation matrix entity (type 124): rotation rows and translation.
struct CIgesTransform {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
    void Apply(double& x, double& y, double& z) const
    {
        const double p[3] = {x, y, z};
        double r[3];
        for (int i = 0; i < 3; ++i)
            r[i] = m[i][0] * p[0] + m[i][1] * p[1] + m[i][2] * p[2] + m[i][3];
        x = r[0];
        y = r[1];
        z = r[2];
    }
};

// Adds the defining points of the entity kinds that carry the model's shape:
// points, lines, copious data, and the control points of B-spline curves and
// surfaces (which bound the curve or surface itself).
void AddEntityPoints(const std::vector<double>& p, const CIgesTransform* transform, CBox& box)
{
    auto add = [&](std::size_t i) {
        if (i + 2 >= p.size())
            return;
        double x = p[i], y = p[i + 1], z = p[i + 2];
        if (transform)
            transform->Apply(x, y, z);
        box.Add(x, y, z);
    };
    const long type = p.empty() ? 0 : ToWhole(p[0]);
    switch (type) {
    case 116: // point
        add(1);
        break;
    case 110: // line
        add(1);
        add(4);
        break;
    case 106: { // copious data: pairs with a common z, triples, or sextuples
        if (p.size() < 3)
            break;
        const long form = ToWhole(p[1]);
        const long count = ToWhole(p[2]);
        if (form == 1 && p.size() > 3) {
            for (long k = 0; k < count && 4 + 2 * k + 1 < static_cast<long>(p.size()); ++k) {
                double x = p[4 + 2 * k], y = p[5 + 2 * k], z = p[3];
                if (transform)
                    transform->Apply(x, y, z);
                box.Add(x, y, z);
            }
        } else if (form == 2 || form == 3) {
            const long stride = form == 2 ? 3 : 6;
            for (long k = 0; k < count && static_cast<std::size_t>(3 + stride * k + 2) < p.size(); ++k)
                add(3 + stride * k);
        }
        break;
    }
    case 126: { // rational B-spline curve
        if (p.size() < 3)
            break;
        const long k = ToWhole(p[1]), m = ToWhole(p[2]);
        if (k < 0 || m < 0)
            break;
        const std::size_t first = 7 + static_cast<std::size_t>(k + m + 2) + static_cast<std::size_t>(k + 1);
        for (std::size_t i = 0; i <= static_cast<std::size_t>(k) && first + 3 * i + 2 < p.size(); ++i)
            add(first + 3 * i);
        break;
    }
    case 128: { // rational B-spline surface
        if (p.size() < 5)
            break;
        const long k1 = ToWhole(p[1]), k2 = ToWhole(p[2]), m1 = ToWhole(p[3]), m2 = ToWhole(p[4]);
        if (k1 < 0 || k2 < 0 || m1 < 0 || m2 < 0)
            break;
        const std::size_t n = static_cast<std::size_t>(k1 + 1) * static_cast<std::size_t>(k2 + 1);
        const std::size_t first = 10 + static_cast<std::size_t>(k1 + m1 + 2) + static_cast<std::size_t>(k2 + m2 + 2) + n;
        for (std::size_t i = 0; i < n && first + 3 * i + 2 < p.size(); ++i)
            add(first + 3 * i);
        break;
    }
    default:
        break;
    }
}

} // namespace

bool MeasureStl(const std::string& bytes, float extents[3])
{
    CBox box;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    // A binary file's size is fixed by its triangle count; ASCII files that
    // happen to match are vanishingly unlikely, binary ones starting with
    // "solid" are common, so the size decides first.
    if (bytes.size() >= 84 && bytes.size() == 84 + 50 * static_cast<std::size_t>(ReadLE32(data + 80))) {
        const std::size_t count = ReadLE32(data + 80);
        for (std::size_t t = 0; t < count; ++t) {
            const unsigned char* tri = data + 84 + 50 * t + 12; // after the normal
            for (int v = 0; v < 3; ++v)
                box.Add(ReadLEFloat(tri + 12 * v), ReadLEFloat(tri + 12 * v + 4), ReadLEFloat(tri + 12 * v + 8));
        }
    } else {
        static constexpr std::string_view kVertex = "vertex";
        std::size_t pos = 0;
        while ((pos = bytes.find(kVertex, pos)) != std::string::npos) {
            const char* p = bytes.c_str() + pos + kVertex.size();
            char* end = nullptr;
            double xyz[3];
            int read = 0;
            for (; read < 3; ++read) {
                xyz[read] = std::strtod(p, &end);
                if (end == p)
                    break;
                p = end;
            }
            if (read == 3)
                box.Add(xyz[0], xyz[1], xyz[2]);
            pos = static_cast<std::size_t>(p - bytes.c_str());
        }
    }
    if (box.Empty())
        return false;
    box.Extents(extents, 1.0);
    return true;
}

bool MeasureIges(const std::string& text, MUnitLengthType& units, float extents[3])
{
    const CIgesSections sections = SplitIgesSections(text);
    const CIgesGlobal global = ReadIgesGlobal(sections.global);
    units = global.units;

    // Directory entries come in pairs of records; an entity's sequence number
    // is the record number of its first line (odd numbers 1, 3, 5...).
    std::unordered_map<long, long> transformOf; // entity DE number -> its matrix' DE number
    for (std::size_t i = 0; i + 1 < sections.directory.size(); i += 2) {
        const std::string_view first = sections.directory[i];
        if (first.size() < 56)
            continue;
        const long matrix = std::strtol(std::string(first.substr(48, 8)).c_str(), nullptr, 10);
        if (matrix > 0)
            transformOf[static_cast<long>(i) + 1] = matrix;
    }

    std::vector<std::vector<double>> entities;
    std::unordered_map<long, std::size_t> entityAt;
    entities.reserve(sections.parameters.size());
    std::string value;
    for (const auto& [owner, params] : sections.parameters) {
        CIgesParams split(params, global.paramDelim, global.recordDelim);
        std::vector<double> numbers;
        while (split.Next(value))
            numbers.push_back(IgesReal(value));
        entityAt[owner] = entities.size();
        entities.push_back(std::move(numbers));
    }

    CBox box;
    for (const auto& [owner, params] : sections.parameters) {
        const std::vector<double>& p = entities[entityAt[owner]];
        CIgesTransform transform;
        const CIgesTransform* use = nullptr;
        if (auto m = transformOf.find(owner); m != transformOf.end()) {
            if (auto e = entityAt.find(m->second); e != entityAt.end()) {
                const std::vector<double>& t = entities[e->second];
                if (t.size() >= 13 && ToWhole(t[0]) == 124) {
                    for (int r = 0; r < 3; ++r)
                        for (int c = 0; c < 4; ++c)
                            transform.m[r][c] = t[1 + 4 * r + c];
                    use = &transform;
                }
            }
        }
        AddEntityPoints(p, use, box);
    }
    if (box.Empty())
        return false;
    box.Extents(extents, global.scale);
    return true;
}

MUnitLengthType HostGetCADUnits(const char* path, int cadType, float extents[3])
{
    if (path == nullptr || extents == nullptr || (cadType != kCadTypeStl && cadType != kCadTypeIges))
        return kUnitLengthUnknown;
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return kUnitLengthUnknown;
    float measured[3] = {0, 0, 0};
    if (cadType == kCadTypeStl) {
        if (MeasureStl(bytes, measured))
            std::copy(measured, measured + 3, extents);
        return kUnitLengthUnknown;
    }
    MUnitLengthType units = kUnitLengthUnknown;
    MeasureIges(bytes, units, measured);
    if (units == kUnitLengthUnknown)
        return units;
    // A file with units but no measurable geometry still answers its units;
    // the size then reads as zero rather than as whatever the caller held.
    std::copy(measured, measured + 3, extents);
    return units;
}
