#pragma once
// The resource-script tokenizer, kept apart from the parser that reads its tokens.
#include <cctype>
#include <string>
#include <vector>

namespace rcscript {

enum class TokKind { kName, kNumber, kString, kPunct, kDirective, kEnd, kBad };

struct Token {
    TokKind kind = TokKind::kEnd;
    std::string text; // name, string contents, punctuation, directive line, or why it is bad
    long long number = 0;
    int line = 0;
    bool lineStart = false; // first token on its line
};

inline bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
inline bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Splits a whole script into tokens in one pass, ending with one kEnd token.
// Comments vanish, a line starting with '#' becomes one directive token, and
// malformed pieces become kBad tokens so that the parser reports them where
// they stand.
std::vector<Token> Tokenize(const std::string& text);

} // namespace rcscript
