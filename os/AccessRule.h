#pragma once
// Whether only administrators can change a file or folder, judged from its
// owner and its access list as Windows keeps them (the list's entries read
// by the caller; the judgement is the same on every platform).
#include <cstdint>
#include <optional>
#include <vector>

namespace os {

// The rights that change a file or folder: its content (write, append,
// extended attributes), its entries (delete child), its name and place
// (delete), its rights and owner, and the generic write and all.
inline constexpr std::uint32_t kChangeRights = 0x2 | 0x4 | 0x10 | 0x40 | 0x10000 | 0x40000 | 0x80000 |
                                               0x40000000 | 0x10000000;

// One entry of an access list, as far as the judgement needs it.
struct AccessEntry {
    enum class Kind { Allow, Deny, Other };
    Kind kind = Kind::Allow;
    bool inheritOnly = false;    // for what is made inside later, not the object itself
    std::uint32_t rights = 0;    // its access mask
    bool administrator = false;  // its SID is one of those administrators trust
};

// True when the owner is one administrators trust and no entry that applies
// to the object allows anyone else to change it. No access list at all
// (nullopt) lets everyone do everything; an entry of a kind a file's list
// does not hold cannot be judged, and is taken as letting others in.
bool OnlyAdministratorsChange(bool ownerIsAdministrator, const std::optional<std::vector<AccessEntry>>& entries);

}  // namespace os
