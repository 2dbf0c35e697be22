#include "platform/agents/WebAgent.h"

#include "platform/agents/AgentCommands.h"
#include "platform/agents/SessionJournal.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/UserInput.h"
#include "platform/agents/WebSession.h"
#include "platform/agents/WindowState.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/Wnd.h"

namespace {

// A message box's or file dialog's JSON with the kind of overlay it is.
std::string Overlay(const char* kind, const std::string& json)
{
    return "{\"kind\":\"" + std::string(kind) + "\"," + json.substr(1);
}

} // namespace

CWebAgent::CWebAgent(CWebSession& session, CSessionJournal* journal)
    : m_session(session), m_journal(journal), m_helpFrom(GetUiLog().size())
{
}

void CWebAgent::Publish(CWnd* modal, const std::string& overlay)
{
    m_session.Publish(WindowStateJson(modal), overlay, HelpPopupsJson(m_helpFrom));
}

bool CWebAgent::JournalFailed()
{
    if (!m_journal || !m_journal->Failed())
        return false;
    // A step the journal does not hold is not taken: the run ends here.
    if (!UserInput::IsAborting())
        UserInput::AbortModals();
    return true;
}

bool CWebAgent::OnIdle(CWnd* modal)
{
    if (UserInput::IsAborting() || JournalFailed())
        return false;
    for (;;) {
        Publish(modal, "null");
        SWebEvent event;
        if (!m_session.NextEvent(event, kTick)) {
            if (m_session.IsClosed())
                return false; // nobody is left to answer: the window is cancelled
            if (!WndMessages::HasPendingTimers())
                continue;
            SAgentCommand wait;
            wait.op = AgentOp::Wait;
            wait.number = static_cast<int>(kTick.count());
            if (m_journal)
                m_journal->Record(wait);
            if (JournalFailed())
                return false;
            UserInput::Wait(static_cast<unsigned>(kTick.count()));
            return true;
        }
        const SAgentCommand& c = event.command;
        switch (ClassOfAgentCommand(c.op)) {
        case AgentCommandClass::MessageBox: m_session.Refuse(event.sequence, "no message box is showing"); continue;
        case AgentCommandClass::FileDialog:
            m_session.Refuse(event.sequence, "no file or folder dialog is showing");
            continue;
        case AgentCommandClass::Terminal:
        case AgentCommandClass::Check: m_session.Refuse(event.sequence, "the page only acts"); continue;
        case AgentCommandClass::Action: break;
        }
        // Recorded first: a click that opens a nested window returns only
        // when it has closed, and the steps taken in it come after the click.
        const size_t step = m_journal ? m_journal->Record(c) : 0;
        if (JournalFailed()) {
            m_session.Refuse(event.sequence, "journal " + m_journal->WriteError().GetMessage());
            return false;
        }
        m_session.Started(event.sequence);
        std::string shown;
        if (CInputResult r = RunAgentWindowCommand(modal, c, shown); !r) {
            if (m_journal)
                m_journal->Drop(step);
            m_session.Started(0);
            m_session.Refuse(event.sequence, r.reason);
            continue;
        }
        return true;
    }
}

bool CWebAgent::Accept(const SWebEvent& event, bool messageBox, const std::string& refusal)
{
    const AgentCommandClass wanted = messageBox ? AgentCommandClass::MessageBox : AgentCommandClass::FileDialog;
    if (ClassOfAgentCommand(event.command.op) != wanted) {
        m_session.Refuse(event.sequence, refusal);
        return false;
    }
    if (m_journal)
        m_journal->Record(event.command);
    if (JournalFailed()) {
        m_session.Refuse(event.sequence, "journal " + m_journal->WriteError().GetMessage());
        return false;
    }
    m_session.Started(event.sequence);
    return true;
}

int CWebAgent::OnMessageBox(const CMessageBoxRequest& request)
{
    if (UserInput::IsAborting())
        return request.defaultResult;
    Publish(WndMessages::TopModal(), Overlay("message", MessageBoxJson(request)));
    const std::string refusal = "a message box is showing (" + QuoteAgentText(request.text) + "), expected 'answer'";
    while (!m_session.IsClosed() && !JournalFailed()) {
        SWebEvent event;
        if (!m_session.NextEvent(event, kTick))
            continue;
        if (event.command.op == AgentOp::Answer && !MessageBoxHasButton(request.type, event.command.number)) {
            m_session.Refuse(event.sequence, "the message box " + QuoteAgentText(request.text) + " has no such button");
            continue;
        }
        if (Accept(event, true, refusal))
            return event.command.number;
    }
    return request.defaultResult;
}

std::optional<std::string> CWebAgent::OnFileDialog(const CFileDialogRequest& request)
{
    if (UserInput::IsAborting())
        return std::nullopt;
    Publish(WndMessages::TopModal(), Overlay("file", FileDialogJson(request)));
    const std::string refusal = std::string("a ") + (request.kind == CFileDialogRequest::Folder ? "folder" : "file") +
                                " dialog is showing, expected 'choose'";
    while (!m_session.IsClosed() && !JournalFailed()) {
        SWebEvent event;
        if (!m_session.NextEvent(event, kTick))
            continue;
        if (!Accept(event, false, refusal))
            continue;
        if (event.command.op == AgentOp::ChooseCancel)
            return std::nullopt;
        return event.command.text;
    }
    return std::nullopt;
}
