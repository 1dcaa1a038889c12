#include "mod_DriveInfo.h"

#include "os/Text.h"
#include "modFiles.h"
#include "mod_Subst.h"
#include "modLabels.h"
#include "os/System.h"

#include <algorithm>

namespace mod_DriveInfo {

namespace {

constexpr std::string_view kFolderPrefix = "\\??\\";
constexpr std::string_view kNetworkPrefix = "UNC\\";

// Large enough for any reply: a device name's targets are at most 32767
// characters each (three UTF-8 bytes apiece at most), and a letter rarely
// holds more than a few.
constexpr std::uint32_t kMostQueryCapacity = 256 * 1024;

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (text::UpperChar(text[i]) != text::UpperChar(prefix[i]))
            return false;
    return true;
}

}  // namespace

std::optional<std::string> QueryReply(const std::string& letter)
{
    if (!mod_Subst::IsDriveLetter(letter))
        return std::nullopt;
    auto& dos = os::Current().dos;
    const auto device = mod_Subst::DeviceName(letter, true);
    // A letter with many long mappings stacked on it answers with more than the
    // usual buffer holds: ask again with room for it rather than lose the letter.
    for (std::uint32_t capacity = mod_Subst::kQueryCapacity; capacity <= kMostQueryCapacity; capacity *= 2) {
        std::string buffer(capacity, ' ');
        if (dos.Query(device.c_str(), buffer.data(), capacity) != 0)
            return buffer;
        if (dos.LastError() != os::ERROR_CODE_INSUFFICIENT_BUFFER)
            break;
    }
    return std::nullopt;
}

std::vector<std::string> Mappings(const std::string& reply)
{
    const auto pieces = text::Split(reply, '\0');
    // Every string is ended by a NUL; the piece after the last NUL is unused
    // buffer, and an empty string is the closing NUL of the list.
    std::vector<std::string> mappings;
    for (std::size_t i = 0; i + 1 < pieces.size() && !pieces[i].empty(); ++i)
        mappings.push_back(pieces[i]);
    return mappings;
}

bool IsFolderMapping(const std::string& mapping) { return mapping.compare(0, kFolderPrefix.size(), kFolderPrefix) == 0; }

std::string FolderOf(const std::string& mapping)
{
    std::string_view path(mapping);
    path.remove_prefix(std::min(path.size(), kFolderPrefix.size()));
    std::string folder = text::TrimBlanks(path);
    if (StartsWithNoCase(folder, kNetworkPrefix))
        folder.replace(0, kNetworkPrefix.size(), "\\\\");
    return folder;
}

RemoveResult RemoveSubstDrive(const std::string& letter)
{
    if (!mod_Subst::IsDriveLetter(letter))
        return RemoveResult::NoLetter;
    const auto reply = QueryReply(letter);
    if (!reply)
        return RemoveResult::NotBound;

    // The reply's pieces: one per stacked mapping, newest first, then the empty
    // piece between the two closing NULs and the unused blanks.
    const auto pieces = text::Split(*reply, '\0');
    const auto mappings = Mappings(*reply);
    if (mappings.empty())
        return RemoveResult::NotBound;
    if (std::none_of(mappings.begin(), mappings.end(), IsFolderMapping))
        return RemoveResult::Drive;  // a disk's or network's own letter: never ours to remove

    // A removal without a target pops whatever is newest. Under a disk mapping that
    // would be the disk itself, so then only the folder bindings are named.
    const bool holdsDevice = !std::all_of(mappings.begin(), mappings.end(), IsFolderMapping);

    auto& dos = os::Current().dos;
    const auto device = mod_Subst::DeviceName(letter, false);
    for (const auto& piece : pieces) {
        std::string target;
        if (IsFolderMapping(piece))
            target = FolderOf(piece);
        else if (holdsDevice || !text::TrimBlanks(piece).empty())
            continue;
        dos.Define(os::DEFINE_REMOVE, device.c_str(), target.c_str());
    }
    if (mod_Subst::IsSubstDrive(letter))
        return RemoveResult::Refused;
    // The drive's label goes with it, and Explorer hears of it at once.
    const char drive = text::UpperChar(letter[0]);
    modLabels::UnlabelDrive(drive);
    os::Current().shell.DriveRemoved(drive);
    return RemoveResult::Removed;
}

std::string GetSubstTarget(const std::string& letter)
{
    const auto reply = QueryReply(letter);
    if (!reply)
        return {};
    const auto mappings = Mappings(*reply);
    if (mappings.empty())
        return {};
    // The current mapping is the newest one.
    return IsFolderMapping(mappings.front()) ? FolderOf(mappings.front()) : text::TrimBlanks(mappings.front());
}

std::string GetDriveLetters()
{
    std::string buffer(kDriveStringsCapacity, '\0');
    os::Current().dos.LogicalDriveStrings(kDriveStringsCapacity - 1, buffer.data());

    // "A:\" NUL "C:\" NUL ... NUL: the first character of each root string.
    std::string letters;
    std::string_view rest(buffer);
    for (;;) {
        const auto nul = rest.find('\0');
        if (nul == std::string_view::npos || nul == 0)
            break;
        if (rest[0] != ' ')
            letters += rest[0];
        rest.remove_prefix(nul + 1);
    }
    return letters;
}

void ListFreeLetters(LetterPicker& picker, bool clearFirst)
{
    if (clearFirst)
        picker.Clear();
    // A letter the platform does not list has no root to be a directory, so only
    // the listed ones are probed: each probe costs a file-system round trip.
    std::string present = GetDriveLetters();
    for (char& c : present)
        c = text::UpperChar(c);
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        // The probe keeps its trailing blank; Windows drops it when it reads the path.
        if (present.find(letter) != std::string::npos && modFiles::IsDirectory(std::string(1, letter) + ":\\ "))
            continue;
        const std::string item = std::string(1, letter) + ": ";
        if (picker.Text().empty())
            picker.SetText(item);
        picker.AddItem(item);
    }
}

std::vector<std::string> MountedDriveLines()
{
    std::vector<std::string> lines;
    for (const char c : GetDriveLetters()) {
        const std::string letter(1, text::UpperChar(c));
        if (mod_Subst::IsSubstDrive(letter))
            lines.push_back(letter + ": \t" + modFiles::GetLongPath(GetSubstTarget(letter)));
    }
    return lines;
}

}  // namespace mod_DriveInfo
