#pragma once
// The seam between the program's UTF-8 text and the system's UTF-16: every
// *_win.cpp file hands Windows Wide(text) and takes back Narrow(...).
#include "Text.h"

#include <string>
#include <string_view>

namespace os::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

inline std::wstring Wide(std::string_view text)
{
    const std::u16string wide = text::Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view text)
{
    return text::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// A NUL-terminated system string; null reads as empty.
inline std::string Narrow(const wchar_t* text) { return text ? Narrow(std::wstring_view(text)) : std::string(); }

}  // namespace os::win
