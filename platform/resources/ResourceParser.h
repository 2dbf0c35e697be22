#pragma once
// The resource-script parser's own declarations, shared by its three
// sources: the statements and directives (ResourceScript.cpp), the number
// and style expressions (ResourceExpressions.cpp) and the dialog templates
// (ResourceDialogs.cpp). Not for use outside them.
#include "platform/resources/ResourceScript.h"
#include "platform/resources/ResourceTokens.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace rcscript {

// Thrown inside one statement; caught where the parser can resume.
struct ParseFailure {
    int line;
    std::string message;
};

struct ControlStatement;

// Memory options an old script may put after the resource type; they mean
// nothing here.
bool IsMemoryOption(const std::string& name);

// One parse: the files it reads (an #include is parsed with its own token
// cursor), the symbols they #define, and the errors found so far.
class CParser {
public:
    CParser(CResourceSet& set, std::vector<CResourceError>& errors, const CResourceParseOptions& options)
        : m_set(set), m_errors(errors), m_options(options)
    {
    }
    void ParseText(const std::string& text, const std::string& file, int depth);
    bool Stopped() const { return m_errors.size() >= m_errorLimit; }
    void SetErrorLimit(size_t limit) { m_errorLimit = limit; }

private:
    // Tokens and errors (ResourceScript.cpp).
    const Token& Cur() const { return (*m_tokens)[m_pos]; }
    const Token& Ahead(size_t n) const;
    void Advance();
    void Report(int line, const std::string& message);
    // The statement stopped short: the next line began where more was due.
    bool AtLineBreak() const { return Cur().lineStart && m_pos > m_statementStart; }
    [[noreturn]] void Fail(const std::string& message);
    std::string DescribeCur() const { return AtLineBreak() ? "the end of the line" : Describe(Cur()); }
    void Skip();
    static std::string Describe(const Token& t);
    bool IsPunct(const char* p) const { return Cur().kind == TokKind::kPunct && Cur().text == p; }
    bool IsName(const char* n) const { return Cur().kind == TokKind::kName && Cur().text == n; }
    bool IsBegin() const { return IsName("BEGIN") || IsPunct("{"); }
    bool IsEnd() const { return IsName("END") || IsPunct("}"); }
    void ExpectComma(const char* what);
    std::string String(const char* what);

    // Numbers, symbols and styles (ResourceExpressions.cpp).
    long long Primary(const char* what);
    long long Unary(const char* what);
    long long Expression(const char* what);
    static long long Wrap32(long long v);
    uint32_t Style(uint32_t value);
    bool LookupName(const std::string& name, long long& value) const;
    int Id(const char* what, long long min, long long max);
    int Coordinate(const char* what) { return Id(what, -32768, 32767); }

    // Statements, directives and string tables (ResourceScript.cpp).
    void TopLevelStatement();
    void Resynchronize(size_t start);
    bool StartsTopLevelStatement() const;
    void SkipBlock();
    void Directive();
    void Define(const std::string& rest, int line);
    void Include(const std::string& rest, int line);
    void StringTable();
    void StringEntry();
    void SkipOptions();

    // Dialog templates (ResourceDialogs.cpp).
    void Dialog();
    void DialogOptions(CDialogTemplate& dialog);
    bool ControlItem(CDialogTemplate& dialog);
    bool StartsControlLine() const;
    void ControlArguments(const ControlStatement& statement, CDlgItemTemplate& item, bool extended);
    void WindowClass(CDlgItemTemplate& item);
    void Rectangle(CDlgRect& rect, const std::array<const char*, 4>& names);

    CResourceSet& m_set;
    std::vector<CResourceError>& m_errors;
    const CResourceParseOptions& m_options;
    size_t m_errorLimit = 50;
    std::unordered_map<std::string, long long> m_symbols;
    const std::vector<Token>* m_tokens = nullptr;
    size_t m_pos = 0;
    std::string m_file;
    int m_depth = 0;
    int m_exprDepth = 0;
    size_t m_statementStart = 0;
    size_t m_lastBadReported = SIZE_MAX;
};

} // namespace rcscript
