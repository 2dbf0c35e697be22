#include "host/CadUnits.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <numbers>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

using Vec3 = std::array<double, 3>;

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 operator*(double s, const Vec3& a) { return {s * a[0], s * a[1], s * a[2]}; }
double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

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
    void Add(const Vec3& p) { Add(p[0], p[1], p[2]); }
    bool Empty() const { return m_empty; }
    void Extents(float extents[3], double scale) const
    {
        // A float holds any size a real part has; a wilder file reads as the largest one.
        for (int i = 0; i < 3; ++i)
            extents[i] = static_cast<float>(
                std::min((m_hi[i] - m_lo[i]) / scale, static_cast<double>(std::numeric_limits<float>::max())));
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

// ---- STL -------------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool SameWord(std::string_view token, std::string_view word)
{
    return token.size() == word.size() &&
           std::equal(token.begin(), token.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// Text only: a binary file always holds control bytes (its triangle count's
// high byte, the attribute words, zero coordinates), whatever its header
// says, and binary headers that begin with "solid" are common.
bool IsAsciiStl(const std::string& bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 32 && !IsBlank(c);
    });
}

void ReadBinaryStl(const std::string& bytes, CBox& box)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    // Some writers stream the triangles and never fill in the count, others
    // pad the file: the bytes present decide how many triangles are read.
    const std::size_t present = (bytes.size() - 84) / 50;
    std::size_t count = ReadLE32(data + 80);
    if (count == 0 || count > present)
        count = present;
    for (std::size_t t = 0; t < count; ++t) {
        const unsigned char* tri = data + 84 + 50 * t + 12; // after the normal
        for (int v = 0; v < 3; ++v)
            box.Add(ReadLEFloat(tri + 12 * v), ReadLEFloat(tri + 12 * v + 4), ReadLEFloat(tri + 12 * v + 8));
    }
}

// Word by word, in any case and spacing; the name after "solid" and
// "endsolid" runs to the end of its line and may hold any word, "vertex" too.
void ReadAsciiStl(const std::string& bytes, CBox& box)
{
    const char* const text = bytes.c_str(); // NUL-terminated, so strtod stops
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    bool inName = false;
    while (pos < size) {
        if (IsBlank(text[pos])) {
            if (text[pos] == '\n')
                inName = false;
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < size && !IsBlank(text[pos]))
            ++pos;
        const std::string_view token(text + start, pos - start);
        if (SameWord(token, "solid") || SameWord(token, "endsolid")) {
            inName = true;
        } else if (SameWord(token, "facet")) {
            inName = false; // a file written on one line has no line end after its name
        } else if (!inName && SameWord(token, "vertex")) {
            double xyz[3];
            const char* p = text + pos;
            int read = 0;
            for (char* end = nullptr; read < 3; ++read, p = end) {
                xyz[read] = std::strtod(p, &end);
                if (end == p)
                    break;
            }
            if (read == 3)
                box.Add(xyz[0], xyz[1], xyz[2]);
            pos = static_cast<std::size_t>(p - text);
        }
    }
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

// An affine map as the transformation matrix entity (type 124) holds it: a
// 3 x 3 matrix and a translation.
struct CIgesTransform {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    Vec3 Vector(const Vec3& v) const
    {
        Vec3 r;
        for (int i = 0; i < 3; ++i)
            r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
        return r;
    }
    Vec3 Point(const Vec3& p) const { return Vector(p) + Vec3{m[0][3], m[1][3], m[2][3]}; }
    // The map that applies `inner` first and this one after it.
    CIgesTransform After(const CIgesTransform& inner) const
    {
        CIgesTransform r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j)
                r.m[i][j] = m[i][0] * inner.m[0][j] + m[i][1] * inner.m[1][j] + m[i][2] * inner.m[2][j] +
                            (j == 3 ? m[i][3] : 0.0);
        return r;
    }
};

