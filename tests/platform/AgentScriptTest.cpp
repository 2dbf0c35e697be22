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
