#include "SimDosDevices.h"

#include "SimText.h"
#include "os/Text.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace sim {

namespace {

constexpr std::uint32_t kFileNotFound = os::ERROR_CODE_FILE_NOT_FOUND;
constexpr std::uint32_t kAccessDenied = os::ERROR_CODE_ACCESS_DENIED;
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint32_t kInsufficientBuffer = os::ERROR_CODE_INSUFFICIENT_BUFFER;
constexpr std::uint32_t kInvalidName = 123;
constexpr std::uint32_t kNameTooLong = 206;
// A link's target is a counted string of at most 32767 UTF-16 units.
constexpr std::size_t kLongestTarget = 32767;

constexpr std::uint32_t kKnownFlags = 0x1F;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperText(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), Upper);
    return text;
}

// Targets compare without case in every script, as the object manager compares them.
bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return sim::LowerCase(text).starts_with(sim::LowerCase(prefix));
}

bool EqualNoCase(const std::string& a, const std::string& b) { return sim::LowerCase(a) == sim::LowerCase(b); }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The absolute form a non-raw target is stored in, as the kernel's full-path
// conversion gives it: slashes turned, repeated separators merged, "." and ".."
// applied, a trailing separator and the case kept. There is no current folder
// but the root, so a relative target lands on C:\ and "X:" means "X:\".
std::optional<std::string> NtPath(std::string target)
{
    if (target.empty())
        return std::nullopt;
    std::replace(target.begin(), target.end(), '/', '\\');

    if (target.size() >= 4 && (target.compare(0, 4, "\\\\?\\") == 0 || target.compare(0, 4, "\\\\.\\") == 0))
        return "\\??\\" + target.substr(4);

    std::string prefix;
    std::string rest;
    if (target.size() >= 2 && target[0] == '\\' && target[1] == '\\') {
        prefix = "UNC";
        rest = target.substr(2);
    } else if (target.size() >= 2 && IsLetter(target[0]) && target[1] == ':') {
        prefix = target.substr(0, 2);
        rest = target.substr(2);
    } else {
        prefix = "C:";
        rest = target;
    }

    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= rest.size()) {
        const auto end = std::min(rest.find('\\', begin), rest.size());
        const std::string part = rest.substr(begin, end - begin);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        begin = end + 1;
    }
    const bool trailing = !parts.empty() && rest.back() == '\\';

    std::string result = "\\??\\" + prefix + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result += '\\';
        result += parts[i];
    }
    if (trailing)
        result += '\\';
    return result;
}

// "X:" names are the drive letters; anything else lives in the name space unseen.
bool IsDriveName(const std::string& upperName) { return upperName.size() == 2 && upperName[1] == ':' && upperName[0] >= 'A' && upperName[0] <= 'Z'; }

}  // namespace

bool SimDosDevices::Fail(std::uint32_t error)
{
    m_LastError = error;
    return false;
}

bool SimDosDevices::Define(std::uint32_t flags, const char* deviceName, const char* target)
{
    m_Calls.push_back({flags, deviceName ? deviceName : "", target != nullptr, target ? target : ""});

    if ((flags & ~kKnownFlags) != 0)
        return Fail(kInvalidParameter);
    const bool remove = (flags & os::DEFINE_REMOVE) != 0;
    const bool exact = (flags & os::DEFINE_EXACT_MATCH) != 0;
    const bool raw = (flags & os::DEFINE_RAW_TARGET) != 0;
    if (exact && !remove)
        return Fail(kInvalidParameter);
    if (!deviceName)
        return Fail(kInvalidParameter);
    const std::string name = UpperText(deviceName);
    // A name with a separator would be a path inside the link, not a link.
    if (name.empty() || name.find('\\') != std::string::npos)
        return Fail(kInvalidName);

    if (!remove && !target)
        return Fail(kInvalidParameter);
    if (m_BootNames.count(name) && !administrator)
        return Fail(kAccessDenied);

    if (!remove) {
        std::string stored = target;
        if (!raw) {
            const auto converted = NtPath(target);
            if (!converted)
                return Fail(kInvalidName);
            stored = *converted;
        }
        if (text::Utf8ToUtf16(stored).size() > kLongestTarget)
            return Fail(kNameTooLong);
        auto& stack = m_Names[name];
        stack.insert(stack.begin(), stored);
        return true;
    }

    const auto found = m_Names.find(name);
    if (found == m_Names.end())
        return Fail(kFileNotFound);
    auto& stack = found->second;

    if (!target || *target == '\0') {
        stack.erase(stack.begin());
    } else {
        std::string wanted = target;
        if (!raw) {
            const auto converted = NtPath(target);
            if (!converted)
                return Fail(kInvalidName);
            wanted = *converted;
        }
        const auto match = std::find_if(stack.begin(), stack.end(), [&](const std::string& mapping) {
            return exact ? EqualNoCase(mapping, wanted) : StartsWithNoCase(mapping, wanted);
        });
        if (match == stack.end())
            return Fail(kFileNotFound);
        stack.erase(match);
    }
    if (stack.empty())
        m_Names.erase(found);
    return true;
}

std::uint32_t SimDosDevices::Query(const char* deviceName, char* buffer, std::uint32_t capacity)
{
    ++m_QueryCount;

    std::vector<std::string> strings;
    if (deviceName) {
        strings = Mappings(deviceName);
        if (strings.empty()) {
            m_LastError = kFileNotFound;
            return 0;
        }
    } else {
        for (const auto& entry : m_Names)
            strings.push_back(entry.first);
    }

    std::size_t needed = 1;
    for (const auto& s : strings)
        needed += s.size() + 1;
    if (!buffer || needed > capacity) {
        m_LastError = kInsufficientBuffer;
        return 0;
    }
    char* out = buffer;
    for (const auto& s : strings) {
        std::memcpy(out, s.c_str(), s.size() + 1);
        out += s.size() + 1;
    }
    *out = '\0';
    return static_cast<std::uint32_t>(needed);
}

std::uint32_t SimDosDevices::LogicalDriveStrings(std::uint32_t length, char* buffer)
{
    std::string listing;
    for (const auto& entry : m_Names) {  // the map keeps the letters in order
        if (IsDriveName(entry.first)) {
            listing += entry.first + "\\";
            listing += '\0';
        }
    }
    const auto count = static_cast<std::uint32_t>(listing.size());
    if (!buffer || length < count + 1)
        return count + 1;
    std::memcpy(buffer, listing.data(), count);
    buffer[count] = '\0';
    return count;
}

void SimDosDevices::AddDisk(char letter, const std::string& devicePath)
{
    const std::string name = std::string(1, Upper(letter)) + ":";
    auto& stack = m_Names[name];
    stack.insert(stack.begin(), devicePath);
    m_BootNames.insert(name);
}

std::vector<std::string> SimDosDevices::Mappings(const std::string& deviceName) const
{
    const std::string name = UpperText(deviceName.substr(0, deviceName.find('\0')));
    if (name.find('\\') != std::string::npos)
        return {};
    const auto found = m_Names.find(name);
    return found == m_Names.end() ? std::vector<std::string>{} : found->second;
}

}  // namespace sim
