#include "platform/resources/ResourceTokens.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>

namespace rcscript {
namespace {

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

} // namespace

std::vector<Token> Tokenize(const std::string& text)
{
    return CTokenizer(text).Run();
}

} // namespace rcscript
