// Feeds arbitrary text to the agent script reader, as a whole script and as
// single terminal lines: every line is a command, nothing or an error, and no
// input may crash or hang it.
#include "platform/agents/AgentScript.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    ReadAgentScript(text, "fuzz.agent", commands, errors);
    for (const SAgentCommand& c : commands)
        (void)AgentOpName(c.op);
    for (const CAgentScriptError& e : errors)
        (void)e.ToString();

    SAgentCommand one;
    std::string error;
    const size_t end = text.find('\n');
    ReadAgentLine(text.substr(0, end), one, error);
    return 0;
}
