#include "frmMount.h"

#include "ComboLetterPicker.h"
#include "ListMenus.h"
#include "engine/modElevated.h"
#include "engine/modFiles.h"
#include "engine/modLabels.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"
#include "frmHelp.h"
#include "frmLabel.h"
#include "frmStartLoad.h"
#include "Messages.h"
#include "modMain.h"
#include "WindowDesigns.h"
#include "ui/App.h"
#include "ui/Services.h"

namespace {

// Run as administrator in a session of its own, the window says so, as
// Windows' own elevated windows do: its drives are not the normal programs'.
std::string MainCaption()
{
    return modElevated::WhereItRuns() == modElevated::Place::Elevated ? "Administrator: Ombrilo" : "Ombrilo";
}

}  // namespace

frmMount::frmMount() : ui::Form(SkinnedWindowDesign(MainCaption(), 6030, 4380, true))
{
    cboDrive.Move(5250, 1380, 615, 315);
    cboDrive.TabIndex(1);
    cboDrive.ToolTipText("Drive Letter");
    cboDrive.KeyPress = [this](int& KeyAscii) { cboDrive_KeyPress(KeyAscii); };
    cboDrive.Locked = true;  // nor can Delete or paste change the letter

    cmdOk.Move(195, 600, 810, 600);
    cmdOk.TabIndex(2);
    cmdOk.ToolTipText("Ombrilo");
    cmdOk.Picture = IDI_MOUNT;
    cmdOk.PictureName = "&Mount";
    cmdOk.Default = true;
    cmdOk.Click = [this] { cmdOk_Click(); };

    cmdBoot.Move(1155, 600, 810, 600);
    cmdBoot.TabIndex(3);
    cmdBoot.ToolTipText("Setup [Mount as Win Boot]");
    cmdBoot.Picture = IDI_SETUP;
    cmdBoot.PictureName = "&Setup";
    cmdBoot.Click = [this] { cmdBoot_Click(); };

    cmdHelp.Move(2145, 600, 810, 600);
    cmdHelp.TabIndex(4);
    cmdHelp.ToolTipText("Help");
    cmdHelp.Picture = IDI_HELP;
    cmdHelp.PictureName = "&Help";
    cmdHelp.Click = [this] { cmdHelp_Click(); };

    vList.Move(90, 1740, 5850, 1125);
    vList.TabIndex(6);
    vList.MouseDown = [this](int Button, int Shift, float X, float Y) { vList_MouseDown(Button, Shift, X, Y); };
    vList.ContextMenuKey = [this] { ListMenuFromKeyboard(*this, vList, mnuMenu); };
    vList.KeyDown = [this](int& KeyCode, int Shift) { vList_KeyDown(KeyCode, Shift); };
    // A double click, or Enter, opens the line's drive, as its "&Open" does.
    vList.DblClick = [this] { mnuMenuOpen_Click(); };

    oList.Move(90, 3150, 5850, 1125);
    oList.TabIndex(8);
    oList.MouseDown = [this](int Button, int Shift, float X, float Y) { oList_MouseDown(Button, Shift, X, Y); };
    oList.ContextMenuKey = [this] { ListMenuFromKeyboard(*this, oList, mnuo); };
    // A double click, or Enter, mounts the line, as its "&Mount" does.
    oList.DblClick = [this] { mnuoMount_Click(); };

    // Each label comes just before the control it names in tab order, and so
    // in z-order, where a screen reader looks for a control's name; the tab
    // stops keep their order.
    Label1.Caption("Drive Letter");
    Label1.Move(4200, 1425, 825, 195);
    Label1.TabIndex(0);
    Label2.Caption("List of Mounted Folders");
    Label2.Move(120, 1470, 1650, 195);
    Label2.TabIndex(5);
    Label3.Caption("List of Previously Mounted Folders");
    Label3.Move(105, 2925, 2415, 195);
    Label3.TabIndex(7);

    // Between the help button and the emblem, on the buttons' middle; last in
    // tab order, so that it names no list or box to a screen reader.
    lblFolder.Move(3045, 802, 1485, 195);
    lblFolder.TabIndex(9);
    lblFolder.PathEllipsis = true;
    lblFolder.BackColor(0xE0E0E0);  // the band's own fill

    Shape1.Move(60, 300, 5940, 1050);
    Shape1.BorderColor = 0x808080;
    Shape1.FillColor = 0xE0E0E0;
    Shape1.Filled = true;

    Image1.Picture = IDI_EMBLEM;
    Image1.PictureSize = 64;
    Image1.Move(4620, 390, 960, 960);

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
    PlaceFrame(TamselXPForm1, *this, MainCaption(), ui::FontSpec{"MS Sans Serif", 8.25});
    ctxHookMenu1.MenuFont = ui::FontSpec{"Tahoma", 8.25};
    ctxHookMenu1.ItemPicture("mnuMenuOpen", IDI_MENU_OPEN);
    ctxHookMenu1.ItemPicture("mnuMenuCopy", IDI_MENU_COPY);
    ctxHookMenu1.ItemPicture("mnuMenuRename", IDI_MENU_RENAME);
    ctxHookMenu1.ItemPicture("mnuMenuUnmount", IDI_MENU_UNMOUNT);
    ctxHookMenu1.ItemPicture("mnuoMount", IDI_MENU_MOUNT);
    ctxHookMenu1.ItemPicture("mnuoClear", IDI_MENU_CLEAR);

    mnuMenu.Visible(false);
    mnuo.Visible(false);
    mnuMenuOpen.Click = [this] { mnuMenuOpen_Click(); };
    mnuMenuOpen.DefaultItem = true;  // a double click on a line opens its drive
    mnuoMount.DefaultItem = true;    // and on a history line mounts it
    mnuMenuCopy.Click = [this] { mnuMenuCopy_Click(); };
    mnuMenuRename.Click = [this] { mnuMenuRename_Click(); };
    mnuMenuUnmount.Click = [this] { mnuMenuUnmount_Click(); };
    mnuoMount.Click = [this] { mnuoMount_Click(); };
    mnuoClear.Click = [this] { mnuoClear_Click(); };
}