// A conic arc as origin + f(t) e1 + g(t) e2 for t from t0 to t1, with (f, g)
// (cos t, sin t) for an ellipse, (cosh t, sinh t) for a hyperbola and
// (t, a t^2 + b t + c) for a parabola. An affine map keeps that form, so an
// arc is placed first and measured after, exactly.
struct CConicArc {
    enum Kind { kEllipse, kHyperbola, kParabola } kind = kEllipse;
    Vec3 origin{}, e1{}, e2{};
    double t0 = 0, t1 = 0;
    double a = 0, b = 0, c = 0;

    Vec3 At(double t) const
    {
        switch (kind) {
        case kEllipse: return origin + std::cos(t) * e1 + std::sin(t) * e2;
        case kHyperbola: return origin + std::cosh(t) * e1 + std::sinh(t) * e2;
        case kParabola: break;
        }
        return origin + t * e1 + (a * t * t + b * t + c) * e2;
    }

    // Where coordinate `axis` turns, as parameters inside (t0, t1).
    std::vector<double> Turns(int axis) const
    {
        const double alpha = e1[axis], beta = e2[axis];
        std::vector<double> turns;
        auto keep = [&](double t) {
            if (std::isfinite(t) && t > t0 && t < t1)
                turns.push_back(t);
        };
        if (kind == kEllipse) {
            // Every half turn from atan2(beta, alpha); an arc spans at most a whole turn.
            const double first = std::atan2(beta, alpha);
            double t = first + std::ceil((t0 - first) / std::numbers::pi) * std::numbers::pi;
            for (int k = 0; k < 3 && t < t1; ++k, t += std::numbers::pi)
                keep(t);
        } else if (kind == kHyperbola) {
            if (std::abs(beta) < std::abs(alpha))
                keep(std::atanh(-beta / alpha));
        } else if (beta * a != 0) {
            keep(-(alpha + beta * b) / (2 * beta * a));
        }
        return turns;
    }

    CConicArc Placed(const CIgesTransform& transform) const
    {
        CConicArc placed = *this;
        placed.origin = transform.Point(origin);
        placed.e1 = transform.Vector(e1);
        placed.e2 = transform.Vector(e2);
        return placed;
    }
};

constexpr double kTwoPi = 2 * std::numbers::pi;

// A circular arc (type 100): counterclockwise in its definition plane from
// the start point to the end point, a whole circle when the two coincide.
bool CircularArc(const std::vector<double>& p, CConicArc& arc)
{
    if (p.size() < 8)
        return false;
    const double zt = p[1], cx = p[2], cy = p[3];
    const double radius = std::hypot(p[4] - cx, p[5] - cy);
    if (!(radius > 0) || !std::isfinite(radius))
        return false;
    arc.kind = CConicArc::kEllipse;
    arc.origin = {cx, cy, zt};
    arc.e1 = {radius, 0, 0};
    arc.e2 = {0, radius, 0};
    arc.t0 = std::atan2(p[5] - cy, p[4] - cx);
    arc.t1 = std::atan2(p[7] - cy, p[6] - cx);
    if (arc.t1 <= arc.t0)
        arc.t1 += kTwoPi;
    return std::isfinite(arc.t0) && std::isfinite(arc.t1);
}

