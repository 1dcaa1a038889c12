#pragma once
// The application object and the few global services of the toolkit.
#include "UiTypes.h"

#include <string>

namespace ui {

namespace App {
// The program's folder, without a closing backslash unless it is a drive root.
std::string Path();
// The command-line text after the program name, as Windows hands it over.
std::string Command();
int Major();
int Minor();
int Revision();
// Runs the message loop until no form is left loaded.
void Run();
// Reads the screen's scale, which every form made from then on takes; once,
// before the first form.
void ReadScreenScale();
}  // namespace App

// Lets pending window events run.
void DoEvents();
// Ends the program at once: no window is asked, no close step runs.
[[noreturn]] void End();
// A message box over the active window; returns the button pressed.
int MsgBox(const std::string& prompt, int buttons, const std::string& title);

}  // namespace ui
