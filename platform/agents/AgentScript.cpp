#include "platform/agents/AgentScript.h"

#include "platform/system/TextCase.h"
#include "platform/window/WinDef.h"

#include <cctype>
#include <cstring>

std::string CAgentScriptError::ToString() const
{
    return file + ":" + std::to_string(line) + ": " + message;
}

namespace {

struct OpName {
    AgentOp op;
    const char* name;
};

const OpName kOpNames[] = {
    {AgentOp::ExpectDialog, "expect dialog"}, {AgentOp::ExpectMessage, "expect message"},
    {AgentOp::ExpectText, "expect text"},     {AgentOp::ExpectEnabled, "expect enabled"},
    {AgentOp::ExpectDisabled, "expect disabled"}, {AgentOp::ExpectVisible, "expect visible"},
    {AgentOp::ExpectHidden, "expect hidden"}, {AgentOp::ExpectChecked, "expect checked"},
    {AgentOp::ExpectUnchecked, "expect unchecked"}, {AgentOp::Click, "click"},
    {AgentOp::Type, "type"},                  {AgentOp::Select, "select"},
    {AgentOp::SelectIndex, "select"},         {AgentOp::Check, "check"},
    {AgentOp::Cell, "cell"},                  {AgentOp::Next, "next"},
    {AgentOp::Back, "back"},                  {AgentOp::Finish, "finish"},
    {AgentOp::Ok, "ok"},                      {AgentOp::Cancel, "cancel"},
    {AgentOp::Answer, "answer"},              {AgentOp::Choose, "choose"},
    {AgentOp::ChooseCancel, "choose"},        {AgentOp::Wait, "wait"},
    {AgentOp::Help, "help"},                  {AgentOp::Show, "show"},
    {AgentOp::Usage, "?"},                    {AgentOp::Tab, "tab"},
    {AgentOp::SelectionAdd, "selection add"}, {AgentOp::SelectionRemove, "selection remove"},
    {AgentOp::SelectionExtend, "selection extend"}, {AgentOp::SelectionClear, "selection clear"},
    {AgentOp::SelectionAll, "selection all"}, {AgentOp::ExpectTabs, "expect tabs"},
    {AgentOp::ExpectTab, "expect tab"},       {AgentOp::ExpectCell, "expect cell"},
    {AgentOp::ExpectRows, "expect rows"},
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Thrown for a bad line; caught by ReadAgentLine.
struct LineError {
    std::string message;
};

// A cursor over one line.
class CLineReader {
public:
    explicit CLineReader(std::string_view line) : m_line(line)
    {
        while (!m_line.empty() && IsBlank(m_line.back()))
            m_line.remove_suffix(1);
    }

    void SkipBlanks()
    {
        while (m_pos < m_line.size() && IsBlank(m_line[m_pos]))
            ++m_pos;
    }

    bool AtEnd()
    {
        SkipBlanks();
        return m_pos >= m_line.size();
    }

    std::string_view Word()
    {
        SkipBlanks();
        const size_t start = m_pos;
        while (m_pos < m_line.size() && !IsBlank(m_line[m_pos]))
            ++m_pos;
        return m_line.substr(start, m_pos - start);
    }

    // One argument: a word, or a quoted string that may hold blanks.
    std::string Argument(const char* what)
    {
        if (AtEnd())
            throw LineError{std::string("missing ") + what};
        if (m_line[m_pos] == '"')
            return Quoted();
        return std::string(Word());
    }

    // The last argument: a quoted string, or everything to the end of the
    // line. A path takes no "\n": a folder named "new" is common.
    std::string Rest(const char* what, bool lineFeeds = true)
    {
        if (AtEnd())
            throw LineError{std::string("missing ") + what};
        if (m_line[m_pos] == '"') {
            std::string s = Quoted(lineFeeds);
            if (!AtEnd())
                throw LineError{"unexpected text after the closing quote"};
            return s;
        }
        std::string s(m_line.substr(m_pos));
        m_pos = m_line.size();
        return s;
    }

    bool RestIsQuoted()
    {
        return !AtEnd() && m_line[m_pos] == '"';
    }

    int Number(const char* what, long long max)
    {
        const std::string_view w = Word();
        if (w.empty())
            throw LineError{std::string("missing ") + what};
        long long v = 0;
        for (char c : w) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                throw LineError{std::string(what) + " must be a whole number, not '" + std::string(w) + "'"};
            v = v * 10 + (c - '0');
            if (v > max)
                throw LineError{std::string(what) + " " + std::string(w) + " is larger than " + std::to_string(max)};
        }
        return static_cast<int>(v);
    }

    void End()
    {
        if (!AtEnd())
            throw LineError{"unexpected '" + std::string(m_line.substr(m_pos)) + "' at the end of the line"};
    }

private:
    // "..." with \" and \\ escapes, and \n for a line feed; any other
    // backslash stays as written, so that paths need no doubling.
    std::string Quoted(bool lineFeeds = true)
    {
        std::string s;
        ++m_pos;
        while (m_pos < m_line.size()) {
            const char c = m_line[m_pos++];
            if (c == '"')
                return s;
            const char next = m_pos < m_line.size() ? m_line[m_pos] : '\0';
            if (c == '\\' && (next == '"' || next == '\\')) {
                s += next;
                ++m_pos;
            } else if (c == '\\' && lineFeeds && next == 'n') {
                s += '\n';
                ++m_pos;
            } else {
                s += c;
            }
        }
        throw LineError{"unterminated string"};
    }

    std::string_view m_line;
    size_t m_pos = 0;
};

constexpr long long kMaxId = 65535;
constexpr long long kMaxIndex = 1000000;
constexpr long long kMaxWait = 1000000000;

void ReadExpect(CLineReader& r, SAgentCommand& c)
{
    const std::string_view what = r.Word();
    if (what == "dialog") {
        c.op = AgentOp::ExpectDialog;
        const std::string id = r.Argument("dialog id");
        r.End();
        // A symbol is resolved when the command runs.
        bool digits = !id.empty();
        for (char ch : id)
            digits = digits && std::isdigit(static_cast<unsigned char>(ch));
        if (digits) {
            CLineReader n(id);
            c.number = n.Number("dialog id", kMaxId);
        } else {
            c.number = -1;
            c.control = id;
        }
        return;
    }
    if (what == "message") {
        c.op = AgentOp::ExpectMessage;
        c.text = r.Rest("message text");
        return;
    }
    if (what == "text") {
        c.op = AgentOp::ExpectText;
        c.control = r.Argument("control");
        // An empty expected text is written "".
        c.text = r.Rest("expected text");
        return;
    }
    if (what == "tabs") {
        c.op = AgentOp::ExpectTabs;
        while (!r.AtEnd())
            c.items.push_back(r.Argument("tab caption"));
        if (c.items.empty())
            throw LineError{"missing the tab captions, in order"};
        return;
    }
    if (what == "tab") {
        c.op = AgentOp::ExpectTab;
        c.text = r.Rest("tab caption");
        return;
    }
    if (what == "cell") {
        c.op = AgentOp::ExpectCell;
        c.control = r.Argument("control");
        c.number = r.Number("row", kMaxIndex);
        c.column = r.Number("column", kMaxIndex);
        c.text = r.Rest("expected text");
        return;
    }
    if (what == "rows") {
        c.op = AgentOp::ExpectRows;
        c.control = r.Argument("control");
        c.number = r.Number("row count", kMaxIndex);
        r.End();
        return;
    }
    static const std::pair<const char*, AgentOp> kStates[] = {
        {"enabled", AgentOp::ExpectEnabled}, {"disabled", AgentOp::ExpectDisabled},
        {"visible", AgentOp::ExpectVisible}, {"hidden", AgentOp::ExpectHidden},
        {"checked", AgentOp::ExpectChecked}, {"unchecked", AgentOp::ExpectUnchecked},
    };
    for (const auto& [name, op] : kStates) {
        if (what == name) {
            c.op = op;
            c.control = r.Rest("control");
            return;
        }
    }
    if (what.empty())
        throw LineError{"missing what to expect (dialog, message, text, enabled, disabled, visible, hidden, "
                        "checked, unchecked, tabs, tab, cell, rows)"};
    throw LineError{"unknown expectation '" + std::string(what) + "'"};
}

// An item named by its text, or by its zero-based position as an unquoted
// "#" followed by digits.
void ReadItem(CLineReader& r, SAgentCommand& c, const char* what)
{
    const bool quoted = r.RestIsQuoted();
    c.text = r.Rest(what);
    if (!quoted && c.text.size() > 1 && c.text[0] == '#') {
        CLineReader n(std::string_view(c.text).substr(1));
        c.number = n.Number("item number", kMaxIndex);
        n.End();
        c.byPosition = true;
        c.text.clear();
    }
}

void ReadSelection(CLineReader& r, SAgentCommand& c)
{
    c.control = r.Argument("control");
    const std::string_view how = r.Word();
    static const std::pair<const char*, AgentOp> kChanges[] = {
        {"add", AgentOp::SelectionAdd},     {"remove", AgentOp::SelectionRemove},
        {"extend", AgentOp::SelectionExtend}, {"clear", AgentOp::SelectionClear},
        {"all", AgentOp::SelectionAll},
    };
    for (const auto& [name, op] : kChanges) {
        if (how != name)
            continue;
        c.op = op;
        if (op == AgentOp::SelectionClear || op == AgentOp::SelectionAll)
            r.End();
        else
            ReadItem(r, c, "item");
        return;
    }
    throw LineError{how.empty() ? "missing add, remove, extend, clear or all"
                                : "expected add, remove, extend, clear or all, not '" + std::string(how) + "'"};
}

void ReadCommand(CLineReader& r, std::string_view verb, SAgentCommand& c)
{
    if (verb == "expect") {
        ReadExpect(r, c);
        return;
    }
    static const std::pair<const char*, AgentOp> kPlain[] = {
        {"next", AgentOp::Next}, {"back", AgentOp::Back}, {"finish", AgentOp::Finish},
        {"ok", AgentOp::Ok},     {"cancel", AgentOp::Cancel}, {"show", AgentOp::Show}, {"?", AgentOp::Usage},
    };
    for (const auto& [name, op] : kPlain) {
        if (verb == name) {
            c.op = op;
            r.End();
            return;
        }
    }
    if (verb == "click") {
        c.op = AgentOp::Click;
        c.control = r.Rest("control");
    } else if (verb == "help") {
        c.op = AgentOp::Help;
        if (!r.AtEnd())
            c.control = r.Rest("control");
    } else if (verb == "type") {
        c.op = AgentOp::Type;
        c.control = r.Argument("control");
        c.text = r.Rest("text (write \"\" for none)");
    } else if (verb == "select") {
        c.control = r.Argument("control");
        ReadItem(r, c, "item");
        c.op = c.byPosition ? AgentOp::SelectIndex : AgentOp::Select;
    } else if (verb == "tab") {
        c.op = AgentOp::Tab;
        ReadItem(r, c, "tab caption or #N");
    } else if (verb == "selection") {
        ReadSelection(r, c);
    } else if (verb == "check") {
        c.op = AgentOp::Check;
        c.control = r.Argument("control");
        const std::string_view state = r.Word();
        if (EqualsNoCase(state, "on"))
            c.on = true;
        else if (EqualsNoCase(state, "off"))
            c.on = false;
        else
            throw LineError{state.empty() ? "missing on or off" : "expected on or off, not '" + std::string(state) + "'"};
        r.End();
    } else if (verb == "cell") {
        c.op = AgentOp::Cell;
        c.control = r.Argument("control");
        c.number = r.Number("row", kMaxIndex);
        c.column = r.Number("column", kMaxIndex);
        c.text = r.Rest("text (write \"\" for none)");
    } else if (verb == "answer") {
        c.op = AgentOp::Answer;
        const std::string_view button = r.Word();
        if (EqualsNoCase(button, "OK"))
            c.number = IDOK;
        else if (EqualsNoCase(button, "Cancel"))
            c.number = IDCANCEL;
        else if (EqualsNoCase(button, "Yes"))
            c.number = IDYES;
        else if (EqualsNoCase(button, "No"))
            c.number = IDNO;
        else
            throw LineError{button.empty() ? "missing the button (OK, Cancel, Yes or No)"
                                           : "expected OK, Cancel, Yes or No, not '" + std::string(button) + "'"};
        r.End();
    } else if (verb == "choose") {
        const bool quoted = r.RestIsQuoted();
        c.text = r.Rest("path or cancel", false);
        c.op = !quoted && c.text == "cancel" ? AgentOp::ChooseCancel : AgentOp::Choose;
        if (c.op == AgentOp::ChooseCancel)
            c.text.clear();
    } else if (verb == "wait") {
        c.op = AgentOp::Wait;
        c.number = r.Number("milliseconds", kMaxWait);
        r.End();
    } else {
        throw LineError{"unknown command '" + std::string(verb) + "'"};
    }
}

} // namespace