void frmMount::Form_Load()
{
    TamselXPForm1.CloseActive(true);

    ListFreeLetters(cboDrive, false);
    ShowFolder();

    ReadHistory();

    StyleXP1.Invoke(StyleXP::kApplyStyle);

    ctxHookMenu1.SetProperty(ctxHookMenu::kActive, true);
    ctxHookMenu1.SetProperty(ctxHookMenu::kBarStyle, std::int32_t{2});        // gradient picture bar
    ctxHookMenu1.SetProperty(ctxHookMenu::kSelectionStyle, std::int32_t{2});  // framed gradient
    ctxHookMenu1.SetProperty(ctxHookMenu::kFlatBorder, true);
    ctxHookMenu1.SetProperty(ctxHookMenu::kUseFont, true);
    using V = ctxHookMenu::Variant;
    const V white{std::int32_t{0xFFFFFF}}, lightGrey{std::int32_t{0xE0E0E0}}, grey{std::int32_t{0x808080}},
        black{std::int32_t{0x000000}};
    ctxHookMenu1.Invoke(ctxHookMenu::kSetColors, {white, white, lightGrey, white, lightGrey, black, white, white, black,
                                                  grey, lightGrey, black, black, V{true}, V{true}});

    SetListTabStops();
    DefineNullTargets();
    GetDriveData();
}

void frmMount::ShowFolder()
{
    const std::string& folder = modMain::CommandLine;
    lblFolder.Caption(folder);
    lblFolder.ToolTipText(folder);
    lblFolder.AccessibleName(folder);
    lblFolder.Visible(!folder.empty());
}

void frmMount::SetListTabStops()
{
    // Two entries with the second left at 0: the list tabs to the first, 16
    // dialog units, where the mounted folders line up.
    const std::int32_t stops[2] = {16, 0};
    ui::CurrentServices().lists.SetTabStops(vList.hWnd(), 2, stops);
}

void frmMount::Form_Resize() { FitToFrame(*this, TamselXPForm1); }

void frmMount::Form_Unload(int&) { ui::End(); }

void frmMount::GetDriveData()
{
    // Refilled only when it changed, so that a selected line stays selected.
    const auto lines = mod_DriveInfo::MountedDriveLines();
    std::vector<std::string> shown;
    for (int i = 0; i < vList.ListCount(); ++i)
        shown.push_back(vList.List(i));
    if (shown == lines)
        return;
    vList.Clear();
    for (const auto& line : lines)
        vList.AddItem(line);
}

void frmMount::ReadHistory()
{
    // A history that cannot be read shows empty, and is not written.
    ShowHistory(modLists::ReadHistory(modMain::ListDir).value_or(std::vector<std::string>{}));
}

void frmMount::ShowHistory(const std::vector<std::string>& lines)
{
    oList.Clear();
    for (const auto& line : lines)
        oList.AddItem(line);
}

void frmMount::DefineNullTargets()
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        mod_Subst::SubstDrive(std::string(1, letter), static_cast<const char*>(nullptr), 0);
}

void frmMount::ShowMountFailed() { ShowError(kMountFailedText); }

