#include "cool/BoundaryRowText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace bcrow {

static bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

static bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

namespace {

// What the C library's strtol (saturated to 32 bits) and strtod make of the
// start of [p, end), in one pass: a row's second field is read both ways.
struct NumberPrefix {
    int whole = 0;
    double real = 0.0;
};

int Saturate(bool negative, int64_t magnitude)
{
    if (negative)
        return magnitude > int64_t(INT_MAX) + 1 ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

double SlowReal(const char* p, const char* end)
{
    char copy[512];
    const std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(end - p), sizeof copy - 1);
    std::memcpy(copy, p, len);
    copy[len] = '\0';
    return std::strtod(copy, nullptr);
}

template <bool kWantReal>
NumberPrefix ParsePrefix(const char* p, const char* end)
{
    NumberPrefix out;
    while (p < end && IsSpace(*p))
        ++p;
    const char* const start = p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    // Integer digits give the whole number; the same digits begin the real.
    int64_t magnitude = 0;
    uint64_t mantissa = 0;
    int significant = 0;
    bool anyDigit = false;
    for (; p < end && IsDigit(*p); ++p) {
        anyDigit = true;
        const int d = *p - '0';
        if (magnitude <= int64_t(INT_MAX) + 1)
            magnitude = magnitude * 10 + d;
        if (mantissa != 0 || d != 0) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(d);
            ++significant;
        }
    }
    out.whole = Saturate(negative, magnitude);
    if constexpr (!kWantReal)
        return out;

    // Plain decimals with at most 15 significant digits: mantissa and power
    // of ten are exact doubles, so one division rounds exactly as strtod does.
    static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                    1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    int fraction = 0;
    if (p < end && *p == '.') {
        for (++p; p < end && IsDigit(*p); ++p) {
            anyDigit = true;
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            if (mantissa != 0)
                ++significant;
            ++fraction;
        }
    }
    const bool more = p < end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X' || *p == 'i' || *p == 'I' ||
                                  *p == 'n' || *p == 'N');
    if (more || significant > 15 || fraction > 15) {
        // Exponents, long mantissas, hex, inf and nan: the C library decides.
        out.real = SlowReal(start, end);
        return out;
    }
    if (anyDigit) {
        const double v = static_cast<double>(mantissa) / kPow10[fraction];
        out.real = negative ? -v : v;
    }
    return out;
}

} // namespace

int ParseInt(std::string_view text)
{
    return ParsePrefix<false>(text.data(), text.data() + text.size()).whole;
}

double ParseDouble(std::string_view text)
{
    return ParsePrefix<true>(text.data(), text.data() + text.size()).real;
}

// The token after the single separator that ended the previous one: leading
// blanks are skipped and it ends only at a blank, so a tab inside it belongs
// to it. Empty at the end of the line.
static std::string_view NextBlankToken(const char* previousEnd, const char* end)
{
    const char* p = previousEnd < end ? previousEnd + 1 : previousEnd;
    while (p < end && *p == ' ')
        ++p;
    const char* tokenEnd = p;
    while (tokenEnd < end && *tokenEnd != ' ')
        ++tokenEnd;
    return {p, static_cast<std::size_t>(tokenEnd - p)};
}

RowFields ParseRowFields(std::string_view line)
{
    RowFields f;
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    const char* tokenEnd = p;
    while (tokenEnd < end && *tokenEnd != ' ' && *tokenEnd != '\t')
        ++tokenEnd;
    f.first = ParsePrefix<false>(p, tokenEnd).whole;
    const std::string_view second = NextBlankToken(tokenEnd, end);
    if (second.empty())
        return f;
    const NumberPrefix number = ParsePrefix<true>(second.data(), second.data() + second.size());
    f.second = number.whole;
    f.value = number.real;
    const std::string_view third = NextBlankToken(second.data() + second.size(), end);
    if (third.empty())
        return f;
    f.third = ParsePrefix<false>(third.data(), third.data() + third.size()).whole;
    return f;
}

CRowTokenizer::CRowTokenizer(std::string_view text)
{
    m_length = std::min(text.size(), sizeof m_copy - 1);
    std::memcpy(m_copy, text.data(), m_length);
    m_copy[m_length] = '\0';
    // A NUL inside the row ends it, as it would for the C string it was.
    m_length = std::strlen(m_copy);
}

std::string_view CRowTokenizer::Next()
{
    auto isSep = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (m_pos < m_length && isSep(m_copy[m_pos]))
        ++m_pos;
    const std::size_t start = m_pos;
    while (m_pos < m_length && !isSep(m_copy[m_pos]))
        ++m_pos;
    const std::string_view token(m_copy + start, m_pos - start);
    if (m_pos < m_length)
        ++m_pos; // the separator belongs to this token
    return token;
}

bool CRowTokenizer::Rest(std::string_view& rest)
{
    while (m_pos < m_length && (m_copy[m_pos] == '\r' || m_copy[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= m_length)
        return false;
    std::size_t end = m_pos;
    while (end < m_length && m_copy[end] != '\r' && m_copy[end] != '\n')
        ++end;
    rest = std::string_view(m_copy + m_pos, end - m_pos);
    m_pos = end;
    return true;
}

std::string_view Trim(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && IsSpace(text[b]))
        ++b;
    while (e > b && IsSpace(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

} // namespace bcrow
