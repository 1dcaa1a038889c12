#include "modLists.h"

#include "modFiles.h"
#include "modLabels.h"
#include "mod_DriveInfo.h"
#include "mod_Subst.h"
#include "os/System.h"
#include "os/Text.h"

#include <algorithm>
#include <utility>

namespace modLists {

namespace {

// A list as it lies on disk: its lines as text, and whether it was written as
// UTF-8 (it starts with the byte-order mark) or in the ANSI code page.
struct ListFile {
    std::vector<std::string> lines;
    bool utf8 = false;
    bool operator==(const ListFile&) const = default;
};

std::optional<ListFile> ReadListFile(const std::string& path)
{
    auto& files = os::Current().files;
    // Hidden, system and directory entries count as there: only "nothing of that
    // name" is a missing list.
    const auto found =
        files.Lookup(path.c_str(), os::ATTR_HIDDEN | os::ATTR_SYSTEM | os::ATTR_DIRECTORY);
    if (found.error)
        return std::nullopt;
    if (found.name.empty())
        return ListFile{};
    auto lines = files.ReadLines(path, kMaxListBytes);
    // A NUL is no text: a window would show each such line cut short and could
    // write the cut lines back.
    if (!lines || std::any_of(lines->begin(), lines->end(),
                              [](const std::string& line) { return line.find('\0') != std::string::npos; }))
        return std::nullopt;
    ListFile file;
    file.utf8 = !lines->empty() && lines->front().starts_with(text::kUtf8Bom);
    if (file.utf8) {
        lines->front().erase(0, text::kUtf8Bom.size());
    } else {
        auto& codePage = os::Current().codePage;
        for (auto& line : *lines)
            line = codePage.FromAnsi(line);
    }
    file.lines = std::move(*lines);
    return file;
}

ListLines ReadList(const std::string& path)
{
    auto file = ReadListFile(path);
    if (!file)
        return std::nullopt;
    return std::move(file->lines);
}

// The lines as they go to disk: in the ANSI code page, byte for byte as the
// program has always written them, when every line can be (and UTF-8 is not
// asked for); otherwise as UTF-8 after a byte-order mark, so no name is lost.
std::vector<std::string> EncodeLines(const std::vector<std::string>& lines, bool utf8 = false)
{
    auto& codePage = os::Current().codePage;
    std::vector<std::string> encoded;
    for (const auto& line : lines) {
        auto ansi = utf8 ? std::nullopt : codePage.ToAnsi(line);
        if (!ansi) {
            encoded = lines;
            encoded.front().insert(0, text::kUtf8Bom);
            return encoded;
        }
        encoded.push_back(std::move(*ansi));
    }
    return encoded;
}

// Writes lines as the whole list. The old list is replaced only once the new
// one is completely written, keeps its hidden and system attributes, and is
// not replaced when read-only.
bool ReplaceList(const std::string& listPath, const std::vector<std::string>& lines, bool utf8 = false)
{
    auto& files = os::Current().files;
    // A list that is a symbolic link is written where the link leads: moving
    // a new file over the link would put a plain file in its place.
    const std::string path = files.FinalPath(listPath);
    const auto attributes = files.ReadAttributes(path);
    if (attributes && (*attributes & (os::ATTR_READONLY | os::ATTR_DIRECTORY)))
        return false;  // the user protected it, or it is no file

    // Written beside the list and moved over it, so a full disk or a refused
    // write never leaves a half-written list behind.
    const std::string temporary = path + ".new";
    if (!files.WriteLines(temporary, EncodeLines(lines, utf8)) || !files.MoveOver(temporary, path)) {
        files.RemoveFile(temporary);
        return false;
    }
    // The move brings the new file's attributes; a hidden or system list stays so.
    const std::uint32_t kept = attributes ? *attributes & (os::ATTR_HIDDEN | os::ATTR_SYSTEM) : 0;
    return kept == 0 || files.WriteAttributes(path, kept);
}

}  // namespace

ListLines ReadListAt(const std::string& path) { return ReadList(path); }

bool WriteListAt(const std::string& path, const std::vector<std::string>& lines)
{
    const auto lock = os::Current().files.Lock(path);
    return lock && ReplaceList(path, lines, true);
}

ListLines ReadHistory(const std::string& appDir) { return ReadList(appDir + kHistoryFile); }

namespace {

// Whether two history lines name the same folder: the same long form, compared
// as the file system compares names, without regard to case. A line that names
// no folder there is now is the same as no other.
bool SameFolder(const std::string& longForm, const std::string& line)
{
    const std::string other = modFiles::GetLongPath(line);
    if (other.empty())
        return false;
    auto& codePage = os::Current().codePage;
    return codePage.LowerCase(other) == codePage.LowerCase(longForm);
}

}  // namespace

bool AppendHistory(const std::string& appDir, const std::string& commandLine)
{
    auto& files = os::Current().files;
    const std::string path = appDir + kHistoryFile;
    // Another copy's line must not be lost in the rewrite below, nor its
    // append refused while this one writes.
    const auto lock = files.Lock(path);
    if (!lock)
        return false;
    // A history that cannot be read is never written: of its form nothing is
    // known, and a line added in the wrong one would spoil the whole file.
    const auto file = ReadListFile(path);
    if (!file)
        return false;
    if (const std::string longForm = modFiles::IsDirectory(commandLine) ? modFiles::GetLongPath(commandLine) : "";
        !longForm.empty())
        if (std::any_of(file->lines.begin(), file->lines.end(),
                        [&](const std::string& line) { return SameFolder(longForm, line); }))
            return true;  // already there, and shown once is enough
    if (file->utf8)
        return files.AppendLine(path, commandLine);
    if (const auto ansi = os::Current().codePage.ToAnsi(commandLine))
        return files.AppendLine(path, *ansi);
    // The first name the code page cannot hold: the history goes over to UTF-8.
    auto lines = file->lines;
    lines.push_back(commandLine);
    return ReplaceList(path, lines);
}

bool ClearHistory(const std::string& appDir)
{
    const std::string path = appDir + kHistoryFile;
    if (!modFiles::FileExists(path))
        return true;
    auto& files = os::Current().files;
    const auto lock = files.Lock(path);
    return lock && files.RemoveFile(path);
}

namespace {

std::vector<std::string> LowerCased(std::vector<std::string> lines)
{
    auto& codePage = os::Current().codePage;
    for (auto& line : lines)
        line = codePage.LowerCase(line);
    return lines;
}

StartupList LoadedFrom(const ListFile& file) { return {LowerCased(file.lines), file.lines, file.utf8}; }

}  // namespace

ListLines ReadStartupList(const std::string& appDir)
{
    auto list = LoadStartupList(appDir);
    if (!list)
        return std::nullopt;
    return std::move(list->items);
}

std::optional<StartupList> LoadStartupList(const std::string& appDir)
{
    const auto file = ReadListFile(appDir + kStartupFile);
    if (!file)
        return std::nullopt;
    return LoadedFrom(*file);
}

SaveResult SaveStartupList(const std::string& appDir, StartupList& list, const std::vector<std::string>& items)
{
    // Nothing to save: the file stays byte for byte as it is, whatever a
    // rewrite would have made of it.
    if (items == list.items)
        return SaveResult::Unchanged;
    const std::string path = appDir + kStartupFile;
    const auto lock = os::Current().files.Lock(path);
    if (!lock)
        return SaveResult::Failed;
    const auto now = ReadListFile(path);
    if (!now)
        return SaveResult::Failed;
    const bool changed = *now != ListFile{list.fileLines, list.fileUtf8};
    const auto lines = changed ? MergeEdits(list.items, items, LowerCased(now->lines)) : items;
    if (!ReplaceList(path, lines))
        return SaveResult::Failed;
    // Written, but when it cannot be read back now any later save merges.
    const auto written = ReadListFile(path).value_or(ListFile{});
    list = {lines, written.lines, written.utf8};
    return changed ? SaveResult::Merged : SaveResult::Saved;
}

std::vector<std::string> MergeEdits(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                                    const std::vector<std::string>& theirs)
{
    // Lines ours removed: base less ours, counted line by line; lines ours
    // added: ours less base, in ours' order.
    std::vector<std::string> removed = base;
    std::vector<std::string> added;
    for (const auto& line : ours) {
        const auto it = std::find(removed.begin(), removed.end(), line);
        if (it != removed.end())
            removed.erase(it);
        else
            added.push_back(line);
    }
    std::vector<std::string> merged = theirs;
    for (const auto& line : removed)
        if (const auto it = std::find(merged.begin(), merged.end(), line); it != merged.end())
            merged.erase(it);
    merged.insert(merged.end(), added.begin(), added.end());
    return merged;
}

bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items)
{
    const std::string path = appDir + kStartupFile;
    const auto lock = os::Current().files.Lock(path);
    return lock && ReplaceList(path, items);
}

