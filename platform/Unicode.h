#pragma once
// The program's text is UTF-8 in a std::string everywhere; Windows takes UTF-16.
// These are the two conversions, made only where a text crosses to or from the
// system. A name Windows holds with an unpaired surrogate (NTFS allows it) is
// kept in the generalized UTF-8 form, so every name round-trips unchanged.
#include <string>
#include <string_view>

namespace platform {

// Bytes that are no UTF-8 become U+FFFD, one per byte.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// True when every byte is below 0x80: the text reads the same in every code
// page the program may meet and in UTF-8.
bool IsAscii(std::string_view text);

// The UTF-8 byte-order mark that starts a list file written in UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace platform
