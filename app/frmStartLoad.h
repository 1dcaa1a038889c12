#pragma once
// The start-up setup window: edits the letter/folder pairs the start-up run
// mounts, and saves them when it closes.
#include "StyleXP.h"
#include "frame/TamselXPFormWindow.h"
#include "platform/ui/Form.h"

class frmStartLoad : public ui::Form {
public:
    frmStartLoad();

    ui::ComboBox cboDrive{*this, "cboDrive"};
    ui::TextBox txtBrowse{*this, "txtBrowse"};
    ui::CommandButton cmdBrowse{*this, "cmdBrowse"};
    ui::CommandButton cmdAdd{*this, "cmdAdd"};
    ui::ListBox vList{*this, "vList"};
    StyleXP StyleXP1{*this, "StyleXP1"};
    TamselXPFormWindow TamselXPForm1{*this, "TamselXPForm1"};

    // Whether the last save reached the disk.
    bool Saved() const { return m_Saved; }
    // Whether the list could be read when the window loaded; if not, the window
    // leaves the file alone.
    bool ListRead() const { return m_ListRead; }

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

private:
    void cmdBrowse_Click();
    void cmdAdd_Click();
    void vList_KeyUp(int& KeyCode, int Shift);
    void cboDrive_KeyPress(int& KeyAscii);
    void txtBrowse_KeyPress(int& KeyAscii);

    bool m_Saved = false;
    bool m_ListRead = false;
};
