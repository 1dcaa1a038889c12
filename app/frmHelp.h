#pragma once
// The help window: a fixed text that cannot be changed.
#include "StyleXP.h"
#include "frame/TamselXPFormWindow.h"
#include "ui/Form.h"

class frmHelp : public ui::Form {
public:
    frmHelp();

    ui::TextBox txtHelp{*this, "txtHelp"};
    StyleXP StyleXP1{*this, "StyleXP1"};
    TamselXPFormWindow TamselXPForm1{*this, "TamselXPForm1"};

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void txtHelp_KeyPress(int& KeyAscii);
};
