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

namespace {
// Windows-1252 letters outside ASCII: the Latin-1 block, where upper and lower
// case lie 0x20 apart (but for the multiplication and division signs), and
// four letters of the 0x80 row.
bool IsUpperHigh(unsigned char c) { return c >= 0xC0 && c <= 0xDE && c != 0xD7; }
bool IsLowerHigh(unsigned char c) { return c >= 0xE0 && c <= 0xFE && c != 0xF7; }
}  // namespace

char UpperChar(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 0x20);
    if (IsLowerHigh(c))
        return static_cast<char>(c - 0x20);
    switch (c) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return ch;
    }
}

static char LowerChar(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c + 0x20);
    if (IsUpperHigh(c))
        return static_cast<char>(c + 0x20);
    switch (c) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return ch;
    }
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = LowerChar(c);
    return out;
}

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
