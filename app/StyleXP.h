#pragma once
// The visual-style control placed on the skinned windows: one late-bound call
// gives the window's standard controls the themed look of common controls 6.
#include "ui/Controls.h"
#include "ui/PropertyBag.h"

#include <cstdint>

class StyleXP : public ui::Control {
public:
    static constexpr std::int32_t kApplyStyle = 0x60030019;

    StyleXP(ui::Form& form, std::string name);
    bool Windowed() const override { return false; }

    std::int32_t ColorScheme() const { return m_ColorScheme; }
    bool CommonDialog() const { return m_CommonDialog; }
    void ReadProperties(const ui::PropertyBag& bag);
    ui::PropertyBag WriteProperties() const;

    // A call by dispatch identifier, as a late-bound caller makes it. False when
    // the control has no such member or the call failed; nothing else changes then.
    bool Invoke(std::int32_t dispId);

private:
    bool ApplyStyle();

    std::int32_t m_ColorScheme = 0;
    bool m_CommonDialog = true;
};
