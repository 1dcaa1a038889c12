#include "frmHelp.h"

#include "HelpText.h"
#include "WindowDesigns.h"
#include "engine/modElevated.h"

frmHelp::frmHelp() : ui::Form(SkinnedWindowDesign("Help", 5460, 4650, false, true))
{
    txtHelp.MultiLine = true;
    // Read-only as well as deaf to typing: Delete and paste are no key presses.
    txtHelp.Locked = true;
    txtHelp.Font(ui::FontSpec{"Terminal", 9, false, false, 255});
    txtHelp.ToolTipText("Help");
    txtHelp.AccessibleName("Help text");
    txtHelp.Move(165, 570, 4920, 3825);
    txtHelp.KeyPress = [this](int& KeyAscii) { txtHelp_KeyPress(KeyAscii); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
    PlaceFrame(TamselXPForm1, *this, "Help", ui::FontSpec{"Courier New", 8.25}, false);
}

void frmHelp::Form_Resize() { FitToFrame(*this, TamselXPForm1); }

void frmHelp::Form_Load()
{
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    TamselXPForm1.ShowMaximize(false);
    TamselXPForm1.ShowMinimize(false);
    txtHelp.Text(HelpText(modElevated::WhereItRuns() == modElevated::Place::Elevated));
}

void frmHelp::txtHelp_KeyPress(int& KeyAscii) { KeyAscii = 0; }
