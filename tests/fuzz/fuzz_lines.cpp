// The list files' line split: any bytes, every line end style; and the text
// conversions the list files and the Win32 seam make of those bytes.
#include "FuzzCheck.h"
#include "os/Text.h"
#include "tests/support/SimText.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string content = BytesText(data, size);
    const auto lines = text::SplitLines(content);

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
    const std::string joined = text::JoinLines(lines);
    FUZZ_CHECK(text::SplitLines(joined) == lines);
    FUZZ_CHECK(joined.size() == withoutEnds.size() + 2 * lines.size());

    // Any UTF-16 (unpaired surrogates too, as NTFS names may hold them) comes
    // back from UTF-8 unchanged; any bytes settle after one conversion.
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        wide += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    FUZZ_CHECK(text::Utf8ToUtf16(text::Utf16ToUtf8(wide)) == wide);
    const std::u16string decoded = text::Utf8ToUtf16(content);
    FUZZ_CHECK(text::Utf8ToUtf16(text::Utf16ToUtf8(decoded)) == decoded);

    // A list in a single-byte code page is written back byte for byte.
    for (const unsigned page : {1250u, 1251u, 1252u})
        FUZZ_CHECK(sim::ToAnsi(page, sim::FromAnsi(page, content)) == content);
    return 0;
}
