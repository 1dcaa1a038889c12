#pragma once
// What the simulated machine knows of text: the ANSI code pages the tests choose
// from (1250 Central European, 1251 Cyrillic, 1252 Western, and 65001 for a
// machine set to use UTF-8), and the case rules of the scripts the tests name
// folders in (Latin, Greek, Cyrillic). Letters outside those keep their case.
#include <optional>
#include <string>
#include <string_view>

namespace sim {

bool KnowsCodePage(unsigned page);
// MultiByteToWideChar, as UTF-8.
std::string FromAnsi(unsigned page, std::string_view bytes);
// WideCharToMultiByte without best-fit stand-ins: nullopt when a character has
// no byte of its own in the page.
std::optional<std::string> ToAnsi(unsigned page, std::string_view text);

// CharLowerBuffW, as UTF-8.
std::string LowerCase(std::string_view text);

}  // namespace sim
