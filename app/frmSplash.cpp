#include "frmSplash.h"

#include "engine/modElevated.h"
#include "engine/modLists.h"
#include "modMain.h"
#include "resource.h"
#include "ui/App.h"

#include <string>

namespace {

ui::FormDesign Design()
{
    ui::FormDesign design;
    design.Caption = "Splash";
    design.ClientWidth = 4020;
    design.ClientHeight = 1500;
    design.BackColor = 0xD8E9EC;
    design.BorderStyle = ui::vbBSNone;
    design.ControlBox = false;
    design.MinButton = false;
    design.MaxButton = false;
    design.ShowInTaskbar = false;
    return design;
}

}  // namespace

frmSplash::frmSplash() : ui::Form(Design())
{
    tmrRun.Interval(1000);
    tmrRun.Tick = [this] { tmrRun_Timer(); };

    Frame1.Move(0, -75, 4020, 1575);

    lblName.Caption("Tavrik");
    lblName.Font(ui::FontSpec{"Palatino Linotype", 15.75, true});
    lblName.BackColor(0xD8E9EC);
    lblName.Move(1440, 540, 2400, 420);

    Image1.Picture = IDI_EMBLEM;
    Image1.PictureSize = 64;
    Image1.Move(300, 270, 960, 960);
}

void frmSplash::Form_Load()
{
    lblName.Caption("Tavrik " + std::to_string(ui::App::Major()) + "." + std::to_string(ui::App::Minor()) + "." +
                    std::to_string(ui::App::Revision()));
}

void frmSplash::tmrRun_Timer()
{
    tmrRun.Enabled(false);
    modLists::RunStartupList(modMain::ListDir);
    modElevated::Mirror();
    ui::End();
}