AgentLineKind ReadAgentLine(std::string_view line, SAgentCommand& command, std::string& error)
{
    CLineReader r(line);
    if (r.AtEnd())
        return AgentLineKind::Empty;
    const std::string_view verb = r.Word();
    if (verb[0] == '#')
        return AgentLineKind::Empty;
    SAgentCommand c;
    c.line = command.line;
    try {
        ReadCommand(r, verb, c);
    } catch (const LineError& e) {
        error = e.message;
        return AgentLineKind::Error;
    }
    command = std::move(c);
    return AgentLineKind::Command;
}

bool ReadAgentScript(std::string_view text, const std::string& file, std::vector<SAgentCommand>& commands,
                     std::vector<CAgentScriptError>& errors)
{
    const size_t errorsBefore = errors.size();
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNumber;
        SAgentCommand command;
        command.line = lineNumber;
        std::string error;
        switch (ReadAgentLine(text.substr(pos, end - pos), command, error)) {
        case AgentLineKind::Command:
            if (command.op == AgentOp::Usage)
                errors.push_back({file, lineNumber, "'?' is for the terminal, not for scripts"});
            else
                commands.push_back(std::move(command));
            break;
        case AgentLineKind::Error:
            errors.push_back({file, lineNumber, error});
            break;
        case AgentLineKind::Empty:
            break;
        }
        pos = end + 1;
    }
    return errors.size() == errorsBefore;
}

