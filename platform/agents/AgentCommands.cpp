#include "platform/agents/AgentCommands.h"

#include "platform/resources/Resources.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/WindowView.h"
#include "platform/window/Wnd.h"

AgentCommandClass ClassOfAgentCommand(AgentOp op)
{
    switch (op) {
    case AgentOp::ExpectDialog:
    case AgentOp::ExpectMessage:
    case AgentOp::ExpectText:
    case AgentOp::ExpectEnabled:
    case AgentOp::ExpectDisabled:
    case AgentOp::ExpectVisible:
    case AgentOp::ExpectHidden:
    case AgentOp::ExpectChecked:
    case AgentOp::ExpectUnchecked:
    case AgentOp::Show: return AgentCommandClass::Check;
    case AgentOp::Answer: return AgentCommandClass::MessageBox;
    case AgentOp::Choose:
    case AgentOp::ChooseCancel: return AgentCommandClass::FileDialog;
    case AgentOp::Usage: return AgentCommandClass::Terminal;
    default: return AgentCommandClass::Action;
    }
}

namespace {

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

bool IsNumber(const std::string& s)
{
    if (s.empty())
        return false;
    for (size_t i = s[0] == '-' ? 1 : 0; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return s != "-";
}

// A control by id, caption or resource symbol (IDC_...), on the active
// dialog or among a sheet's buttons. A label named by its caption stands, for
// typing and choosing, for the control it labels: the next one in tab order
// that is not a label, as the label's mnemonic key would reach it.
CWnd* Find(CWnd* modal, const std::string& name, bool forInput)
{
    CWnd* c = UserInput::FindControl(modal, name);
    if (!c) {
        if (const long* id = AppResources().FindSymbol(name))
            return UserInput::FindControl(modal, std::to_string(*id));
        return nullptr;
    }
    if (!forInput || IsNumber(name) || UserInput::ControlKind(c) != "static")
        return c;
    for (CWnd* next = c->GetWindow(GW_HWNDNEXT); next; next = next->GetWindow(GW_HWNDNEXT)) {
        const std::string kind = UserInput::ControlKind(next);
        if (kind != "static" && kind != "group")
            return next;
    }
    return c;
}

bool TakesInput(AgentOp op)
{
    return op == AgentOp::Type || op == AgentOp::Select || op == AgentOp::SelectIndex || op == AgentOp::Cell;
}

std::string Where(CWnd* modal)
{
    const int id = UserInput::ActiveTemplateId(modal);
    return id ? "dialog " + std::to_string(id) : Quote(UserInput::Title(modal));
}

// The text "expect text" compares: what the control shows as its words.
std::string ShownText(CWnd* control)
{
    const std::string kind = UserInput::ControlKind(control);
    if (kind == "check" || kind == "radio" || kind == "button" || kind == "group" || kind == "static")
        return control->GetWindowText();
    return UserInput::ControlValue(control);
}

CInputResult ExpectState(CWnd* control, const SAgentCommand& c)
{
    bool holds = false;
    const char* actual = "";
    switch (c.op) {
    case AgentOp::ExpectEnabled:
    case AgentOp::ExpectDisabled:
        holds = control->IsWindowEnabled() == (c.op == AgentOp::ExpectEnabled);
        actual = control->IsWindowEnabled() ? "enabled" : "disabled";
        break;
    case AgentOp::ExpectVisible:
    case AgentOp::ExpectHidden:
        holds = control->IsWindowVisible() == (c.op == AgentOp::ExpectVisible);
        actual = control->IsWindowVisible() ? "visible" : "hidden";
        break;
    default:
        holds = UserInput::IsChecked(control) == (c.op == AgentOp::ExpectChecked);
        actual = UserInput::IsChecked(control) ? "checked" : "unchecked";
        break;
    }
    if (holds)
        return {};
    return CInputResult::Fail("control " + Quote(c.control) + " is " + actual + ", expected " +
                              (AgentOpName(c.op) + 7)); // the word after "expect "
}

} // namespace

CInputResult CheckAgentMessage(const SAgentCommand& command, const std::string& boxText)
{
    if (boxText == command.text)
        return {};
    return CInputResult::Fail("the message is " + Quote(boxText) + ", expected " + Quote(command.text));
}

bool LastLoggedMessage(std::string& text)
{
    const auto& log = GetUiLog();
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
        if (it->kind == UiLogKind::MessageBox) {
            text = it->text;
            return true;
        }
    }
    return false;
}

CInputResult RunAgentWindowCommand(CWnd* modal, const SAgentCommand& c, std::string& shown)
{
    if (c.op == AgentOp::ExpectMessage) {
        std::string last;
        if (!LastLoggedMessage(last))
            return CInputResult::Fail("no message box has been shown");
        return CheckAgentMessage(c, last);
    }
    if (!modal)
        return CInputResult::Fail("no window is open");
    switch (c.op) {
    case AgentOp::ExpectDialog: {
        int expected = c.number;
        if (expected < 0) {
            const long* id = AppResources().FindSymbol(c.control);
            if (!id)
                return CInputResult::Fail("unknown dialog " + Quote(c.control));
            expected = static_cast<int>(*id);
        }
        const int actual = UserInput::ActiveTemplateId(modal);
        if (actual == expected)
            return {};
        return CInputResult::Fail("expected dialog " + std::to_string(expected) + ", but " +
                                  (actual ? "dialog " + std::to_string(actual) : std::string("a window without one")) +
                                  " " + Quote(UserInput::Title(modal)) + " is showing");
    }
    case AgentOp::Show:
        shown += FormatWindowView(ViewOfWindow(modal));
        return {};
    case AgentOp::Next: return UserInput::Next(modal);
    case AgentOp::Back: return UserInput::Back(modal);
    case AgentOp::Finish: return UserInput::Finish(modal);
    case AgentOp::Ok: return UserInput::Ok(modal);
    case AgentOp::Cancel: return UserInput::Cancel(modal);
    case AgentOp::Wait:
        UserInput::Wait(static_cast<unsigned>(c.number));
        return {};
    case AgentOp::Help:
        if (c.control.empty())
            return UserInput::Help(modal, nullptr);
        break;
    default:
        break;
    }

    CWnd* control = Find(modal, c.control, TakesInput(c.op));
    if (!control)
        return CInputResult::Fail("no control " + Quote(c.control) + " in " + Where(modal));
    switch (c.op) {
    case AgentOp::ExpectText: {
        const std::string actual = ShownText(control);
        if (actual == c.text)
            return {};
        return CInputResult::Fail("control " + Quote(c.control) + " shows " + Quote(actual) + ", expected " +
                                  Quote(c.text));
    }
    case AgentOp::ExpectEnabled:
    case AgentOp::ExpectDisabled:
    case AgentOp::ExpectVisible:
    case AgentOp::ExpectHidden:
    case AgentOp::ExpectChecked:
    case AgentOp::ExpectUnchecked: return ExpectState(control, c);
    case AgentOp::Click: return UserInput::Click(control);
    case AgentOp::Type: return UserInput::Type(control, c.text);
    case AgentOp::Select: return UserInput::Select(control, c.text);
    case AgentOp::SelectIndex: return UserInput::SelectIndex(control, c.number);
    case AgentOp::Check: return UserInput::Check(control, c.on);
    case AgentOp::Cell: return UserInput::SetCell(control, c.number, c.column, c.text);
    case AgentOp::Help: return UserInput::Help(modal, control);
    default: break;
    }
    return CInputResult::Fail(std::string("'") + AgentOpName(c.op) + "' does not act on a window");
}
