#include "platform/agents/AgentScript.h"
#include "platform/window/WinDef.h"

#include <gtest/gtest.h>


namespace {

SAgentCommand ReadOne(const std::string& line)
{
    SAgentCommand c;
    std::string error;
    EXPECT_EQ(ReadAgentLine(line, c, error), AgentLineKind::Command) << line << ": " << error;
    return c;
}

std::string ErrorOf(const std::string& line)
{
    SAgentCommand c;
    std::string error;
    EXPECT_EQ(ReadAgentLine(line, c, error), AgentLineKind::Error) << line;
    return error;
}

} // namespace

TEST(AgentScript, ReadsEveryCommandForm)
{
    SAgentCommand c = ReadOne("  type Name  some words  \r");
    EXPECT_EQ(c.op, AgentOp::Type);
    EXPECT_EQ(c.control, "Name");
    EXPECT_EQ(c.text, "some words");

    c = ReadOne(R"(type "Part name:" "say \"hi\" C:\dir\\")");
    EXPECT_EQ(c.control, "Part name:");
    EXPECT_EQ(c.text, R"(say "hi" C:\dir\)");
    EXPECT_EQ(ReadOne("type 2075 \"\"").text, "");

    c = ReadOne("select 30131 #2");
    EXPECT_EQ(c.op, AgentOp::SelectIndex);
    EXPECT_EQ(c.number, 2);
    c = ReadOne("select 30131 \"#2\"");
    EXPECT_EQ(c.op, AgentOp::Select);
    EXPECT_EQ(c.text, "#2");
    EXPECT_EQ(ReadOne("select Material: Nylon 6").text, "Nylon 6");

    c = ReadOne("click Translate the model now");
    EXPECT_EQ(c.op, AgentOp::Click);
    EXPECT_EQ(c.control, "Translate the model now");
    c = ReadOne("expect disabled < Back");
    EXPECT_EQ(c.op, AgentOp::ExpectDisabled);
    EXPECT_EQ(c.control, "< Back");
    EXPECT_EQ(ReadOne("expect unchecked \"a b\"").control, "a b");

    c = ReadOne("expect dialog 13057");
    EXPECT_EQ(c.op, AgentOp::ExpectDialog);
    EXPECT_EQ(c.number, 13057);
    c = ReadOne("expect dialog IDD_PAGE");
    EXPECT_EQ(c.number, -1);
    EXPECT_EQ(c.control, "IDD_PAGE");
    c = ReadOne("expect text 13319 \"Part dimensions\"");
    EXPECT_EQ(c.op, AgentOp::ExpectText);
    EXPECT_EQ(c.text, "Part dimensions");
    EXPECT_EQ(ReadOne("expect message Value out of range: 5").text, "Value out of range: 5");

    c = ReadOne("check 2296 ON");
    EXPECT_EQ(c.op, AgentOp::Check);
    EXPECT_TRUE(c.on);
    EXPECT_FALSE(ReadOne("check 2296 off").on);
    c = ReadOne("cell 3001 2 4 1.5 s");
    EXPECT_EQ(c.op, AgentOp::Cell);
    EXPECT_EQ(c.number, 2);
    EXPECT_EQ(c.column, 4);
    EXPECT_EQ(c.text, "1.5 s");

    EXPECT_EQ(ReadOne("answer yes").number, IDYES);
    EXPECT_EQ(ReadOne("answer Cancel").number, IDCANCEL);
    EXPECT_EQ(ReadOne("choose cancel").op, AgentOp::ChooseCancel);
    c = ReadOne("choose \"cancel\"");
    EXPECT_EQ(c.op, AgentOp::Choose);
    EXPECT_EQ(c.text, "cancel");
    EXPECT_EQ(ReadOne("choose C:\\models\\part one.igs").text, "C:\\models\\part one.igs");
    EXPECT_EQ(ReadOne("wait 500").number, 500);
    EXPECT_EQ(ReadOne("help").control, "");
    EXPECT_EQ(ReadOne("help 2098").control, "2098");
    for (const char* plain : {"next", "back", "finish", "ok", "cancel", "show", "?"})
        EXPECT_EQ(AgentOpName(ReadOne(plain).op), std::string(plain));

    SAgentCommand unused;
    std::string error;
    EXPECT_EQ(ReadAgentLine("   # a comment", unused, error), AgentLineKind::Empty);
    EXPECT_EQ(ReadAgentLine(" \t\r", unused, error), AgentLineKind::Empty);
}