std::string QuoteAgentText(std::string_view text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\\' && (next == '"' || next == '\\' || next == 'n' || next == '\0'))
            out += "\\\\"; // one the reader would take for an escape; others stay, as in paths
        else
            out += c;
    }
    return out + "\"";
}

const char* AgentOpName(AgentOp op)
{
    for (const OpName& n : kOpNames)
        if (n.op == op)
            return n.name;
    return "?";
}

const char* AgentCommandHelp()
{
    return "Commands (ID: a control's id or its caption without '&'; TEXT: the rest of the line\n"
           "or a \"quoted\" string with \\\", \\\\ and \\n for a line feed; #N: an item by position):\n"
           "  click ID                 click a button, check box or radio button\n"
           "  type ID TEXT             replace an edit's text\n"
           "  select ID ITEM | #N      choose an item of a combo box, list box or list view\n"
           "  selection ID add|remove|extend ITEM | #N\n"
           "                           Ctrl-click an item in or out of the selection, Shift-click to it\n"
           "  selection ID clear|all   empty the selection, or select every item\n"
           "  check ID on|off          set a check box\n"
           "  cell ID ROW COL TEXT     enter a grid cell (a drop-down cell: the item's text)\n"
           "  tab CAPTION | #N         bring a tab of the sheet to front\n"
           "  next | back | finish     the wizard buttons\n"
           "  ok | cancel              close the dialog\n"
           "  help [ID]                context help on a control\n"
           "  wait MS                  let time pass\n"
           "  answer OK|Cancel|Yes|No  answer the message box\n"
           "  choose PATH | cancel     answer the file or folder dialog\n"
           "  expect dialog ID | message TEXT | text ID TEXT\n"
           "  expect enabled|disabled|visible|hidden|checked|unchecked ID\n"
           "  expect tabs CAPTION...   every tab, in order     expect tab CAPTION  the tab in front\n"
           "  expect cell ID ROW COL TEXT                      expect rows ID N\n"
           "  show                     print the window again\n"
           "  ?                        this list\n";
}
