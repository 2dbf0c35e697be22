// Feeds arbitrary form fields to the web agent's event reader, as a page (or
// anyone holding the token) could send them: "name=value" lines. An event is
// refused with a reason or becomes one script line that the script reader
// takes back as the same command; nothing may crash or hang.
#include "platform/agents/AgentScript.h"
#include "platform/agents/WebEvent.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> fields;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
            fields[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
        at = end + 1;
    }
    SAgentCommand command;
    std::string line, error;
    if (!WebEventCommand(fields, command, line, error)) {
        if (error.empty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    // The journal keeps this line: it must be one line the reader takes as
    // the command the agent ran.
    if (line.find('\n') != std::string::npos)
        __builtin_trap();
    SAgentCommand back;
    std::string backError;
    if (ReadAgentLine(line, back, backError) != AgentLineKind::Command || back.op != command.op ||
        back.text != command.text)
        __builtin_trap();
    return 0;
}
