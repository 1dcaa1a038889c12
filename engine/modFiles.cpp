#include "modFiles.h"

#include "os/System.h"

namespace modFiles {

namespace {
// Directory + system + hidden: every entry a folder path can pass through.
constexpr std::uint32_t kAnyEntry = os::ATTR_DIRECTORY | os::ATTR_SYSTEM | os::ATTR_HIDDEN;
}

std::string GetShortPath(const std::string& path)
{
    auto& files = os::Current().files;
    std::string buffer(kShortPathCapacity, ' ');
    auto count = files.ShortPathName(path.c_str(), buffer.data(), kShortPathCapacity);
    // A count as large as the buffer is the size the platform needs: a long
    // path (up to 32767 characters) is asked again with room for it.
    if (count >= kShortPathCapacity && count <= kLongestPathBytes) {
        buffer.assign(count, ' ');
        count = files.ShortPathName(path.c_str(), buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    }
    if (count == 0 || count >= buffer.size())
        return {};
    buffer.resize(count);
    return buffer;
}

std::string GetLongPath(const std::string& path)
{
    std::string s = path.substr(0, path.find('\0'));
    if (s.empty())
        return {};
    if (s.back() == '\\')
        s.pop_back();
    s += '\\';

    // The root keeps its own form: "C:" for a drive, "\\server\share" for a
    // network folder, whose two names no directory lookup can find.
    std::size_t rootEnd = 2;
    if (s.compare(0, 2, "\\\\") == 0) {
        const auto server = s.find('\\', 2);
        rootEnd = server == std::string::npos ? server : s.find('\\', server + 1);
        if (rootEnd == std::string::npos)
            return {};
    }

    auto& files = os::Current().files;
    std::string longPath = s.substr(0, rootEnd);
    // Past the root ("C:\"), every backslash ends one folder to look up.
    for (auto p = s.find('\\', rootEnd + 1); p != std::string::npos; p = s.find('\\', p + 1)) {
        const auto found = files.Lookup(s.substr(0, p).c_str(), kAnyEntry);
        if (found.error || found.name.empty())
            return {};
        longPath += '\\' + found.name;
    }
    return longPath;
}

bool FileExists(const std::string& path)
{
    const auto found = os::Current().files.Lookup(path.c_str(), 0);
    return !found.error && !found.name.empty();
}

bool IsDirectory(const std::string& path) { return os::Current().files.IsDirectoryPath(path.c_str()); }

std::string GetFullPath(const std::string& path) { return os::Current().files.FullPath(path); }

bool IsAbsolutePath(const std::string& path)
{
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    return path.starts_with("\\\\");
}

}  // namespace modFiles
