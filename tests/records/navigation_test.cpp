#include "shell/records/navigation.h"

#include <gtest/gtest.h>

using namespace rec;

TEST(NavigationKeys, EveryKeyWithEveryShiftState)
{
    struct Case {
        int key, shift;
        NavAction expected;
    };
    const Case cases[] = {
        {KeyEscape, 0, NavAction::Close},          {KeyEscape, CtrlKey | ShiftKey, NavAction::Close},
        {KeyEnd, 0, NavAction::Last},              {KeyEnd, CtrlKey, NavAction::Last},
        {KeyHome, 0, NavAction::First},            {KeyHome, AltKey, NavAction::First},
        {KeyUp, 0, NavAction::Previous},           {KeyPageUp, 0, NavAction::Previous},
        {KeyUp, CtrlKey, NavAction::First},        {KeyPageUp, CtrlKey, NavAction::First},
        {KeyUp, CtrlKey | ShiftKey, NavAction::Previous},
        {KeyUp, ShiftKey, NavAction::Previous},    {KeyPageUp, CtrlKey | AltKey, NavAction::Previous},
        {KeyDown, 0, NavAction::Next},             {KeyPageDown, 0, NavAction::Next},
        {KeyDown, CtrlKey, NavAction::Last},       {KeyPageDown, CtrlKey, NavAction::Last},
        {KeyDown, CtrlKey | ShiftKey, NavAction::Next},
        {KeyDown, AltKey, NavAction::Next},
        {13, 0, NavAction::None},                  {37, 0, NavAction::None},
        {39, CtrlKey, NavAction::None},            {65, 0, NavAction::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(navigationAction(c.key, c.shift), c.expected) << "key " << c.key << " shift " << c.shift;
}
