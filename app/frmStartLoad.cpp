#include "frmStartLoad.h"

#include "ComboLetterPicker.h"
#include "ListMenus.h"
#include "engine/modElevated.h"
#include "engine/modFiles.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"
#include "modBrowse.h"
#include "Messages.h"
#include "modMain.h"
#include "WindowDesigns.h"
#include "os/System.h"
#include "os/Text.h"

#include <algorithm>

namespace {
constexpr int kFolderLeft = 825;  // where the folder box starts beside a picker of its design width
}

frmStartLoad::frmStartLoad() : ui::Form(SkinnedWindowDesign("Mount @ Win Startup", 6060, 3585, false, true))
{
    cboDrive.Move(150, 705, 615, 315);
    cboDrive.TabIndex(0);
    cboDrive.ToolTipText("Drive Letter");
    cboDrive.AccessibleName("Drive letter");  // no label names this window's controls
    cboDrive.KeyPress = [this](int& KeyAscii) { cboDrive_KeyPress(KeyAscii); };
    cboDrive.Locked = true;  // nor can Delete or paste change the letter

    txtBrowse.Move(kFolderLeft, 720, 4335, 315);  // as tall as the picker and buttons on its row
    txtBrowse.TabIndex(1);
    txtBrowse.ToolTipText("Folder path tp mount");
    txtBrowse.AccessibleName("Folder to mount");
    // Filled by the folder dialog only: no typing, and no Delete or paste either.
    txtBrowse.Locked = true;
    txtBrowse.KeyPress = [this](int& KeyAscii) { txtBrowse_KeyPress(KeyAscii); };

    cmdBrowse.Move(5205, 720, 330, 315);
    cmdBrowse.TabIndex(2);
    cmdBrowse.ToolTipText("Browse");
    cmdBrowse.Picture = IDI_BROWSE;  // "...", and the access key in its name
    cmdBrowse.PictureName = "&Browse";
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };

    cmdAdd.Move(5580, 720, 330, 315);
    cmdAdd.TabIndex(3);
    cmdAdd.ToolTipText("Add");
    cmdAdd.Picture = IDI_ADD;
    cmdAdd.PictureName = "&Add";
    cmdAdd.Click = [this] { cmdAdd_Click(); };

    vList.Move(90, 1320, 5865, 1800);
    vList.TabIndex(5);
    vList.AccessibleName("Folders mounted at start-up");
    vList.KeyUp = [this](int& KeyCode, int Shift) { vList_KeyUp(KeyCode, Shift); };
    vList.MouseDown = [this](int Button, int, float X, float Y) {
        if (Button == ui::vbRightButton && SelectLineAt(vList, X, Y))
            PopupMenu(mnuList);
    };
    vList.ContextMenuKey = [this] { ListMenuFromKeyboard(*this, vList, mnuList); };

    // Offered where programs run as administrator live in a session of their own.
    chkElevated.Move(150, 3195, 5700, 285);
    chkElevated.TabIndex(6);
    chkElevated.Caption("Also for programs &run as administrator");
    chkElevated.Click = [this] { chkElevated_Click(); };

    mnuList.Visible(false);
    mnuListRemove.Click = [this] { RemoveSelectedLine(); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
    PlaceFrame(TamselXPForm1, *this, "Mount @ Win Startup", ui::FontSpec{"Courier New", 8.25}, false);
}

void frmStartLoad::Form_Resize()
{
    FitToFrame(*this, TamselXPForm1);
    FitRow();
}

void frmStartLoad::FitRow()
{
    // The picker may be wider and taller than its design where its font needs
    // it (at a high DPI): the folder box starts the design's gap after it and
    // keeps its right end, and the box and buttons take the picker's height.
    constexpr int kGap = 60;
    const int left = cboDrive.Left() + cboDrive.ShownWidth() + kGap;
    const int right = txtBrowse.Left() + txtBrowse.Width();
    const int height = cboDrive.ShownHeight();
    txtBrowse.Move(std::max(left, kFolderLeft), txtBrowse.Top(), right - std::max(left, kFolderLeft), height);
    cmdBrowse.Height(height);
    cmdAdd.Height(height);
}

