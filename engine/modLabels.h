#pragma once
// The names Explorer shows for the drives the program binds. Explorer reads a
// per-user label for a letter from the registry (no administrator rights, and
// the volume's own label is left as it is):
//   HKCU\Software\Classes\Applications\Explorer.exe\Drives\<X>\DefaultLabel
// A label lives exactly as long as the binding it names. The keys the program
// writes carry a value of its own; a key without it is someone else's and is
// never changed or removed.
#include <string>

namespace modLabels {

inline constexpr const char* kDrivesKey = "Software\\Classes\\Applications\\Explorer.exe\\Drives";
// The value that marks a key as the program's own.
inline constexpr const char* kMarkValue = "Tavrik";

// A label as typed, as it is kept and shown: control characters become blanks,
// and blanks around it go.
std::string CleanLabel(const std::string& label);

// The label of a folder bound to a drive: the folder's own name, the last part
// of its long form; a drive's root as written ("D:\").
std::string DefaultLabel(const std::string& folder);

// A letter was bound to the folder (or the user renamed its drive): its label
// is written, the given one or else the folder's name, unless a label there is
// someone else's. False when nothing was written.
bool LabelDrive(char letter, const std::string& folder, const std::string& label = {});

// The user renamed the drive of a bound letter: the label is written as
// LabelDrive writes it, and Explorer told. False when nothing was written.
bool RelabelDrive(char letter, const std::string& folder, const std::string& label);

// A letter's binding is gone: its label goes with it, where it is ours.
void UnlabelDrive(char letter);

// Labels whose binding vanished without the program (the session ended,
// another tool removed it) go too: every letter that carries a label of ours
// and no folder binding.
void RemoveStaleLabels();

}  // namespace modLabels
