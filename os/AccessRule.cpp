#include "AccessRule.h"

#include <algorithm>

namespace os {

bool OnlyAdministratorsChange(bool ownerIsAdministrator, const std::optional<std::vector<AccessEntry>>& entries)
{
    if (!ownerIsAdministrator || !entries)
        return false;
    return std::none_of(entries->begin(), entries->end(), [](const AccessEntry& entry) {
        if (entry.inheritOnly || entry.kind == AccessEntry::Kind::Deny)
            return false;  // for what is made inside later, or taking rights away
        return entry.kind == AccessEntry::Kind::Other || ((entry.rights & kChangeRights) && !entry.administrator);
    });
}

}  // namespace os
