#pragma once
// What the web agent and the page's server share: the window as last
// published, with a version that grows at every change, and the queue of the
// person's events. The server's threads call the page side; the thread that
// runs the modal loops calls the agent side. One page drives a session: the
// first that sends an event; others may watch but their events are refused.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/agents/AgentScript.h"

struct SWebEvent {
    uint64_t sequence = 0;
    SAgentCommand command;
    std::string line; // the command as a script writes it
};

struct SWebEventReply {
    enum Status { Done, Refused, BadEvent, OtherPage, Ended, TimedOut };
    Status status = Done;
    std::string error; // why the event was refused or bad
    uint64_t version = 0;
};

class CWebSession {
public:
    // The page side.

    // The state once its version is past `since` (or at once when it is
    // already), or as it is when `wait` runs out or the session ends:
    // {"version":N,"ended":..,"result":..,"window":{..},"overlay":..,"help":[..]}
    std::string StateAfter(uint64_t since, std::chrono::milliseconds wait);
    // Queues an event from page `client` and waits until the agent has carried
    // it out and shown the window that follows, or has refused it.
    SWebEventReply Submit(const std::map<std::string, std::string>& fields, const std::string& client,
                          std::chrono::milliseconds wait);

    // The agent side.

    // Shows a new state; the event being carried out is done. `overlay` is
    // "null" or a message box's or file dialog's JSON with its "kind".
    void Publish(const std::string& window, const std::string& overlay, const std::string& help);
    // The next event, waiting at most `wait`; false when none came or the
    // session is closing.
    bool NextEvent(SWebEvent& event, std::chrono::milliseconds wait);
    // The event could not be done: its page is told why.
    void Refuse(uint64_t sequence, const std::string& reason);
    // The event was done; it is answered at the next Publish (or End).
    void Started(uint64_t sequence);
    // The run is over: the last state says so and waiting pages are answered.
    void End(const std::string& result);
    // Waits (at most `wait`) until a page has read the final state.
    bool WaitEndSeen(std::chrono::milliseconds wait);
    // The server is going: the agent gets no more events.
    void Close();
    bool IsClosed() const;
    uint64_t Version() const;

private:
    std::string StateLocked() const;
    void FinishStartedLocked();
    // Stores the answer to `sequence` for the request waiting on it.
    void ReplyLocked(uint64_t sequence, SWebEventReply reply);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    uint64_t m_version = 0;
    std::string m_window = "{}";
    std::string m_overlay = "null";
    std::string m_help = "[]";
    std::string m_result;
    bool m_ended = false;
    bool m_endSeen = false;
    bool m_closed = false;
    std::string m_driver; // the page that drives the session
    uint64_t m_nextSequence = 1;
    uint64_t m_started = 0; // the event being carried out, 0: none
    std::deque<SWebEvent> m_queue;
    std::map<uint64_t, SWebEventReply> m_replies;
    std::set<uint64_t> m_abandoned; // events whose request stopped waiting
};
