#include "platform/agents/SessionJournal.h"

#include "platform/agents/AgentScript.h"
#include "platform/system/FileIo.h"
#include "platform/window/WinDef.h"

namespace {

// The longest wait a script line may ask for.
constexpr long long kLongestWait = 1000000000;

// A control named as the reader takes it back: a word stays a word.
std::string ControlWord(const std::string& name)
{
    if (name.empty() || name.find_first_of(" \t\r\"") != std::string::npos)
        return QuoteAgentText(name);
    return name;
}

// The last argument of a line (a click's or help's control) is the rest of
// the line; only blanks at its ends or a leading quote need the quotes.
std::string ControlRest(const std::string& name)
{
    if (name.empty() || name.front() == '"' || name.front() == ' ' || name.front() == '\t' || name.back() == ' ' ||
        name.back() == '\t' || name.find('\r') != std::string::npos)
        return QuoteAgentText(name);
    return name;
}

std::string Item(const SAgentCommand& c)
{
    return c.byPosition ? "#" + std::to_string(c.number) : QuoteAgentText(c.text);
}

const char* ButtonWord(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
    }
}

} // namespace

std::string AgentCommandLine(const SAgentCommand& c)
{
    const std::string verb = AgentOpName(c.op);
    switch (c.op) {
    case AgentOp::Click: return verb + " " + ControlRest(c.control);
    case AgentOp::Help: return c.control.empty() ? verb : verb + " " + ControlRest(c.control);
    case AgentOp::Type: return verb + " " + ControlWord(c.control) + " " + QuoteAgentText(c.text);
    case AgentOp::Select:
    case AgentOp::SelectIndex: return verb + " " + ControlWord(c.control) + " " + Item(c);
    case AgentOp::Check: return verb + " " + ControlWord(c.control) + (c.on ? " on" : " off");
    case AgentOp::Cell:
        return verb + " " + ControlWord(c.control) + " " + std::to_string(c.number) + " " + std::to_string(c.column) +
               " " + QuoteAgentText(c.text);
    case AgentOp::Tab: return verb + " " + Item(c);
    case AgentOp::SelectionAdd:
    case AgentOp::SelectionRemove:
    case AgentOp::SelectionExtend: {
        // "selection add": the control goes between the two words.
        const std::string how = verb.substr(verb.find(' ') + 1);
        return "selection " + ControlWord(c.control) + " " + how + " " + Item(c);
    }
    case AgentOp::SelectionClear:
    case AgentOp::SelectionAll: {
        const std::string how = verb.substr(verb.find(' ') + 1);
        return "selection " + ControlWord(c.control) + " " + how;
    }
    case AgentOp::Answer: return verb + " " + ButtonWord(c.number);
    case AgentOp::Choose: return verb + " " + QuoteAgentText(c.text);
    case AgentOp::ChooseCancel: return "choose cancel";
    case AgentOp::Wait: return verb + " " + std::to_string(c.number);
    default: return verb;
    }
}

CSessionJournal::CSessionJournal(std::string path) : m_path(std::move(path)) {}

CResult CSessionJournal::Start(const std::string& what)
{
    m_header = "# " + what + "\n";
    m_lines.clear();
    if (m_path.empty())
        return CResult::Ok();
    return wizsys::WriteWholeFile(m_path, Text());
}

size_t CSessionJournal::Record(const SAgentCommand& command)
{
    if (Failed())
        return m_lines.size();
    // Waits in a row are one wait: the clock ends up at the same time and
    // fires the same timers in the same order.
    const long long before =
        command.op == AgentOp::Wait && !m_lines.empty() && m_lines.back().rfind("wait ", 0) == 0
            ? std::stoll(m_lines.back().substr(5))
            : -1;
    if (before >= 0 && before + command.number <= kLongestWait) {
        m_lines.back() = "wait " + std::to_string(before + command.number);
    } else {
        m_lines.push_back(AgentCommandLine(command));
    }
    Save();
    return m_lines.size() - 1;
}

void CSessionJournal::Drop(size_t step)
{
    if (Failed() || step >= m_lines.size())
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(step));
    Save();
}

std::string CSessionJournal::Text() const
{
    std::string text = m_header;
    for (const std::string& line : m_lines)
        text += line + "\n";
    return text;
}

void CSessionJournal::Save()
{
    if (m_path.empty())
        return;
    if (CResult r = wizsys::WriteWholeFile(m_path, Text()); !r)
        m_writeError = r;
}
