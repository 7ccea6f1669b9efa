#pragma once
// What a record-editing window does with a key while the user is browsing.
// Plain C++ so that the whole key table can be tested without a window.

namespace rec {

// Key codes as the record windows number them.
enum KeyCode : int {
    KeyEscape = 27,
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyUp = 38,
    KeyDown = 40,
};

// Shift state: a mask of these.
enum ShiftMask : int { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

enum class NavAction { None, Close, First, Last, Previous, Next };

// The action for a key pressed while browsing. Ctrl alone (exactly the Ctrl
// bit) turns Up/Page Up into "first" and Down/Page Down into "last"; with any
// other shift state they step one row.
NavAction navigationAction(int keyCode, int shift);

} // namespace rec
