#pragma once
// Binding a drive letter to a folder in the DOS device name space.
//
// A letter text is any text whose first character is the drive letter ("M: ",
// "M:", "M", "m: "); only that character counts. Definitions and removals use it
// as given, so "m: " defines the device name "m:"; queries upper-case it.
#include <cstdint>
#include <string>

namespace mod_Subst {

constexpr std::uint32_t kQueryCapacity = 1024;

// The device name for a letter text: its first character and ":" (":" alone for
// an empty text).
std::string DeviceName(const std::string& letter, bool upperCase);

// Defines letter -> target with flags (0 to bind, 2 to remove every binding of the
// letter). A null target is an absent one. True when the platform accepted it; with
// flags 2, true when no folder binding is left on the letter.
bool SubstDrive(const std::string& letter, const char* target, std::uint32_t flags);
bool SubstDrive(const std::string& letter, const std::string& target, std::uint32_t flags);

// True when the letter is currently bound to a folder.
bool IsSubstDrive(const std::string& letter);

}  // namespace mod_Subst