TEST(AgentScript, ReadsTabsSelectionsCellsAndRows)
{
    SAgentCommand c = ReadOne("tab Filling solution");
    EXPECT_EQ(c.op, AgentOp::Tab);
    EXPECT_EQ(c.text, "Filling solution");
    EXPECT_FALSE(c.byPosition);
    c = ReadOne("tab #2");
    EXPECT_TRUE(c.byPosition);
    EXPECT_EQ(c.number, 2);
    EXPECT_EQ(ReadOne("tab \"#2\"").text, "#2");

    c = ReadOne("expect tabs Analysis \"Filling solution\" Output");
    EXPECT_EQ(c.op, AgentOp::ExpectTabs);
    EXPECT_EQ(c.items, (std::vector<std::string>{"Analysis", "Filling solution", "Output"}));
    EXPECT_EQ(ReadOne("expect tab Molding Window").text, "Molding Window");

    c = ReadOne("selection Gates: add Gate 2");
    EXPECT_EQ(c.op, AgentOp::SelectionAdd);
    EXPECT_EQ(c.control, "Gates:");
    EXPECT_EQ(c.text, "Gate 2");
    c = ReadOne("selection 2001 remove #0");
    EXPECT_EQ(c.op, AgentOp::SelectionRemove);
    EXPECT_TRUE(c.byPosition);
    EXPECT_EQ(c.number, 0);
    EXPECT_EQ(ReadOne("selection 2001 extend \"#0\"").text, "#0");
    EXPECT_EQ(ReadOne("selection 2001 clear").op, AgentOp::SelectionClear);
    EXPECT_EQ(ReadOne("selection \"a list\" all").op, AgentOp::SelectionAll);

    c = ReadOne("expect cell 3001 2 1 Flow front");
    EXPECT_EQ(c.op, AgentOp::ExpectCell);
    EXPECT_EQ(c.number, 2);
    EXPECT_EQ(c.column, 1);
    EXPECT_EQ(c.text, "Flow front");
    c = ReadOne("expect rows 3001 12");
    EXPECT_EQ(c.op, AgentOp::ExpectRows);
    EXPECT_EQ(c.number, 12);
}

// "\n" is a line feed in a quoted text; a path keeps its backslashes, and a
// backslash before anything else stays as written.
TEST(AgentScript, QuotedTextsTakeLineFeeds)
{
    EXPECT_EQ(ReadOne(R"(expect message "Line one.\nLine two.")").text, "Line one.\nLine two.");
    EXPECT_EQ(ReadOne(R"(expect message "a\\nb")").text, "a\\nb");     // \\ then n
    EXPECT_EQ(ReadOne(R"(expect message Line one.\nLine two.)").text, R"(Line one.\nLine two.)"); // unquoted: as it stands
    EXPECT_EQ(ReadOne(R"(type 2075 "C:\models\part.igs")").text, R"(C:\models\part.igs)");
    EXPECT_EQ(ReadOne(R"(choose "C:\new\part.igs")").text, R"(C:\new\part.igs)");
    EXPECT_EQ(ReadOne(R"(cell 1 1 1 "1\n")").text, "1\n");

    // What the agents print reads back as the same text.
    for (const std::string text : {"two\nlines", "say \"hi\"", "C:\\dir\\", "C:\\new", "a\\\\b", ""}) {
        const std::string quoted = QuoteAgentText(text);
        EXPECT_EQ(quoted.find('\n'), std::string::npos) << quoted;
        EXPECT_EQ(ReadOne("expect message " + quoted).text, text) << quoted;
    }
    EXPECT_EQ(QuoteAgentText("C:\\models"), R"("C:\models")");
}

TEST(AgentScript, BadLinesSayWhy)
{
    EXPECT_EQ(ErrorOf("clack 1"), "unknown command 'clack'");
    EXPECT_EQ(ErrorOf("next please"), "unexpected 'please' at the end of the line");
    EXPECT_EQ(ErrorOf("type 2075"), "missing text (write \"\" for none)");
    EXPECT_EQ(ErrorOf("type \"2075"), "unterminated string");
    EXPECT_EQ(ErrorOf("expect text 1 \"a\" b"), "unexpected text after the closing quote");
    EXPECT_EQ(ErrorOf("expect dialog"), "missing dialog id");
    EXPECT_EQ(ErrorOf("expect dialog 99999"), "dialog id 99999 is larger than 65535");
    EXPECT_EQ(ErrorOf("expect sunshine"), "unknown expectation 'sunshine'");
    EXPECT_EQ(ErrorOf("check 1 maybe"), "expected on or off, not 'maybe'");
    EXPECT_EQ(ErrorOf("answer Perhaps"), "expected OK, Cancel, Yes or No, not 'Perhaps'");
    EXPECT_EQ(ErrorOf("wait soon"), "milliseconds must be a whole number, not 'soon'");
    EXPECT_EQ(ErrorOf("cell 1 -2 3 x"), "row must be a whole number, not '-2'");
    EXPECT_EQ(ErrorOf("select 1 #x"), "item number must be a whole number, not 'x'");
    EXPECT_EQ(ErrorOf("click"), "missing control");
    EXPECT_EQ(ErrorOf("tab"), "missing tab caption or #N");
    EXPECT_EQ(ErrorOf("expect tabs"), "missing the tab captions, in order");
    EXPECT_EQ(ErrorOf("expect rows 3001 many"), "row count must be a whole number, not 'many'");
    EXPECT_EQ(ErrorOf("expect cell 3001 1"), "missing column");
    EXPECT_EQ(ErrorOf("selection 2001"), "missing add, remove, extend, clear or all");
    EXPECT_EQ(ErrorOf("selection 2001 toggle G1"), "expected add, remove, extend, clear or all, not 'toggle'");
    EXPECT_EQ(ErrorOf("selection 2001 clear G1"), "unexpected 'G1' at the end of the line");
    EXPECT_EQ(ErrorOf("selection 2001 add"), "missing item");

    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    EXPECT_FALSE(ReadAgentScript("next\r\n# fine\r\n\r\nbogus\r\nok\n?\nwait", "w.agent", commands, errors));
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0].ToString(), "w.agent:4: unknown command 'bogus'");
    EXPECT_EQ(errors[1].ToString(), "w.agent:6: '?' is for the terminal, not for scripts");
    EXPECT_EQ(errors[2].ToString(), "w.agent:7: missing milliseconds");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].op, AgentOp::Ok);
    EXPECT_EQ(commands[1].line, 5);
}
