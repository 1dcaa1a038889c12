#pragma once
// The pop-up menu of a list's lines, from the mouse and from the keyboard.
#include "ui/Form.h"

// A right press acts on the line under the pointer: it selects it first, and
// below the last line there is nothing to act on.
inline bool SelectLineAt(ui::ListBox& list, float X, float Y)
{
    const int line = list.ItemAt(X, Y);
    if (line < 0)
        return false;
    list.ListIndex(line);
    return true;
}

// Shift+F10 or the context-menu key on a list: its menu, for the selected
// line (the first when none is), opened at that line.
inline void ListMenuFromKeyboard(ui::Form& form, ui::ListBox& list, ui::Menu& menu)
{
    if (list.ListCount() == 0)
        return;
    if (list.ListIndex() < 0)
        list.ListIndex(0);
    if (const auto at = list.ItemPlace(list.ListIndex()))
        form.PopupMenu(menu, at->first, at->second);
}
