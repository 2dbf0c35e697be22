#pragma once
// Small value types of the window platform: points, sizes, rectangles and the
// string class with the few helpers window code leans on.
#include <cstdarg>
#include <string>

#include "platform/window/WinDef.h"

struct CPoint {
    int x = 0;
    int y = 0;
    CPoint() = default;
    CPoint(int px, int py) : x(px), y(py) {}
    bool operator==(const CPoint&) const = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    CSize() = default;
    CSize(int w, int h) : cx(w), cy(h) {}
    bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    bool operator==(const CRect&) const = default;
};

// A std::string with the helpers window code is written with. It converts to
// and from std::string freely, so library code may use either.
class CString : public std::string {
public:
    CString() = default;
    CString(const char* s) : std::string(s ? s : "") {}
    CString(const std::string& s) : std::string(s) {}
    CString(std::string&& s) : std::string(std::move(s)) {}
    CString(size_t n, char c) : std::string(n, c) {}

    int GetLength() const { return static_cast<int>(size()); }
    bool IsEmpty() const { return empty(); }
    void Empty() { clear(); }
    const char* GetString() const { return c_str(); }
    operator const char*() const { return c_str(); }
    CString Left(int n) const { return substr(0, Clamp(n)); }
    CString Right(int n) const { return substr(size() - Clamp(n)); }
    CString Mid(int first) const { return first >= GetLength() ? CString() : CString(substr(Clamp(first))); }
    CString Mid(int first, int n) const { return first >= GetLength() ? CString() : CString(substr(Clamp(first), Clamp(n))); }
    int Find(char c, int start = 0) const;
    int Find(const char* s, int start = 0) const;
    int ReverseFind(char c) const;
    CString& MakeUpper();
    CString& MakeLower();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }
    int Replace(const char* from, const char* to);
    int CompareNoCase(const char* other) const;
    // printf-style formatting replacing the whole text.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    // The string table entry; false (text unchanged) when there is none.
    bool LoadString(UINT id);

private:
    size_t Clamp(int n) const { return n < 0 ? 0 : (static_cast<size_t>(n) > size() ? size() : static_cast<size_t>(n)); }
};

using LPCTSTR = const char*;

constexpr unsigned LOWORD(uintptr_t v) { return static_cast<unsigned>(v & 0xFFFF); }
constexpr unsigned HIWORD(uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) { return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }
