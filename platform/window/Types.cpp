#include "platform/window/Types.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <strings.h>
#include <vector>

#include "platform/resources/Resources.h"

int CString::Find(char c, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t p = find(c, static_cast<size_t>(start));
    return p == npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* s, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t p = find(s, static_cast<size_t>(start));
    return p == npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char c) const
{
    size_t p = rfind(c);
    return p == npos ? -1 : static_cast<int>(p);
}

CString& CString::MakeUpper()
{
    for (char& c : *this)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : *this)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::TrimLeft()
{
    size_t b = find_first_not_of(" \t\r\n");
    erase(0, b == npos ? size() : b);
    return *this;
}

CString& CString::TrimRight()
{
    size_t e = find_last_not_of(" \t\r\n");
    erase(e == npos ? 0 : e + 1);
    return *this;
}

int CString::Replace(const char* from, const char* to)
{
    const std::string f(from), t(to);
    if (f.empty())
        return 0;
    int count = 0;
    std::string out;
    out.reserve(size());
    size_t pos = 0;
    for (size_t hit; (hit = find(f, pos)) != npos; pos = hit + f.size(), ++count)
        out.append(*this, pos, hit - pos).append(t);
    out.append(*this, pos, npos);
    assign(out);
    return count;
}

int CString::CompareNoCase(const char* other) const { return strcasecmp(c_str(), other ? other : ""); }

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        clear();
        return;
    }
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    assign(buf.data(), static_cast<size_t>(n));
}

bool CString::LoadString(UINT id)
{
    std::string text;
    if (!::LoadString(static_cast<int>(id), text))
        return false;
    assign(text);
    return true;
}