void frmStartLoad::Form_Load()
{
    m_List = modLists::LoadStartupList(modMain::ListDir);
    const auto admin = modLists::ReadAdminList();
    m_AdminLetters = modLists::LettersOf(admin);
    for (const auto& line : admin)
        if (!modLists::LettersOf({line}).empty())
            m_AdminItems.push_back(os::Current().codePage.LowerCase(line) + kAdminLineMark);
    ShowItems();
    ListFreeLetters(cboDrive, false);
    FitRow();
    if (modElevated::Offered()) {
        chkElevated.Value(modElevated::IsOn());
        chkElevated.ToolTipText("Drives you bind are seen by programs you run as administrator too");
    } else {
        chkElevated.Enabled(false);
        chkElevated.ToolTipText(modElevated::kNotOfferedText);
    }
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    TamselXPForm1.ShowMaximize(false);
    TamselXPForm1.ShowMinimize(false);
    if (!m_List) {
        // Saving an empty window over a list it never read would wipe the list.
        cmdBrowse.Enabled(false);
        cmdAdd.Enabled(false);
        ShowError(kStartupListUnreadableText);
    }
}

void frmStartLoad::Form_QueryUnload(int& Cancel, int)
{
    if (!SaveList())
        Cancel = 1;
}

void frmStartLoad::ShowItems()
{
    vList.Clear();
    for (const auto& line : m_AdminItems)
        vList.AddItem(line);
    if (m_List)
        for (const auto& line : m_List->items)
            vList.AddItem(line);
}

std::vector<std::string> frmStartLoad::Items() const
{
    std::vector<std::string> items;
    for (int i = AdminCount(); i < vList.ListCount(); ++i)
        items.push_back(vList.List(i));
    return items;
}

bool frmStartLoad::SaveList()
{
    if (!m_List)
        return true;
    for (;;) {
        const auto result = modLists::SaveStartupList(modMain::ListDir, *m_List, Items());
        m_Saved = result != modLists::SaveResult::Failed;
        if (result == modLists::SaveResult::Merged)
            ShowItems();  // another window's change is in the file now, and shows here too
        if (m_Saved)
            return true;
        switch (ui::MsgBox(kStartupListNotSavedText, ui::vbCritical | ui::vbYesNoCancel, "ERROR!")) {
        case ui::vbYes:
            continue;
        case ui::vbNo:
            return true;  // the user lets the changes go
        default:
            return false;  // nothing typed is lost: the window stays
        }
    }
}

void frmStartLoad::cmdBrowse_Click()
{
    const std::string path = modBrowse::BrowseForFolder("Folder to mount.", hWnd(), false);
    if (path.empty())
        return;
    // The dialog may hand back a path cut short, or an item that is no folder:
    // a pair the start-up run could only skip at every log-on is not taken.
    if (!modFiles::IsDirectory(path)) {
        ShowError(FolderNotTakenText(path));
        return;
    }
    txtBrowse.Text(path);
}

void frmStartLoad::cmdAdd_Click()
{
    if (!m_List || txtBrowse.Text().empty())
        return;
    // The start-up run would skip the line for the administrator's.
    const std::string letter = cboDrive.Text();
    if (!letter.empty() && m_AdminLetters.find(text::UpperChar(letter[0])) != std::string::npos) {
        ShowError(AdminLetterText(mod_Subst::DeviceName(letter, true)));
        return;
    }
    vList.AddItem(letter + "\t" + txtBrowse.Text());
}

void frmStartLoad::vList_KeyUp(int& KeyCode, int)
{
    if (KeyCode == ui::vbKeyDelete)
        RemoveSelectedLine();
}

void frmStartLoad::RemoveSelectedLine()
{
    const int index = vList.ListIndex();
    if (index >= 0 && index < AdminCount()) {
        ShowError(AdminLetterText(mod_Subst::DeviceName(vList.List(index), true)));
        return;
    }
    if (m_List)
        vList.RemoveItem(index);
}

void frmStartLoad::cboDrive_KeyPress(int& KeyAscii) { PickTypedLetter(cboDrive, KeyAscii); }

void frmStartLoad::txtBrowse_KeyPress(int& KeyAscii) { KeyAscii = 0; }

// One prompt to run as administrator; a refusal leaves the box as it was.
void frmStartLoad::chkElevated_Click()
{
    const auto result = chkElevated.Value() ? modElevated::TurnOn() : modElevated::TurnOff();
    if (result.exitCode == 2)
        ShowError(result.message);
    chkElevated.Value(modElevated::IsOn());
}