// A conic arc (type 104), A x^2 + B xy + C y^2 + D x + E y + F = 0 in its
// definition plane, from the start point to the end point (counterclockwise
// on an ellipse). The kind follows from the coefficients, not the form
// number, which older files leave 0.
bool ConicArc(const std::vector<double>& p, CConicArc& arc)
{
    if (p.size() < 12)
        return false;
    const double A = p[1], B = p[2], C = p[3], D = p[4], E = p[5], F = p[6];
    const Vec3 plane{0, 0, p[7]};
    // Turn the frame onto the principal axes: l1 u^2 + l2 v^2 + d1 u + d2 v + F = 0.
    const double phi = 0.5 * std::atan2(B, A - C);
    const double cs = std::cos(phi), sn = std::sin(phi);
    const double l1 = A * cs * cs + B * cs * sn + C * sn * sn;
    const double l2 = A * sn * sn - B * cs * sn + C * cs * cs;
    const double d1 = D * cs + E * sn, d2 = -D * sn + E * cs;
    const Vec3 u{cs, sn, 0}, v{-sn, cs, 0};
    const double us = p[8] * cs + p[9] * sn, vs = -p[8] * sn + p[9] * cs;
    const double ue = p[10] * cs + p[11] * sn, ve = -p[10] * sn + p[11] * cs;
    const double size = std::max(std::abs(l1), std::abs(l2));
    if (!(size > 0) || !std::isfinite(size))
        return false;
    const double eps = 1e-9 * size;
    if (std::abs(l1) > eps && std::abs(l2) > eps) {
        const double u0 = -d1 / (2 * l1), v0 = -d2 / (2 * l2);
        const double g = l1 * u0 * u0 + l2 * v0 * v0 - F; // l1 U^2 + l2 V^2 = g about the centre
        arc.origin = plane + u0 * u + v0 * v;
        if (l1 * l2 > 0) {
            const double ra = std::sqrt(g / l1), rb = std::sqrt(g / l2);
            if (!(ra > 0) || !(rb > 0))
                return false;
            arc.kind = CConicArc::kEllipse;
            arc.e1 = ra * u;
            arc.e2 = rb * v;
            arc.t0 = std::atan2((vs - v0) / rb, (us - u0) / ra);
            arc.t1 = std::atan2((ve - v0) / rb, (ue - u0) / ra);
            if (arc.t1 <= arc.t0)
                arc.t1 += kTwoPi;
            return std::isfinite(arc.t0) && std::isfinite(arc.t1);
        }
        // A hyperbola opens along the axis whose term has the sign of g.
        const bool alongU = g / l1 > 0;
        const Vec3 across = alongU ? u : v, conj = alongU ? v : u;
        const double lt = alongU ? l1 : l2, lc = alongU ? l2 : l1;
        const double ts = alongU ? us - u0 : vs - v0, te = alongU ? ue - u0 : ve - v0;
        const double cStart = alongU ? vs - v0 : us - u0, cEnd = alongU ? ve - v0 : ue - u0;
        const double ra = std::sqrt(g / lt), rb = std::sqrt(-g / lc);
        if (!(ra > 0) || !(rb > 0) || !(ts * te > 0)) // both ends on one branch
            return false;
        arc.kind = CConicArc::kHyperbola;
        arc.e1 = (ts > 0 ? ra : -ra) * across;
        arc.e2 = rb * conj;
        arc.t0 = std::asinh(cStart / rb);
        arc.t1 = std::asinh(cEnd / rb);
        if (arc.t1 < arc.t0)
            std::swap(arc.t0, arc.t1);
        return std::isfinite(arc.t0) && std::isfinite(arc.t1);
    }
    // A parabola: the squared coordinate runs along t, the other follows.
    const bool alongU = std::abs(l1) > eps;
    const double l = alongU ? l1 : l2, dt = alongU ? d1 : d2, dn = alongU ? d2 : d1;
    if (std::abs(dn) <= eps)
        return false;
    arc.kind = CConicArc::kParabola;
    arc.origin = plane;
    arc.e1 = alongU ? u : v;
    arc.e2 = alongU ? v : u;
    arc.a = -l / dn;
    arc.b = -dt / dn;
    arc.c = -F / dn;
    arc.t0 = alongU ? us : vs;
    arc.t1 = alongU ? ue : ve;
    if (arc.t1 < arc.t0)
        std::swap(arc.t0, arc.t1);
    return std::isfinite(arc.t0) && std::isfinite(arc.t1);
}

// One entity of the directory with its parameters; p[0] is the type, p[k]
// the k-th parameter.
struct CIgesEntity {
    std::vector<double> p;
    long form = 0;
    long matrix = 0;
    long use = 0; // the status' entity use flag: 1 annotation, 5 parameter space...

    long Type() const { return p.empty() ? 0 : ToWhole(p[0]); }
    long Pointer(std::size_t k) const { return k < p.size() ? ToWhole(p[k]) : 0; }
    double At(std::size_t k) const { return k < p.size() ? p[k] : 0.0; }
};

// Where measured points go: straight into the box, or into a list that a
// surface sweeps (a generatrix, a directrix).
struct CSink {
    CBox* box = nullptr;
    std::vector<Vec3>* points = nullptr;
};

