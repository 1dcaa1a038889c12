#include "frmLabel.h"

#include "WindowDesigns.h"

frmLabel::frmLabel(const std::string& drive, const std::string& label)
    : ui::Form(SkinnedWindowDesign("Rename Drive", 4800, 1860, false, true)), m_Initial(label)
{
    lblLabel.Caption("&Label Explorer shows for " + drive);
    lblLabel.Move(165, 570, 4470, 195);
    lblLabel.TabIndex(0);
    txtLabel.Move(165, 810, 4470, 315);
    txtLabel.TabIndex(1);
    txtLabel.ToolTipText("Empty: the folder's own name");

    cmdOk.Caption("OK");
    cmdOk.Default = true;
    cmdOk.Move(2340, 1320, 1095, 375);
    cmdOk.TabIndex(2);
    cmdOk.Click = [this] { cmdOk_Click(); };
    cmdCancel.Caption("Cancel");
    cmdCancel.Move(3540, 1320, 1095, 375);
    cmdCancel.TabIndex(3);
    cmdCancel.Click = [this] { Unload(); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
    PlaceFrame(TamselXPForm1, *this, "Rename Drive", ui::FontSpec{"MS Sans Serif", 8.25}, false);
}

void frmLabel::Form_Resize() { FitToFrame(*this, TamselXPForm1); }

void frmLabel::Form_Load()
{
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    TamselXPForm1.ShowMaximize(false);
    TamselXPForm1.ShowMinimize(false);
    txtLabel.Text(m_Initial);
}

void frmLabel::cmdOk_Click()
{
    m_Label = txtLabel.Text();
    m_Accepted = true;
    Unload();
}
