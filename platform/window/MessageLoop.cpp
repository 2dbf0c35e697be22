// The message queue, the virtual clock with its timers, and the modal loop.
#include <algorithm>
#include <cassert>
#include <deque>

#include "platform/agents/UserAgent.h"
#include "platform/agents/UserInput.h"
#include "platform/window/Wnd.h"

namespace {

struct Posted {
    CWnd* target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Timer {
    CWnd* target;
    UINT_PTR id;
    unsigned interval;
    unsigned long long due;
    unsigned long long order; // ties fire in the order the timers were set
};

std::deque<Posted> g_posted;
std::vector<Timer> g_timers;
std::vector<CWnd*> g_modalStack;
unsigned long long g_clock = 0;
unsigned long long g_timerOrder = 0;
CUserAgent* g_agent = nullptr;

// Without anyone to act, a repeating timer would let time run forever; a
// modal loop stops waiting for timers after this many idle firings.
constexpr int kMaxIdleTimerFirings = 10000;

bool PumpOnePosted()
{
    while (!g_posted.empty()) {
        Posted p = g_posted.front();
        g_posted.pop_front();
        if (p.target) {
            p.target->SendMessage(p.message, p.wParam, p.lParam);
            return true;
        }
    }
    return false;
}

std::vector<Timer>::iterator NextTimer()
{
    return std::min_element(g_timers.begin(), g_timers.end(), [](const Timer& a, const Timer& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
}

// Fires the earliest timer when it is due by `now`; false when none is.
bool FireDueTimer(unsigned long long now)
{
    auto it = NextTimer();
    if (it == g_timers.end() || it->due > now)
        return false;
    g_clock = std::max(g_clock, it->due);
    it->due += std::max(1u, it->interval);
    CWnd* target = it->target;
    UINT_PTR id = it->id;
    target->SendMessage(WM_TIMER, id, 0);
    return true;
}

} // namespace

void SetUserAgent(CUserAgent* agent) { g_agent = agent; }
CUserAgent* GetUserAgent() { return g_agent; }

namespace WndMessages {

void Forget(CWnd* wnd)
{
    for (Posted& p : g_posted)
        if (p.target == wnd)
            p.target = nullptr;
    g_timers.erase(std::remove_if(g_timers.begin(), g_timers.end(), [wnd](const Timer& t) { return t.target == wnd; }),
                   g_timers.end());
}

int PumpMessages()
{
    int handled = 0;
    while (PumpOnePosted() || FireDueTimer(g_clock))
        ++handled;
    return handled;
}

unsigned long long GetTickCount() { return g_clock; }

void AdvanceClock(unsigned ms)
{
    const unsigned long long target = g_clock + ms;
    PumpMessages();
    while (FireDueTimer(target))
        while (PumpOnePosted()) {
        }
    g_clock = target;
}

const std::vector<CWnd*>& ModalStack() { return g_modalStack; }

CWnd* TopModal() { return g_modalStack.empty() ? nullptr : g_modalStack.back(); }

bool HasPendingTimers() { return !g_timers.empty(); }

void Reset()
{
    g_posted.clear();
    g_timers.clear();
}

} // namespace WndMessages

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return false;
    g_posted.push_back({this, message, wParam, lParam});
    return true;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse)
{
    if (!m_hWnd)
        return 0;
    // Setting a timer that exists restarts it, as the platform does.
    KillTimer(id);
    g_timers.push_back({this, id, elapse, g_clock + elapse, g_timerOrder++});
    return id;
}

bool CWnd::KillTimer(UINT_PTR id)
{
    auto it = std::find_if(g_timers.begin(), g_timers.end(),
                           [this, id](const Timer& t) { return t.target == this && t.id == id; });
    if (it == g_timers.end())
        return false;
    g_timers.erase(it);
    return true;
}

int CWnd::RunModalLoop()
{
    assert(m_hWnd && !m_inModalLoop);
    m_inModalLoop = true;
    g_modalStack.push_back(this);
    int idleFirings = 0;
    while (!m_endModal && m_hWnd) {
        if (UserInput::IsAborting()) {
            EndModalLoop(IDCANCEL);
            break;
        }
        if (PumpOnePosted() || FireDueTimer(g_clock))
            continue;
        if (g_agent && g_agent->OnIdle(this)) {
            idleFirings = 0;
            continue;
        }
        // Nobody acts: time passes to the next timer, if any is left.
        auto next = NextTimer();
        if (next != g_timers.end() && idleFirings++ < kMaxIdleTimerFirings) {
            FireDueTimer(next->due);
            continue;
        }
        CancelModal();
        if (!m_endModal)
            EndModalLoop(IDCANCEL); // nobody is there to answer a refusal
    }
    g_modalStack.erase(std::find(g_modalStack.begin(), g_modalStack.end(), this));
    m_inModalLoop = false;
    m_endModal = false;
    UserInput::EndAbortIfIdle();
    return m_nModalResult;
}

void CWnd::EndModalLoop(int result)
{
    m_nModalResult = result;
    m_endModal = true;
}
