#pragma once
// What the free-letter scan needs of a drive-letter picker (a drop-down combo box).
#include <string>

class LetterPicker {
public:
    virtual ~LetterPicker() = default;
    virtual void Clear() = 0;  // removes every item; the text becomes empty
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& New_Text) = 0;
    virtual void AddItem(const std::string& item) = 0;
};