modLists::MountResult frmMount::MountOnPickedLetter(const std::string& folder)
{
    const auto result = modLists::MountFolder(cboDrive.Text(), folder, modMain::ListDir);
    switch (result) {
    case modLists::MountResult::NotADirectory:
        ShowError(FolderMissingText(folder));
        return result;
    case modLists::MountResult::Refused:
        ShowMountFailed();
        break;
    case modLists::MountResult::Mounted:
        modElevated::Mirror();
        break;
    }
    GetDriveData();
    ListFreeLetters(cboDrive, true);
    return result;
}

void frmMount::cmdOk_Click()
{
    // Only a binding that was made is a mount to remember.
    if (MountOnPickedLetter(modMain::CommandLine) != modLists::MountResult::Mounted)
        return;
    if (!modLists::AppendHistory(modMain::ListDir, modMain::CommandLine))
        ShowError(kHistoryNotWrittenText);
    ReadHistory();
}

void frmMount::cmdBoot_Click()
{
    frmStartLoad setup;
    setup.Show(1, this);
}

void frmMount::cmdHelp_Click()
{
    frmHelp help;
    help.Show(1, this);
}

void frmMount::vList_MouseDown(int Button, int, float X, float Y)
{
    if (Button == ui::vbRightButton && SelectLineAt(vList, X, Y))
        PopupMenu(mnuMenu);
}

void frmMount::oList_MouseDown(int Button, int, float X, float Y)
{
    if (Button == ui::vbRightButton && SelectLineAt(oList, X, Y))
        PopupMenu(mnuo);
}

// Delete on a mounted line does what its "&Unmount" does, F2 its "Rena&me".
void frmMount::vList_KeyDown(int& KeyCode, int)
{
    if ((KeyCode != ui::vbKeyDelete && KeyCode != ui::vbKeyF2) || vList.Text().empty())
        return;
    const bool rename = KeyCode == ui::vbKeyF2;
    KeyCode = 0;
    if (rename)
        mnuMenuRename_Click();
    else
        mnuMenuUnmount_Click();
}

// The drive a line names, in Explorer.
void frmMount::mnuMenuOpen_Click()
{
    const std::string line = vList.Text();
    if (line.empty())
        return;
    const std::string root = line.substr(0, 1) + ":\\";
    if (!ui::CurrentServices().shell.OpenFolder(hWnd(), root))
        ShowError(OpenFailedText(root));
}

// The folder a line's drive leads to, whole, for pasting anywhere.
void frmMount::mnuMenuCopy_Click()
{
    const std::string line = vList.Text();
    const auto tab = line.find('\t');
    if (tab == std::string::npos)
        return;
    if (!ui::CurrentServices().shell.CopyText(hWnd(), line.substr(tab + 1)))
        ShowError(kCopyFailedText);
}

// The drive's label for Explorer, kept for its folder: it is the folder's
// label whenever it is bound again.
void frmMount::mnuMenuRename_Click()
{
    const std::string line = vList.Text();
    const auto tab = line.find('\t');
    if (tab == std::string::npos)
        return;
    const std::string folder = line.substr(tab + 1);
    frmLabel rename(line.substr(0, 1) + ":", modLists::LabelOfFolder(modMain::ListDir, folder));
    rename.Show(1, this);
    if (!rename.Accepted())
        return;
    if (!modLists::KeepLabel(modMain::ListDir, folder, rename.Label()))
        ShowError(kLabelNotKeptText);
    // The label is the folder's: every drive bound to it shows it.
    modLists::RelabelFolderDrives(folder, rename.Label());
}

void frmMount::mnuMenuUnmount_Click()
{
    const std::string line = vList.Text();
    if (line.empty())
        return;
    if (mod_DriveInfo::RemoveSubstDrive(line.substr(0, 1) + ":") == mod_DriveInfo::RemoveResult::Removed)
        modElevated::Mirror();
    GetDriveData();
}

void frmMount::mnuoMount_Click()
{
    const std::string line = oList.Text();
    if (!line.empty())
        MountOnPickedLetter(line);
}

void frmMount::mnuoClear_Click()
{
    if (modLists::ClearHistory(modMain::ListDir)) {
        oList.Clear();
        return;
    }
    ShowError(kHistoryNotClearedText);
    // What the file holds: read again where it can be, else the lines shown,
    // which it still holds. Never an emptiness that would come back.
    if (const auto lines = modLists::ReadHistory(modMain::ListDir))
        ShowHistory(*lines);
}

void frmMount::cboDrive_KeyPress(int& KeyAscii) { PickTypedLetter(cboDrive, KeyAscii); }
