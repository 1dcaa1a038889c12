#include "modBrowse.h"

#include "platform/Platform.h"

namespace modBrowse {

std::string BrowseForFolder(const std::string& title, platform::WindowHandle owner, bool addBackslash)
{
    auto path = platform::Current().shell.BrowseForFolder(owner, title + std::string(1, '\0'), kBrowseFlags);
    if (!path)
        return {};
    if (addBackslash && !path->empty() && path->back() != '\\')
        *path += '\\';
    return *path;
}

}  // namespace modBrowse
