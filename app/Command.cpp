#include "app/Command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace wizhost {

static std::vector<const WizCommand*>& Registry()
{
    static std::vector<const WizCommand*> commands;
    return commands;
}

WizCommand::WizCommand(const char* name_, const char* usage_, int (*run_)(const Args&))
    : name(name_), usage(usage_), run(run_)
{
    Registry().push_back(this);
}

const std::vector<const WizCommand*>& Commands() { return Registry(); }

int Fail(const std::string& message)
{
    std::fprintf(stderr, "wizhost: %s\n", message.c_str());
    return kExitError;
}

int ExitWith(const CResult& result)
{
    return result ? kExitOk : Fail(result.GetMessage());
}

bool WantsHelp(const Args& args)
{
    for (const auto& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

int PrintUsage(const WizCommand& command)
{
    std::printf("%s", command.usage);
    return kExitOk;
}

bool ParseInt(const std::string& text, long& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = v;
    return true;
}

bool ParseDouble(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (errno == ERANGE || *end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace wizhost
