#pragma once
// Enter presses the command button that has the focus, in every window of
// the program, as Space does. A text field, a grid or a list keeps what Enter
// means to it: only a focused push button is pressed. A held Enter presses
// a button, or a dialog's default button, once: its key repeats press none.

namespace plat {

// Installs the behaviour for the whole application (once; later calls do
// nothing). The program calls it at start; a test that builds windows by
// itself calls it the same way.
void installEnterPressesButtons();

} // namespace plat
