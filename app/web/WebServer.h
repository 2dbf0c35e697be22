#pragma once
// The page's server: serves the page and its state and takes the person's
// events for one web session. It listens on the loopback address only, and
// every request must carry the session's token (?t=...) or gets 403, so that
// neither another machine nor another local user can look or act.
#include <memory>
#include <string>

#include "platform/system/Result.h"

class CWebSession;

class CWebServer {
public:
    CWebServer(CWebSession& session, std::string token);
    ~CWebServer();
    CWebServer(const CWebServer&) = delete;
    CWebServer& operator=(const CWebServer&) = delete;

    // Binds 127.0.0.1:`port` (0: any free port) and serves from threads of
    // its own until Stop.
    CResult Start(int port);
    // Closes the session (the agent gets no more events) and the server.
    void Stop();
    int Port() const { return m_port; }
    // http://127.0.0.1:PORT/?t=TOKEN
    std::string Url() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    CWebSession& m_session;
    std::string m_token;
    int m_port = 0;
};

// A fresh token: 32 hexadecimal digits from /dev/urandom.
CResult NewWebToken(std::string& token);
