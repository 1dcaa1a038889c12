#pragma once
// Binding a drive letter to a folder in the DOS device name space.
//
// A letter text is any text whose first character is the drive letter ("M: ",
// "M:", "M", "m: "); only that character counts, and it must be a letter A to Z
// in either case. Definitions and removals use it as given, so "m: " defines the
// device name "m:"; queries upper-case it.
#include <cstdint>
#include <string>

namespace mod_Subst {

constexpr std::uint32_t kQueryCapacity = 1024;

// True when the letter text starts with A to Z or a to z. Every call that binds,
// removes or queries refuses anything else before it reaches the platform, so no
// stray name such as ":" or "1:" is ever defined.
bool IsDriveLetter(const std::string& letter);

// The device name for a letter text: its first character and ":".
std::string DeviceName(const std::string& letter, bool upperCase);

// Defines letter -> target with flags (0 to bind, 2 to remove every binding of the
// letter). A null target is an absent one. True when the platform accepted it; with
// flags 2, true when no folder binding is left on the letter. False without any
// platform call for a text that is no drive letter.
bool SubstDrive(const std::string& letter, const char* target, std::uint32_t flags);
bool SubstDrive(const std::string& letter, const std::string& target, std::uint32_t flags);

// True when the letter is currently bound to a folder: one of its mappings is
// "\??\" and a path.
bool IsSubstDrive(const std::string& letter);

}  // namespace mod_Subst
