#pragma once
// The main window: mounts the folder of the command line on a free letter,
// lists and unmounts the bindings, keeps the history of mounted folders, and
// opens the start-up setup and the help.
#include "StyleXP.h"
#include "ctxHookMenu.h"
#include "engine/modLists.h"
#include "frame/TamselXPFormWindow.h"
#include "ui/Form.h"

class frmMount : public ui::Form {
public:
    frmMount();

    // Refills the list of mounted folders where the bindings changed.
    void GetDriveData();

    ui::ComboBox cboDrive{*this, "cboDrive"};
    ui::CommandButton cmdOk{*this, "cmdOk"};
    ui::CommandButton cmdBoot{*this, "cmdBoot"};
    ui::CommandButton cmdHelp{*this, "cmdHelp"};
    ui::ListBox vList{*this, "vList"};
    ui::ListBox oList{*this, "oList"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::Label Label3{*this, "Label3"};
    ui::Label lblFolder{*this, "lblFolder"};  // the folder the mount button binds
    ui::Shape Shape1{*this, "Shape1"};
    ui::Image Image1{*this, "Image1"};
    TamselXPFormWindow TamselXPForm1{*this, "TamselXPForm1"};
    StyleXP StyleXP1{*this, "StyleXP1"};
    ctxHookMenu ctxHookMenu1{*this, "ctxHookMenu1"};
    ui::Menu mnuMenu{*this, "mnuMenu", "Menu"};
    ui::Menu mnuMenuOpen{*this, "mnuMenuOpen", "&Open", &mnuMenu};
    ui::Menu mnuMenuCopy{*this, "mnuMenuCopy", "&Copy folder path", &mnuMenu};
    ui::Menu mnuMenuRename{*this, "mnuMenuRename", "Rena&me", &mnuMenu};
    ui::Menu mnuMenuUnmount{*this, "mnuMenuUnmount", "&Unmount", &mnuMenu};
    ui::Menu mnuo{*this, "mnuo", "MenuO"};
    ui::Menu mnuoMount{*this, "mnuoMount", "&Mount", &mnuo};
    ui::Menu mnuoClear{*this, "mnuoClear", "&Clear", &mnuo};

protected:
    void Form_Load() override;
    void Form_Resize() override;
    // A copy of the program, or anything else, may have bound or removed a
    // letter while the window was in the background.
    void Form_Activate() override { GetDriveData(); }
    void Form_Unload(int& Cancel) override;

private:
    void cmdOk_Click();
    void cmdBoot_Click();
    void cmdHelp_Click();
    void vList_MouseDown(int Button, int Shift, float X, float Y);
    void oList_MouseDown(int Button, int Shift, float X, float Y);
    void mnuMenuOpen_Click();
    void mnuMenuCopy_Click();
    void mnuMenuRename_Click();
    void mnuMenuUnmount_Click();
    void mnuoMount_Click();
    void mnuoClear_Click();
    void cboDrive_KeyPress(int& KeyAscii);

    // The folder of the command line, in the button band; nothing without one.
    void ShowFolder();
    void DefineNullTargets();
    void SetListTabStops();
    void ShowMountFailed();
    // Mounts a folder on the picked letter, saying why where it could not.
    modLists::MountResult MountOnPickedLetter(const std::string& folder);
    void ReadHistory();
    void ShowHistory(const std::vector<std::string>& lines);
    void vList_KeyDown(int& KeyCode, int Shift);
};
