#pragma once
// The two list files in the program's folder: the history of mounted folders
// ("Tavrik.ini", one command-line text per line) and the start-up list
// ("mount.ini", one "x: " TAB folder pair per line). CR LF line ends, no header,
// no escaping. The text is in the user's ANSI code page, as it has always been,
// unless a line holds a name that page cannot: then the file is UTF-8 and starts
// with the byte-order mark. Either form is read; the lines come back as text.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace modLists {

inline constexpr const char* kHistoryFile = "Tavrik.ini";
inline constexpr const char* kStartupFile = "mount.ini";

// A list is a few hundred lines at most; anything far larger is no list of ours
// and is left alone rather than loaded into a window.
inline constexpr std::size_t kMaxListBytes = 1024 * 1024;

// The lines of a list file. A missing file reads as an empty list; nullopt
// means the file is there but could not be read (held by another program,
// refused, too large, or no text at all), so it must not be written over.
// Hidden and system lists are read like any other.
using ListLines = std::optional<std::vector<std::string>>;

// Every history line in file order.
ListLines ReadHistory(const std::string& appDir);

// Appends the command-line text exactly as given, in the file's form. Lines
// already there are never changed; they are rewritten once, as UTF-8, when the
// first line the code page cannot hold arrives. False when it could not be
// written (also for such a line when the history cannot be read).
bool AppendHistory(const std::string& appDir, const std::string& commandLine);

// Deletes the history file if there is one. False when it exists and stays.
bool ClearHistory(const std::string& appDir);

// Every start-up line, lower-cased character by character.
ListLines ReadStartupList(const std::string& appDir);

// Writes the items as the whole start-up list (an empty list gives an empty
// file). The old list is replaced only once the new one is completely written,
// and keeps its hidden and system attributes; a read-only list is not replaced.
// On failure the old list stays as it was and the result is false.
bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items);

// Mounts a folder on a letter text: nothing when the folder is no directory.
enum class MountResult { Mounted, NotADirectory, Refused };
MountResult MountFolder(const std::string& letter, const std::string& folder);

// Binds every pair of the start-up list in file order. Lines without a TAB,
// lines whose letter field does not start with a drive letter and lines whose
// folder is no directory are skipped. Returns how many were bound.
int RunStartupList(const std::string& appDir);

}  // namespace modLists
