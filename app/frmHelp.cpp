#include "frmHelp.h"

#include "HelpText.h"
#include "resource.h"

namespace {

ui::FormDesign Design()
{
    ui::FormDesign design;
    design.Caption = "Help";
    design.ClientWidth = 5460;
    design.ClientHeight = 4650;
    design.BackColor = 0xD8E9EC;
    design.BorderStyle = ui::vbFixedSingle;
    design.MinButton = false;
    design.MaxButton = false;
    design.Icon = IDI_TAVRIK;
    return design;
}

constexpr const char* kStyleXPDesign = "colorscheme = Long:1\r\ncommon_dialog = Boolean:0\r\n";

}  // namespace

frmHelp::frmHelp() : ui::Form(Design())
{
    txtHelp.MultiLine = true;
    // Read-only as well as deaf to typing: Delete and paste are no key presses.
    txtHelp.Locked = true;
    txtHelp.Font(ui::FontSpec{"Terminal", 9, false, false, 255});
    txtHelp.ToolTipText("Help");
    txtHelp.Move(165, 570, 4920, 3825);
    txtHelp.KeyPress = [this](int& KeyAscii) { txtHelp_KeyPress(KeyAscii); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPDesign))
        StyleXP1.ReadProperties(*bag);
}

void frmHelp::Form_Load()
{
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    // The skinned frame's ShowMaximize and ShowMinimize are switched off here once it is placed.
    txtHelp.Text(HelpText());
}

void frmHelp::txtHelp_KeyPress(int& KeyAscii) { KeyAscii = 0; }
