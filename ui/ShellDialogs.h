#pragma once
// The shell's folder picker, message boxes, Explorer and the clipboard.
#include "UiTypes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ui {

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    // SHBrowseForFolderW with no root, then SHGetPathFromIDListW into a buffer of
    // 260 characters. nullopt when the user cancels; otherwise the buffer's text
    // up to its first NUL (empty for an item without a file-system path).
    virtual std::optional<std::string> BrowseForFolder(WindowHandle owner, const std::string& title,
                                                       std::uint32_t flags) = 0;

    // MessageBoxW over the owner, task-modal; the button pressed.
    virtual int ShowMessage(WindowHandle owner, const std::string& prompt, const std::string& title,
                            std::uint32_t flags) = 0;

    // A folder (a drive's root) opened in an Explorer window, as a double
    // click on it opens it. False when the shell refused.
    virtual bool OpenFolder(WindowHandle owner, const std::string& path) = 0;

    // Text on the clipboard as Unicode text. False when it could not be put
    // there (another program holding the clipboard for longer than a moment).
    virtual bool CopyText(WindowHandle owner, const std::string& text) = 0;
};

}  // namespace ui
