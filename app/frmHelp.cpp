#include "frmHelp.h"

#include "HelpText.h"
#include "WindowDesigns.h"

frmHelp::frmHelp() : ui::Form(SkinnedWindowDesign("Help", 5460, 4650, false))
{
    txtHelp.MultiLine = true;
    // Read-only as well as deaf to typing: Delete and paste are no key presses.
    txtHelp.Locked = true;
    txtHelp.Font(ui::FontSpec{"Terminal", 9, false, false, 255});
    txtHelp.ToolTipText("Help");
    txtHelp.Move(165, 570, 4920, 3825);
    txtHelp.KeyPress = [this](int& KeyAscii) { txtHelp_KeyPress(KeyAscii); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
}

void frmHelp::Form_Load()
{
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    // The skinned frame's ShowMaximize and ShowMinimize are switched off here once it is placed.
    txtHelp.Text(HelpText());
}

void frmHelp::txtHelp_KeyPress(int& KeyAscii) { KeyAscii = 0; }
