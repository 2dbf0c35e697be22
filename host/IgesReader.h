#pragma once
// The IGES reader behind the host's CAD size and units: a fixed-format file's
// records sorted into their sections, the free-format parameters split, and
// the global section's delimiters, scale and units.
#include "host/CadUnits.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cad {

// A fixed-format IGES file: 80-column records, the section letter in column 73.
struct CIgesSections {
    std::string global;                      // columns 1-72 of the G records, joined
    std::vector<std::string_view> directory; // columns 1-72 of the D records
    // Parameter data joined per entity (columns 1-64), keyed by the entity's
    // directory sequence number (columns 66-72), in file order.
    std::vector<std::pair<long, std::string>> parameters;
};

// Sorts the records of `text` into sections; the directory views point into
// `text`. Records of other sections and short lines are passed over.
CIgesSections SplitIgesSections(const std::string& text);

struct CIgesGlobal {
    char paramDelim = ',';
    char recordDelim = ';';
    double scale = 1.0;
    MUnitLengthType units = kUnitLengthUnknown;
};

// The global section's delimiters, model scale and units; the defaults for
// what an empty section does not say.
CIgesGlobal ReadIgesGlobal(const std::string& text);

// Splits IGES free-format parameters, honouring Hollerith strings ("3HABC")
// that may hold the delimiters themselves. Stops at the record delimiter.
class CIgesParams {
public:
    CIgesParams(std::string_view text, char paramDelim, char recordDelim)
        : m_text(text), m_param(paramDelim), m_record(recordDelim)
    {
    }

    // The next parameter's raw text, or false at the end of the record.
    bool Next(std::string& value);

private:
    void SkipBlanks();

    std::string_view m_text;
    char m_param;
    char m_record;
    std::size_t m_pos = 0;
    bool m_done = false;
};

// A parameter as a real number; D exponents read as E.
double IgesReal(std::string text);

// A parameter read as a whole number (an entity type, a count); -1 for
// anything that is not a plausible one.
long ToWhole(double value);

} // namespace cad
