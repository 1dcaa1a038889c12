#include "mod_Subst.h"

#include "TextUtil.h"
#include "mod_DriveInfo.h"
#include "platform/Platform.h"

namespace mod_Subst {

std::string DeviceName(const std::string& letter, bool upperCase)
{
    if (letter.empty())
        return ":";
    return std::string(1, upperCase ? text::UpperChar(letter[0]) : letter[0]) + ":";
}

bool SubstDrive(const std::string& letter, const char* target, std::uint32_t flags)
{
    if (flags == platform::DDD_REMOVE_DEFINITION) {
        mod_DriveInfo::RemoveSubstDrive(letter);
        return !IsSubstDrive(letter);
    }
    return platform::Current().dos.Define(flags, DeviceName(letter, false).c_str(), target);
}

bool SubstDrive(const std::string& letter, const std::string& target, std::uint32_t flags)
{
    return SubstDrive(letter, target.c_str(), flags);
}

bool IsSubstDrive(const std::string& letter)
{
    const auto reply = mod_DriveInfo::QueryReply(letter);
    return reply && reply->find("??") != std::string::npos;
}

}  // namespace mod_Subst