// The part's size is the box of what bounds its shape: curves, surfaces and
// points reached from the entities that nothing else owns, each placed by
// its own matrix and its parents'. Entities that only give a position or a
// direction (the axis of a surface of revolution, the location of an
// analytic surface) and curves in a surface's parameter space are never
// measured as shape.
class CIgesModel {
public:
    explicit CIgesModel(const CIgesSections& sections, const CIgesGlobal& global);
    void Measure(CBox& box);

private:
    const CIgesEntity* Find(long de) const;
    CIgesTransform OwnTransform(const CIgesEntity& e) const;
    void MarkReferences(const CIgesEntity& e);
    void Emit(const CSink& sink, const Vec3& point);
    void EmitArc(const CSink& sink, const CConicArc& arc, int samples);
    void Collect(long de, const CIgesTransform& outer, int depth, const CSink& sink);
    void CollectList(const CIgesEntity& e, std::size_t countAt, std::size_t firstAt, std::size_t stride,
                     const CIgesTransform& t, int depth, const CSink& sink);
    void CollectCopious(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectSpline(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectControlPoints(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectBoundary(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void CollectLoop(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Revolve(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Tabulate(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Offset(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);

    std::unordered_map<long, CIgesEntity> m_entities; // by directory sequence number
    std::vector<long> m_order;
    std::unordered_set<long> m_owned;    // measured through the entity that refers to it
    std::unordered_set<long> m_notShape; // a position, a direction or a parameter-space curve
    // Shared entities may be reached many times; these bound the work a
    // file can ask for to a multiple of its own size.
    std::size_t m_visitsLeft = 0;
    std::size_t m_pointsLeft = 0;
};

CIgesModel::CIgesModel(const CIgesSections& sections, const CIgesGlobal& global)
{
    std::size_t numbers = 0;
    std::string value;
    for (const auto& [owner, params] : sections.parameters) {
        CIgesParams split(params, global.paramDelim, global.recordDelim);
        CIgesEntity entity;
        while (split.Next(value))
            entity.p.push_back(IgesReal(value));
        numbers += entity.p.size();
        if (m_entities.try_emplace(owner, std::move(entity)).second)
            m_order.push_back(owner);
    }
    // Directory entries come in pairs of records; an entity's sequence number
    // is the record number of its first line (odd numbers 1, 3, 5...).
    auto field = [](std::string_view record, std::size_t at, std::size_t size) {
        return record.size() >= at + size ? std::strtol(std::string(record.substr(at, size)).c_str(), nullptr, 10) : 0L;
    };
    for (std::size_t i = 0; i + 1 < sections.directory.size(); i += 2) {
        auto it = m_entities.find(static_cast<long>(i) + 1);
        if (it == m_entities.end())
            continue;
        const std::string_view first = sections.directory[i];
        it->second.matrix = field(first, 48, 8);
        it->second.use = field(first, 68, 2);
        it->second.form = field(sections.directory[i + 1], 32, 8);
    }
    for (long de : m_order)
        MarkReferences(m_entities[de]);
    m_visitsLeft = 16 * m_entities.size() + 1024;
    m_pointsLeft = 16 * numbers + 100000;
}

const CIgesEntity* CIgesModel::Find(long de) const
{
    if (de <= 0)
        return nullptr;
    const auto it = m_entities.find(de);
    return it == m_entities.end() ? nullptr : &it->second;
}

// A matrix may itself be placed by another matrix, which applies after it.
CIgesTransform CIgesModel::OwnTransform(const CIgesEntity& e) const
{
    CIgesTransform result;
    long next = e.matrix;
    for (int chain = 0; chain < 8 && next > 0; ++chain) {
        const CIgesEntity* m = Find(next);
        if (m == nullptr || m->Type() != 124 || m->p.size() < 13)
            break;
        CIgesTransform t;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                t.m[r][c] = m->p[1 + 4 * r + c];
        result = t.After(result);
        next = m->matrix;
    }
    return result;
}

// The pointers each kind of entity holds, by the role of what they point to.
void CIgesModel::MarkReferences(const CIgesEntity& e)
{
    const std::size_t size = e.p.size();
    auto owned = [&](std::size_t k) {
        if (const long de = e.Pointer(k); de > 0)
            m_owned.insert(de);
    };
    auto notShape = [&](std::size_t k) {
        if (const long de = e.Pointer(k); de > 0)
            m_notShape.insert(de);
    };
    auto counted = [&](std::size_t countAt, std::size_t firstAt, std::size_t stride) {
        const long n = e.Pointer(countAt);
        for (long k = 0; k < n && firstAt + stride * static_cast<std::size_t>(k) < size; ++k)
            owned(firstAt + stride * static_cast<std::size_t>(k));
    };
    switch (e.Type()) {
    case 102: counted(1, 2, 1); break;
    case 108: owned(5); break;
    case 118: owned(1); owned(2); break;
    case 120: notShape(1); owned(2); break; // the axis only gives a direction
    case 122: owned(1); break;
    case 140: owned(5); break;
    case 142: owned(2); notShape(3); owned(4); break;
    case 143: owned(2); counted(3, 4, 1); break;
    case 144: owned(1); owned(4); counted(3, 5, 1); break;
    case 186: owned(1); counted(3, 4, 2); break;
    case 504: counted(1, 2, 5); counted(1, 3, 5); counted(1, 5, 5); break;
    case 510: owned(1); counted(2, 4, 1); break;
    case 514: counted(1, 2, 2); break;
    case 141: {
        owned(3);
        std::size_t at = 5;
        for (long k = 0, n = e.Pointer(4); k < n && at + 2 < size; ++k) {
            owned(at);
            const long curves = e.Pointer(at + 2);
            if (curves < 0)
                break;
            for (long c = 0; c < curves && at + 3 + static_cast<std::size_t>(c) < size; ++c)
                notShape(at + 3 + static_cast<std::size_t>(c));
            at += 3 + static_cast<std::size_t>(curves);
        }
        break;
    }
    case 508: {
        std::size_t at = 2;
        for (long k = 0, n = e.Pointer(1); k < n && at + 4 < size; ++k) {
            owned(at + 1);
            const long curves = e.Pointer(at + 4);
            if (curves < 0)
                break;
            for (long c = 0; c < curves && at + 6 + 2 * static_cast<std::size_t>(c) < size; ++c)
                notShape(at + 6 + 2 * static_cast<std::size_t>(c));
            at += 5 + 2 * static_cast<std::size_t>(curves);
        }
        break;
    }
    // Analytic surfaces: their points are locations, their other pointers directions.
    case 190: notShape(1); notShape(2); notShape(3); break;
    case 192: notShape(1); notShape(2); notShape(4); break;
    case 194: notShape(1); notShape(2); notShape(5); break;
    case 196: notShape(1); notShape(3); notShape(4); break;
    case 198: notShape(1); notShape(2); notShape(5); break;
    default: break;
    }
}

void CIgesModel::Measure(CBox& box)
{
    const CSink sink{&box, nullptr};
    for (long de : m_order) {
        const CIgesEntity& e = m_entities[de];
        // Annotation and parameter-space entities are not part of the shape.
        if (m_owned.count(de) || m_notShape.count(de) || e.use == 1 || e.use == 5)
            continue;
        Collect(de, CIgesTransform(), 0, sink);
    }
}

void CIgesModel::Emit(const CSink& sink, const Vec3& point)
{
    if (m_pointsLeft == 0)
        return;
    --m_pointsLeft;
    if (sink.box)
        sink.box->Add(point);
    else
        sink.points->push_back(point);
}

// The ends first (a swept curve starts at the first point), samples for a
// sweep to turn, then the exact turning points along each axis.
void CIgesModel::EmitArc(const CSink& sink, const CConicArc& arc, int samples)
{
    Emit(sink, arc.At(arc.t0));
    Emit(sink, arc.At(arc.t1));
    for (int s = 1; s < samples; ++s)
        Emit(sink, arc.At(arc.t0 + (arc.t1 - arc.t0) * s / samples));
    for (int axis = 0; axis < 3; ++axis)
        for (double t : arc.Turns(axis))
            Emit(sink, arc.At(t));
}

void CIgesModel::Collect(long de, const CIgesTransform& outer, int depth, const CSink& sink)
{
    const CIgesEntity* found = Find(de);
    if (found == nullptr || depth > 32 || m_visitsLeft == 0)
        return;
    --m_visitsLeft;
    const CIgesEntity& e = *found;
    const CIgesTransform t = outer.After(OwnTransform(e));
    auto point = [&](std::size_t k) {
        if (k + 2 < e.p.size())
            Emit(sink, t.Point({e.p[k], e.p[k + 1], e.p[k + 2]}));
    };
    switch (e.Type()) {
    case 100:
    case 104: {
        CConicArc arc;
        if (e.Type() == 100 ? CircularArc(e.p, arc) : ConicArc(e.p, arc)) {
            const double step = std::numbers::pi / 32; // fine enough for a sweep to turn
            const int samples =
                arc.kind == CConicArc::kEllipse ? std::clamp(static_cast<int>((arc.t1 - arc.t0) / step) + 1, 1, 64) : 16;
            EmitArc(sink, arc.Placed(t), samples);
        } else if (e.Type() == 104 && e.p.size() >= 12) { // degenerate: its ends at least
            Emit(sink, t.Point({e.p[8], e.p[9], e.p[7]}));
            Emit(sink, t.Point({e.p[10], e.p[11], e.p[7]}));
        }
        break;
    }
    case 102: CollectList(e, 1, 2, 1, t, depth, sink); break;
    case 106: CollectCopious(e, t, sink); break;
    case 108: // a bounded plane is its boundary; an unbounded one has no size
        if (e.form != 0)
            Collect(e.Pointer(5), t, depth + 1, sink);
        break;
    case 110: // rays and infinite lines have no ends to measure
        if (e.form == 0) {
            point(1);
            point(4);
        }
        break;
    case 112: CollectSpline(e, t, sink); break;
    case 116: point(1); break;
    case 118:
        Collect(e.Pointer(1), t, depth + 1, sink);
        Collect(e.Pointer(2), t, depth + 1, sink);
        break;
    case 120: Revolve(e, t, depth, sink); break;
    case 122: Tabulate(e, t, depth, sink); break;
    case 126:
    case 128: CollectControlPoints(e, t, sink); break;
    case 140: Offset(e, t, depth, sink); break;
    case 141: CollectBoundary(e, t, depth, sink); break;
    case 142: Collect(e.Pointer(4), t, depth + 1, sink); break; // the model-space curve only
    case 143: // the surface, and the boundaries for a surface without bounds of its own
        Collect(e.Pointer(2), t, depth + 1, sink);
        CollectList(e, 3, 4, 1, t, depth, sink);
        break;
    case 144: // the same; the inner boundaries lie within the outer one
        Collect(e.Pointer(1), t, depth + 1, sink);
        Collect(e.Pointer(4), t, depth + 1, sink);
        break;
    case 186: Collect(e.Pointer(1), t, depth + 1, sink); break; // the outer shell
    case 504: CollectList(e, 1, 2, 5, t, depth, sink); break;
    case 508: CollectLoop(e, t, depth, sink); break;
    case 510:
        Collect(e.Pointer(1), t, depth + 1, sink);
        CollectList(e, 2, 4, 1, t, depth, sink);
        break;
    case 514: CollectList(e, 1, 2, 2, t, depth, sink); break;
    default: break;
    }
}

// A count at `countAt`, then that many pointers from `firstAt`, `stride` apart.
void CIgesModel::CollectList(const CIgesEntity& e, std::size_t countAt, std::size_t firstAt, std::size_t stride,
                             const CIgesTransform& t, int depth, const CSink& sink)
{
    const long n = e.Pointer(countAt);
    for (long k = 0; k < n && firstAt + stride * static_cast<std::size_t>(k) < e.p.size(); ++k)
        Collect(e.Pointer(firstAt + stride * static_cast<std::size_t>(k)), t, depth + 1, sink);
}

// Copious data: pairs with a common z, triples, or triples each followed by
// a vector, which is no position.
void CIgesModel::CollectCopious(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const long layout = e.Pointer(1), n = e.Pointer(2);
    const std::size_t size = e.p.size();
    if (layout == 1) {
        for (long k = 0; k < n && 5 + 2 * static_cast<std::size_t>(k) < size; ++k)
            Emit(sink, t.Point({e.p[4 + 2 * k], e.p[5 + 2 * k], e.p[3]}));
    } else if (layout == 2 || layout == 3) {
        const std::size_t stride = layout == 2 ? 3 : 6;
        for (long k = 0; k < n && 5 + stride * static_cast<std::size_t>(k) < size; ++k) {
            const std::size_t at = 3 + stride * static_cast<std::size_t>(k);
            Emit(sink, t.Point({e.p[at], e.p[at + 1], e.p[at + 2]}));
        }
    }
}

// A parametric spline curve: cubic segments, measured at their ends, at
// samples, and where a placed coordinate turns.
void CIgesModel::CollectSpline(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const long n = e.Pointer(4);
    const std::size_t size = e.p.size();
    for (long i = 0; i < n; ++i) {
        const std::size_t coef = 6 + static_cast<std::size_t>(n) + 12 * static_cast<std::size_t>(i);
        if (coef + 11 >= size)
            break;
        const double length = e.p[6 + i] - e.p[5 + i];
        const double* c = &e.p[coef]; // AX BX CX DX AY ... DZ
        auto at = [&](double s) {
            Vec3 local;
            for (int j = 0; j < 3; ++j)
                local[j] = c[4 * j] + s * (c[4 * j + 1] + s * (c[4 * j + 2] + s * c[4 * j + 3]));
            return t.Point(local);
        };
        auto keep = [&](double s) {
            if (std::isfinite(s) && s > 0 && s < length)
                Emit(sink, at(s));
        };
        Emit(sink, at(0));
        Emit(sink, at(length));
        for (int k = 1; k < 8; ++k)
            keep(length * k / 8);
        for (int axis = 0; axis < 3; ++axis) {
            double d[4] = {0, 0, 0, 0}; // the placed coordinate's polynomial
            for (int j = 0; j < 3; ++j)
                for (int power = 1; power < 4; ++power)
                    d[power] += t.m[axis][j] * c[4 * j + power];
            const double qa = 3 * d[3], qb = 2 * d[2], qc = d[1];
            if (qa == 0) {
                if (qb != 0)
                    keep(-qc / qb);
            } else if (const double disc = qb * qb - 4 * qa * qc; disc >= 0) {
                keep((-qb + std::sqrt(disc)) / (2 * qa));
                keep((-qb - std::sqrt(disc)) / (2 * qa));
            }
        }
    }
}

// B-spline curves and surfaces lie inside the hull of their control points.
void CIgesModel::CollectControlPoints(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const std::size_t size = e.p.size();
    std::size_t first = 0, count = 0;
    if (e.Type() == 126) {
        const long k = e.Pointer(1), m = e.Pointer(2);
        if (k < 0 || m < 0)
            return;
        count = static_cast<std::size_t>(k) + 1;
        first = 7 + static_cast<std::size_t>(k + m + 2) + count;
    } else {
        const long k1 = e.Pointer(1), k2 = e.Pointer(2), m1 = e.Pointer(3), m2 = e.Pointer(4);
        if (k1 < 0 || k2 < 0 || m1 < 0 || m2 < 0)
            return;
        count = static_cast<std::size_t>(k1 + 1) * static_cast<std::size_t>(k2 + 1);
        first = 10 + static_cast<std::size_t>(k1 + m1 + 2) + static_cast<std::size_t>(k2 + m2 + 2) + count;
    }
    for (std::size_t i = 0; i < count && first + 3 * i + 2 < size; ++i)
        Emit(sink, t.Point({e.p[first + 3 * i], e.p[first + 3 * i + 1], e.p[first + 3 * i + 2]}));
}

// A boundary entity: per boundary a model-space curve, then its
// parameter-space curves, which are skipped.
void CIgesModel::CollectBoundary(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::size_t at = 5;
    for (long k = 0, n = e.Pointer(4); k < n && at + 2 < e.p.size(); ++k) {
        Collect(e.Pointer(at), t, depth + 1, sink);
        const long curves = e.Pointer(at + 2);
        if (curves < 0)
            break;
        at += 3 + static_cast<std::size_t>(curves);
    }
}

// A loop of a face: each edge names an edge list and the edge's place in it.
void CIgesModel::CollectLoop(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::size_t at = 2;
    for (long k = 0, n = e.Pointer(1); k < n && at + 4 < e.p.size(); ++k) {
        const CIgesEntity* list = Find(e.Pointer(at + 1));
        const long index = e.Pointer(at + 2);
        if (e.Pointer(at) == 0 && list != nullptr && list->Type() == 504 && index > 0 &&
            2 + 5 * static_cast<std::size_t>(index - 1) < list->p.size())
            Collect(list->Pointer(2 + 5 * static_cast<std::size_t>(index - 1)), t.After(OwnTransform(*list)),
                    depth + 1, sink);
        const long curves = e.Pointer(at + 4);
        if (curves < 0)
            break;
        at += 5 + 2 * static_cast<std::size_t>(curves);
    }
}

// A surface of revolution: every point of the generatrix turns about the
// axis from the start angle to the terminate angle (right-handed about the
// axis line's direction). The axis line itself is no part of the surface.
void CIgesModel::Revolve(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> generatrix;
    Collect(e.Pointer(2), t, depth + 1, CSink{nullptr, &generatrix});
    const CIgesEntity* axis = Find(e.Pointer(1));
    Vec3 from{}, direction{};
    double length = 0;
    if (axis != nullptr && axis->Type() == 110 && axis->p.size() >= 7) {
        const CIgesTransform placed = t.After(OwnTransform(*axis));
        from = placed.Point({axis->p[1], axis->p[2], axis->p[3]});
        direction = placed.Point({axis->p[4], axis->p[5], axis->p[6]}) - from;
        length = std::sqrt(Dot(direction, direction));
    }
    if (!(length > 0) || !std::isfinite(length)) { // no axis to turn about: the generatrix alone
        for (const Vec3& g : generatrix)
            Emit(sink, g);
        return;
    }
    direction = (1 / length) * direction;
    CConicArc arc;
    arc.t0 = e.At(3);
    arc.t1 = e.At(4);
    if (!(arc.t1 > arc.t0) || arc.t1 - arc.t0 > kTwoPi)
        arc = CConicArc{.t0 = 0, .t1 = kTwoPi};
    for (const Vec3& g : generatrix) {
        arc.origin = from + Dot(g - from, direction) * direction;
        arc.e1 = g - arc.origin;
        arc.e2 = Cross(direction, arc.e1);
        EmitArc(sink, arc, 0);
    }
}

// A tabulated cylinder: the directrix and its copy moved so that its start
// lands on the generatrix' end point.
void CIgesModel::Tabulate(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> directrix;
    Collect(e.Pointer(1), t, depth + 1, CSink{nullptr, &directrix});
    if (directrix.empty())
        return;
    const Vec3 shift = t.Point({e.At(2), e.At(3), e.At(4)}) - directrix.front();
    for (const Vec3& d : directrix) {
        Emit(sink, d);
        Emit(sink, d + shift);
    }
}

// An offset surface lies within its base surface's box grown by the offset.
void CIgesModel::Offset(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> base;
    Collect(e.Pointer(5), t, depth + 1, CSink{nullptr, &base});
    const double d = std::abs(e.At(4));
    for (const Vec3& b : base) {
        Emit(sink, b - Vec3{d, d, d});
        Emit(sink, b + Vec3{d, d, d});
    }
}

} // namespace

bool MeasureStl(const std::string& bytes, float extents[3])
{
    CBox box;
    if (IsAsciiStl(bytes))
        ReadAsciiStl(bytes, box);
    else if (bytes.size() >= 84)
        ReadBinaryStl(bytes, box);
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
    CBox box;
    CIgesModel(sections, global).Measure(box);
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
