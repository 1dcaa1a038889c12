#pragma once
// A combo box as the drive-letter picker the free-letter scan fills.
#include "engine/LetterPicker.h"
#include "engine/mod_DriveInfo.h"
#include "ui/Controls.h"

#include <optional>
#include <vector>

// The scan reads the text once per letter and adds one item at a time; the
// picker keeps the text it knows and hands the items to the box in one batch
// (Commit), so that the box updates its list once, not once per letter.
class ComboLetterPicker : public LetterPicker {
public:
    explicit ComboLetterPicker(ui::ComboBox& combo) : m_Combo(combo) {}
    ComboLetterPicker(const ComboLetterPicker&) = delete;
    ComboLetterPicker& operator=(const ComboLetterPicker&) = delete;

    void Commit()
    {
        m_Combo.AddItems(m_Pending);
        m_Pending.clear();
    }

    void Clear() override
    {
        m_Pending.clear();
        m_Combo.Clear();
        m_Text.reset();
    }
    std::string Text() const override
    {
        if (!m_Text)
            m_Text = m_Combo.Text();
        return *m_Text;
    }
    void SetText(const std::string& New_Text) override
    {
        m_Combo.Text(New_Text);
        m_Text.reset();
    }
    void AddItem(const std::string& item) override { m_Pending.push_back(item); }

private:
    ui::ComboBox& m_Combo;
    std::vector<std::string> m_Pending;
    mutable std::optional<std::string> m_Text;
};

// Fills the combo box with the free letters, as the scan finds them.
inline void ListFreeLetters(ui::ComboBox& combo, bool clearFirst)
{
    ComboLetterPicker picker(combo);
    mod_DriveInfo::ListFreeLetters(picker, clearFirst);
    picker.Commit();
}

// A letter typed on the picker picks that letter where it is offered, as a
// drop-down list does; anything else typed changes nothing. Enter and Escape
// go on to close its list.
inline void PickTypedLetter(ui::ComboBox& combo, int& KeyAscii)
{
    if (KeyAscii == ui::vbKeyReturn || KeyAscii == ui::vbKeyEscape)
        return;
    const int typed = KeyAscii >= 'a' && KeyAscii <= 'z' ? KeyAscii - 'a' + 'A' : KeyAscii;
    KeyAscii = 0;
    if (typed < 'A' || typed > 'Z')
        return;
    for (int i = 0; i < combo.ListCount(); ++i)
        if (const std::string item = combo.List(i); !item.empty() && (item[0] == typed || item[0] == typed - 'A' + 'a')) {
            combo.ListIndex(i);
            return;
        }
}
