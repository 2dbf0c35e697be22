#include "platform/agents/WebSession.h"

#include "platform/agents/WebEvent.h"
#include "platform/agents/WindowState.h"

std::string CWebSession::StateLocked() const
{
    return "{\"version\":" + std::to_string(m_version) + ",\"ended\":" + (m_ended ? "true" : "false") +
           ",\"result\":" + JsonString(m_result) + ",\"window\":" + m_window + ",\"overlay\":" + m_overlay +
           ",\"help\":" + m_help + "}";
}

std::string CWebSession::StateAfter(uint64_t since, std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, wait, [&] { return m_version > since || m_ended || m_closed; });
    if (m_ended) {
        m_endSeen = true;
        m_changed.notify_all();
    }
    return StateLocked();
}

SWebEventReply CWebSession::Submit(const std::map<std::string, std::string>& fields, const std::string& client,
                                   std::chrono::milliseconds wait)
{
    SWebEvent event;
    SWebEventReply reply;
    if (client.empty()) {
        reply.status = SWebEventReply::BadEvent;
        reply.error = "the page gave no name of its own";
        return reply;
    }
    if (!WebEventCommand(fields, event.command, event.line, reply.error)) {
        reply.status = SWebEventReply::BadEvent;
        return reply;
    }
    std::unique_lock lock(m_mutex);
    reply.version = m_version;
    if (m_ended || m_closed) {
        reply.status = SWebEventReply::Ended;
        reply.error = "the run is over";
        return reply;
    }
    if (m_driver.empty())
        m_driver = client;
    if (m_driver != client) {
        reply.status = SWebEventReply::OtherPage;
        reply.error = "another page is driving this session";
        return reply;
    }
    event.sequence = m_nextSequence++;
    const uint64_t sequence = event.sequence;
    m_queue.push_back(std::move(event));
    m_changed.notify_all();
    if (!m_changed.wait_for(lock, wait, [&] { return m_replies.count(sequence) != 0; })) {
        // The agent is busy (a long Finish): the page learns the outcome from the state.
        m_abandoned.insert(sequence);
        reply.status = SWebEventReply::TimedOut;
        reply.error = "still working";
        return reply;
    }
    reply = m_replies[sequence];
    m_replies.erase(sequence);
    return reply;
}

void CWebSession::ReplyLocked(uint64_t sequence, SWebEventReply reply)
{
    if (m_abandoned.erase(sequence) == 0)
        m_replies[sequence] = std::move(reply);
}

void CWebSession::FinishStartedLocked()
{
    if (m_started == 0)
        return;
    ReplyLocked(m_started, SWebEventReply{SWebEventReply::Done, {}, m_version});
    m_started = 0;
}

void CWebSession::Publish(const std::string& window, const std::string& overlay, const std::string& help)
{
    std::lock_guard lock(m_mutex);
    if (window != m_window || overlay != m_overlay || help != m_help) {
        m_window = window;
        m_overlay = overlay;
        m_help = help;
        ++m_version;
    }
    FinishStartedLocked();
    m_changed.notify_all();
}

bool CWebSession::NextEvent(SWebEvent& event, std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, wait, [&] { return !m_queue.empty() || m_closed; });
    if (m_closed || m_queue.empty())
        return false;
    event = std::move(m_queue.front());
    m_queue.pop_front();
    return true;
}

void CWebSession::Refuse(uint64_t sequence, const std::string& reason)
{
    std::lock_guard lock(m_mutex);
    ReplyLocked(sequence, SWebEventReply{SWebEventReply::Refused, reason, m_version});
    m_changed.notify_all();
}

void CWebSession::Started(uint64_t sequence)
{
    std::lock_guard lock(m_mutex);
    m_started = sequence;
}

void CWebSession::End(const std::string& result)
{
    std::lock_guard lock(m_mutex);
    m_ended = true;
    m_result = result;
    m_overlay = "null";
    ++m_version;
    FinishStartedLocked();
    // Events that came too late are answered, not left waiting.
    for (const SWebEvent& e : m_queue)
        ReplyLocked(e.sequence, SWebEventReply{SWebEventReply::Ended, "the run is over", m_version});
    m_queue.clear();
    m_changed.notify_all();
}

bool CWebSession::WaitEndSeen(std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, wait, [&] { return m_endSeen || m_closed; }) && m_endSeen;
}

void CWebSession::Close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    for (const SWebEvent& e : m_queue)
        ReplyLocked(e.sequence, SWebEventReply{SWebEventReply::Ended, "the run is over", m_version});
    m_queue.clear();
    m_changed.notify_all();
}

bool CWebSession::IsClosed() const
{
    std::lock_guard lock(m_mutex);
    return m_closed;
}

uint64_t CWebSession::Version() const
{
    std::lock_guard lock(m_mutex);
    return m_version;
}
