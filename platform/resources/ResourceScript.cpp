// The resource-script parser's statements: directives, string tables and
// the recovery after an error; the entry points that read a script or a file.
#include "platform/resources/ResourceParser.h"
#include "platform/system/WholeFile.h"

#include <cctype>
#include <cstdint>

std::string CResourceError::ToString() const
{
    return file + ":" + std::to_string(line) + ": " + message;
}

namespace rcscript {

namespace {

constexpr int kMaxIncludeDepth = 16;

} // namespace

bool IsMemoryOption(const std::string& name)
{
    static const char* const kOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL"};
    for (const char* o : kOptions)
        if (name == o)
            return true;
    return false;
}

void CParser::ParseText(const std::string& text, const std::string& file, int depth)
{
    std::vector<Token> tokens = Tokenize(text);
    // Each file keeps its own cursor; the symbol table is shared.
    const std::vector<Token>* savedTokens = m_tokens;
    const size_t savedPos = m_pos;
    const std::string savedFile = m_file;
    const int savedDepth = m_depth;
    const size_t savedStart = m_statementStart, savedBad = m_lastBadReported;
    m_lastBadReported = SIZE_MAX;
    m_tokens = &tokens;
    m_pos = 0;
    m_file = file;
    m_depth = depth;
    while (!Stopped() && Cur().kind != TokKind::kEnd)
        TopLevelStatement();
    m_tokens = savedTokens;
    m_pos = savedPos;
    m_file = savedFile;
    m_depth = savedDepth;
    m_statementStart = savedStart;
    m_lastBadReported = savedBad;
}

const Token& CParser::Ahead(size_t n) const
{
    const size_t i = m_pos + n;
    return i < m_tokens->size() ? (*m_tokens)[i] : m_tokens->back();
}

void CParser::Advance()
{
    if (Cur().kind != TokKind::kEnd)
        ++m_pos;
}

void CParser::Report(int line, const std::string& message)
{
    if (!Stopped())
        m_errors.push_back({m_file, line, message});
}

// Reports at the line where the statement went wrong: for a statement cut
// short, the line it was on, not the next one.
void CParser::Fail(const std::string& message)
{
    const Token& t = Cur();
    if (t.kind == TokKind::kBad) {
        m_lastBadReported = m_pos;
        throw ParseFailure{t.line, t.text};
    }
    if (AtLineBreak())
        throw ParseFailure{(*m_tokens)[m_pos - 1].line, message};
    throw ParseFailure{t.line, message};
}

// Steps over a token while recovering from an error; malformed tokens
// passed on the way are still reported.
void CParser::Skip()
{
    if (Cur().kind == TokKind::kBad && m_pos != m_lastBadReported) {
        m_lastBadReported = m_pos;
        Report(Cur().line, Cur().text);
    }
    Advance();
}

std::string CParser::Describe(const Token& t)
{
    switch (t.kind) {
    case TokKind::kName: return "'" + t.text + "'";
    case TokKind::kNumber: return "'" + t.text + "'";
    case TokKind::kString: return "a string";
    case TokKind::kPunct: return "'" + t.text + "'";
    case TokKind::kDirective: return "a '#' directive";
    case TokKind::kEnd: return "the end of the file";
    case TokKind::kBad: return t.text;
    }
    return "?";
}

void CParser::ExpectComma(const char* what)
{
    if (!IsPunct(","))
        Fail(std::string("expected ',' before ") + what + ", found " + DescribeCur());
    Advance();
}

std::string CParser::String(const char* what)
{
    if (Cur().kind != TokKind::kString)
        Fail(std::string("expected ") + what + " in double quotes, found " + DescribeCur());
    std::string s = Cur().text;
    Advance();
    return s;
}

void CParser::TopLevelStatement()
{
    const size_t start = m_pos;
    m_statementStart = start;
    try {
        const Token& t = Cur();
        if (t.kind == TokKind::kDirective) {
            Directive();
        } else if (t.kind == TokKind::kName && t.text == "STRINGTABLE") {
            StringTable();
        } else if (t.kind == TokKind::kName && t.text == "LANGUAGE") {
            Advance();
            Expression("a language");
            ExpectComma("the sublanguage");
            Expression("a sublanguage");
        } else if (Ahead(1).kind == TokKind::kName &&
                   (Ahead(1).text == "DIALOG" || Ahead(1).text == "DIALOGEX")) {
            Dialog();
        } else if (Ahead(1).kind == TokKind::kName && t.kind != TokKind::kBad) {
            Fail("unsupported resource type '" + Ahead(1).text + "'");
        } else {
            Fail("expected a DIALOG, DIALOGEX or STRINGTABLE statement, found " + Describe(t));
        }
    } catch (const ParseFailure& f) {
        Report(f.line, f.message);
        Resynchronize(start);
    }
}

// After an error outside a block, skip to the next line that starts a
// statement; if the error fell before a block's BEGIN, that block goes too.
void CParser::Resynchronize(size_t start)
{
    if (m_pos == start)
        Skip();
    while (Cur().kind != TokKind::kEnd) {
        if (IsBegin()) {
            SkipBlock();
            return;
        }
        if (Cur().lineStart && StartsTopLevelStatement())
            return;
        Skip();
    }
}

bool CParser::StartsTopLevelStatement() const
{
    if (Cur().kind == TokKind::kDirective || IsName("STRINGTABLE") || IsName("LANGUAGE"))
        return true;
    return Ahead(1).kind == TokKind::kName && (Ahead(1).text == "DIALOG" || Ahead(1).text == "DIALOGEX");
}

// Skips from a BEGIN to just past its matching END.
void CParser::SkipBlock()
{
    int depth = 0;
    while (Cur().kind != TokKind::kEnd) {
        if (IsBegin())
            ++depth;
        else if (IsEnd() && --depth == 0) {
            Advance();
            return;
        }
        Skip();
    }
}

void CParser::Directive()
{
    const Token& t = Cur();
    const int line = t.line;
    std::string body = t.text;
    Advance();
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < body.size() && (body[p] == ' ' || body[p] == '\t' || body[p] == '\r'))
            ++p;
    };
    skipBlanks();
    const size_t wordStart = p;
    while (p < body.size() && IsNameChar(body[p]))
        ++p;
    const std::string word = body.substr(wordStart, p - wordStart);
    skipBlanks();
    if (word == "define")
        Define(body.substr(p), line);
    else if (word == "include")
        Include(body.substr(p), line);
    else if (word == "undef") {
        std::string name = body.substr(p);
        while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
            name.pop_back();
        m_symbols.erase(name);
    } else if (word == "pragma")
        return; // code pages and the like: the scripts are read as UTF-8 bytes
    else
        throw ParseFailure{line, "unsupported directive '#" + word + "'"};
}

