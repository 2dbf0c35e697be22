#pragma once
// The user agents' line language (docs/agent-script.md): one command a line,
// "#" comment lines. This is the reader only; ScriptAgent.h and
// TerminalAgent.h carry the commands out.
#include <string>
#include <string_view>
#include <vector>

enum class AgentOp {
    ExpectDialog,    // number: template id
    ExpectMessage,   // text
    ExpectText,      // control, text
    ExpectEnabled,   // control
    ExpectDisabled,
    ExpectVisible,
    ExpectHidden,
    ExpectChecked,
    ExpectUnchecked,
    Click,           // control
    Type,            // control, text
    Select,          // control, text: an item's text
    SelectIndex,     // control, number: zero-based position
    Check,           // control, on
    Cell,            // control, number: row, column, text
    Tab,             // text: a tab's caption (byPosition: number, zero-based)
    SelectionAdd,    // control, an item's text (byPosition: number)
    SelectionRemove, // control, item as for SelectionAdd
    SelectionExtend, // control, item as for SelectionAdd
    SelectionClear,  // control
    SelectionAll,    // control
    ExpectTabs,      // items: every tab's caption, in order
    ExpectTab,       // text: the caption of the tab in front
    ExpectCell,      // control, number: row, column, text
    ExpectRows,      // control, number: the row count
    Next,
    Back,
    Finish,
    Ok,
    Cancel,
    Answer,          // number: IDOK, IDCANCEL, IDYES or IDNO
    Choose,          // text: a path
    ChooseCancel,
    Wait,            // number: milliseconds
    Help,            // control (empty: the dialog itself)
    Show,
    Usage,           // "?": the terminal's list of commands
};

struct SAgentCommand {
    AgentOp op = AgentOp::Show;
    int line = 0;
    std::string control; // a decimal id, a caption without "&", or a resource symbol
    std::string text;
    int number = 0;
    int column = 0;
    bool on = false;
    bool byPosition = false;        // an item or tab named "#N": `number` is its position
    std::vector<std::string> items; // expect tabs
};

// One line read: a command, nothing (blank or comment), or an error.
enum class AgentLineKind { Command, Empty, Error };

// Reads one line (without its line end; a trailing CR is ignored). On an
// error, `error` says what is wrong, without file or line.
AgentLineKind ReadAgentLine(std::string_view line, SAgentCommand& command, std::string& error);

struct CAgentScriptError {
    std::string file;
    int line = 0;
    std::string message;
    std::string ToString() const; // "FILE:LINE: message"
};

// Reads a whole script in one pass, in time linear in its length. Every bad
// line is reported; commands keep their line numbers. "?" belongs to the
// terminal and is an error in a script. True when there were no errors.
bool ReadAgentScript(std::string_view text, const std::string& file, std::vector<SAgentCommand>& commands,
                     std::vector<CAgentScriptError>& errors);

// `text` in double quotes as a script would write it (\", \\ and \n where
// the reader needs them), so that a message naming it stays on one line.
std::string QuoteAgentText(std::string_view text);

// The command's first word(s) as written, for messages: "click", "expect text".
const char* AgentOpName(AgentOp op);

// The one-line summary of every command, as "?" prints it.
const char* AgentCommandHelp();
