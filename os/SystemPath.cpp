#include "SystemPath.h"

#include "Text.h"

namespace os::paths {

namespace {
bool StartsWith(std::u16string_view text, std::u16string_view prefix) { return text.substr(0, prefix.size()) == prefix; }
}  // namespace

bool NeedsLongForm(std::u16string_view path) { return path.size() >= kMaxPath && !StartsWith(path, kLongMark); }

MarkedPath LongForm(std::u16string_view full)
{
    // "\\.\" first: it starts as a network path does.
    if (StartsWith(full, kDeviceMark))
        return {std::u16string(kLongMark).append(full.substr(kDeviceMark.size())), Mark::Device};
    if (StartsWith(full, u"\\\\"))
        return {std::u16string(kLongUncMark).append(full.substr(2)), Mark::Network};
    if (full.size() >= 3 && full[1] == u':' && full[2] == u'\\')
        return {std::u16string(kLongMark).append(full), Mark::Drive};
    return {std::u16string(full), Mark::None};
}

std::u16string Unmarked(std::u16string_view answer, Mark added)
{
    if (added == Mark::None)
        return std::u16string(answer);
    if (StartsWith(answer, kLongUncMark))
        return std::u16string(u"\\\\").append(answer.substr(kLongUncMark.size()));
    if (!StartsWith(answer, kLongMark))
        return std::u16string(answer);
    const std::u16string_view rest = answer.substr(kLongMark.size());
    return added == Mark::Device ? std::u16string(kDeviceMark).append(rest) : std::u16string(rest);
}

std::optional<std::string> FittedReply(std::u16string_view reply, std::uint32_t capacity)
{
    std::string text = text::Utf16ToUtf8(reply);
    if (text.size() > capacity)
        return std::nullopt;
    return text;
}

}  // namespace os::paths
