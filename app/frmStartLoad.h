#pragma once
// The start-up setup window: edits the letter/folder pairs the start-up run
// mounts, and saves them when it closes.
#include "StyleXP.h"
#include "frame/TamselXPFormWindow.h"
#include "engine/modLists.h"
#include "ui/Form.h"

#include <optional>

class frmStartLoad : public ui::Form {
public:
    frmStartLoad();

    ui::ComboBox cboDrive{*this, "cboDrive"};
    ui::TextBox txtBrowse{*this, "txtBrowse"};
    ui::CommandButton cmdBrowse{*this, "cmdBrowse"};
    ui::CommandButton cmdAdd{*this, "cmdAdd"};
    ui::ListBox vList{*this, "vList"};
    ui::CheckBox chkElevated{*this, "chkElevated"};
    StyleXP StyleXP1{*this, "StyleXP1"};
    TamselXPFormWindow TamselXPForm1{*this, "TamselXPForm1"};
    ui::Menu mnuList{*this, "mnuList", "Menu"};
    ui::Menu mnuListRemove{*this, "mnuListRemove", "&Remove", &mnuList};

    // Whether the file holds the list as the window shows it, after the last
    // save (true also when there was nothing to write).
    bool Saved() const { return m_Saved; }
    // Whether the list could be read when the window loaded; if not, the window
    // leaves the file alone.
    bool ListRead() const { return m_List.has_value(); }

protected:
    void Form_Load() override;
    void Form_Resize() override;
    // The list is saved as the window closes, and before the session ends.
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void cmdBrowse_Click();
    void cmdAdd_Click();
    void vList_KeyUp(int& KeyCode, int Shift);
    void cboDrive_KeyPress(int& KeyAscii);
    void chkElevated_Click();
    void txtBrowse_KeyPress(int& KeyAscii);
    // The picker's row laid out around the picker as large as it is shown.
    void FitRow();
    // Delete, or "&Remove" on the list's menu.
    void RemoveSelectedLine();

    // Saves the list; where that fails, asks whether to try again, close
    // without saving, or stay open. False when the window is to stay open.
    bool SaveList();
    std::vector<std::string> Items() const;
    // The administrator's lines, then the user's.
    void ShowItems();
    int AdminCount() const { return static_cast<int>(m_AdminItems.size()); }

    bool m_Saved = false;
    std::optional<modLists::StartupList> m_List;  // as loaded, then as last saved
    std::vector<std::string> m_AdminItems;        // the administrator's lines, marked, not the user's to change
    std::string m_AdminLetters;
};