namespace {

// The folder a labels line names and its label, when the line is one.
std::optional<std::pair<std::string, std::string>> LabelLine(const std::string& line)
{
    const auto tab = line.find('\t');
    if (tab == std::string::npos)
        return std::nullopt;
    return std::pair{line.substr(0, tab), line.substr(tab + 1)};
}

std::string FoldedLong(const std::string& folder)
{
    const std::string whole = modFiles::GetLongPath(folder);
    return os::Current().codePage.LowerCase(whole.empty() ? folder : whole);
}

}  // namespace

std::string LabelOfFolder(const std::string& appDir, const std::string& folder)
{
    const auto file = ReadListFile(appDir + kLabelsFile);
    if (!file)
        return {};
    const std::string wanted = FoldedLong(folder);
    for (const auto& line : file->lines)
        if (const auto entry = LabelLine(line); entry && FoldedLong(entry->first) == wanted)
            return entry->second;
    return {};
}

bool KeepLabel(const std::string& appDir, const std::string& folder, const std::string& label)
{
    const std::string kept = modLabels::CleanLabel(label);
    const std::string path = appDir + kLabelsFile;
    const auto lock = os::Current().files.Lock(path);
    if (!lock)
        return false;
    const auto file = ReadListFile(path);
    if (!file)
        return false;  // of a file that cannot be read, nothing may be lost
    const std::string wanted = FoldedLong(folder);
    std::vector<std::string> lines;
    for (const auto& line : file->lines)
        if (const auto entry = LabelLine(line); !entry || FoldedLong(entry->first) != wanted)
            lines.push_back(line);
    if (!kept.empty()) {
        const std::string whole = modFiles::GetLongPath(folder);
        lines.push_back((whole.empty() ? folder : whole) + '\t' + kept);
    }
    if (lines == file->lines)
        return true;
    return ReplaceList(path, lines, true);
}

