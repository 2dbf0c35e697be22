#pragma once
// wizhost's command groups. Each group ("kw", "units", "project", ...) lives in
// its own file and registers itself with a static WizCommand object, so adding
// a group touches no shared table.
#include "platform/system/Result.h"

#include <string>
#include <vector>

namespace wizhost {

using Args = std::vector<std::string>;

// Exit codes every command keeps: 0 done / true, 1 a negative answer (absent,
// out of range, cancelled), 2 bad arguments or a file that failed.
enum ExitCode { kExitOk = 0, kExitNo = 1, kExitError = 2 };

struct WizCommand {
    // `run` receives the arguments after the group name.
    WizCommand(const char* name, const char* usage, int (*run)(const Args&));
    const char* name;
    const char* usage; // one or more lines, shown by `wizhost --help`
    int (*run)(const Args&);
};

const std::vector<const WizCommand*>& Commands();

// Prints "wizhost: MESSAGE" on stderr and returns kExitError.
int Fail(const std::string& message);
// kExitOk for a success; Fail(its message) for a failure.
int ExitWith(const CResult& result);

// True when args[i] is "--help" or "-h" for any i.
bool WantsHelp(const Args& args);

// Prints a group's usage to stdout and returns kExitOk.
int PrintUsage(const WizCommand& command);

// Parses a whole decimal number or a real number, refusing trailing junk,
// NaN and overflow; false with `what` in the message.
bool ParseInt(const std::string& text, long& value);
bool ParseDouble(const std::string& text, double& value);

} // namespace wizhost
