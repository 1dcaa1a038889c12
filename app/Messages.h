#pragma once
// The program's error messages: each under the title "ERROR!" with the stop icon.
#include "ui/App.h"

#include <string>

inline constexpr const char* kMountFailedText =
    "Drive Creation Failed.  Please check your drive letter and path selections.";
inline constexpr const char* kStartupListUnreadableText =
    "The start-up list (mount.ini) could not be read.  It is left as it is and cannot be changed now.";
inline constexpr const char* kStartupListNotSavedText =
    "The start-up list (mount.ini) could not be saved.  It is left as it was.\r\n\r\n"
    "Yes tries again.  No closes this window without saving your changes.  Cancel keeps it open.";
inline constexpr const char* kHistoryNotWrittenText =
    "The history (Tavrik.ini) could not be written.  This folder was not added to it.";
inline constexpr const char* kHistoryNotClearedText =
    "The history (Tavrik.ini) could not be cleared.  It is left as it was.";

inline constexpr const char* kLabelNotKeptText =
    "The label could not be kept (labels.ini).  The drive shows it until it is unmounted.";
inline constexpr const char* kCopyFailedText =
    "The clipboard is held by another program.  The folder path was not copied.";

inline std::string OpenFailedText(const std::string& drive)
{
    return "The drive " + drive + " could not be opened.";
}
inline std::string FolderMissingText(const std::string& folder)
{
    return "The folder \"" + folder + "\" does not exist.  Nothing was mounted.";
}
inline std::string FolderNotTakenText(const std::string& folder)
{
    return "The folder \"" + folder + "\" does not exist.  It was not taken.";
}

// A line of the administrator's list, shown first in the setup window.
inline constexpr const char* kAdminLineMark = "\t(set by your administrator)";
inline std::string AdminLetterText(const std::string& drive)
{
    return drive + " is set by your administrator for every user.  It cannot be removed or given another folder here.";
}

inline void ShowError(const std::string& prompt) { ui::MsgBox(prompt, ui::vbCritical | ui::vbOKOnly, "ERROR!"); }
