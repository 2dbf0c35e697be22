#pragma once
// The script agent: answers the modal windows from a script of agent commands
// (docs/agent-script.md), as a person would, and stops at the first command
// that cannot be done or expectation that does not hold. Tests and `wizhost`
// drive the wizards with it.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/agents/AgentScript.h"
#include "platform/agents/UserAgent.h"

class CScriptAgent : public CUserAgent {
public:
    // `out` receives what "show" prints.
    CScriptAgent(std::vector<SAgentCommand> commands, std::string file, std::ostream& out);

    // Reads `text` as the script `file`; false (with the errors) when a line is bad.
    static bool Read(std::string_view text, const std::string& file, std::vector<SAgentCommand>& commands,
                     std::vector<CAgentScriptError>& errors)
    {
        return ReadAgentScript(text, file, commands, errors);
    }

    bool OnIdle(CWnd* modal) override;
    int OnMessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> OnFileDialog(const CFileDialogRequest& request) override;

    // Call when the outermost modal window has returned: a script that still
    // has commands then fails at the first of them, since nothing is left to
    // act on.
    void CheckFinished();

    bool Failed() const { return !m_failure.empty(); }
    // "FILE:LINE: reason", or "" while all is well.
    const std::string& Failure() const { return m_failure; }
    // How many commands have run.
    size_t Executed() const { return m_next; }
    bool AtEnd() const { return m_next >= m_commands.size(); }

private:
    // Records the failure of `command` and ends every modal window.
    void Fail(const SAgentCommand& command, const std::string& reason);

    std::vector<SAgentCommand> m_commands;
    std::string m_file;
    std::ostream& m_out;
    size_t m_next = 0;
    std::string m_failure;
};

// Installs an agent for the life of the object and restores the previous one.
class CUserAgentScope {
public:
    explicit CUserAgentScope(CUserAgent* agent) : m_previous(GetUserAgent()) { SetUserAgent(agent); }
    ~CUserAgentScope() { SetUserAgent(m_previous); }
    CUserAgentScope(const CUserAgentScope&) = delete;
    CUserAgentScope& operator=(const CUserAgentScope&) = delete;

private:
    CUserAgent* m_previous;
};
