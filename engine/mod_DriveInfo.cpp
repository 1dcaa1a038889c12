#include "mod_DriveInfo.h"

#include "TextUtil.h"
#include "modFiles.h"
#include "mod_Subst.h"
#include "platform/Platform.h"

#include <algorithm>

namespace mod_DriveInfo {

namespace {

constexpr std::string_view kFolderPrefix = "\\??\\";

bool IsFolderMapping(const std::string& piece) { return piece.find(kFolderPrefix) != std::string::npos; }

}  // namespace

std::optional<std::string> QueryReply(const std::string& letter)
{
    std::string buffer(mod_Subst::kQueryCapacity, ' ');
    const auto count = platform::Current().dos.Query(mod_Subst::DeviceName(letter, true).c_str(), buffer.data(),
                                                     mod_Subst::kQueryCapacity);
    if (count == 0)
        return std::nullopt;
    return buffer;
}

void RemoveSubstDrive(const std::string& letter)
{
    const auto reply = QueryReply(letter);
    if (!reply)
        return;

    // The reply's pieces: one per stacked mapping, newest first, then the empty
    // piece between the two closing NULs and the unused blanks.
    const auto pieces = text::Split(*reply, '\0');
    if (std::none_of(pieces.begin(), pieces.end(), IsFolderMapping))
        return;  // a disk's or network's own letter: never ours to remove

    // A removal without a target pops whatever is newest. Under a disk mapping that
    // would be the disk itself, so then only the folder bindings are named.
    const bool holdsDevice = std::any_of(pieces.begin(), pieces.end(), [](const std::string& piece) {
        return !IsFolderMapping(piece) && !text::TrimBlanks(piece).empty();
    });

    auto& dos = platform::Current().dos;
    const auto device = mod_Subst::DeviceName(letter, false);
    for (const auto& piece : pieces) {
        std::string target;
        if (IsFolderMapping(piece))
            target = text::TrimBlanks(std::string_view(piece).substr(kFolderPrefix.size()));
        else if (holdsDevice || !text::TrimBlanks(piece).empty())
            continue;
        dos.Define(platform::DDD_REMOVE_DEFINITION, device.c_str(), target.c_str());
    }
}

std::string GetSubstTarget(const std::string& letter)
{
    const auto reply = QueryReply(letter);
    if (!reply)
        return {};
    for (const auto& piece : text::Split(*reply, '\0')) {
        if (piece.find("??") == std::string::npos) {
            const auto target = text::TrimBlanks(piece);
            if (!target.empty())
                return target;
            break;
        }
    }
    // A folder binding: the current target without its "\??\" prefix.
    return text::UpToNul(std::string_view(*reply).substr(kFolderPrefix.size()));
}

std::string GetDriveLetters()
{
    std::string buffer(kDriveStringsCapacity, '\0');
    platform::Current().dos.LogicalDriveStrings(kDriveStringsCapacity - 1, buffer.data());

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
