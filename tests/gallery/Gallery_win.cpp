// Every control the program ships, on one sizable skinned form, so that the
// ones no window of the program places are still seen working: XP push buttons
// in each state, the frame's caption buttons and menu-strip labels. A journey
// drives it with real input; the label at the bottom tells what happened.
#include "frame/TamselXPFormWindow.h"
#include "os/Win32System.h"
#include "ui/Win32Services.h"
#include "ui/App.h"
#include "ui/Form.h"
#include "widgets/XPButtonWindow.h"

#include <windows.h>

#include <string>

namespace {

class frmGallery : public ui::Form {
public:
    frmGallery() : ui::Form(Design())
    {
        cmdFirst.Move(300, 900, 1185, 510);
        cmdFirst.Button().Caption("&First");
        cmdFirst.Button().Click = [this] { Tell("First clicked"); };
        cmdSecond.Move(1650, 900, 1185, 510);
        cmdSecond.Button().Caption("&Second");
        cmdSecond.Button().Click = [this] { Tell("Second clicked"); };
        cmdOff.Move(3000, 900, 1185, 510);
        cmdOff.Button().Caption("Off");
        cmdOff.Button().Enabled(false);
        cmdOff.Button().Click = [this] { Tell("Off clicked"); };

        lblLog.Move(300, 1800, 5000, 300);
        lblLog.Caption("Ready");

        mnuFile.Tag("MainMenu");
        mnuFileOpen.Click = [this] { Tell("Open chosen"); };
        mnuView.Tag("MainMenu");
        mnuViewBig.Click = [this] { Tell("Big chosen"); };

        frame.Move(0, 0, ScaleWidth(), ScaleHeight());
        ui::PropertyBag design;
        design.WriteString("Caption", "Gallery", "");
        design.WriteBool("AutoLoad", true, false);
        design.WriteLong("Theme", 0, 0);
        frame.ReadProperties(design);
    }

    XPButtonWindow cmdFirst{*this, "XPButton1"};
    XPButtonWindow cmdSecond{*this, "XPButton2"};
    XPButtonWindow cmdOff{*this, "XPButton3"};
    ui::Label lblLog{*this, "lblLog"};
    ui::Menu mnuFile{*this, "mnuFile", "&File"};
    ui::Menu mnuFileOpen{*this, "mnuFileOpen", "&Open", &mnuFile};
    ui::Menu mnuView{*this, "mnuView", "&View"};
    ui::Menu mnuViewBig{*this, "mnuViewBig", "&Big", &mnuView};
    TamselXPFormWindow frame{*this, "TamselXPForm1"};

protected:
    void Form_Resize() override
    {
        Width(frame.Width());
        Height(frame.Height());
    }

private:
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Gallery";
        design.ClientWidth = 6000;
        design.ClientHeight = 3000;
        design.BackColor = 0xD8E9EC;
        design.BorderStyle = ui::vbSizable;
        design.Font = ui::FontSpec{"Tahoma", 8.25};
        return design;
    }

    void Tell(const std::string& what) { lblLog.Caption(what + " " + std::to_string(++m_Events)); }

    int m_Events = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    os::ScopedSystem system(os::Win32());
    ui::ScopedServices services(ui::Win32Services());
    ui::App::ReadScreenScale();
    frmGallery gallery;
    if (!gallery.Show())
        return 1;
    ui::App::Run();
    return 0;
}
