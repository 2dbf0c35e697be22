#include "platform/agents/ScriptAgent.h"

#include "platform/agents/AgentCommands.h"
#include "platform/window/CommonDialogs.h"
#include "platform/agents/UserInput.h"
#include "platform/window/WinDef.h"

CScriptAgent::CScriptAgent(std::vector<SAgentCommand> commands, std::string file, std::ostream& out)
    : m_commands(std::move(commands)), m_file(std::move(file)), m_out(out)
{
}

void CScriptAgent::Fail(const SAgentCommand& command, const std::string& reason)
{
    if (Failed())
        return;
    m_failure = m_file + ":" + std::to_string(command.line) + ": " + reason;
    // Nothing after a failed step means what its author intended.
    m_next = m_commands.size();
    UserInput::AbortModals();
}

bool CScriptAgent::OnIdle(CWnd* modal)
{
    if (Failed() || UserInput::IsAborting())
        return false;
    // Checks run back to back; an action runs alone, so that the loop handles
    // what it posted before the next command looks at the window.
    while (m_next < m_commands.size()) {
        const SAgentCommand& c = m_commands[m_next++];
        switch (ClassOfAgentCommand(c.op)) {
        case AgentCommandClass::MessageBox:
            Fail(c, "no message box is showing");
            return false;
        case AgentCommandClass::FileDialog:
            Fail(c, "no file or folder dialog is showing");
            return false;
        case AgentCommandClass::Terminal:
            Fail(c, "'?' is for the terminal");
            return false;
        case AgentCommandClass::Check:
        case AgentCommandClass::Action: {
            std::string shown;
            const CInputResult r = RunAgentWindowCommand(modal, c, shown);
            m_out << shown;
            if (!r) {
                Fail(c, r.reason);
                return false;
            }
            if (ClassOfAgentCommand(c.op) == AgentCommandClass::Action)
                return true;
            break;
        }
        }
    }
    return false;
}

int CScriptAgent::OnMessageBox(const CMessageBoxRequest& request)
{
    // The lines after the step that opened the box deal with it.
    while (!Failed() && !UserInput::IsAborting() && m_next < m_commands.size()) {
        const SAgentCommand& c = m_commands[m_next++];
        if (c.op == AgentOp::ExpectMessage) {
            if (CInputResult r = CheckAgentMessage(c, request.text); !r)
                Fail(c, r.reason);
        } else if (c.op == AgentOp::Show) {
            m_out << "== message: " << request.text << " ==\n";
        } else if (c.op == AgentOp::Answer) {
            if (MessageBoxHasButton(request.type, c.number))
                return c.number;
            Fail(c, "the message box " + QuoteAgentText(request.text) + " has no such button");
        } else {
            Fail(c, "a message box is showing (" + QuoteAgentText(request.text) + "), expected 'answer'");
        }
    }
    return request.defaultResult;
}

std::optional<std::string> CScriptAgent::OnFileDialog(const CFileDialogRequest& request)
{
    while (!Failed() && !UserInput::IsAborting() && m_next < m_commands.size()) {
        const SAgentCommand& c = m_commands[m_next++];
        if (c.op == AgentOp::Choose)
            return c.text;
        if (c.op == AgentOp::ChooseCancel)
            return std::nullopt;
        if (c.op == AgentOp::Show)
            m_out << "== " << (request.kind == CFileDialogRequest::Folder ? "folder" : "file") << " dialog: "
                  << request.title << " ==\n";
        else
            Fail(c, std::string("a ") + (request.kind == CFileDialogRequest::Folder ? "folder" : "file") +
                        " dialog is showing, expected 'choose'");
    }
    return std::nullopt;
}

void CScriptAgent::CheckFinished()
{
    // What the last window said can still be checked once it has gone.
    while (!Failed() && m_next < m_commands.size()) {
        const SAgentCommand& c = m_commands[m_next++];
        std::string shown;
        if (c.op != AgentOp::ExpectMessage)
            Fail(c, std::string("no window is open for '") + AgentOpName(c.op) + "'");
        else if (CInputResult r = RunAgentWindowCommand(nullptr, c, shown); !r)
            Fail(c, r.reason);
    }
}
