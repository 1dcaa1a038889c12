#pragma once
// The user's ANSI code page, in which the list files have always been written,
// and the case rules of the system. The program's own text is UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace os {

class CodePage {
public:
    virtual ~CodePage() = default;
    // Bytes in the ANSI code page as text (MultiByteToWideChar).
    virtual std::string FromAnsi(std::string_view bytes) = 0;
    // The text in the ANSI code page; nullopt when a character has no exact
    // form there (a look-alike stand-in would name another folder).
    virtual std::optional<std::string> ToAnsi(std::string_view text) = 0;
    // The text in lower case by the system's rules, character by character
    // (CharLowerBuffW). What is no letter stays as it is.
    virtual std::string LowerCase(std::string_view text) = 0;
};

}  // namespace os
