#pragma once
// A combo box as the drive-letter picker the free-letter scan fills.
#include "engine/LetterPicker.h"
#include "platform/ui/Controls.h"

class ComboLetterPicker : public LetterPicker {
public:
    explicit ComboLetterPicker(ui::ComboBox& combo) : m_Combo(combo) {}
    void Clear() override { m_Combo.Clear(); }
    std::string Text() const override { return m_Combo.Text(); }
    void SetText(const std::string& New_Text) override { m_Combo.Text(New_Text); }
    void AddItem(const std::string& item) override { m_Combo.AddItem(item); }

private:
    ui::ComboBox& m_Combo;
};
