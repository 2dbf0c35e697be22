#pragma once
// Reading a solver keyword file ("deck") as a wizard would: every keyword the
// wizard's table binds is read by its binding's kind and checked against the
// binding's ranges, and two decks are compared with their values shown in the
// user's units. Everything comes from the table a wizard filled; nothing here
// knows a keyword of its own.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "keyword/KeywordBindings.h"

class MKeywordFile;

// One line per problem, in the deck's keyword order, in the table's unit system:
// "3DFLOW_MELT_TEMPERATURE: 480 deg.C is out of range [180:320] deg.C (Melt temperature)".
// `prepared`, when given, is the deck as the wizard prepared it for its
// fields (a value it splits or renames before reading): a keyword of the
// deck that it holds is read from there.
std::vector<std::string> CheckDeck(const CKeywordBindings& bindings, const MKeywordFile& deck,
                                   const MKeywordFile* prepared = nullptr);

// How many of the deck's keywords the table binds.
std::size_t CountBoundKeywords(const CKeywordBindings& bindings, const MKeywordFile& deck);

// The name of a bound field in messages: the caption of its companion control
// in its page's dialog template, cleaned as the page cleans it. "" when the
// field has no companion, no page or template, or only the generic name.
std::string GetFieldLabel(const SBindingView& binding);

// A value as a keyword file holds it, shown in the table's display units when
// the keyword is bound to numbers ("230 deg.C", "0 10; 1 20 (sec, MPa)");
// anything else, or a value that does not read, as it stands.
std::string ShowValue(const CKeywordBindings* bindings, std::string_view keyword, const std::string& value);

struct SDeckChange {
    enum Kind { kAdded, kRemoved, kChanged };
    Kind kind = kChanged;
    std::string keyword;
    std::string before; // shown as ShowValue shows it; "" when added
    std::string after;  // "" when removed
};

// What `after` changes of `before`: removed and changed keywords in `before`'s
// order, then added ones in `after`'s. A bound value that reads the same
// ("1.0" and "1", "ON" in both) is unchanged. `bindings` may be null: values
// are then compared and shown as text.
std::vector<SDeckChange> DiffDecks(const MKeywordFile& before, const MKeywordFile& after,
                                   const CKeywordBindings* bindings);

// "- KEY: value", "+ KEY: value" or "~ KEY: before -> after".
std::string FormatChange(const SDeckChange& change);
