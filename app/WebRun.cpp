#include "app/WebRun.h"

#include "app/Command.h"
#include "app/web/WebServer.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/WebAgent.h"
#include "platform/agents/WebSession.h"
#include "platform/window/WinDef.h"

#include <cstdio>

namespace wizhost {

bool ParsePort(const std::string& text, int& port)
{
    long value = 0;
    if (!ParseInt(text, value) || value < 0 || value > 65535)
        return false;
    port = static_cast<int>(value);
    return true;
}

CResult RunOnWeb(const std::function<intptr_t()>& modal, int port, CSessionJournal* journal, intptr_t& result)
{
    std::string token;
    if (CResult r = NewWebToken(token); !r)
        return r;
    CWebSession session;
    CWebServer server(session, token);
    if (CResult r = server.Start(port); !r)
        return r;
    std::printf("url: %s\n", server.Url().c_str());
    std::fflush(stdout);
    CWebAgent agent(session, journal);
    {
        CUserAgentScope scope(&agent);
        result = modal();
    }
    session.End(result == ID_WIZFINISH ? "finished" : result == IDOK ? "OK" : "cancelled");
    // The page shows that the run is over if it is still looking.
    if (!session.WaitEndSeen(std::chrono::milliseconds(1500)))
        std::fprintf(stderr, "wizhost: no page saw the end of the run\n");
    server.Stop();
    return CResult::Ok();
}

} // namespace wizhost
