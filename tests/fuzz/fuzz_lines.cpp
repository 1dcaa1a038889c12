// The list files' line split: any bytes, every line end style.
#include "FuzzCheck.h"
#include "platform/LineText.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string content = BytesText(data, size);
    const auto lines = platform::SplitLines(content);

    // Only the line ends go: the lines hold none, and hold everything else in order.
    std::string kept;
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        kept += line;
    }
    std::string withoutEnds = content;
    std::erase_if(withoutEnds, [](char c) { return c == '\r' || c == '\n'; });
    FUZZ_CHECK(kept == withoutEnds);

    // Writing the lines back and reading them again gives the same lines.
    const std::string joined = platform::JoinLines(lines);
    FUZZ_CHECK(platform::SplitLines(joined) == lines);
    FUZZ_CHECK(joined.size() == withoutEnds.size() + 2 * lines.size());
    return 0;
}
