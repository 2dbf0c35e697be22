#include "platform/agents/AgentCommands.h"

#include "platform/resources/Resources.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/WindowView.h"
#include "platform/window/Wnd.h"

#include <vector>

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
    case AgentOp::ExpectTabs:
    case AgentOp::ExpectTab:
    case AgentOp::ExpectCell:
    case AgentOp::ExpectRows:
    case AgentOp::Show: return AgentCommandClass::Check;
    case AgentOp::Answer: return AgentCommandClass::MessageBox;
    case AgentOp::Choose:
    case AgentOp::ChooseCancel: return AgentCommandClass::FileDialog;
    case AgentOp::Usage: return AgentCommandClass::Terminal;
    default: return AgentCommandClass::Action;
    }
}

namespace {

std::string Quote(const std::string& s) { return QuoteAgentText(s); }

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

std::string Where(CWnd* modal)
{
    const int id = UserInput::ActiveTemplateId(modal);
    return id ? "dialog " + std::to_string(id) : Quote(UserInput::Title(modal));
}

// Commands that reach a list or an edit, for which a label stands for the
// control it labels.
bool TakesInput(AgentOp op)
{
    switch (op) {
    case AgentOp::Type:
    case AgentOp::Select:
    case AgentOp::SelectIndex:
    case AgentOp::Cell:
    case AgentOp::SelectionAdd:
    case AgentOp::SelectionRemove:
    case AgentOp::SelectionExtend:
    case AgentOp::SelectionClear:
    case AgentOp::SelectionAll:
    case AgentOp::ExpectCell:
    case AgentOp::ExpectRows: return true;
    default: return false;
    }
}

std::string QuotedList(const std::vector<std::string>& items)
{
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : " ") + Quote(item);
    return out;
}

// The tab commands act on the sheet, not on a control.
CInputResult RunTabCommand(CWnd* modal, const SAgentCommand& c)
{
    if (c.op == AgentOp::Tab)
        return c.byPosition ? UserInput::SelectPage(modal, c.number) : UserInput::SelectPage(modal, c.text);
    std::vector<std::string> tabs;
    int active = -1;
    if (!UserInput::Tabs(modal, tabs, active))
        return CInputResult::Fail(Where(modal) + " has no tabs");
    if (c.op == AgentOp::ExpectTabs) {
        if (tabs == c.items)
            return {};
        return CInputResult::Fail("the tabs are " + QuotedList(tabs) + ", expected " + QuotedList(c.items));
    }
    const std::string front = active >= 0 && active < static_cast<int>(tabs.size()) ? tabs[static_cast<size_t>(active)]
                                                                                     : std::string();
    if (front == c.text)
        return {};
    return CInputResult::Fail("tab " + Quote(front) + " is in front, expected " + Quote(c.text));
}

CInputResult RunSelectionCommand(CWnd* control, const SAgentCommand& c)
{
    using UserInput::SelectionChange;
    SelectionChange how = SelectionChange::Add;
    switch (c.op) {
    case AgentOp::SelectionRemove: how = SelectionChange::Remove; break;
    case AgentOp::SelectionExtend: how = SelectionChange::Extend; break;
    case AgentOp::SelectionClear: how = SelectionChange::Clear; break;
    case AgentOp::SelectionAll: how = SelectionChange::All; break;
    default: break;
    }
    int index = c.number;
    if (!c.byPosition && how != SelectionChange::Clear && how != SelectionChange::All)
        if (CInputResult r = UserInput::FindItem(control, c.text, index); !r)
            return r;
    return UserInput::ChangeSelection(control, how, index);
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
    case AgentOp::Tab:
    case AgentOp::ExpectTabs:
    case AgentOp::ExpectTab: return RunTabCommand(modal, c);
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
    case AgentOp::SelectionAdd:
    case AgentOp::SelectionRemove:
    case AgentOp::SelectionExtend:
    case AgentOp::SelectionClear:
    case AgentOp::SelectionAll: return RunSelectionCommand(control, c);
    case AgentOp::ExpectCell: {
        std::string actual;
        if (CInputResult r = UserInput::CellText(control, c.number, c.column, actual); !r)
            return r;
        if (actual == c.text)
            return {};
        return CInputResult::Fail("cell " + std::to_string(c.number) + "," + std::to_string(c.column) + " of " +
                                  Quote(c.control) + " shows " + Quote(actual) + ", expected " + Quote(c.text));
    }
    case AgentOp::ExpectRows: {
        int rows = 0;
        if (CInputResult r = UserInput::RowCount(control, rows); !r)
            return r;
        if (rows == c.number)
            return {};
        return CInputResult::Fail("control " + Quote(c.control) + " has " + std::to_string(rows) + " rows, expected " +
                                  std::to_string(c.number));
    }
    case AgentOp::Help: return UserInput::Help(modal, control);
    default: break;
    }
    return CInputResult::Fail(std::string("'") + AgentOpName(c.op) + "' does not act on a window");
}
