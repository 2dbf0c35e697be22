#pragma once
// The page's static files, compiled into wizhost (no file is read at run time
// and nothing is fetched from elsewhere).
#include <cstddef>
#include <string_view>

struct SWebPageFile {
    const char* name;        // "index.html"
    const char* contentType; // "text/html; charset=utf-8"
    const unsigned char* data;
    std::size_t size;
};

// The file served at "/" + name, or null.
const SWebPageFile* FindWebPageFile(std::string_view name);
