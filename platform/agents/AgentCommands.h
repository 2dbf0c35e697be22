#pragma once
// Carrying out the agents' commands (AgentScript.h) on the top modal window,
// shared by the script agent and the terminal agent so that both mean the
// same by every command.
#include <string>

#include "platform/agents/AgentScript.h"
#include "platform/agents/UserInput.h"

class CWnd;

enum class AgentCommandClass {
    Check,       // an expectation or "show": looks, changes nothing
    Action,      // acts on the window: the modal loop must run before the next command
    MessageBox,  // answer
    FileDialog,  // choose
    Terminal,    // "?"
};

AgentCommandClass ClassOfAgentCommand(AgentOp op);

// Runs a Check or Action command on `modal`. "show" appends the window's
// picture to `shown`. The result says why the command could not be done.
CInputResult RunAgentWindowCommand(CWnd* modal, const SAgentCommand& command, std::string& shown);

// Checks "expect message" against the text of a message box.
CInputResult CheckAgentMessage(const SAgentCommand& command, const std::string& boxText);

// The text of the last message box in the UI log; false when there was none.
bool LastLoggedMessage(std::string& text);
