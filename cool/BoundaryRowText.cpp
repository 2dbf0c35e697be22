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

static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int ParseInt(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t v = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > int64_t(INT_MAX) + 1)
            v = int64_t(INT_MAX) + 1; // keep saturating; more digits change nothing
    }
    if (negative)
        return static_cast<int>(-v);
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

double ParseDouble(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    // Fast path for the plain decimals that fill these files ("101.000000",
    // "20.5"): with at most 15 significant digits the mantissa and the power
    // of ten are exact doubles, so one division rounds exactly as strtod does.
    static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                    1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t j = i;
    bool negative = false;
    if (j < n && (text[j] == '+' || text[j] == '-'))
        negative = text[j++] == '-';
    uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool seenDigit = false;
    for (; j < n && IsDigit(text[j]); ++j, seenDigit = true)
        if (mantissa != 0 || text[j] != '0')
            mantissa = mantissa * 10 + (text[j] - '0'), ++digits;
    if (j < n && text[j] == '.') {
        for (++j; j < n && IsDigit(text[j]); ++j, seenDigit = true) {
            mantissa = mantissa * 10 + (text[j] - '0');
            if (mantissa != 0)
                ++digits;
            ++fraction;
        }
    }
    const bool exponentOrOther = j < n && (text[j] == 'e' || text[j] == 'E' || text[j] == 'x' || text[j] == 'X' ||
                                           text[j] == 'i' || text[j] == 'I' || text[j] == 'n' || text[j] == 'N');
    if (!exponentOrOther && digits <= 15 && fraction <= 15) {
        if (!seenDigit)
            return 0.0;
        double v = static_cast<double>(mantissa) / kPow10[fraction];
        return negative ? -v : v;
    }
    // Anything else (exponents, long mantissas, hex, inf) goes to strtod on a
    // terminated copy; rows are at most a few hundred characters.
    char copy[512];
    const std::size_t len = std::min(n - i, sizeof copy - 1);
    std::memcpy(copy, text.data() + i, len);
    copy[len] = '\0';
    return std::strtod(copy, nullptr);
}

RowFields ParseRowFields(std::string_view line)
{
    RowFields f;
    const std::size_t n = line.size();
    std::size_t pos = 0;
    auto isSep = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (pos < n && isSep(line[pos]))
        ++pos;
    std::size_t end = pos;
    while (end < n && !isSep(line[end]))
        ++end;
    f.first = ParseInt(line.substr(pos, end - pos));
    // The second token begins after the single separator that ended the first
    // and ends only at a blank: a tab inside it belongs to it.
    pos = end < n ? end + 1 : end;
    auto isBlank = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
    while (pos < n && isBlank(line[pos]))
        ++pos;
    if (pos == n)
        return f;
    end = pos;
    while (end < n && !isBlank(line[end]))
        ++end;
    const std::string_view second = line.substr(pos, end - pos);
    f.second = ParseInt(second);
    f.value = ParseDouble(second);
    pos = end < n ? end + 1 : end;
    while (pos < n && isBlank(line[pos]))
        ++pos;
    if (pos == n)
        return f;
    end = pos;
    while (end < n && !isBlank(line[end]))
        ++end;
    f.third = ParseInt(line.substr(pos, end - pos));
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
