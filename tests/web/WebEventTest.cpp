// The page's events as script lines, the journal that keeps them, and the
// window as JSON: the parts of the web agent that need no server.
#include "platform/agents/AgentScript.h"
#include "platform/agents/SessionJournal.h"
#include "platform/agents/WebEvent.h"
#include "platform/agents/WebSession.h"
#include "platform/agents/WindowState.h"
#include "platform/window/Dialog.h"

#include "StepAgent.h"
#include "TestSheet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The line an event becomes; "" (and the reason in `error`) when refused.
std::string LineOf(const std::map<std::string, std::string>& fields, std::string* error = nullptr,
                   SAgentCommand* command = nullptr)
{
    SAgentCommand c;
    std::string line, why;
    if (!WebEventCommand(fields, c, line, why)) {
        if (error)
            *error = why;
        return "";
    }
    if (command)
        *command = c;
    return line;
}

} // namespace

TEST(WebEvent, EveryActionBecomesTheLineAScriptWouldHold)
{
    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"op", "click"}, {"id", "2098"}}, "click 2098"},
        {{{"op", "type"}, {"id", "2098"}, {"text", "12.5"}}, "type 2098 \"12.5\""},
        {{{"op", "type"}, {"id", "7"}, {"text", ""}}, "type 7 \"\""},
        {{{"op", "select"}, {"id", "31"}, {"index", "2"}}, "select 31 #2"},
        {{{"op", "check"}, {"id", "5"}, {"on", "0"}}, "check 5 off"},
        {{{"op", "cell"}, {"id", "40"}, {"row", "1"}, {"col", "3"}, {"text", "Open"}}, "cell 40 1 3 \"Open\""},
        {{{"op", "tab"}, {"index", "1"}}, "tab #1"},
        {{{"op", "selection"}, {"id", "8"}, {"how", "extend"}, {"index", "4"}}, "selection 8 extend #4"},
        {{{"op", "selection"}, {"id", "8"}, {"how", "clear"}}, "selection 8 clear"},
        {{{"op", "help"}}, "help"},
        {{{"op", "help"}, {"id", "12"}}, "help 12"},
        {{{"op", "next"}}, "next"},
        {{{"op", "finish"}}, "finish"},
        {{{"op", "answer"}, {"button", "No"}}, "answer No"},
        {{{"op", "choose"}, {"path", "/p/new part.igs"}}, "choose \"/p/new part.igs\""},
        {{{"op", "choose"}}, "choose cancel"},
    };
    for (const auto& [fields, line] : cases)
        EXPECT_EQ(LineOf(fields), line);
}

TEST(WebEvent, TextsSurviveTheTripThroughAScriptLine)
{
    // Blanks at the ends, quotes, backslashes before "n" and line ends are
    // exactly what a person typed once the line is read back.
    for (const std::string text : {"  padded  ", "say \"hi\"", "C:\\new\\part.igs", "two\nlines", "#2", "ends\\",
                                   "cancel", "tab\there"}) {
        SAgentCommand c;
        const std::string line = LineOf({{"op", "type"}, {"id", "9"}, {"text", text}}, nullptr, &c);
        ASSERT_FALSE(line.empty()) << text;
        EXPECT_EQ(c.op, AgentOp::Type);
        EXPECT_EQ(c.text, text) << line;
    }
    for (const std::string path : {"cancel", "C:\\new\\x.igs", " lead", "\"quoted\""}) {
        SAgentCommand c;
        LineOf({{"op", "choose"}, {"path", path}}, nullptr, &c);
        EXPECT_EQ(c.op, AgentOp::Choose) << path;
        EXPECT_EQ(c.text, path);
    }
    SAgentCommand c;
    LineOf({{"op", "select"}, {"id", "3"}, {"index", "12"}}, nullptr, &c);
    EXPECT_TRUE(c.byPosition);
    EXPECT_EQ(c.number, 12);
}

TEST(WebEvent, EventsNoPersonCouldMakeAreRefused)
{
    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{}, "missing 'op'"},
        {{{"op", "launch"}}, "unknown event 'launch'"},
        {{{"op", "click"}}, "'id' must be a whole number"},
        {{{"op", "click"}, {"id", "-3"}}, "'id' must be a whole number"},
        {{{"op", "click"}, {"id", "65536"}}, "'id' is larger than 65535"},
        {{{"op", "type"}, {"id", "4"}}, "missing 'text'"},
        {{{"op", "check"}, {"id", "4"}, {"on", "yes"}}, "'on' must be 1 or 0"},
        {{{"op", "selection"}, {"id", "4"}, {"how", "toggle"}, {"index", "1"}}, "'how' must be"},
        {{{"op", "answer"}, {"button", "Maybe"}}, "'button' must be"},
        {{{"op", "choose"}, {"path", "a\nb"}}, "one line"},
        {{{"op", "choose"}, {"path", ""}}, "not empty"},
    };
    for (const auto& [fields, reason] : cases) {
        std::string error;
        EXPECT_EQ(LineOf(fields, &error), "");
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(SessionJournal, KeepsTheStepsThatTookEffectOnDiskAfterEachOne)
{
    wiztest::ScratchDir dir;
    const std::string path = dir / "run.agent";
    CSessionJournal journal(path);
    ASSERT_TRUE(journal.Start("a run").IsOk());
    EXPECT_EQ(wiztest::ReadBytes(path), "# a run\n");
    SAgentCommand click;
    std::string error;
    ReadAgentLine("click Next >", click, error);
    const size_t first = journal.Record(click);
    EXPECT_EQ(wiztest::ReadBytes(path), "# a run\nclick Next >\n");
    SAgentCommand type;
    ReadAgentLine("type \"Part name:\" \"  Lid\"", type, error);
    const size_t second = journal.Record(type);
    journal.Drop(first);
    EXPECT_EQ(journal.Lines(), std::vector<std::string>{"type \"Part name:\" \"  Lid\""});
    journal.Drop(second); // its place moved: nothing is there any more
    EXPECT_EQ(journal.Lines().size(), 1u);

    // Waits in a row are one wait on the same clock.
    SAgentCommand wait;
    ReadAgentLine("wait 250", wait, error);
    journal.Record(wait);
    journal.Record(wait);
    journal.Record(click);
    journal.Record(wait);
    EXPECT_EQ(wiztest::ReadBytes(path), "# a run\ntype \"Part name:\" \"  Lid\"\nwait 500\nclick Next >\nwait 250\n");
    EXPECT_TRUE(journal.WriteError().IsOk());

    // Every line read back is the command that was recorded.
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    ASSERT_TRUE(ReadAgentScript(journal.Text(), "j", commands, errors));
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].text, "  Lid");
    EXPECT_EQ(commands[1].number, 500);
}

