// Numbers, symbols and styles in resource scripts: the C preprocessor's
// arithmetic for the operators scripts use, kept to the 32 bits a resource holds.
#include "platform/resources/ResourceParser.h"

namespace rcscript {

namespace {

// Counts nesting for as long as a recursive call runs, exceptions included.
struct DepthGuard {
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& m_depth;
};

} // namespace

long long CParser::Primary(const char* what)
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
long long CParser::Unary(const char* what)
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
long long CParser::Expression(const char* what)
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
long long CParser::Wrap32(long long v)
{
    if (v > 0xFFFFFFFFll || v < -0x80000000ll)
        v &= 0xFFFFFFFFll;
    return v;
}

// A style: "A | B | NOT C": starts from the statement's default; each
// plain term sets its bits, each NOT term clears them.
uint32_t CParser::Style(uint32_t value)
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

bool CParser::LookupName(const std::string& name, long long& value) const
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

int CParser::Id(const char* what, long long min, long long max)
{
    const int line = Cur().line;
    const long long v = Expression(what);
    if (v < min || v > max)
        throw ParseFailure{line, std::string(what) + " " + std::to_string(v) + " is out of range " +
                                     std::to_string(min) + ".." + std::to_string(max)};
    return static_cast<int>(v);
}

} // namespace rcscript
