// The engine reading any query reply: the fuzzed bytes are what the device name
// space answers for every letter. What the engine must make of them is worked
// out here from the bytes alone, not with the engine's own helpers.
#include "FuzzCheck.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"
#include "tests/support/SimMachine.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

namespace {

class ReplyDevices : public os::DosDevices {
public:
    explicit ReplyDevices(std::string reply) : m_Reply(std::move(reply)) {}

    bool Define(std::uint32_t flags, const char* deviceName, const char* target) override
    {
        FUZZ_CHECK(deviceName != nullptr);
        removals.push_back({flags, deviceName, target ? target : "", target != nullptr});
        return true;
    }

    // The reply as far as the buffer holds it; an empty one is a failed query.
    std::uint32_t Query(const char*, char* buffer, std::uint32_t capacity) override
    {
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(m_Reply.size(), capacity));
        std::memcpy(buffer, m_Reply.data(), count);
        return count;
    }
    std::uint32_t LastError() const override { return os::ERROR_CODE_FILE_NOT_FOUND; }

    std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) override
    {
        static const char listing[] = "C:\\\0M:\\\0";
        if (length < sizeof listing)
            return sizeof listing;
        std::memcpy(buffer, listing, sizeof listing);
        return sizeof listing - 1;
    }

    struct Removal {
        std::uint32_t flags;
        std::string deviceName;
        std::string target;
        bool hasTarget;
    };
    std::vector<Removal> removals;

private:
    std::string m_Reply;
};

// The strings of a reply as a real name space gives it: each "\??\" marker at
// the start of its string, the closing NUL last. nullopt for any other reply.
std::optional<std::vector<std::string>> WellFormed(const std::string& reply)
{
    std::vector<std::string> strings;
    std::size_t at = 0;
    while (at < reply.size() && reply[at] != '\0') {
        const auto end = reply.find('\0', at);
        if (end == std::string::npos)
            return std::nullopt;
        strings.push_back(reply.substr(at, end - at));
        const auto marker = strings.back().find("\\??\\");
        if (marker != std::string::npos && marker != 0)
            return std::nullopt;
        at = end + 1;
    }
    if (at + 1 != reply.size())
        return std::nullopt;
    return strings;
}

// The text without the blanks around it (TABs stay: a folder may end in one).
std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The Win32 path a "\??\" string names: its network form "UNC\server" is "\\server".
std::string FolderNamed(const std::string& mapping)
{
    std::string folder = Trimmed(mapping.substr(4));
    if (folder.size() >= 4 && (folder[0] == 'U' || folder[0] == 'u') && (folder[1] == 'N' || folder[1] == 'n') &&
        (folder[2] == 'C' || folder[2] == 'c') && folder[3] == '\\')
        folder.replace(0, 3, "\\");
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string reply = BytesText(data, size).substr(0, mod_Subst::kQueryCapacity);
    sim::SimMachine machine;
    FUZZ_CHECK(machine.files.MakeDirectory("C:\\Program Files\\Data"));
    ReplyDevices devices(reply);
    os::System replying{devices, machine.files, machine.codePage, machine.registry, machine.shellNotify,
                          machine.session, machine.taskScheduler};
    os::ScopedSystem scope(replying);

    const bool bound = mod_Subst::IsSubstDrive("M");
    const std::string target = mod_DriveInfo::GetSubstTarget("M");
    FUZZ_CHECK(target.find('\0') == std::string::npos);
    FUZZ_CHECK(!reply.empty() || target.empty());

    mod_DriveInfo::RemoveSubstDrive("m");
    FUZZ_CHECK(bound || devices.removals.empty());  // no folder binding: left alone
    for (const auto& removal : devices.removals)
        FUZZ_CHECK(removal.flags == os::DEFINE_REMOVE && removal.deviceName == "m:" && removal.hasTarget);
    // Each folder binding is named by its own target, newest first. Over a device
    // (a disk under the bindings) nothing else goes: a removal without a target
    // would pop the disk.
    if (const auto strings = WellFormed(reply)) {
        std::vector<std::string> folders, named, expected;
        bool device = false;
        for (const auto& s : *strings) {
            if (s.starts_with("\\??\\"))
                folders.push_back(FolderNamed(s));
            else
                device = device || s.find_first_not_of(' ') != std::string::npos;
        }
        std::copy_if(folders.begin(), folders.end(), std::back_inserter(expected), [](auto& t) { return !t.empty(); });
        for (const auto& removal : devices.removals)
            if (!removal.target.empty())
                named.push_back(removal.target);
        FUZZ_CHECK(named == expected);
        if (device || folders.empty())
            FUZZ_CHECK(devices.removals.size() == folders.size());
    }

    // A bound letter's target is its newest folder, also when the binding lies over a disk.
    if (const auto strings = WellFormed(reply); strings && !strings->empty() && strings->front().starts_with("\\??\\"))
        FUZZ_CHECK(target == FolderNamed(strings->front()));

    for (const auto& line : mod_DriveInfo::MountedDriveLines())
        FUZZ_CHECK(line.starts_with("C: \t") || line.starts_with("M: \t"));
    return 0;
}