void CParser::Define(const std::string& rest, int line)
{
    size_t p = 0;
    while (p < rest.size() && IsNameChar(rest[p]))
        ++p;
    const std::string name = rest.substr(0, p);
    if (name.empty() || !IsNameStart(name[0]))
        throw ParseFailure{line, "expected a name after #define"};
    if (p < rest.size() && rest[p] == '(')
        throw ParseFailure{line, "macros with parameters are not supported"};
    std::string value = rest.substr(p);
    // An empty #define (an include guard) defines a name without a value.
    bool empty = true;
    for (char c : value)
        if (!std::isspace(static_cast<unsigned char>(c)))
            empty = false;
    if (empty) {
        m_symbols[name] = 0;
        m_set.AddSymbol(name, 0);
        return;
    }
    std::vector<Token> tokens = Tokenize(value);
    for (Token& tok : tokens)
        tok.line = line;
    const std::vector<Token>* saved = m_tokens;
    const size_t savedPos = m_pos;
    m_tokens = &tokens;
    m_pos = 0;
    try {
        const long long v = Expression("a number");
        if (Cur().kind != TokKind::kEnd)
            Fail("unexpected " + DescribeCur() + " after the value of '" + name + "'");
        m_symbols[name] = v;
        m_set.AddSymbol(name, static_cast<long>(v));
    } catch (...) {
        m_tokens = saved;
        m_pos = savedPos;
        throw;
    }
    m_tokens = saved;
    m_pos = savedPos;
}

