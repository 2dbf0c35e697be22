#include "platform/ResourceScript.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unordered_map>

std::string CResourceError::ToString() const
{
    return file + ":" + std::to_string(line) + ": " + message;
}

// ---------------------------------------------------------------------------
// Named constants

namespace {

struct NamedConstant {
    const char* name;
    uint32_t value;
};

// The platform's own values, so that a template means the same thing here as
// in the scripts people already know.
const NamedConstant kConstants[] = {
    // window styles
    {"WS_OVERLAPPED", 0x00000000}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000}, {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_POPUPWINDOW", 0x80880000},
    // extended window styles
    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010}, {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_TOOLWINDOW", 0x00000080}, {"WS_EX_WINDOWEDGE", 0x00000100}, {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400}, {"WS_EX_RIGHT", 0x00001000}, {"WS_EX_LEFTSCROLLBAR", 0x00004000},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", 0x00020000}, {"WS_EX_APPWINDOW", 0x00040000},
    // dialog styles
    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004}, {"DS_FIXEDSYS", 0x0008},
    {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020}, {"DS_SETFONT", 0x0040},
    {"DS_MODALFRAME", 0x0080}, {"DS_NOIDLEMSG", 0x0100}, {"DS_SETFOREGROUND", 0x0200},
    {"DS_CONTROL", 0x0400}, {"DS_CENTER", 0x0800}, {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},
    // buttons
    {"BS_PUSHBUTTON", 0x0000}, {"BS_DEFPUSHBUTTON", 0x0001}, {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003}, {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006}, {"BS_GROUPBOX", 0x0007}, {"BS_USERBUTTON", 0x0008},
    {"BS_AUTORADIOBUTTON", 0x0009}, {"BS_OWNERDRAW", 0x000B}, {"BS_TYPEMASK", 0x000F},
    {"BS_LEFTTEXT", 0x0020}, {"BS_RIGHTBUTTON", 0x0020}, {"BS_TEXT", 0x0000}, {"BS_ICON", 0x0040},
    {"BS_BITMAP", 0x0080}, {"BS_LEFT", 0x0100}, {"BS_RIGHT", 0x0200}, {"BS_CENTER", 0x0300},
    {"BS_TOP", 0x0400}, {"BS_BOTTOM", 0x0800}, {"BS_VCENTER", 0x0C00}, {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
    // edits
    {"ES_LEFT", 0x0000}, {"ES_CENTER", 0x0001}, {"ES_RIGHT", 0x0002}, {"ES_MULTILINE", 0x0004},
    {"ES_UPPERCASE", 0x0008}, {"ES_LOWERCASE", 0x0010}, {"ES_PASSWORD", 0x0020},
    {"ES_AUTOVSCROLL", 0x0040}, {"ES_AUTOHSCROLL", 0x0080}, {"ES_NOHIDESEL", 0x0100},
    {"ES_OEMCONVERT", 0x0400}, {"ES_READONLY", 0x0800}, {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
    // statics
    {"SS_LEFT", 0x0000}, {"SS_CENTER", 0x0001}, {"SS_RIGHT", 0x0002}, {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004}, {"SS_GRAYRECT", 0x0005}, {"SS_WHITERECT", 0x0006},
    {"SS_BLACKFRAME", 0x0007}, {"SS_GRAYFRAME", 0x0008}, {"SS_WHITEFRAME", 0x0009},
    {"SS_SIMPLE", 0x000B}, {"SS_LEFTNOWORDWRAP", 0x000C}, {"SS_OWNERDRAW", 0x000D},
    {"SS_BITMAP", 0x000E}, {"SS_ETCHEDHORZ", 0x0010}, {"SS_ETCHEDVERT", 0x0011},
    {"SS_ETCHEDFRAME", 0x0012}, {"SS_TYPEMASK", 0x001F}, {"SS_NOPREFIX", 0x0080}, {"SS_NOTIFY", 0x0100},
    {"SS_CENTERIMAGE", 0x0200}, {"SS_RIGHTJUST", 0x0400}, {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000},
    // combo boxes
    {"CBS_SIMPLE", 0x0001}, {"CBS_DROPDOWN", 0x0002}, {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010}, {"CBS_OWNERDRAWVARIABLE", 0x0020}, {"CBS_AUTOHSCROLL", 0x0040},
    {"CBS_OEMCONVERT", 0x0080}, {"CBS_SORT", 0x0100}, {"CBS_HASSTRINGS", 0x0200},
    {"CBS_NOINTEGRALHEIGHT", 0x0400}, {"CBS_DISABLENOSCROLL", 0x0800}, {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
    // list boxes
    {"LBS_NOTIFY", 0x0001}, {"LBS_SORT", 0x0002}, {"LBS_NOREDRAW", 0x0004}, {"LBS_MULTIPLESEL", 0x0008},
    {"LBS_OWNERDRAWFIXED", 0x0010}, {"LBS_OWNERDRAWVARIABLE", 0x0020}, {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080}, {"LBS_NOINTEGRALHEIGHT", 0x0100}, {"LBS_MULTICOLUMN", 0x0200},
    {"LBS_WANTKEYBOARDINPUT", 0x0400}, {"LBS_EXTENDEDSEL", 0x0800}, {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000}, {"LBS_STANDARD", 0x00A00003},
    // list views
    {"LVS_ICON", 0x0000}, {"LVS_REPORT", 0x0001}, {"LVS_SMALLICON", 0x0002}, {"LVS_LIST", 0x0003},
    {"LVS_TYPEMASK", 0x0003}, {"LVS_SINGLESEL", 0x0004}, {"LVS_SHOWSELALWAYS", 0x0008},
    {"LVS_SORTASCENDING", 0x0010}, {"LVS_SORTDESCENDING", 0x0020}, {"LVS_SHAREIMAGELISTS", 0x0040},
    {"LVS_NOLABELWRAP", 0x0080}, {"LVS_AUTOARRANGE", 0x0100}, {"LVS_EDITLABELS", 0x0200},
    {"LVS_OWNERDATA", 0x1000}, {"LVS_NOSCROLL", 0x2000}, {"LVS_NOCOLUMNHEADER", 0x4000},
    {"LVS_NOSORTHEADER", 0x8000},
    // the id every script uses for controls nobody addresses
    {"IDC_STATIC", 0xFFFFFFFF},
    // standard button ids
    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5}, {"IDYES", 6},
    {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9},
};

const std::unordered_map<std::string, uint32_t>& ConstantTable()
{
    static const std::unordered_map<std::string, uint32_t> table = [] {
        std::unordered_map<std::string, uint32_t> t;
        for (const NamedConstant& c : kConstants)
            t.emplace(c.name, c.value);
        return t;
    }();
    return table;
}

} // namespace

