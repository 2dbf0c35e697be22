#pragma once
// The web agent: a person answers the modal windows from a browser page. The
// agent publishes the top window (WindowState.h) to the session whenever the
// loop is idle and carries out the events the page sends, which are agent
// commands (WebEvent.h) run by the same code as a script's. Message boxes and
// file dialogs are published as overlays and wait for their answer.
//
// Time is virtual and moves only when the person acts; while a window has
// timers running, the agent lets the clock follow the real one and records
// the waits, so a journal of the run replays the same timers.
#include <chrono>
#include <optional>
#include <string>

#include "platform/agents/UserAgent.h"

class CSessionJournal;
class CWebSession;
struct SWebEvent;

class CWebAgent : public CUserAgent {
public:
    // `journal` (may be null) records every step that took effect.
    CWebAgent(CWebSession& session, CSessionJournal* journal);

    bool OnIdle(CWnd* modal) override;
    int OnMessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> OnFileDialog(const CFileDialogRequest& request) override;

    // How long the agent waits for the person before the clock of a window
    // with timers moves on by as much.
    static constexpr std::chrono::milliseconds kTick{250};

private:
    void Publish(CWnd* modal, const std::string& overlay);
    // True once the journal could not be written; the windows are then ended.
    bool JournalFailed();
    // Carries out an answer or a choice if `event` is one (true); refuses it otherwise.
    bool Accept(const SWebEvent& event, bool messageBox, const std::string& refusal);

    CWebSession& m_session;
    CSessionJournal* m_journal;
    size_t m_helpFrom; // help pop-ups before the run are not the page's
};
