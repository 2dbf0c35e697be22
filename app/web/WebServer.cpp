#include "app/web/WebServer.h"

#include "app/web/WebPage.h"
#include "platform/agents/WebSession.h"

#include <httplib.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// How long a page's request for a newer state is held open, and how long an
// event waits for the agent before the page is told to look at the state.
constexpr std::chrono::milliseconds kLongPoll{10000};
constexpr std::chrono::milliseconds kEventWait{20000};
constexpr int kThreads = 16;

// Compares in time independent of where the texts differ.
bool SameToken(const std::string& given, const std::string& token)
{
    if (given.size() != token.size())
        return false;
    unsigned char diff = 0;
    for (size_t i = 0; i < token.size(); ++i)
        diff |= static_cast<unsigned char>(given[i] ^ token[i]);
    return diff == 0;
}

void Json(httplib::Response& res, int status, const std::string& body)
{
    res.status = status;
    res.set_content(body, "application/json");
}

const char* StatusName(SWebEventReply::Status s)
{
    switch (s) {
    case SWebEventReply::Done: return "done";
    case SWebEventReply::Refused: return "refused";
    case SWebEventReply::BadEvent: return "bad";
    case SWebEventReply::OtherPage: return "other-page";
    case SWebEventReply::Ended: return "ended";
    case SWebEventReply::TimedOut: return "busy";
    }
    return "?";
}

int HttpStatus(SWebEventReply::Status s)
{
    switch (s) {
    case SWebEventReply::BadEvent: return 400;
    case SWebEventReply::OtherPage: return 409;
    case SWebEventReply::Ended: return 410;
    case SWebEventReply::TimedOut: return 202;
    default: return 200;
    }
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    }
    return out;
}

} // namespace

struct CWebServer::Impl {
    httplib::Server server;
    std::thread thread;
};

CResult NewWebToken(std::string& token)
{
    unsigned char bytes[16];
    const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return CResult::FromErrno("/dev/urandom");
    size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::read(fd, bytes + got, sizeof bytes - got);
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            ::close(fd);
            return CResult::FromErrno("/dev/urandom", err);
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    static const char hex[] = "0123456789abcdef";
    token.clear();
    for (unsigned char b : bytes) {
        token += hex[b >> 4];
        token += hex[b & 15];
    }
    return CResult::Ok();
}

CWebServer::CWebServer(CWebSession& session, std::string token)
    : m_impl(std::make_unique<Impl>()), m_session(session), m_token(std::move(token))
{
}

CWebServer::~CWebServer() { Stop(); }

std::string CWebServer::Url() const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/?t=" + m_token;
}

CResult CWebServer::Start(int port)
{
    httplib::Server& s = m_impl->server;
    s.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    s.set_payload_max_length(1 << 20);
    // The library's default also sets SO_REUSEPORT, which would let a second
    // server share the port and take half of the page's requests.
    s.set_socket_options([](socket_t sock) {
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // The token is in every address the page uses: it must not leave in a
    // Referer, and nothing may be kept in a cache.
    s.set_default_headers({{"Cache-Control", "no-store"},
                           {"Referrer-Policy", "no-referrer"},
                           {"X-Content-Type-Options", "nosniff"},
                           {"X-Frame-Options", "DENY"},
                           {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'"}});
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (SameToken(req.get_param_value("t"), m_token))
            return httplib::Server::HandlerResponse::Unhandled;
        res.status = 403;
        res.set_content("403 Forbidden: this page needs the address wizhost printed, token included.\n",
                        "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });
    s.Get("/state", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string since = req.get_param_value("since");
        uint64_t version = 0;
        if (!since.empty() && since.size() < 20 && since.find_first_not_of("0123456789") == std::string::npos)
            version = std::stoull(since);
        Json(res, 200, m_session.StateAfter(version, since.empty() ? std::chrono::milliseconds(0) : kLongPoll));
    });
    s.Post("/event", [this](const httplib::Request& req, httplib::Response& res) {
        std::map<std::string, std::string> fields;
        for (const auto& [name, value] : req.params)
            if (name != "t" && !fields.count(name))
                fields[name] = value;
        const SWebEventReply reply = m_session.Submit(fields, req.get_header_value("X-Wiz-Client"), kEventWait);
        Json(res, HttpStatus(reply.status),
             std::string("{\"status\":\"") + StatusName(reply.status) + "\",\"error\":\"" + Escaped(reply.error) +
                 "\",\"version\":" + std::to_string(reply.version) + "}");
    });
    s.Get(R"(/([a-z]+\.[a-z]+)?)", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1].length() ? std::string(req.matches[1]) : "index.html";
        const SWebPageFile* file = FindWebPageFile(name);
        if (!file) {
            res.status = 404;
            return;
        }
        std::string body(reinterpret_cast<const char*>(file->data), file->size);
        // The page asks for its script and style with the token it was given.
        if (name == "index.html")
            for (size_t at = body.find("{{TOKEN}}"); at != std::string::npos; at = body.find("{{TOKEN}}", at))
                body.replace(at, 9, m_token);
        res.set_content(body, file->contentType);
    });

    const int bound = port == 0 ? s.bind_to_any_port("127.0.0.1") : (s.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound <= 0)
        return CResult::Fail("cannot listen on 127.0.0.1:" + std::to_string(port) +
                             (port ? " (is the port taken?)" : ""));
    m_port = bound;
    m_impl->thread = std::thread([this] { m_impl->server.listen_after_bind(); });
    return CResult::Ok();
}

void CWebServer::Stop()
{
    m_session.Close();
    if (m_impl->thread.joinable()) {
        // A stop that comes before the thread has begun listening would be
        // missed, and the join would never return.
        for (int i = 0; i < 2000 && !m_impl->server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_impl->server.stop();
        m_impl->thread.join();
    }
}
