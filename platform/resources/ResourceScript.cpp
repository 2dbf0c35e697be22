#include "platform/resources/ResourceScript.h"
#include "platform/resources/ResourceTokens.h"
#include "platform/system/TextCase.h"
#include "platform/system/WholeFile.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <unordered_map>

std::string CResourceError::ToString() const
{
    return file + ":" + std::to_string(line) + ": " + message;
}

namespace {

using rcscript::IsNameChar;
using rcscript::IsNameStart;
using rcscript::Token;
using rcscript::TokKind;

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
        std::vector<Token> tokens = rcscript::Tokenize(text);
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
        std::vector<Token> tokens = rcscript::Tokenize(value);
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
