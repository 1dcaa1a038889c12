#pragma once
// Small text helpers shared by the engine. Texts are ANSI (Windows-1252) byte strings.
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Leading and trailing blanks removed (blanks only, as the list files keep tabs).
std::string TrimBlanks(std::string_view s);

// Upper and lower case in the Windows-1252 code page.
char UpperChar(char c);
std::string LowerCase(std::string_view s);

// The text up to its first NUL.
std::string UpToNul(std::string_view s);

// s cut at every separator; n separators give n + 1 pieces.
std::vector<std::string> Split(std::string_view s, char separator);

}  // namespace text
