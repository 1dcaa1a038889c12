#pragma once
// What the skinned windows share in their designs.
#include "resource.h"
#include "platform/ui/Form.h"

// A fixed window centred on the screen, in the program's back colour and icon,
// without maximize box (the skinned frame decides on the caption buttons).
inline ui::FormDesign SkinnedWindowDesign(const std::string& caption, int clientWidth, int clientHeight,
                                          bool minButton)
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
    return design;
}

// The visual-style control's settings, the same on every window that has one.
inline constexpr const char* kStyleXPSettings = "colorscheme = Long:1\r\ncommon_dialog = Boolean:0\r\n";