TEST(SessionJournal, AJournalThatCannotBeWrittenFailsBeforeTheRun)
{
    wiztest::ScratchDir dir;
    CSessionJournal journal(dir / "no/such/folder/run.agent");
    const CResult r = journal.Start("x");
    ASSERT_FALSE(r.IsOk());
    EXPECT_NE(r.GetMessage().find("run.agent"), std::string::npos) << r.GetMessage();
}

TEST(WindowState, JsonStringsAreAlwaysValidJson)
{
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("line\nnext\ttab\x01"), "\"line\\nnext\\ttab\\u0001\"");
    EXPECT_EQ(JsonString("23 \xC2\xB0" "C"), "\"23 \xC2\xB0" "C\""); // a degree sign stays
    EXPECT_EQ(JsonString("bad \xB0 \xE2\x82"), "\"bad \\ufffd \\ufffd\\ufffd\"");
}

TEST(WindowState, ControlsArePublishedAtTheirTemplatePixels)
{
    // The options dialog's template font is 8 points: a dialog unit is 6/4
    // of a pixel across and 13/8 down.
    std::string json;
    StepAgent agent;
    agent.Then([&](CWnd* modal) {
        modal->GetDlgItem(kAsk)->EnableWindow(false);
        json = WindowStateJson(modal);
    });
    OptionsDialog dialog;
    dialog.DoModal();
    const std::string limit = "{\"id\":" + std::to_string(kLimit) + ",\"kind\":\"edit\",\"x\":75,\"y\":11,\"w\":90,\"h\":22";
    EXPECT_NE(json.find(limit), std::string::npos) << json;
    EXPECT_NE(json.find("\"title\":\"Options\""), std::string::npos);
    EXPECT_NE(json.find("\"kind\":\"dialog\""), std::string::npos);
    EXPECT_NE(json.find("\"contextHelp\":true"), std::string::npos);
    EXPECT_NE(json.find("\"kind\":\"static\",\"x\":10,\"y\":14"), std::string::npos) << json;
    // The label keeps its mnemonic for the page to draw; a disabled control says so.
    EXPECT_NE(json.find("\"text\":\"&Limit:\""), std::string::npos);
    const size_t ask = json.find("\"text\":\"&Ask\"");
    ASSERT_NE(ask, std::string::npos);
    EXPECT_EQ(json.substr(ask, 80).find("\"enabled\":false"), json.substr(ask, 80).find("\"enabled\""));
    EXPECT_NE(json.substr(ask, 80).find("\"enabled\":false"), std::string::npos) << json;
}

TEST(WebSession, APageThatStopsWaitingStillHasItsEventCarriedOut)
{
    CWebSession session;
    session.Publish("{\"n\":1}", "null", "[]");
    const uint64_t first = session.Version();
    // Nobody takes the event in time: the page is told to look at the state.
    const SWebEventReply late = session.Submit({{"op", "next"}}, "page", std::chrono::milliseconds(5));
    EXPECT_EQ(late.status, SWebEventReply::TimedOut);
    SWebEvent event;
    ASSERT_TRUE(session.NextEvent(event, std::chrono::milliseconds(0)));
    EXPECT_EQ(event.line, "next");
    session.Started(event.sequence);
    session.Publish("{\"n\":2}", "null", "[]");
    EXPECT_GT(session.Version(), first);
    // An unchanged window is no new version; the state says what the page needs.
    session.Publish("{\"n\":2}", "null", "[]");
    const std::string state = session.StateAfter(first, std::chrono::milliseconds(0));
    EXPECT_EQ(state, "{\"version\":" + std::to_string(first + 1) +
                         ",\"ended\":false,\"result\":\"\",\"window\":{\"n\":2},\"overlay\":null,\"help\":[]}");
    EXPECT_FALSE(session.NextEvent(event, std::chrono::milliseconds(0)));
    session.End("finished");
    EXPECT_NE(session.StateAfter(0, std::chrono::milliseconds(0)).find("\"ended\":true,\"result\":\"finished\""),
              std::string::npos);
    EXPECT_TRUE(session.WaitEndSeen(std::chrono::milliseconds(0)));
    EXPECT_EQ(session.Submit({{"op", "next"}}, "page", std::chrono::milliseconds(5)).status, SWebEventReply::Ended);
}
