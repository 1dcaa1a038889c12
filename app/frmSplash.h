#pragma once
// The splash of the start-up run: shows the name and version, mounts the
// start-up list one second later, and ends the program.
#include "ui/Form.h"

class frmSplash : public ui::Form {
public:
    frmSplash();

    ui::Timer tmrRun{*this, "tmrRun"};
    ui::Frame Frame1{*this, "Frame1"};
    ui::Label lblName{*this, "lblName"};
    ui::Image Image1{*this, "Image1"};

protected:
    void Form_Load() override;

private:
    void tmrRun_Timer();
};
