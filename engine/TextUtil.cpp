#include "TextUtil.h"

namespace text {

std::string TrimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c; }

std::string UpToNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

std::vector<std::string> Split(std::string_view s, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto at = s.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.emplace_back(s.substr(start));
            return pieces;
        }
        pieces.emplace_back(s.substr(start, at - start));
        start = at + 1;
    }
}

}  // namespace text
