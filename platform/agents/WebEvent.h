#pragma once
// What the page sends for a person's action, turned into the agent command a
// script would hold for it. The command is made by writing its script line
// and reading that line back, so the web agent runs, and the journal keeps,
// exactly what a script would.
#include <map>
#include <string>

#include "platform/agents/AgentScript.h"

// `fields` are the form fields of one event: "op" (click, type, select,
// check, cell, tab, selection, next, back, finish, ok, cancel, help, answer,
// choose), "id" (a control's decimal id), "text", "index", "row", "col",
// "on" (1 or 0), "how" (add, remove, extend, clear, all), "button"
// (OK, Cancel, Yes, No), "path" (absent: the dialog was cancelled).
// False, with the reason, for an event no person could have made.
bool WebEventCommand(const std::map<std::string, std::string>& fields, SAgentCommand& command, std::string& line,
                     std::string& error);
