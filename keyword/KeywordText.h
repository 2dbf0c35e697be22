#pragma once
// Characters as the keyword file's reader sees them, shared by its reading
// and writing halves.

namespace KeywordText {

// The C locale's isspace (blank, \t \n \v \f \r) as one bit test, without
// the locale lookup per byte.
inline bool IsSpace(char c)
{
    const unsigned u = static_cast<unsigned char>(c);
    return u <= ' ' && ((0x100003E00ull >> u) & 1) != 0;
}

} // namespace KeywordText
