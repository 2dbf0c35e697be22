#pragma once
// A user agent for the platform tests: each idle moment of a modal loop runs
// the next step given, message boxes take the next queued answer, and file
// dialogs the next queued path. It installs itself and resets the process
// state (UI log, posted messages, timers) so tests do not see each other.
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/agents/UiLog.h"
#include "platform/agents/UserAgent.h"
#include "platform/agents/UserInput.h"
#include "platform/window/Wnd.h"

class StepAgent : public CUserAgent {
public:
    using Step = std::function<void(CWnd* modal)>;

    StepAgent()
    {
        ClearUiLog();
        WndMessages::Reset();
        SetUserAgent(this);
    }
    ~StepAgent() override { SetUserAgent(nullptr); }

    StepAgent& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }
    StepAgent& Answer(int button)
    {
        m_answers.push_back(button);
        return *this;
    }
    StepAgent& Choose(std::optional<std::string> path)
    {
        m_paths.push_back(std::move(path));
        return *this;
    }

    bool OnIdle(CWnd* modal) override
    {
        ++idleCalls;
        if (m_steps.empty())
            return false;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
        return true;
    }
    int OnMessageBox(const CMessageBoxRequest& request) override
    {
        lastBox = request;
        if (m_answers.empty())
            return request.defaultResult;
        int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    std::optional<std::string> OnFileDialog(const CFileDialogRequest& request) override
    {
        lastFile = request;
        if (m_paths.empty())
            return std::nullopt;
        auto p = m_paths.front();
        m_paths.pop_front();
        return p;
    }

    size_t StepsLeft() const { return m_steps.size(); }

    int idleCalls = 0;
    CMessageBoxRequest lastBox;
    CFileDialogRequest lastFile;

private:
    std::deque<Step> m_steps;
    std::deque<int> m_answers;
    std::deque<std::optional<std::string>> m_paths;
};

// Expects an input operation to succeed, reporting its reason when it does not.
#define EXPECT_INPUT(expr)                           \
    do {                                             \
        CInputResult r_ = (expr);                    \
        EXPECT_TRUE(r_.ok) << #expr << ": " << r_.reason; \
    } while (0)
