#include "modLists.h"

#include "TextUtil.h"
#include "modFiles.h"
#include "mod_Subst.h"
#include "platform/Platform.h"

#include <algorithm>

namespace modLists {

namespace {

ListLines ReadList(const std::string& path)
{
    auto& files = platform::Current().files;
    // Hidden, system and directory entries count as there: only "nothing of that
    // name" is a missing list.
    const auto found =
        files.Lookup(path.c_str(), platform::ATTR_HIDDEN | platform::ATTR_SYSTEM | platform::ATTR_DIRECTORY);
    if (found.error)
        return std::nullopt;
    if (found.name.empty())
        return std::vector<std::string>{};
    auto lines = files.ReadLines(path, kMaxListBytes);
    // A NUL is no text: a window would show each such line cut short and could
    // write the cut lines back.
    if (lines && std::any_of(lines->begin(), lines->end(),
                             [](const std::string& line) { return line.find('\0') != std::string::npos; }))
        return std::nullopt;
    return lines;
}

}  // namespace

ListLines ReadHistory(const std::string& appDir) { return ReadList(appDir + kHistoryFile); }

bool AppendHistory(const std::string& appDir, const std::string& commandLine)
{
    return platform::Current().files.AppendLine(appDir + kHistoryFile, commandLine);
}

bool ClearHistory(const std::string& appDir)
{
    const std::string path = appDir + kHistoryFile;
    if (!modFiles::FileExists(path))
        return true;
    return platform::Current().files.RemoveFile(path);
}

ListLines ReadStartupList(const std::string& appDir)
{
    auto lines = ReadList(appDir + kStartupFile);
    if (lines) {
        auto& codePage = platform::Current().codePage;
        for (auto& line : *lines)
            line = codePage.LowerCase(line);
    }
    return lines;
}

bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items)
{
    auto& files = platform::Current().files;
    const std::string path = appDir + kStartupFile;
    const auto attributes = files.ReadAttributes(path);
    if (attributes && (*attributes & (platform::ATTR_READONLY | platform::ATTR_DIRECTORY)))
        return false;  // the user protected it, or it is no file

    // Written beside the list and moved over it, so a full disk or a refused
    // write never leaves a half-written list behind.
    const std::string temporary = path + ".new";
    if (!files.WriteLines(temporary, items) || !files.MoveOver(temporary, path)) {
        files.RemoveFile(temporary);
        return false;
    }
    // The move brings the new file's attributes; a hidden or system list stays so.
    const std::uint32_t kept = attributes ? *attributes & (platform::ATTR_HIDDEN | platform::ATTR_SYSTEM) : 0;
    return kept == 0 || files.WriteAttributes(path, kept);
}

MountResult MountFolder(const std::string& letter, const std::string& folder)
{
    if (!modFiles::IsDirectory(folder))
        return MountResult::NotADirectory;
    // An empty short form (a path too long for its buffer) must not become a
    // binding to nothing.
    const std::string shortForm = modFiles::GetShortPath(folder);
    if (shortForm.empty() || !mod_Subst::SubstDrive(letter, shortForm, 0))
        return MountResult::Refused;
    return MountResult::Mounted;
}

int RunStartupList(const std::string& appDir)
{
    int mounted = 0;
    for (const auto& line : ReadList(appDir + kStartupFile).value_or(std::vector<std::string>{})) {
        const auto fields = text::Split(line, '\t');
        if (fields.size() < 2 || !mod_Subst::IsDriveLetter(fields[0]))
            continue;  // no letter or no folder to mount
        if (MountFolder(fields[0], fields[1]) == MountResult::Mounted)
            ++mounted;
    }
    return mounted;
}

}  // namespace modLists
