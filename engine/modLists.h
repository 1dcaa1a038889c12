#pragma once
// The two list files in the program's folder: the history of mounted folders
// ("Tavrik.ini", one command-line text per line) and the start-up list
// ("mount.ini", one "x: " TAB folder pair per line). CR LF line ends, ANSI text,
// no header, no escaping.
#include <string>
#include <vector>

namespace modLists {

inline constexpr const char* kHistoryFile = "Tavrik.ini";
inline constexpr const char* kStartupFile = "mount.ini";

// Every history line in file order; empty when the file is missing or unreadable.
std::vector<std::string> ReadHistory(const std::string& appDir);

// Appends the command-line text exactly as given. False when it could not be written.
bool AppendHistory(const std::string& appDir, const std::string& commandLine);

// Deletes the history file if there is one. False when it exists and stays.
bool ClearHistory(const std::string& appDir);

// Every start-up line, lower-cased; empty when the file is missing or unreadable.
std::vector<std::string> ReadStartupList(const std::string& appDir);

// Writes the items as the whole start-up list (an empty list gives an empty
// file). The old list is replaced only once the new one is completely written;
// on failure it stays as it was and the result is false.
bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items);

// Mounts a folder on a letter text: nothing when the folder is no directory.
enum class MountResult { Mounted, NotADirectory, Refused };
MountResult MountFolder(const std::string& letter, const std::string& folder);

// Binds every pair of the start-up list in file order. Lines without a TAB and
// lines whose folder is no directory are skipped. Returns how many were bound.
int RunStartupList(const std::string& appDir);

}  // namespace modLists
