#pragma once
// What the skinned windows share in their designs.
#include "resource.h"
#include "frame/TamselXPFormWindow.h"
#include "ui/Form.h"

// A fixed window centred on the screen, in the program's back colour and icon,
// without maximize box (the skinned frame decides on the caption buttons).
inline ui::FormDesign SkinnedWindowDesign(const std::string& caption, int clientWidth, int clientHeight,
                                          bool minButton, bool escapeCloses = false)
{
    ui::FormDesign design;
    design.Caption = caption;
    design.ClientWidth = clientWidth;
    design.ClientHeight = clientHeight;
    design.BackColor = 0xD8E9EC;
    design.BorderStyle = ui::vbFixedSingle;
    design.MinButton = minButton;
    design.MaxButton = false;
    design.Icon = IDI_TAVRIK;
    design.EscapeCloses = escapeCloses;
    return design;
}

// The visual-style control's settings, the same on every window that has one.
inline constexpr const char* kStyleXPSettings = "colorscheme = Long:1\r\ncommon_dialog = Boolean:0\r\n";

// The skinned frame as these windows store it: filling the window, adopting it
// when shown, in the silver scheme, with the program icon.
inline void PlaceFrame(TamselXPFormWindow& frame, ui::Form& form, const std::string& caption, const ui::FontSpec& font,
                       bool enableMaximize = false)
{
    frame.Move(0, 0, form.ScaleWidth(), form.ScaleHeight());
    ui::PropertyBag design;
    design.WriteString("Caption", caption, "");
    design.WriteFont("Font", font, form.Font());  // the frame's default is the form's own font
    design.WriteBool("EnableMaximize", enableMaximize, true);
    design.WriteBool("AutoLoad", true, false);
    design.WriteLong("Theme", 2, 0);
    design.WriteLong("Icon", IDI_TAVRIK, 0);
    frame.ReadProperties(design);
}

// A window resized takes the frame's size, as every skinned window does.
inline void FitToFrame(ui::Form& form, const TamselXPFormWindow& frame)
{
    // One move, not a width then a height: each is a repaint of the whole form.
    form.Move(form.Left(), form.Top(), frame.Width(), frame.Height());
}
