#pragma once
// Reading and removing drive bindings, and listing drives and free letters.
#include "LetterPicker.h"

#include <cstdint>

#include <optional>
#include <string>
#include <vector>

namespace mod_DriveInfo {

constexpr std::uint32_t kDriveStringsCapacity = 2048;

// The whole query buffer for the letter, blank-filled before the call: 1024
// characters, or more when the letter's mappings need more. nullopt when the
// query failed or the text is no drive letter.
std::optional<std::string> QueryReply(const std::string& letter);

// The mappings a reply lists, newest first: its strings up to the empty one.
std::vector<std::string> Mappings(const std::string& reply);

// A mapping that binds a folder: "\??\" and a path.
bool IsFolderMapping(const std::string& mapping);

// The folder a folder mapping names, as a Win32 path: "\??\C:\DATA" gives
// "C:\DATA", "\??\UNC\server\share" gives "\\server\share".
std::string FolderOf(const std::string& mapping);

// What a removal came to: the letter's folder bindings are gone; it had none;
// the text is no drive letter; the letter is a drive of its own (a disk, a
// network letter) with no folder bound over it; or the system kept a binding.
enum class RemoveResult { Removed, NotBound, NoLetter, Drive, Refused };

// Removes every binding stacked on the letter, newest first, each by naming its own
// target. A letter that carries no folder binding (a disk, a network letter) is
// left alone, and a disk mapping under a folder binding is never removed.
RemoveResult RemoveSubstDrive(const std::string& letter);

// The folder a bound letter points to, e.g. "C:\PROGRA~1\DATA"; for a letter whose
// current mapping is no folder binding, that mapping (such as a disk's device path).
std::string GetSubstTarget(const std::string& letter);

// One character per present drive, in the platform's (alphabetical) order.
std::string GetDriveLetters();

// Offers every letter C to Z whose root is not a directory: the picker gets the
// item "X: " for each and shows the first unless it already shows a text.
void ListFreeLetters(LetterPicker& picker, bool clearFirst);

// The lines of the list of mounted folders: "M: " TAB long folder, one per
// letter that is a folder binding, in drive-letter order.
std::vector<std::string> MountedDriveLines();

}  // namespace mod_DriveInfo