void CParser::Include(const std::string& rest, int line)
{
    std::string name = rest;
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.pop_back();
    if (name.size() < 2 || !((name.front() == '"' && name.back() == '"') || (name.front() == '<' && name.back() == '>')))
        throw ParseFailure{line, "expected #include \"FILE\""};
    name = name.substr(1, name.size() - 2);
    if (!m_options.loader)
        throw ParseFailure{line, "cannot include '" + name + "' here"};
    if (m_depth >= kMaxIncludeDepth)
        throw ParseFailure{line, "includes nested too deeply at '" + name + "'"};
    std::string resolved, text;
    if (!m_options.loader(name, m_file, resolved, text))
        throw ParseFailure{line, "cannot read included file '" + name + "'"};
    ParseText(text, resolved, m_depth + 1);
}

void CParser::StringTable()
{
    Advance();
    SkipOptions();
    if (!IsBegin())
        Fail("expected BEGIN after STRINGTABLE, found " + DescribeCur());
    Advance();
    while (!IsEnd()) {
        if (Cur().kind == TokKind::kEnd)
            Fail("STRINGTABLE is not closed by END");
        const size_t start = m_pos;
        try {
            m_statementStart = start;
            StringEntry();
        } catch (const ParseFailure& f) {
            Report(f.line, f.message);
            if (Stopped())
                return;
            // Resume at the next line of the table.
            if (m_pos == start)
                Skip();
            while (Cur().kind != TokKind::kEnd && !Cur().lineStart && !IsEnd())
                Skip();
        }
    }
    Advance();
}

void CParser::StringEntry()
{
    if (Cur().kind == TokKind::kDirective) {
        Directive();
        return;
    }
    const int line = Cur().line;
    const int id = Id("a string id", 0, 65535);
    if (IsPunct(","))
        Advance();
    // Neighbouring strings join, so long texts can be split over lines.
    std::string text = String("the string");
    while (Cur().kind == TokKind::kString) {
        text += Cur().text;
        Advance();
    }
    if (!m_set.AddString(id, std::move(text)))
        throw ParseFailure{line, "string " + std::to_string(id) + " is already defined"};
}

// LANGUAGE, CHARACTERISTICS and VERSION lines and memory options that may
// sit between a resource's header and its body.
void CParser::SkipOptions()
{
    while (true) {
        if (Cur().kind == TokKind::kName && IsMemoryOption(Cur().text)) {
            Advance();
        } else if (IsName("LANGUAGE")) {
            Advance();
            Expression("a language");
            ExpectComma("the sublanguage");
            Expression("a sublanguage");
        } else if (IsName("CHARACTERISTICS") || IsName("VERSION")) {
            Advance();
            Expression("a number");
        } else {
            return;
        }
    }
}

} // namespace rcscript

bool ParseResourceScript(const std::string& text, const std::string& file, CResourceSet& set,
                         std::vector<CResourceError>& errors, const CResourceParseOptions& options)
{
    const size_t before = errors.size();
    rcscript::CParser parser(set, errors, options);
    parser.SetErrorLimit(before + (options.maxErrors ? options.maxErrors : 1));
    parser.ParseText(text, file, 0);
    return errors.size() == before;
}

static std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool ParseResourceFile(const std::string& path, CResourceSet& set, std::vector<CResourceError>& errors,
                       std::vector<std::string>* filesRead)
{
    std::string text;
    if (!ReadWholeFile(path, text)) {
        errors.push_back({path, 0, "cannot read the file"});
        return false;
    }
    if (filesRead)
        filesRead->push_back(path);
    CResourceParseOptions options;
    options.loader = [filesRead](const std::string& name, const std::string& from, std::string& resolved,
                                 std::string& contents) {
        std::string relative = name;
        for (char& c : relative)
            if (c == '\\')
                c = '/';
        resolved = !relative.empty() && relative[0] == '/' ? relative : FolderOf(from) + relative;
        if (!ReadWholeFile(resolved, contents))
            return false;
        if (filesRead)
            filesRead->push_back(resolved);
        return true;
    };
    return ParseResourceScript(text, path, set, errors, options);
}
