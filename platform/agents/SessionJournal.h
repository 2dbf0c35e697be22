#pragma once
// The journal of an interactive run: what the person did, written as an agent
// script (docs/agent-script.md) that replays to the same result with
// `--script`. Only steps that took effect are kept: a click on a disabled
// button, a typo at the terminal or an expectation are not part of the run.
// The file is rewritten whole (temporary file and rename) as every step is
// recorded, before the step runs: an agent whose journal cannot be written
// takes no further step and ends the run, so the journal always holds every
// step the run took.
#include <string>
#include <vector>

#include "platform/system/Result.h"

struct SAgentCommand;

class CSessionJournal {
public:
    // An empty path keeps the journal in memory only.
    explicit CSessionJournal(std::string path = {});

    // Writes the header; a path that cannot be written fails here, before
    // the person has done anything.
    CResult Start(const std::string& what);

    // Records `command` before it runs, since an action that opens a nested
    // window only returns once that window has closed, and the steps taken in
    // it come after it. Returns the step's place for Drop.
    size_t Record(const SAgentCommand& command);
    // Takes back a recorded step that could not be done.
    void Drop(size_t step);

    // The script as it stands.
    std::string Text() const;
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The first write that failed after Start, if any; from then on nothing
    // more is recorded.
    const CResult& WriteError() const { return m_writeError; }
    bool Failed() const { return !m_writeError; }

private:
    void Save();

    std::string m_path;
    std::string m_header;
    std::vector<std::string> m_lines;
    CResult m_writeError;
};

// The script line that does `command`, read back by ReadAgentLine as the same
// command: texts and paths are always quoted, items and tabs named by position
// stay "#N".
std::string AgentCommandLine(const SAgentCommand& command);