bool LookupResourceConstant(const std::string& name, uint32_t& value)
{
    const auto& table = ConstantTable();
    auto it = table.find(name);
    if (it == table.end())
        return false;
    value = it->second;
    return true;
}

// ---------------------------------------------------------------------------
// Tokens

namespace {

enum class TokKind { kName, kNumber, kString, kPunct, kDirective, kEnd, kBad };

struct Token {
    TokKind kind = TokKind::kEnd;
    std::string text; // name, string contents, punctuation, directive line, or why it is bad
    long long number = 0;
    int line = 0;
    bool lineStart = false; // first token on its line
};

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Splits a whole script into tokens in one pass. Comments vanish, a line
// starting with '#' becomes one directive token, and malformed pieces become
// kBad tokens so that the parser reports them where they stand.
class CTokenizer {
public:
    explicit CTokenizer(const std::string& text) : m_text(text) {}

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        while (true) {
            Token t = NextToken();
            const bool end = t.kind == TokKind::kEnd;
            tokens.push_back(std::move(t));
            if (end)
                break;
        }
        return tokens;
    }

private:
    char Peek(size_t ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }

    void SkipBlanks()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                m_atLineStart = true;
                ++m_pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++m_pos;
            } else if (c == '/' && Peek(1) == '/') {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
            } else if (c == '/' && Peek(1) == '*') {
                const int startLine = m_line;
                m_pos += 2;
                while (m_pos < m_text.size() && !(m_text[m_pos] == '*' && Peek(1) == '/')) {
                    if (m_text[m_pos] == '\n')
                        ++m_line;
                    ++m_pos;
                }
                if (m_pos >= m_text.size()) {
                    m_pendingBad = "unterminated comment";
                    m_pendingBadLine = startLine;
                    return;
                }
                m_pos += 2;
            } else {
                return;
            }
        }
    }

    Token NextToken()
    {
        SkipBlanks();
        Token t;
        t.line = m_line;
        t.lineStart = m_atLineStart;
        if (!m_pendingBad.empty()) {
            t.kind = TokKind::kBad;
            t.text = std::move(m_pendingBad);
            t.line = m_pendingBadLine;
            m_pendingBad.clear();
            return t;
        }
        if (m_pos >= m_text.size()) {
            t.kind = TokKind::kEnd;
            return t;
        }
        m_atLineStart = false;
        const char c = m_text[m_pos];
        if (c == '#' && t.lineStart)
            return Directive(t);
        if (c == '"')
            return String(t);
        if (std::isdigit(static_cast<unsigned char>(c)))
            return Number(t);
        if (IsNameStart(c)) {
            const size_t start = m_pos;
            while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
                ++m_pos;
            t.kind = TokKind::kName;
            t.text = m_text.substr(start, m_pos - start);
            return t;
        }
        if (std::strchr(",|{}()-+~&", c) != nullptr) {
            ++m_pos;
            t.kind = TokKind::kPunct;
            t.text = std::string(1, c);
            return t;
        }
        ++m_pos;
        t.kind = TokKind::kBad;
        t.text = "unexpected character '" + Printable(c) + "'";
        return t;
    }

    static std::string Printable(char c)
    {
        if (std::isprint(static_cast<unsigned char>(c)))
            return std::string(1, c);
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
        return buf;
    }

    // The directive runs to the end of the line; a trailing comment is dropped.
    Token Directive(Token& t)
    {
        const size_t start = m_pos + 1;
        size_t end = start;
        while (end < m_text.size() && m_text[end] != '\n')
            ++end;
        std::string body = m_text.substr(start, end - start);
        m_pos = end;
        size_t cut = std::string::npos;
        bool inString = false;
        for (size_t i = 0; i < body.size() && cut == std::string::npos; ++i) {
            if (body[i] == '"')
                inString = !inString;
            else if (!inString && body[i] == '/' && i + 1 < body.size() && (body[i + 1] == '/' || body[i + 1] == '*'))
                cut = i;
        }
        if (cut != std::string::npos)
            body.erase(cut);
        t.kind = TokKind::kDirective;
        t.text = std::move(body);
        return t;
    }

    // Quoted text: "" stands for one quote, and \n \t \r \\ \" are the usual
    // escapes. A string ends on its own line.
    Token String(Token& t)
    {
        ++m_pos;
        std::string value;
        while (true) {
            if (m_pos >= m_text.size() || m_text[m_pos] == '\n' || m_text[m_pos] == '\r') {
                t.kind = TokKind::kBad;
                t.text = "unterminated string";
                return t;
            }
            const char c = m_text[m_pos++];
            if (c == '"') {
                if (Peek() == '"') {
                    value += '"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (c != '\\') {
                value += c;
                continue;
            }
            const char e = Peek();
            ++m_pos;
            switch (e) {
            case 'n': value += '\n'; break;
            case 't': value += '\t'; break;
            case 'r': value += '\r'; break;
            case '\\': value += '\\'; break;
            case '"': value += '"'; break;
            default:
                // Keep scanning to the closing quote so the rest of the line
                // is not read as script, then report the escape.
                while (m_pos < m_text.size() && m_text[m_pos] != '"' && m_text[m_pos] != '\n')
                    ++m_pos;
                if (m_pos < m_text.size() && m_text[m_pos] == '"')
                    ++m_pos;
                t.kind = TokKind::kBad;
                t.text = e == '\0' || e == '\n' ? "unterminated string"
                                                : "unknown escape '\\" + Printable(e) + "' in string";
                return t;
            }
        }
        t.kind = TokKind::kString;
        t.text = std::move(value);
        return t;
    }

    // Decimal or 0x hexadecimal, with an optional L or U suffix.
    Token Number(Token& t)
    {
        const size_t start = m_pos;
        int base = 10;
        if (m_text[m_pos] == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
            base = 16;
            m_pos += 2;
        }
        const size_t digits = m_pos;
        unsigned long long value = 0;
        bool overflow = false;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            int d;
            if (std::isdigit(static_cast<unsigned char>(c)))
                d = c - '0';
            else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
                d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            else
                break;
            value = value * base + d;
            if (value > 0xFFFFFFFFull)
                overflow = true;
            ++m_pos;
        }
        while (m_pos < m_text.size() && (m_text[m_pos] == 'L' || m_text[m_pos] == 'l' || m_text[m_pos] == 'U' ||
                                         m_text[m_pos] == 'u'))
            ++m_pos;
        if (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) {
            while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
                ++m_pos;
            t.kind = TokKind::kBad;
            t.text = "malformed number '" + m_text.substr(start, m_pos - start) + "'";
            return t;
        }
        if (digits == m_pos) {
            t.kind = TokKind::kBad;
            t.text = "malformed number '" + m_text.substr(start, m_pos - start) + "'";
            return t;
        }
        if (overflow) {
            t.kind = TokKind::kBad;
            t.text = "number '" + m_text.substr(start, m_pos - start) + "' does not fit in 32 bits";
            return t;
        }
        t.kind = TokKind::kNumber;
        t.number = static_cast<long long>(value);
        t.text = m_text.substr(start, m_pos - start);
        return t;
    }

    const std::string& m_text;
    size_t m_pos = 0;
    int m_line = 1;
    bool m_atLineStart = true;
    std::string m_pendingBad;
    int m_pendingBadLine = 0;
};

