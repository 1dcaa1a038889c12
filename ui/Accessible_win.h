#pragma once
// What a screen reader reads of the controls (MSAA). A control whose window the
// system describes well enough is left to the system. Any other answers
// WM_GETOBJECT with the system's own object for its window, wrapped: the
// wrapper asks the control, on every request, for what the system cannot know
// (the role of a button the program draws itself, a name from a label or of its
// own, an access key, a press) and passes everything else on.
#include "Controls.h"

#include <windows.h>

#include <optional>
#include <string>

namespace ui::win {

// The answer to a screen reader's message to the control's window `window`
// (the control's own, or one of its pieces); nothing for any other message.
std::optional<LRESULT> AccessibilityMessage(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The label Windows names a control by, as a screen reader finds it: the
// static text just before the window in z-order (hidden windows skipped). Its
// text without the '&' marks, and its access key; empty when there is none.
struct LabelText {
    std::string text;
    char accessKey = 0;
};
LabelText LabelBefore(HWND window);

}  // namespace ui::win
