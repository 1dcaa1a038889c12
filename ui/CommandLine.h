#pragma once
#include <string>
#include <string_view>

namespace ui {

// The text after the program name of a whole command line (as GetCommandLine
// gives it): the name, quoted or not, and the blanks after it are skipped; the
// rest is kept exactly, neither trimmed, unquoted nor split.
std::string CommandTail(std::string_view fullCommandLine);

}  // namespace ui
