// The conversions around the Win32 file calls, on any UTF-16 text: a full
// path is marked only in the three forms that take a mark, the answer for a
// marked path comes back exactly as the caller wrote it, and a query reply is
// handed over whole, in UTF-8, exactly when its UTF-8 fits the caller's bytes.
#include "FuzzCheck.h"
#include "os/SystemPath.h"

namespace {

using os::paths::Mark;

bool StartsWith(std::u16string_view text, std::u16string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The mark a full path needs, from its first characters.
Mark ExpectedMark(std::u16string_view full)
{
    if (StartsWith(full, u"\\\\.\\"))
        return Mark::Device;
    if (StartsWith(full, u"\\\\"))
        return Mark::Network;
    if (full.size() >= 3 && full[1] == u':' && full[2] == u'\\')
        return Mark::Drive;
    return Mark::None;
}

// UTF-8 of UTF-16 units, written here from the encoding's definition: a
// surrogate pair is one four-byte character, a lone surrogate is encoded as
// the three bytes of its own value (generalized UTF-8).
std::string Utf8(std::u16string_view units)
{
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // Two bytes are the caller's capacity for a reply; the rest are units.
    const std::uint32_t capacity = data[0] | (data[1] << 8);
    std::u16string units;
    for (std::size_t i = 2; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));

    namespace paths = os::paths;
    const bool marked = StartsWith(units, u"\\\\?\\");
    FUZZ_CHECK(paths::NeedsLongForm(units) == (units.size() >= 260 && !marked));

    const auto form = paths::LongForm(units);
    FUZZ_CHECK(form.added == ExpectedMark(units));
    if (form.added == Mark::None) {
        FUZZ_CHECK(form.path == units);
    } else {
        // One mark in front, nothing else changed, and "\\.\" is never taken
        // for a server named ".".
        FUZZ_CHECK(StartsWith(form.path, u"\\\\?\\"));
        FUZZ_CHECK(!StartsWith(form.path, u"\\\\?\\UNC\\.\\"));
        FUZZ_CHECK(form.path.size() - units.size() == (form.added == Mark::Network ? 6u : form.added == Mark::Drive ? 4u : 0u));
        FUZZ_CHECK(paths::Unmarked(form.path, form.added) == units);
    }
    FUZZ_CHECK(paths::Unmarked(units, Mark::None) == units);

    const std::string expected = Utf8(units);
    const auto reply = paths::FittedReply(units, capacity);
    FUZZ_CHECK(reply.has_value() == (expected.size() <= capacity));
    FUZZ_CHECK(!reply || *reply == expected);
    return 0;
}
