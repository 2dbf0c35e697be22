#pragma once
// Which keys of the keyboard are held down, for the few rules that depend on
// it (F1 help against the "?" button). The platform has no keyboard of its
// own: whoever plays the user (a test, an agent) presses and releases keys here.

// True while `virtualKey` (VK_F1, VK_SHIFT...) is held down.
bool IsKeyDown(int virtualKey);
void SetKeyDown(int virtualKey, bool down);
