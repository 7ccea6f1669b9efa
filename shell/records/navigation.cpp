#include "navigation.h"

namespace rec {

NavAction navigationAction(int keyCode, int shift)
{
    switch (keyCode) {
    case KeyEscape:
        return NavAction::Close;
    case KeyEnd:
        return NavAction::Last;
    case KeyHome:
        return NavAction::First;
    case KeyUp:
    case KeyPageUp:
        return shift == CtrlKey ? NavAction::First : NavAction::Previous;
    case KeyDown:
    case KeyPageDown:
        return shift == CtrlKey ? NavAction::Last : NavAction::Next;
    default:
        return NavAction::None;
    }
}

} // namespace rec
