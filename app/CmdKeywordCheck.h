#pragma once
// wizhost kw check and kw diff, run from the kw group with the arguments
// after the command's name.
#include "app/Command.h"

namespace wizhost {

// Exit 0 when the deck is clean, 1 with findings (one line each), 2 on bad input.
int RunKeywordCheck(const Args& args);
// Exit 0 when the decks hold the same, 1 when they differ, 2 on bad input.
int RunKeywordDiff(const Args& args);

} // namespace wizhost
