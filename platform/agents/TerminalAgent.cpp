#include "platform/agents/TerminalAgent.h"

#include "platform/agents/AgentCommands.h"
#include "platform/agents/AgentScript.h"
#include "platform/agents/SessionJournal.h"
#include "platform/window/CommonDialogs.h"
#include "platform/agents/UserInput.h"
#include "platform/window/WinDef.h"
#include "platform/agents/WindowView.h"

CTerminalAgent::CTerminalAgent(std::istream& in, std::ostream& out) : m_in(in), m_out(out) {}

bool CTerminalAgent::ReadLine(const char* prompt, std::string& line)
{
    if (m_ended)
        return false;
    m_out << prompt << std::flush;
    if (!std::getline(m_in, line)) {
        m_out << "\n";
        m_ended = true;
        return false;
    }
    ++m_lineNumber;
    return true;
}

bool CTerminalAgent::OnIdle(CWnd* modal)
{
    if (UserInput::IsAborting() || JournalFailed())
        return false;
    m_out << FormatWindowView(ViewOfWindow(modal));
    std::string line;
    while (ReadLine("> ", line)) {
        SAgentCommand c;
        c.line = m_lineNumber;
        std::string error;
        const AgentLineKind kind = ReadAgentLine(line, c, error);
        if (kind == AgentLineKind::Empty)
            continue;
        if (kind == AgentLineKind::Error) {
            m_out << "error: " << error << " (? lists the commands)\n";
            continue;
        }
        switch (ClassOfAgentCommand(c.op)) {
        case AgentCommandClass::Terminal:
            m_out << AgentCommandHelp();
            continue;
        case AgentCommandClass::MessageBox:
            m_out << "error: no message box is showing\n";
            continue;
        case AgentCommandClass::FileDialog:
            m_out << "error: no file or folder dialog is showing\n";
            continue;
        case AgentCommandClass::Check:
        case AgentCommandClass::Action:
            break;
        }
        // Recorded first: the steps taken in a window the action opens come after it.
        const bool action = ClassOfAgentCommand(c.op) == AgentCommandClass::Action;
        const size_t step = action && m_journal ? m_journal->Record(c) : 0;
        if (JournalFailed())
            return false;
        std::string shown;
        const CInputResult r = RunAgentWindowCommand(modal, c, shown);
        m_out << shown;
        if (!r) {
            if (action && m_journal)
                m_journal->Drop(step);
            m_out << "error: " << r.reason << "\n";
            continue;
        }
        if (ClassOfAgentCommand(c.op) == AgentCommandClass::Action)
            return true;
        if (c.op != AgentOp::Show)
            m_out << "ok\n";
    }
    // The person has gone: the windows close as cancelled.
    return false;
}

static const char* ButtonName(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    default: return "?";
    }
}

int CTerminalAgent::OnMessageBox(const CMessageBoxRequest& request)
{
    if (UserInput::IsAborting())
        return request.defaultResult;
    m_out << "== message";
    if (!request.caption.empty())
        m_out << " (" << request.caption << ")";
    m_out << " ==\n" << request.text << "\n ";
    for (int id : {IDOK, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE, IDCANCEL})
        if (MessageBoxHasButton(request.type, id))
            m_out << " [" << ButtonName(id) << (id == request.defaultResult ? "*" : "") << "]";
    m_out << "\n";
    std::string line;
    while (ReadLine("answer> ", line)) {
        // A bare button name is enough here.
        SAgentCommand c;
        std::string error;
        AgentLineKind kind = ReadAgentLine("answer " + line, c, error);
        if (kind != AgentLineKind::Command)
            kind = ReadAgentLine(line, c, error);
        if (kind == AgentLineKind::Empty) {
            // Enter takes the default button.
            c.op = AgentOp::Answer;
            c.number = request.defaultResult;
            if (m_journal)
                m_journal->Record(c);
            JournalFailed();
            return request.defaultResult;
        }
        if (kind == AgentLineKind::Command && c.op == AgentOp::Answer) {
            if (MessageBoxHasButton(request.type, c.number)) {
                if (m_journal)
                    m_journal->Record(c);
                return JournalFailed() ? request.defaultResult : c.number;
            }
            m_out << "error: the box has no " << ButtonName(c.number) << " button\n";
        } else if (kind == AgentLineKind::Command && c.op == AgentOp::Usage) {
            m_out << "Type a button name (OK, Cancel, Yes, No), or nothing for the default.\n";
        } else {
            m_out << "error: answer with one of the buttons\n";
        }
    }
    return request.defaultResult;
}

std::optional<std::string> CTerminalAgent::OnFileDialog(const CFileDialogRequest& request)
{
    if (UserInput::IsAborting())
        return std::nullopt;
    const bool folder = request.kind == CFileDialogRequest::Folder;
    m_out << "== " << (folder ? "folder" : request.kind == CFileDialogRequest::Save ? "save file" : "open file")
          << (request.title.empty() ? "" : ": " + request.title) << " ==\n";
    if (!request.filter.empty())
        m_out << "  filter: " << request.filter << "\n";
    if (!request.fileName.empty())
        m_out << "  file name: " << request.fileName << "\n";
    std::string line;
    if (!ReadLine("path (empty: cancel)> ", line))
        return std::nullopt;
    SAgentCommand c;
    std::string error;
    if (ReadAgentLine(line, c, error) != AgentLineKind::Command ||
        (c.op != AgentOp::Choose && c.op != AgentOp::ChooseCancel)) {
        // Anything else is the path itself, as typed.
        size_t b = line.find_first_not_of(" \t\r");
        size_t e = line.find_last_not_of(" \t\r");
        c = SAgentCommand();
        c.op = b == std::string::npos || line.substr(b, e - b + 1) == "cancel" ? AgentOp::ChooseCancel
                                                                                : AgentOp::Choose;
        if (c.op == AgentOp::Choose)
            c.text = line.substr(b, e - b + 1);
    }
    if (m_journal)
        m_journal->Record(c);
    if (JournalFailed() || c.op == AgentOp::ChooseCancel)
        return std::nullopt;
    return c.text;
}

bool CTerminalAgent::JournalFailed()
{
    if (!m_journal || !m_journal->Failed())
        return false;
    // A step the journal does not hold is not taken: the run ends here.
    if (!UserInput::IsAborting()) {
        m_out << "error: journal " << m_journal->WriteError().GetMessage() << "\n";
        UserInput::AbortModals();
    }
    return true;
}
