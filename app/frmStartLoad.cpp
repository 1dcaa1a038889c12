#include "frmStartLoad.h"

#include "ComboLetterPicker.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "modBrowse.h"
#include "Messages.h"
#include "modMain.h"
#include "WindowDesigns.h"

frmStartLoad::frmStartLoad() : ui::Form(SkinnedWindowDesign("Mount @ Win Startup", 6060, 3240, false, true))
{
    cboDrive.Move(150, 705, 615, 315);
    cboDrive.TabIndex(0);
    cboDrive.ToolTipText("Drive Letter");
    cboDrive.KeyPress = [this](int& KeyAscii) { cboDrive_KeyPress(KeyAscii); };
    cboDrive.Locked = true;  // nor can Delete or paste change the letter

    txtBrowse.Move(825, 720, 4335, 285);
    txtBrowse.TabIndex(1);
    txtBrowse.ToolTipText("Folder path tp mount");
    // Filled by the folder dialog only: no typing, and no Delete or paste either.
    txtBrowse.Locked = true;
    txtBrowse.KeyPress = [this](int& KeyAscii) { txtBrowse_KeyPress(KeyAscii); };

    cmdBrowse.Caption("...");
    cmdBrowse.Move(5205, 720, 330, 315);
    cmdBrowse.TabIndex(2);
    cmdBrowse.ToolTipText("Browse");
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };

    cmdAdd.Move(5580, 720, 330, 315);
    cmdAdd.TabIndex(3);
    cmdAdd.ToolTipText("Add");
    cmdAdd.Picture = IDI_ADD;
    cmdAdd.Click = [this] { cmdAdd_Click(); };

    vList.Move(90, 1320, 5865, 1800);
    vList.TabIndex(5);
    vList.KeyUp = [this](int& KeyCode, int Shift) { vList_KeyUp(KeyCode, Shift); };

    if (const auto bag = ui::PropertyBag::FromText(kStyleXPSettings))
        StyleXP1.ReadProperties(*bag);
    PlaceFrame(TamselXPForm1, *this, "Mount @ Win Startup", ui::FontSpec{"Courier New", 8.25}, false);
}

void frmStartLoad::Form_Resize() { FitToFrame(*this, TamselXPForm1); }

void frmStartLoad::Form_Load()
{
    const auto lines = modLists::ReadStartupList(modMain::AppDir);
    m_ListRead = lines.has_value();
    for (const auto& line : lines.value_or(std::vector<std::string>{}))
        vList.AddItem(line);
    ListFreeLetters(cboDrive, false);
    StyleXP1.Invoke(StyleXP::kApplyStyle);
    TamselXPForm1.ShowMaximize(false);
    TamselXPForm1.ShowMinimize(false);
    if (!m_ListRead) {
        // Saving an empty window over a list it never read would wipe the list.
        cmdBrowse.Enabled(false);
        cmdAdd.Enabled(false);
        ShowError(kStartupListUnreadableText);
    }
}

void frmStartLoad::Form_Unload(int&)
{
    if (!m_ListRead)
        return;
    std::vector<std::string> items;
    for (int i = 0; i < vList.ListCount(); ++i)
        items.push_back(vList.List(i));
    m_Saved = modLists::WriteStartupList(modMain::AppDir, items);
    if (!m_Saved)
        ShowError(kStartupListNotSavedText);
}

void frmStartLoad::cmdBrowse_Click()
{
    const std::string path = modBrowse::BrowseForFolder("Folder to mount.", hWnd(), false);
    if (!path.empty())
        txtBrowse.Text(path);
}

void frmStartLoad::cmdAdd_Click()
{
    if (m_ListRead && !txtBrowse.Text().empty())
        vList.AddItem(cboDrive.Text() + "\t" + txtBrowse.Text());
}

void frmStartLoad::vList_KeyUp(int& KeyCode, int)
{
    if (KeyCode == ui::vbKeyDelete && m_ListRead)
        vList.RemoveItem(vList.ListIndex());
}

void frmStartLoad::cboDrive_KeyPress(int& KeyAscii)
{
    // No typed letter reaches the picker; Enter and Escape still close its list.
    if (KeyAscii != ui::vbKeyReturn && KeyAscii != ui::vbKeyEscape)
        KeyAscii = 0;
}

void frmStartLoad::txtBrowse_KeyPress(int& KeyAscii) { KeyAscii = 0; }
