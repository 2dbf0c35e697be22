// The web agent without a browser: the server's token and address, and
// events carried out as the script agent carries out the same lines.
#include "app/web/WebServer.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/SessionJournal.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/WebAgent.h"
#include "platform/agents/WebSession.h"
#include "platform/window/Wnd.h"

#include "TestSheet.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string Token()
{
    std::string token;
    EXPECT_TRUE(NewWebToken(token).IsOk());
    return token;
}

struct Served {
    CWebSession session;
    std::string token = Token();
    CWebServer server{session, token};
    Served() { EXPECT_TRUE(server.Start(0).IsOk()); }
    httplib::Client Client() const
    {
        httplib::Client client("127.0.0.1", server.Port());
        client.set_read_timeout(30, 0);
        client.set_connection_timeout(5, 0);
        return client;
    }
};

// The result of posting one event as the page does.
struct Posted {
    int status = 0;
    std::string body;
};

Posted Post(httplib::Client& client, const std::string& token, const httplib::Params& fields,
            const std::string& page = "page-one")
{
    auto res = client.Post(("/event?t=" + token).c_str(), httplib::Headers{{"X-Wiz-Client", page}}, fields);
    if (!res)
        return {};
    return {res->status, res->body};
}

// Runs the options dialog under the web agent while `person` acts on it from
// another thread through the server.
struct WebRun {
    intptr_t result = 0;
    int limit = 0, answer = 0;
    std::string journal;
    std::vector<std::string> log;
};

std::vector<std::string> UiLogLines()
{
    std::vector<std::string> lines;
    for (const CUiLogRecord& r : GetUiLog())
        lines.push_back(FormatUiLogRecord(r));
    return lines;
}

WebRun RunOptionsOnWeb(const std::function<void(httplib::Client&, const std::string&)>& person)
{
    ClearUiLog();
    WndMessages::Reset();
    Served served;
    CSessionJournal journal;
    EXPECT_TRUE(journal.Start("test").IsOk());
    OptionsDialog dialog;
    CWebAgent agent(served.session, &journal);
    std::thread page([&] {
        httplib::Client client = served.Client();
        person(client, served.token);
        // A person who stops early (a failed check) must not leave the dialog waiting.
        served.session.Close();
    });
    WebRun run;
    {
        CUserAgentScope scope(&agent);
        run.result = dialog.DoModal();
    }
    served.session.End("done");
    page.join();
    served.server.Stop();
    run.limit = dialog.limit;
    run.answer = dialog.answer;
    run.journal = journal.Text();
    run.log = UiLogLines();
    return run;
}

WebRun RunOptionsScript(const std::string& script)
{
    ClearUiLog();
    WndMessages::Reset();
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    EXPECT_TRUE(ReadAgentScript(script, "j.agent", commands, errors));
    std::ostringstream out;
    CScriptAgent agent(commands, "j.agent", out);
    OptionsDialog dialog;
    WebRun run;
    {
        CUserAgentScope scope(&agent);
        run.result = dialog.DoModal();
    }
    agent.CheckFinished();
    EXPECT_EQ(agent.Failure(), "");
    run.limit = dialog.limit;
    run.answer = dialog.answer;
    run.log = UiLogLines();
    return run;
}

const std::string kLimitId = std::to_string(kLimit), kAskId = std::to_string(kAsk);

} // namespace

