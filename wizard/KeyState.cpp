#include "wizard/KeyState.h"

#include <set>

namespace {
// User-interface thread only, like every window.
std::set<int>& HeldKeys()
{
    static std::set<int> keys;
    return keys;
}
} // namespace

bool IsKeyDown(int virtualKey) { return HeldKeys().count(virtualKey) != 0; }

void SetKeyDown(int virtualKey, bool down)
{
    if (down)
        HeldKeys().insert(virtualKey);
    else
        HeldKeys().erase(virtualKey);
}