void RelabelFolderDrives(const std::string& folder, const std::string& label)
{
    const std::string wanted = FoldedLong(folder);
    for (const auto& line : mod_DriveInfo::MountedDriveLines())
        if (const auto tab = line.find('\t'); tab != std::string::npos && FoldedLong(line.substr(tab + 1)) == wanted)
            modLabels::RelabelDrive(line[0], folder, label);
}

MountResult MountFolder(const std::string& letter, const std::string& folder, const std::string& appDir)
{
    // A relative folder ("..", a start-up line written by hand) would be bound
    // to wherever the program happens to stand: it is no folder to bind.
    if (!modFiles::IsAbsolutePath(folder) || !modFiles::IsDirectory(folder))
        return MountResult::NotADirectory;
    // The short form where the volume makes one; a folder without one (8.3 names
    // turned off, or a file system that has none) is bound by its own name.
    std::string target = modFiles::GetShortPath(folder);
    if (target.empty())
        target = folder;
    if (!mod_Subst::SubstDrive(letter, target, 0))
        return MountResult::Refused;
    // Explorer names the drive after its folder, and hears of it at once.
    const char drive = text::UpperChar(letter[0]);
    modLabels::LabelDrive(drive, folder, appDir.empty() ? std::string() : LabelOfFolder(appDir, folder));
    os::Current().shell.DriveAdded(drive);
    return MountResult::Mounted;
}

std::string AdminListPath()
{
    const std::string programData = os::Current().session.ProgramData();
    return programData.empty() ? std::string() : programData + "\\Tavrik\\" + kStartupFile;
}

std::vector<std::string> ReadAdminList()
{
    const std::string path = AdminListPath();
    if (path.empty())
        return {};
    // A list anyone else could have written binds nothing for anyone (and
    // one that is not there is no administrators' file either).
    auto& session = os::Current().session;
    if (!session.AdministratorsOnly(path.substr(0, path.rfind('\\'))) || !session.AdministratorsOnly(path))
        return {};
    return ReadList(path).value_or(std::vector<std::string>{});
}

namespace {
// A start-up line's letter and folder; nothing for a line without both.
std::optional<std::pair<std::string, std::string>> StartupFields(const std::string& line)
{
    const auto fields = text::Split(line, '\t');
    if (fields.size() < 2 || !mod_Subst::IsDriveLetter(fields[0]))
        return std::nullopt;
    return std::pair{fields[0], fields[1]};
}
}  // namespace

std::string LettersOf(const std::vector<std::string>& lines)
{
    std::string letters;
    for (const auto& line : lines)
        if (const auto fields = StartupFields(line))
            letters += text::UpperChar(fields->first[0]);
    return letters;
}

int RunStartupList(const std::string& appDir)
{
    const auto admin = ReadAdminList();
    const std::string adminLetters = LettersOf(admin);
    int mounted = 0;
    const auto mount = [&](const std::vector<std::string>& lines, bool users) {
        for (const auto& line : lines) {
            const auto fields = StartupFields(line);
            if (!fields)
                continue;  // no letter or no folder to mount
            if (users && adminLetters.find(text::UpperChar(fields->first[0])) != std::string::npos)
                continue;  // the administrator's letter
            if (MountFolder(fields->first, fields->second, appDir) == MountResult::Mounted)
                ++mounted;
        }
    };
    mount(admin, false);
    mount(ReadList(appDir + kStartupFile).value_or(std::vector<std::string>{}), true);
    return mounted;
}

}  // namespace modLists