TEST(WebServer, EveryRequestNeedsTheTokenAndTheServerListensOnLoopbackOnly)
{
    Served served;
    httplib::Client client = served.Client();
    const std::string& t = served.token;
    ASSERT_EQ(t.size(), 32u);
    EXPECT_NE(t, Token()) << "two sessions share a token";

    auto page = client.Get(("/?t=" + t).c_str());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    // The page asks for its script with the token it was served with.
    EXPECT_NE(page->body.find("page.js?t=" + t), std::string::npos);
    EXPECT_EQ(page->get_header_value("Referrer-Policy"), "no-referrer");
    EXPECT_EQ(client.Get(("/page.js?t=" + t).c_str())->status, 200);
    EXPECT_EQ(client.Get(("/nothing.js?t=" + t).c_str())->status, 404);

    std::string wrong = t;
    wrong[5] = wrong[5] == 'a' ? 'b' : 'a';
    for (const std::string& path : std::vector<std::string>{"/", "/page.js", "/state", "/?t=" + wrong, "/state?t=" + wrong,
                                     "/state?t=" + t.substr(1), "/?t=" + t + "0", "/?T=" + t})
        EXPECT_EQ(client.Get(path.c_str())->status, 403) << path;
    EXPECT_EQ(Post(client, wrong, {{"op", "next"}}).status, 403);
    EXPECT_EQ(client.Post("/event", httplib::Params{{"op", "next"}, {"t", wrong}})->status, 403);

    // Every socket listening on the port is bound to 127.0.0.1.
    std::ifstream tcp("/proc/net/tcp");
    std::string line;
    int listening = 0;
    char port[8];
    std::snprintf(port, sizeof port, ":%04X", served.server.Port());
    while (std::getline(tcp, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        if (state == "0A" && local.size() > 5 && local.substr(local.size() - 5) == port) {
            ++listening;
            EXPECT_EQ(local.substr(0, 8), "0100007F") << line;
        }
    }
    EXPECT_EQ(listening, 1);
}

TEST(WebServer, APortInUseIsAClearFailure)
{
    Served first;
    CWebSession session;
    CWebServer second(session, Token());
    const CResult r = second.Start(first.server.Port());
    ASSERT_FALSE(r.IsOk());
    EXPECT_NE(r.GetMessage().find("127.0.0.1:" + std::to_string(first.server.Port())), std::string::npos);
}

TEST(WebAgent, EventsDoWhatTheScriptLinesDoAndTheJournalReplaysThem)
{
    const WebRun web = RunOptionsOnWeb([](httplib::Client& c, const std::string& t) {
        // The page may ask before the dialog is up: it gets the state as soon as there is one.
        auto state = c.Get(("/state?t=" + t + "&since=0").c_str());
        ASSERT_TRUE(state);
        EXPECT_NE(state->body.find("\"version\":"), std::string::npos);
        EXPECT_EQ(Post(c, t, {{"op", "type"}, {"id", kLimitId}, {"text", "9"}}).status, 200);
        const Posted ask = Post(c, t, {{"op", "click"}, {"id", kAskId}});
        EXPECT_NE(ask.body.find("\"status\":\"done\""), std::string::npos) << ask.body;
        // The message box is published as an overlay once the click has opened it.
        auto box = c.Get(("/state?t=" + t).c_str());
        EXPECT_NE(box->body.find("\"kind\":\"message\""), std::string::npos);
        EXPECT_NE(box->body.find("Keep the limit?"), std::string::npos);
        EXPECT_NE(box->body.find("\"buttons\":[\"Yes\",\"No\"]"), std::string::npos) << box->body;
        EXPECT_EQ(Post(c, t, {{"op", "answer"}, {"button", "No"}}).status, 200);
        EXPECT_EQ(Post(c, t, {{"op", "ok"}}).status, 200);
    });
    EXPECT_EQ(web.result, IDOK);
    EXPECT_EQ(web.limit, 9);
    EXPECT_EQ(web.answer, IDNO);
    EXPECT_EQ(web.journal, "# test\ntype " + kLimitId + " \"9\"\nclick " + kAskId + "\nanswer No\nok\n");

    // The journal, run as a script, does the same to a fresh dialog.
    const std::string script = web.journal;
    const WebRun replay = RunOptionsScript(script);
    EXPECT_EQ(replay.result, web.result);
    EXPECT_EQ(replay.limit, web.limit);
    EXPECT_EQ(replay.answer, web.answer);
    EXPECT_EQ(replay.log, web.log);
}

TEST(WebAgent, RefusesWhatNoPersonCouldDoAndKeepsItOutOfTheJournal)
{
    const WebRun web = RunOptionsOnWeb([](httplib::Client& c, const std::string& t) {
        // Script and page give the same reason.
        const Posted missing = Post(c, t, {{"op", "click"}, {"id", "4444"}});
        EXPECT_EQ(missing.status, 200);
        EXPECT_NE(missing.body.find("\"status\":\"refused\""), std::string::npos) << missing.body;
        EXPECT_NE(missing.body.find("no control \\\"4444\\\""), std::string::npos) << missing.body;
        EXPECT_NE(Post(c, t, {{"op", "answer"}, {"button", "OK"}}).body.find("no message box is showing"),
                  std::string::npos);
        EXPECT_EQ(Post(c, t, {{"op", "launch"}}).status, 400);
        EXPECT_EQ(Post(c, t, {{"op", "click"}, {"id", "x"}}).status, 400);
        EXPECT_EQ(Post(c, t, {{"op", "type"}, {"id", kLimitId}}).status, 400);
        // Only the page that acted first drives the run; another may watch.
        EXPECT_EQ(Post(c, t, {{"op", "ok"}}, "page-two").status, 409);
        EXPECT_EQ(c.Get(("/state?t=" + t).c_str())->status, 200);
        // A box's answer must be one of its buttons.
        EXPECT_EQ(Post(c, t, {{"op", "click"}, {"id", kAskId}}).status, 200);
        EXPECT_NE(Post(c, t, {{"op", "answer"}, {"button", "OK"}}).body.find("has no such button"),
                  std::string::npos);
        EXPECT_NE(Post(c, t, {{"op", "ok"}}).body.find("a message box is showing"), std::string::npos);
        EXPECT_EQ(Post(c, t, {{"op", "answer"}, {"button", "Yes"}}).status, 200);
        EXPECT_EQ(Post(c, t, {{"op", "cancel"}}).status, 200);
        // After the end nothing more is taken.
        EXPECT_EQ(Post(c, t, {{"op", "ok"}}).status, 410);
    });
    EXPECT_EQ(web.result, IDCANCEL);
    EXPECT_EQ(web.answer, IDYES);
    EXPECT_EQ(web.journal, "# test\nclick " + kAskId + "\nanswer Yes\ncancel\n");
}

namespace {

// Asks, from a timer, whether to keep going: a box the program opens by itself.
class ReminderDialog : public OptionsDialog {
public:
    int reply = 0;

protected:
    BOOL OnInitDialog() override
    {
        SetTimer(1, 300);
        return OptionsDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR id) override
    {
        KillTimer(id);
        reply = AfxMessageBox("Time is up.", MB_OKCANCEL);
    }
};

} // namespace

TEST(WebAgent, TimersRunWhileThePageWaitsAndTheirBoxesReachIt)
{
    ClearUiLog();
    WndMessages::Reset();
    Served served;
    CSessionJournal journal;
    ASSERT_TRUE(journal.Start("timer").IsOk());
    ReminderDialog dialog;
    CWebAgent agent(served.session, &journal);
    std::thread page([&] {
        httplib::Client c = served.Client();
        const std::string& t = served.token;
        // The page only watches: the box comes to it through the state alone.
        std::string state = c.Get(("/state?t=" + t).c_str())->body;
        for (int i = 0; i < 40 && state.find("Time is up.") == std::string::npos; ++i) {
            const size_t at = state.find("\"version\":") + 10;
            state = c.Get(("/state?t=" + t + "&since=" + state.substr(at, state.find(',', at) - at)).c_str())->body;
        }
        EXPECT_NE(state.find("\"buttons\":[\"OK\",\"Cancel\"]"), std::string::npos) << state;
        EXPECT_EQ(Post(c, t, {{"op", "answer"}, {"button", "Cancel"}}).status, 200);
        EXPECT_EQ(Post(c, t, {{"op", "ok"}}).status, 200);
        served.session.Close();
    });
    intptr_t result = 0;
    {
        CUserAgentScope scope(&agent);
        result = dialog.DoModal();
    }
    served.session.End("done");
    page.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.reply, IDCANCEL);
    // The clock moved in the agent's steps, and the journal says by how much:
    // enough for the timer, in whole steps.
    ASSERT_EQ(journal.Lines().size(), 3u) << journal.Text();
    EXPECT_EQ(journal.Lines()[0], "wait " + std::to_string(2 * CWebAgent::kTick.count()));
    EXPECT_EQ(journal.Lines()[1], "answer Cancel");
    const std::vector<std::string> webLog = UiLogLines();

    ClearUiLog();
    WndMessages::Reset();
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    ASSERT_TRUE(ReadAgentScript(journal.Text(), "j", commands, errors));
    std::ostringstream out;
    CScriptAgent script(commands, "j", out);
    ReminderDialog again;
    {
        CUserAgentScope scope(&script);
        EXPECT_EQ(again.DoModal(), IDOK);
    }
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(again.reply, IDCANCEL);
    EXPECT_EQ(UiLogLines(), webLog);
}
