#include "mod_Subst.h"

#include "os/Text.h"
#include "mod_DriveInfo.h"
#include "os/System.h"

#include <algorithm>

namespace mod_Subst {

bool IsDriveLetter(const std::string& letter)
{
    if (letter.empty())
        return false;
    const char c = letter[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string DeviceName(const std::string& letter, bool upperCase)
{
    if (letter.empty())
        return ":";
    return std::string(1, upperCase ? text::UpperChar(letter[0]) : letter[0]) + ":";
}

bool SubstDrive(const std::string& letter, const char* target, std::uint32_t flags)
{
    if (!IsDriveLetter(letter))
        return false;
    if (flags == os::DEFINE_REMOVE) {
        mod_DriveInfo::RemoveSubstDrive(letter);
        return !IsSubstDrive(letter);
    }
    return os::Current().dos.Define(flags, DeviceName(letter, false).c_str(), target);
}

bool SubstDrive(const std::string& letter, const std::string& target, std::uint32_t flags)
{
    return SubstDrive(letter, target.c_str(), flags);
}

bool IsSubstDrive(const std::string& letter)
{
    const auto reply = mod_DriveInfo::QueryReply(letter);
    if (!reply)
        return false;
    const auto mappings = mod_DriveInfo::Mappings(*reply);
    return std::any_of(mappings.begin(), mappings.end(), mod_DriveInfo::IsFolderMapping);
}

}  // namespace mod_Subst
