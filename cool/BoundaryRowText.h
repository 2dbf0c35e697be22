#pragma once
// Reading numbers and tokens out of boundary-condition rows, with the C
// library's prefix rules (leading white space skipped, digits up to the first
// non-digit, 0 when there are none), but without copying the row.
#include <string_view>

namespace bcrow {

// The integer prefix of `text` after white space, saturated to 32 bits; 0 when none.
int ParseInt(std::string_view text);
// The floating-point prefix of `text` after white space; 0 when none.
double ParseDouble(std::string_view text);

struct RowFields {
    int first = 0;
    int second = 0;
    double value = 0.0;
    int third = 1;
};
// The numeric fields of a data line (the line holds a token and no line end).
// The second token ends only at a blank: a tab-separated "7<TAB>20.5<TAB>2"
// reads as first 7, second 20, value 20.5, third 1.
RowFields ParseRowFields(std::string_view line);

// Splits a row into tokens at blanks, tabs, CR and LF, on a private copy of at
// most 511 characters, the way the text queries read inlet and coolant rows.
class CRowTokenizer {
public:
    explicit CRowTokenizer(std::string_view text);
    // The next token, or an empty view when there is none.
    std::string_view Next();
    // What follows the last token's separator up to CR or LF; false when nothing does.
    bool Rest(std::string_view& rest);

private:
    char m_copy[512];
    std::size_t m_length = 0;
    std::size_t m_pos = 0;
};

// White space (blank, tab, CR, LF, VT, FF) removed from both ends.
std::string_view Trim(std::string_view text);

} // namespace bcrow
