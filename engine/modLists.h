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

// Any other list of the program's, read the same way: nullopt when it is
// there but cannot be read.
ListLines ReadListAt(const std::string& path);
// Writes the lines as the whole list at path, under the lock, whole or not at
// all, as UTF-8 after a byte-order mark.
bool WriteListAt(const std::string& path, const std::vector<std::string>& lines);

// Every history line in file order.
ListLines ReadHistory(const std::string& appDir);

// Records a folder: appends the command-line text exactly as given, in the
// file's form, unless a line already names the same folder (the same long
// form, whatever its case). Lines already there are never changed; they are
// rewritten once, as UTF-8, when the first line the code page cannot hold
// arrives. True when the history holds the folder; false when it could not be
// written, and when the history is there but cannot be read (it is never
// written then).
bool AppendHistory(const std::string& appDir, const std::string& commandLine);

// Deletes the history file if there is one. False when it exists and stays.
// Like every change to a list file, it waits its turn with other copies of
// the program writing the same list.
bool ClearHistory(const std::string& appDir);

// Every start-up line, lower-cased character by character.
ListLines ReadStartupList(const std::string& appDir);

// Writes the items as the whole start-up list (an empty list gives an empty
// file). The old list is replaced only once the new one is completely written,
// and keeps its hidden and system attributes; a read-only list is not replaced.
// A list that is a symbolic link is written where the link leads. On failure
// the old list stays as it was and the result is false.
bool WriteStartupList(const std::string& appDir, const std::vector<std::string>& items);

// The start-up list as a window loaded it: the lines it shows, and the file as
// it lay on disk then, so that a save can tell whether another window or
// program changed it meanwhile.
struct StartupList {
    std::vector<std::string> items;      // lower-cased, as shown
    std::vector<std::string> fileLines;  // as read, before lower-casing
    bool fileUtf8 = false;
};
// nullopt when the file is there but cannot be read.
std::optional<StartupList> LoadStartupList(const std::string& appDir);

enum class SaveResult {
    Unchanged,  // the items are the list as loaded: nothing is written
    Saved,      // written over the list as it was loaded
    Merged,     // the file changed meanwhile: the window's edits went into it
    Failed,     // nothing written; the file is as it was
};
// Saves a window's items as the start-up list loaded into it. A list nobody
// edited is not written at all. When the file changed since it was loaded,
// the window's edits are applied to the file as it is now (MergeEdits) rather
// than written over it. On success `list` becomes the list as it now lies on
// disk, so a later save compares with that.
SaveResult SaveStartupList(const std::string& appDir, StartupList& list, const std::vector<std::string>& items);

// The edits that turned base into ours, applied to theirs: every line ours
// removed from base is removed from theirs (once per removal, where theirs
// still has it), and every line ours added comes after theirs, in ours' order.
std::vector<std::string> MergeEdits(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                                    const std::vector<std::string>& theirs);

// The labels the user gave folders' drives ("Rename"), beside the lists: one
// folder's long form, a TAB and its label a line, always UTF-8.
inline constexpr const char* kLabelsFile = "labels.ini";

// The label the user gave the folder's drive, found by the folder's long form
// whatever its case; empty when it has none, or the file cannot be read.
std::string LabelOfFolder(const std::string& appDir, const std::string& folder);

// Keeps label (cleaned as modLabels::CleanLabel does) as the folder's own;
// empty: the folder's name again. Replaced whole under the lock like every
// list; a file that cannot be read is left as it is, and the result is false.
bool KeepLabel(const std::string& appDir, const std::string& folder, const std::string& label);

// Gives every drive bound to the folder, by whatever spelling of it, the
// label (empty: the folder's name), and tells Explorer.
void RelabelFolderDrives(const std::string& folder, const std::string& label);

// Mounts a folder on a letter text: nothing when the folder is no directory,
// or is given relative to a current folder. The drive is labelled for
// Explorer: the label the user gave the folder (kept in appDir), or its name.
enum class MountResult { Mounted, NotADirectory, Refused };
MountResult MountFolder(const std::string& letter, const std::string& folder, const std::string& appDir = {});

// The start-up list an administrator sets for every user of the machine,
// %ProgramData%\Tavrik\mount.ini, in the start-up list's format. Its lines
// are bound before the user's own, and a letter it names is its own. It is
// read only while nobody but administrators can change it or its folder;
// missing, unreadable or open to others, it has no lines (and is no error).
std::string AdminListPath();
std::vector<std::string> ReadAdminList();

// The drive letters the lines of a start-up list name, upper-case, in order.
std::string LettersOf(const std::vector<std::string>& lines);

// Binds every pair of the administrator's list and then of the start-up list
// in appDir, each in file order; a line of the user's whose letter the
// administrator's list names is skipped. Lines without a TAB, lines whose
// letter field does not start with a drive letter and lines whose folder is
// no directory, or no absolute path, are skipped. Returns how many were bound.
int RunStartupList(const std::string& appDir);

}  // namespace modLists
