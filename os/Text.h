#pragma once
// The program's text helpers, all in one place. Text is UTF-8 in a std::string
// everywhere; Windows takes UTF-16, and these are the two conversions, made
// only where a text crosses to or from the system. A name Windows holds with
// an unpaired surrogate (NTFS allows it) is kept in the generalized UTF-8
// form, so every name round-trips unchanged. The rest: how the list files are
// cut into lines and joined again, and the few ASCII tests the engine makes
// (blanks, separators, drive letters).
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Bytes that are no UTF-8 become U+FFFD, one per byte.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// True when every byte is below 0x80: the text reads the same in every code
// page the program may meet and in UTF-8.
bool IsAscii(std::string_view text);

// The UTF-8 byte-order mark that starts a list file written in UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Lines without their ends; CR LF, a lone CR and a lone LF each end a line. A
// last line end does not start another line.
std::vector<std::string> SplitLines(std::string_view content);

// The lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Leading and trailing blanks removed (blanks only, as the list files keep tabs).
std::string TrimBlanks(std::string_view s);

// An ASCII letter in upper case; any other byte as it is.
char UpperChar(char c);

// s cut at every separator; n separators give n + 1 pieces.
std::vector<std::string> Split(std::string_view s, char separator);

// The access key of a caption: the letter after the first single "&",
// lower-cased, looking at the first two ampersand groups only; 0 for none, and
// when that character lies beyond ASCII.
char AccessKeyOf(std::string_view caption);

// A caption as it reads: each single "&" (the access-key mark) dropped, "&&" one "&".
std::string WithoutAccessMarks(std::string_view caption);

}  // namespace text
