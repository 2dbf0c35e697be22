#pragma once
// The terminal agent: lets a person answer the modal windows. Before each
// prompt it prints the top window (FormatWindowView); it reads the agent
// commands of docs/agent-script.md one line at a time, plus "?" for the list.
// A command that cannot be done is explained and the prompt comes back;
// nothing stops the run but Cancel, the end of the input, or the windows
// closing. Message boxes and file dialogs are shown as prompts of their own.
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/agents/UserAgent.h"

class CSessionJournal;

class CTerminalAgent : public CUserAgent {
public:
    CTerminalAgent(std::istream& in, std::ostream& out);

    // Records every step that took effect (null: none). The caller keeps it.
    void SetJournal(CSessionJournal* journal) { m_journal = journal; }

    bool OnIdle(CWnd* modal) override;
    int OnMessageBox(const CMessageBoxRequest& request) override;
    std::optional<std::string> OnFileDialog(const CFileDialogRequest& request) override;

    // The input ended: every window that was still open has been cancelled.
    bool InputEnded() const { return m_ended; }

private:
    // True once the journal could not be written; the windows are then
    // ended, since a step it does not hold must not be taken.
    bool JournalFailed();
    // The next line, or false at the end of the input.
    bool ReadLine(const char* prompt, std::string& line);

    std::istream& m_in;
    std::ostream& m_out;
    CSessionJournal* m_journal = nullptr;
    bool m_ended = false;
    int m_lineNumber = 0;
};
