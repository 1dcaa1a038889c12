#pragma once
// The shell's folder dialog.
#include "ui/ListBoxes.h"

#include <cstdint>
#include <string>

namespace modBrowse {

// File-system folders only (1), not below the domain (2), new dialog style (0x40).
constexpr std::uint32_t kBrowseFlags = 0x43;

// The picked folder's path, with a closing "\" when addBackslash asks for one;
// empty when the dialog was cancelled.
std::string BrowseForFolder(const std::string& title, ui::WindowHandle owner, bool addBackslash);

}  // namespace modBrowse