// ---------------------------------------------------------------------------
// Parser

// Thrown inside one statement; caught where the parser can resume.
struct ParseFailure {
    int line;
    std::string message;
};

enum class ItemForm { kText, kNoText, kControl };

struct ControlStatement {
    const char* keyword;
    ItemForm form;
    DlgItemClass itemClass;
    const char* className;
    uint32_t defaultStyle; // besides WS_CHILD | WS_VISIBLE
};

constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsGroup = 0x00020000,
                   kWsTabStop = 0x00010000, kWsBorder = 0x00800000, kWsPopup = 0x80000000,
                   kWsSysMenu = 0x00080000, kWsCaption = 0x00C00000, kDsSetFont = 0x40;

const ControlStatement kControlStatements[] = {
    {"LTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0000 | kWsGroup},
    {"RTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0002 | kWsGroup},
    {"CTEXT", ItemForm::kText, DlgItemClass::kStatic, "Static", 0x0001 | kWsGroup},
    {"PUSHBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0000 | kWsTabStop},
    {"DEFPUSHBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0001 | kWsTabStop},
    {"CHECKBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0002 | kWsTabStop},
    {"AUTOCHECKBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0003 | kWsTabStop},
    {"RADIOBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0004},
    {"AUTORADIOBUTTON", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0009},
    {"STATE3", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0005 | kWsTabStop},
    {"AUTO3STATE", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0006 | kWsTabStop},
    {"GROUPBOX", ItemForm::kText, DlgItemClass::kButton, "Button", 0x0007},
    {"EDITTEXT", ItemForm::kNoText, DlgItemClass::kEdit, "Edit", 0x0000 | kWsBorder | kWsTabStop},
    {"COMBOBOX", ItemForm::kNoText, DlgItemClass::kComboBox, "ComboBox", 0x0001 | kWsTabStop},
    {"LISTBOX", ItemForm::kNoText, DlgItemClass::kListBox, "ListBox", 0x0001 | kWsBorder},
    {"CONTROL", ItemForm::kControl, DlgItemClass::kCustom, "", 0},
};

const ControlStatement* FindControlStatement(const std::string& keyword)
{
    for (const ControlStatement& s : kControlStatements)
        if (keyword == s.keyword)
            return &s;
    return nullptr;
}

struct KnownClass {
    const char* name;
    DlgItemClass itemClass;
};

const KnownClass kKnownClasses[] = {
    {"Button", DlgItemClass::kButton},     {"Edit", DlgItemClass::kEdit},
    {"Static", DlgItemClass::kStatic},     {"ComboBox", DlgItemClass::kComboBox},
    {"ListBox", DlgItemClass::kListBox},   {"SysListView32", DlgItemClass::kListView},
};

bool EqualsNoCase(const std::string& a, const char* b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Memory options an old script may put after the resource type; they mean
// nothing here.
bool IsMemoryOption(const std::string& name)
{
    static const char* const kOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE", "IMPURE", "PRELOAD", "LOADONCALL"};
    for (const char* o : kOptions)
        if (name == o)
            return true;
    return false;
}

constexpr int kMaxIncludeDepth = 16;

// Counts nesting for as long as a recursive call runs, exceptions included.
struct DepthGuard {
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& m_depth;
};

class CParser {
public:
    CParser(CResourceSet& set, std::vector<CResourceError>& errors, const CResourceParseOptions& options)
        : m_set(set), m_errors(errors), m_options(options)
    {
    }

    void ParseText(const std::string& text, const std::string& file, int depth)
    {
        CTokenizer tokenizer(text);
        std::vector<Token> tokens = tokenizer.Run();
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

    bool Stopped() const { return m_errors.size() >= m_errorLimit; }
    void SetErrorLimit(size_t limit) { m_errorLimit = limit; }

private:
    const Token& Cur() const { return (*m_tokens)[m_pos]; }
    const Token& Ahead(size_t n) const
    {
        const size_t i = m_pos + n;
        return i < m_tokens->size() ? (*m_tokens)[i] : m_tokens->back();
    }
    void Advance()
    {
        if (Cur().kind != TokKind::kEnd)
            ++m_pos;
    }

    void Report(int line, const std::string& message)
    {
        if (!Stopped())
            m_errors.push_back({m_file, line, message});
    }

    // The statement stopped short: the next line began where more was due.
    bool AtLineBreak() const { return Cur().lineStart && m_pos > m_statementStart; }

    // Reports at the line where the statement went wrong: for a statement cut
    // short, the line it was on, not the next one.
    [[noreturn]] void Fail(const std::string& message)
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

    std::string DescribeCur() const { return AtLineBreak() ? "the end of the line" : Describe(Cur()); }

    // Steps over a token while recovering from an error; malformed tokens
    // passed on the way are still reported.
    void Skip()
    {
        if (Cur().kind == TokKind::kBad && m_pos != m_lastBadReported) {
            m_lastBadReported = m_pos;
            Report(Cur().line, Cur().text);
        }
        Advance();
    }

    static std::string Describe(const Token& t)
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

    bool IsPunct(const char* p) const { return Cur().kind == TokKind::kPunct && Cur().text == p; }
    bool IsName(const char* n) const { return Cur().kind == TokKind::kName && Cur().text == n; }
    bool IsBegin() const { return IsName("BEGIN") || IsPunct("{"); }
    bool IsEnd() const { return IsName("END") || IsPunct("}"); }

    void ExpectComma(const char* what)
    {
        if (!IsPunct(","))
            Fail(std::string("expected ',' before ") + what + ", found " + DescribeCur());
        Advance();
    }

    // ---- expressions -------------------------------------------------------

    long long Primary(const char* what)
    {
        const Token& t = Cur();
        if (t.kind == TokKind::kNumber) {
            Advance();
            return t.number;
        }
        if (t.kind == TokKind::kName) {
            long long value;
            if (!LookupName(t.text, value))
                Fail("undefined symbol '" + t.text + "'");
            Advance();
            return value;
        }
        if (IsPunct("(")) {
            Advance();
            const long long v = Expression(what);
            if (!IsPunct(")"))
                Fail("expected ')', found " + DescribeCur());
            Advance();
            return v;
        }
        Fail(std::string("expected ") + what + ", found " + Describe(t));
    }

    // Signs are read in a loop: a long run of them must not cost stack.
    long long Unary(const char* what)
    {
        std::vector<char> ops;
        while (IsPunct("-") || IsPunct("~") || IsPunct("+")) {
            ops.push_back(Cur().text[0]);
            Advance();
        }
        long long v = Primary(what);
        for (auto it = ops.rbegin(); it != ops.rend(); ++it) {
            if (*it == '-')
                v = Wrap32(-v);
            else if (*it == '~')
                v = ~v & 0xFFFFFFFFll;
        }
        return v;
    }

    // Numbers joined by | & + -, left to right as a C preprocessor would for
    // these operators; values are kept to 32 bits so no chain can overflow.
    long long Expression(const char* what)
    {
        DepthGuard guard(m_exprDepth);
        if (m_exprDepth > 200)
            Fail("expression nested too deeply");
        long long v = Unary(what);
        while (Cur().kind == TokKind::kPunct) {
            const char op = Cur().text[0];
            if (op != '|' && op != '&' && op != '+' && op != '-')
                break;
            Advance();
            const long long r = Unary(what);
            switch (op) {
            case '|': v = (v | r) & 0xFFFFFFFFll; break;
            case '&': v = v & r; break;
            case '+': v = v + r; break;
            case '-': v = v - r; break;
            }
            v = Wrap32(v);
        }
        return v;
    }

    // Keeps a value within the 32 bits a resource holds, as a signed number
    // when it was negative so that -1 stays -1.
    static long long Wrap32(long long v)
    {
        if (v > 0xFFFFFFFFll || v < -0x80000000ll)
            v &= 0xFFFFFFFFll;
        return v;
    }

    // A style: "A | B | NOT C": starts from the statement's default; each
    // plain term sets its bits, each NOT term clears them.
    uint32_t Style(uint32_t value)
    {
        while (true) {
            if (IsName("NOT")) {
                Advance();
                value &= ~static_cast<uint32_t>(Unary("a style"));
            } else {
                value |= static_cast<uint32_t>(Unary("a style"));
            }
            if (!IsPunct("|"))
                return value;
            Advance();
        }
    }

    bool LookupName(const std::string& name, long long& value) const
    {
        auto it = m_symbols.find(name);
        if (it != m_symbols.end()) {
            value = it->second;
            return true;
        }
        uint32_t constant;
        if (LookupResourceConstant(name, constant)) {
            value = name == "IDC_STATIC" ? -1LL : static_cast<long long>(constant);
            return true;
        }
        return false;
    }

    int Id(const char* what, long long min, long long max)
    {
        const int line = Cur().line;
        const long long v = Expression(what);
        if (v < min || v > max)
            throw ParseFailure{line, std::string(what) + " " + std::to_string(v) + " is out of range " +
                                         std::to_string(min) + ".." + std::to_string(max)};
        return static_cast<int>(v);
    }

    int Coordinate(const char* what) { return Id(what, -32768, 32767); }

    std::string String(const char* what)
    {
        if (Cur().kind != TokKind::kString)
            Fail(std::string("expected ") + what + " in double quotes, found " + DescribeCur());
        std::string s = Cur().text;
        Advance();
        return s;
    }

    // ---- statements --------------------------------------------------------

    void TopLevelStatement()
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
    void Resynchronize(size_t start)
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

    bool StartsTopLevelStatement() const
    {
        if (Cur().kind == TokKind::kDirective || IsName("STRINGTABLE") || IsName("LANGUAGE"))
            return true;
        return Ahead(1).kind == TokKind::kName && (Ahead(1).text == "DIALOG" || Ahead(1).text == "DIALOGEX");
    }

    // Skips from a BEGIN to just past its matching END.
    void SkipBlock()
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

    void Directive()
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

    void Define(const std::string& rest, int line)
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
        CTokenizer tokenizer(value);
        std::vector<Token> tokens = tokenizer.Run();
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

    void Include(const std::string& rest, int line)
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

    void StringTable()
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

    void StringEntry()
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
    void SkipOptions()
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

    void Dialog()
    {
        CDialogTemplate dialog;
        dialog.file = m_file;
        dialog.line = Cur().line;
        if (Cur().kind == TokKind::kName && m_symbols.count(Cur().text))
            dialog.symbol = Cur().text;
        if (Cur().kind == TokKind::kString)
            Fail("dialogs are named by number or #define'd symbol, not by a string");
        dialog.id = Id("a dialog id", 1, 65535);
        dialog.extended = Cur().text == "DIALOGEX";
        Advance();
        while (Cur().kind == TokKind::kName && IsMemoryOption(Cur().text))
            Advance();
        dialog.rect.x = Coordinate("the dialog's x");
        ExpectComma("the dialog's y");
        dialog.rect.y = Coordinate("the dialog's y");
        ExpectComma("the dialog's width");
        dialog.rect.cx = Coordinate("the dialog's width");
        ExpectComma("the dialog's height");
        dialog.rect.cy = Coordinate("the dialog's height");
        if (IsPunct(",")) {
            if (!dialog.extended)
                Fail("a help id needs DIALOGEX");
            Advance();
            dialog.helpId = static_cast<uint32_t>(Expression("a help id"));
        }
        DialogOptions(dialog);
        if (!IsBegin())
            Fail("expected BEGIN or an option (STYLE, EXSTYLE, CAPTION, FONT), found " + DescribeCur());
        Advance();
        bool hadErrors = false;
        while (!IsEnd()) {
            if (Cur().kind == TokKind::kEnd)
                throw ParseFailure{dialog.line, "dialog " + std::to_string(dialog.id) + " is not closed by END"};
            if (!ControlItem(dialog))
                hadErrors = true;
            if (Stopped())
                return;
        }
        Advance();
        if (hadErrors)
            return;
        const int id = dialog.id, line = dialog.line;
        if (!m_set.AddDialog(std::move(dialog))) {
            const CDialogTemplate* other = m_set.FindDialog(id);
            Report(line, "dialog " + std::to_string(id) + " is already defined at " + other->file + ":" +
                             std::to_string(other->line));
        }
    }

    void DialogOptions(CDialogTemplate& dialog)
    {
        bool styleGiven = false;
        bool hasCaption = false;
        uint32_t style = kWsPopup | kWsBorder | kWsSysMenu;
        while (Cur().kind == TokKind::kName) {
            const std::string& word = Cur().text;
            if (word == "STYLE") {
                Advance();
                style = Style(styleGiven ? style : 0);
                styleGiven = true;
            } else if (word == "EXSTYLE") {
                Advance();
                dialog.exStyle = Style(dialog.exStyle);
            } else if (word == "CAPTION") {
                Advance();
                dialog.caption = String("the caption");
                hasCaption = true;
            } else if (word == "FONT") {
                Advance();
                dialog.font.pointSize = Id("a point size", 1, 32767);
                ExpectComma("the font name");
                dialog.font.face = String("the font name");
                if (dialog.extended && IsPunct(",")) {
                    Advance();
                    dialog.font.weight = Id("a font weight", 0, 1000);
                    if (IsPunct(",")) {
                        Advance();
                        dialog.font.italic = Expression("the italic flag") != 0;
                        if (IsPunct(",")) {
                            Advance();
                            dialog.font.charset = Id("a character set", 0, 255);
                        }
                    }
                }
            } else if (word == "LANGUAGE" || word == "CHARACTERISTICS" || word == "VERSION" ||
                       IsMemoryOption(word)) {
                SkipOptions();
            } else if (word == "MENU" || word == "CLASS") {
                Fail("the dialog option " + word + " is not supported");
            } else {
                break;
            }
        }
        // A caption needs a title bar, and a named font is what DS_SETFONT says.
        if (hasCaption)
            style |= kWsCaption;
        if (dialog.font.pointSize != 0)
            style |= kDsSetFont;
        dialog.style = style;
    }

    // One control statement; false after reporting an error in it.
    bool ControlItem(CDialogTemplate& dialog)
    {
        const size_t start = m_pos;
        m_statementStart = start;
        try {
            if (Cur().kind == TokKind::kDirective) {
                Directive();
                return true;
            }
            if (Cur().kind != TokKind::kName)
                Fail("expected a control statement or END, found " + DescribeCur());
            const ControlStatement* statement = FindControlStatement(Cur().text);
            if (!statement)
                Fail("unsupported control statement '" + Cur().text + "'");
            CDlgItemTemplate item;
            item.line = Cur().line;
            Advance();
            ControlArguments(*statement, item, dialog.extended);
            if (!IsEnd() && !Cur().lineStart)
                Fail("unexpected " + DescribeCur() + " after the control");
            dialog.items.push_back(std::move(item));
            return true;
        } catch (const ParseFailure& f) {
            Report(f.line, f.message);
            // Resume at the next line that starts a control statement or ends the dialog.
            if (m_pos == start)
                Skip();
            while (Cur().kind != TokKind::kEnd && !IsEnd() && !StartsControlLine())
                Skip();
            return false;
        }
    }

    // A line that begins with a statement keyword, or with a word that is no
    // known name (so not the style part of a statement continued from above).
    bool StartsControlLine() const
    {
        if (!Cur().lineStart)
            return false;
        if (Cur().kind == TokKind::kDirective)
            return true;
        if (Cur().kind != TokKind::kName)
            return false;
        long long ignored;
        return FindControlStatement(Cur().text) || !LookupName(Cur().text, ignored);
    }

    void ControlArguments(const ControlStatement& statement, CDlgItemTemplate& item, bool extended)
    {
        uint32_t style = kWsChild | kWsVisible | statement.defaultStyle;
        item.itemClass = statement.itemClass;
        item.className = statement.className;
        if (statement.form != ItemForm::kNoText) {
            item.text = String("the control's text");
            ExpectComma("the control's id");
        }
        item.id = Id("a control id", -1, 65535);
        if (statement.form == ItemForm::kControl) {
            ExpectComma("the window class");
            WindowClass(item);
            ExpectComma("the style");
            style = Style(style);
        }
        ExpectComma("x");
        item.rect.x = Coordinate("x");
        ExpectComma("y");
        item.rect.y = Coordinate("y");
        ExpectComma("the width");
        item.rect.cx = Coordinate("the width");
        ExpectComma("the height");
        item.rect.cy = Coordinate("the height");
        if (statement.form != ItemForm::kControl && IsPunct(",")) {
            Advance();
            style = Style(style);
        }
        if (IsPunct(",")) {
            Advance();
            item.exStyle = Style(0);
            if (IsPunct(",")) {
                if (!extended)
                    Fail("a help id needs DIALOGEX");
                Advance();
                item.helpId = static_cast<uint32_t>(Expression("a help id"));
            }
        }
        item.style = style;
    }

    void WindowClass(CDlgItemTemplate& item)
    {
        std::string name;
        if (Cur().kind == TokKind::kString)
            name = Cur().text;
        else if (Cur().kind == TokKind::kName)
            name = Cur().text; // BUTTON, EDIT, ... written without quotes
        else
            Fail("expected a window class, found " + DescribeCur());
        if (name.empty())
            Fail("empty window class");
        const bool quoted = Cur().kind == TokKind::kString;
        Advance();
        for (const KnownClass& k : kKnownClasses) {
            if (EqualsNoCase(name, k.name)) {
                item.itemClass = k.itemClass;
                item.className = k.name;
                return;
            }
        }
        if (!quoted)
            throw ParseFailure{Cur().line, "unknown window class '" + name + "' (custom classes are quoted)"};
        item.itemClass = DlgItemClass::kCustom;
        item.className = name;
    }

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

} // namespace

bool ParseResourceScript(const std::string& text, const std::string& file, CResourceSet& set,
                         std::vector<CResourceError>& errors, const CResourceParseOptions& options)
{
    const size_t before = errors.size();
    CParser parser(set, errors, options);
    parser.SetErrorLimit(before + (options.maxErrors ? options.maxErrors : 1));
    parser.ParseText(text, file, 0);
    return errors.size() == before;
}

static bool ReadWholeFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad())
        return false;
    text = s.str();
    return true;
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
