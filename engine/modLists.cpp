#include "modLists.h"

#include "TextUtil.h"
#include "modFiles.h"
#include "mod_Subst.h"
#include "platform/Platform.h"

namespace modLists {

namespace {

std::vector<std::string> ReadIfPresent(const std::string& path)
{
    if (!modFiles::FileExists(path))
        return {};
    return platform::Current().files.ReadLines(path).value_or(std::vector<std::string>{});
}

}  // namespace

std::vector<std::string> ReadHistory(const std::string& appDir) { return ReadIfPresent(appDir + kHistoryFile); }

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

std::vector<std::string> ReadStartupList(const std::string& appDir)
{
    auto lines = ReadIfPresent(appDir + kStartupFile);
    for (auto& line : lines)
        line = text::LowerCase(line);
    return lines;
}

bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items)
{
    // Written beside the list and moved over it, so a full disk or a refused
    // write never leaves a half-written list behind.
    auto& files = platform::Current().files;
    const std::string path = appDir + kStartupFile;
    const std::string temporary = path + ".new";
    if (files.WriteLines(temporary, items) && files.MoveOver(temporary, path))
        return true;
    files.RemoveFile(temporary);
    return false;
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
    for (const auto& line : ReadIfPresent(appDir + kStartupFile)) {
        const auto fields = text::Split(line, '\t');
        if (fields.size() < 2)
            continue;  // no TAB: no folder to mount
        if (MountFolder(fields[0], fields[1]) == MountResult::Mounted)
            ++mounted;
    }
    return mounted;
}

}  // namespace modLists
