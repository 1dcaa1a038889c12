#pragma once
// Text in the user's ANSI code page: what a byte means depends on the machine's
// code page, so case rules belong to the platform, not to a fixed table.
#include <string>
#include <string_view>

namespace platform {

class CodePage {
public:
    virtual ~CodePage() = default;

    // The text in lower case by the rules of the current ANSI code page, the same
    // length (CharLowerBuffA). Bytes that are no letter, or the trail byte of a
    // double-byte character, stay as they are.
    virtual std::string LowerCase(std::string_view text) = 0;
};

}  // namespace platform
