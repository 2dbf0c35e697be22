#pragma once
// Words of the scripts this layer reads (class names, memory options, agent
// commands) may be written in any case; only ASCII letters fold.
#include <cctype>
#include <cstring>
#include <string_view>

inline bool EqualsNoCase(std::string_view a, const char* b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
