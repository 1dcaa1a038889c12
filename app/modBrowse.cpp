#include "modBrowse.h"

#include "ui/Services.h"

namespace modBrowse {

std::string BrowseForFolder(const std::string& title, ui::WindowHandle owner, bool addBackslash)
{
    auto path = ui::CurrentServices().shell.BrowseForFolder(owner, title + std::string(1, '\0'), kBrowseFlags);
    if (!path)
        return {};
    if (addBackslash && !path->empty() && path->back() != '\\')
        *path += '\\';
    return *path;
}

}  // namespace modBrowse
