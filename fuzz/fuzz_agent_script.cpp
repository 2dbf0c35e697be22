// Feeds arbitrary text to the agent script reader, as a whole script and as
// single terminal lines: every line is a command, nothing or an error, and no
// input may crash or hang it. Every text read quotes back to itself.
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
    for (const SAgentCommand& c : commands) {
        (void)AgentOpName(c.op);
        // A text quoted for a message reads back as the same text, on one line.
        const std::string quoted = QuoteAgentText(c.text);
        SAgentCommand back;
        std::string error;
        if (quoted.find('\n') != std::string::npos ||
            ReadAgentLine("expect message " + quoted, back, error) != AgentLineKind::Command || back.text != c.text)
            __builtin_trap();
    }
    for (const CAgentScriptError& e : errors)
        (void)e.ToString();

    SAgentCommand one;
    std::string error;
    const size_t end = text.find('\n');
    ReadAgentLine(text.substr(0, end), one, error);
    return 0;
}
