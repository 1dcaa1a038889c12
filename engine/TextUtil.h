#pragma once
// Small text helpers shared by the engine. Texts are UTF-8; every character
// these helpers look at (blanks, separators, drive letters) is ASCII.
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Leading and trailing blanks removed (blanks only, as the list files keep tabs).
std::string TrimBlanks(std::string_view s);

// An ASCII letter in upper case; any other byte as it is.
char UpperChar(char c);

// The text up to its first NUL.
std::string UpToNul(std::string_view s);

// s cut at every separator; n separators give n + 1 pieces.
std::vector<std::string> Split(std::string_view s, char separator);

}  // namespace text
