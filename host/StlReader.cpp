#include "host/StlReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace cad {

namespace {

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

// The three numbers after "vertex", into the box when all three are there;
// returns where reading stopped.
const char* ReadVertex(const char* p, CBox& box)
{
    double xyz[3];
    int read = 0;
    for (char* end = nullptr; read < 3; ++read, p = end) {
        xyz[read] = std::strtod(p, &end);
        if (end == p)
            break;
    }
    if (read == 3)
        box.Add(xyz[0], xyz[1], xyz[2]);
    return p;
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
        if (SameWord(token, "solid") || SameWord(token, "endsolid"))
            inName = true;
        else if (SameWord(token, "facet"))
            inName = false; // a file written on one line has no line end after its name
        else if (!inName && SameWord(token, "vertex"))
            pos = static_cast<std::size_t>(ReadVertex(text + pos, box) - text);
    }
}

} // namespace

void ReadStl(const std::string& bytes, CBox& box)
{
    if (IsAsciiStl(bytes))
        ReadAsciiStl(bytes, box);
    else if (bytes.size() >= 84)
        ReadBinaryStl(bytes, box);
}

} // namespace cad
