#pragma once
// The small window that renames a drive for Explorer: the label's text, OK
// and Cancel. It only asks; the main window keeps and applies the label.
#include "StyleXP.h"
#include "frame/TamselXPFormWindow.h"
#include "ui/Form.h"

#include <string>

class frmLabel : public ui::Form {
public:
    // For the drive (its letter and ":") whose label is now `label`.
    frmLabel(const std::string& drive, const std::string& label);

    // Whether the user pressed OK, and the label as typed then.
    bool Accepted() const { return m_Accepted; }
    const std::string& Label() const { return m_Label; }

    ui::Label lblLabel{*this, "lblLabel"};
    ui::TextBox txtLabel{*this, "txtLabel"};
    ui::CommandButton cmdOk{*this, "cmdOk"};
    ui::CommandButton cmdCancel{*this, "cmdCancel"};
    StyleXP StyleXP1{*this, "StyleXP1"};
    TamselXPFormWindow TamselXPForm1{*this, "TamselXPForm1"};

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void cmdOk_Click();

    std::string m_Initial;
    std::string m_Label;
    bool m_Accepted = false;
};
