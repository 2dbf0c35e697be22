#pragma once
// Running a modal window answered from a browser page (--web): serves the page
// on the loopback address with a fresh token, prints its address, and stops
// serving once the window has closed.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/system/Result.h"

class CSessionJournal;

namespace wizhost {

// Runs `modal` (a DoModal) with the web agent; `result` is what it returned.
// Fails before the window opens when no port or token can be had.
CResult RunOnWeb(const std::function<intptr_t()>& modal, int port, CSessionJournal* journal, intptr_t& result);

// "--port N": a port from 1 to 65535, or 0 for any free one.
bool ParsePort(const std::string& text, int& port);

} // namespace wizhost
