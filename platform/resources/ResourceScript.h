#pragma once
// The resource-script compiler's front end: reads the subset of the resource
// script language that docs/resources.md describes (dialog templates, string
// tables, #define, #include) into a CResourceSet. The build runs it over
// resources/*.rc; tests and tools may run it on any text.
#include "platform/resources/Resources.h"

#include <functional>
#include <string>
#include <vector>

struct CResourceError {
    std::string file;
    int line = 0;
    std::string message;

    // "FILE:LINE: message"
    std::string ToString() const;
};

// Reads an #include'd file: receives the name as written and the including
// file's name; fills `resolvedName` (used in messages) and `text`, or returns false.
using ResourceIncludeLoader =
    std::function<bool(const std::string& name, const std::string& fromFile, std::string& resolvedName, std::string& text)>;

struct CResourceParseOptions {
    ResourceIncludeLoader loader; // empty: #include is an error
    size_t maxErrors = 50;        // parsing stops after this many errors
};

// Parses `text` as the contents of `file`, adding its templates, strings and
// symbols to `set` (which may already hold those of other scripts: ids must
// stay unique). Errors go to `errors` in the order found; the parser resumes at
// the next control or resource statement after each. True when there were none.
bool ParseResourceScript(const std::string& text, const std::string& file, CResourceSet& set,
                         std::vector<CResourceError>& errors, const CResourceParseOptions& options = {});

// Reads and parses the file at `path`, resolving #include "x" against the
// including file's folder. Every file read is appended to `filesRead` when given.
bool ParseResourceFile(const std::string& path, CResourceSet& set, std::vector<CResourceError>& errors,
                       std::vector<std::string>* filesRead = nullptr);

// The value of a style or class-independent constant name the scripts may use
// (WS_VISIBLE, BS_AUTORADIOBUTTON, ES_READONLY, ...); false when unknown.
bool LookupResourceConstant(const std::string& name, uint32_t& value);
