// The start-up run on any mount.ini: only whole bindings are made, the list is
// left as it was, and nothing is removed.
#include "FuzzCheck.h"
#include "engine/modLists.h"
#include "platform/LineText.h"
#include "platform/SimPlatform.h"

#include <vector>

namespace {

bool IsDriveName(const std::string& name)
{
    const char c = name.empty() ? '\0' : name[0];
    return name.size() == 2 && name[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

// Every name the machine's name space holds: a query without a name lists them.
std::vector<std::string> AllNames(platform::SimDosDevices& dos)
{
    std::string buffer(1 << 16, '\0');
    const auto count = dos.Query(nullptr, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    FUZZ_CHECK(count > 0);
    std::vector<std::string> names;
    for (std::size_t at = 0; at < count && buffer[at] != '\0'; at = buffer.find('\0', at) + 1)
        names.push_back(buffer.c_str() + at);
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::SimMachine machine;
    platform::ScopedPlatform scope(machine.platform);
    machine.AddDisk('D', 2);
    const std::string appDir = "C:\\Tools\\Tavrik\\";
    for (const char* folder : {"C:\\Tools\\Tavrik", "C:\\Data", "C:\\Program Files\\Common Files", "D:\\Long Folder Name"})
        FUZZ_CHECK(machine.files.MakeDirectory(folder));
    const std::string content = BytesText(data, size);
    FUZZ_CHECK(machine.files.MakeFile(appDir + modLists::kStartupFile, content));

    const int mounted = modLists::RunStartupList(appDir);

    std::size_t pairs = 0;
    for (const auto& line : platform::SplitLines(content))
        pairs += line.find('\t') != std::string::npos;
    const auto& calls = machine.dos.Calls();
    FUZZ_CHECK(mounted >= 0 && static_cast<std::size_t>(mounted) <= calls.size() && calls.size() <= pairs);
    for (const auto& call : calls) {
        // Bindings only, and never to nothing.
        FUZZ_CHECK(call.flags == 0 && call.hasTarget && !call.target.empty());
        FUZZ_CHECK(IsDriveName(call.deviceName));
    }

    // Each mounted pair is one more mapping; the two disks are still there.
    std::size_t mappings = 0;
    for (const auto& name : AllNames(machine.dos)) {
        FUZZ_CHECK(IsDriveName(name));
        mappings += machine.dos.Mappings(name).size();
    }
    FUZZ_CHECK(mappings == 2 + static_cast<std::size_t>(mounted));
    FUZZ_CHECK(machine.dos.Mappings("C:").back() == "\\Device\\HarddiskVolume1");
    FUZZ_CHECK(machine.dos.Mappings("D:").back() == "\\Device\\HarddiskVolume2");

    // The list itself is only read. A pair may rebind C:, so its disk is reached
    // again once the bindings are taken back.
    for (const auto& name : AllNames(machine.dos))
        while (machine.dos.Mappings(name).size() > ((name == "C:" || name == "D:") ? 1u : 0u))
            FUZZ_CHECK(machine.dos.Define(platform::DEFINE_REMOVE, name.c_str(), nullptr));
    FUZZ_CHECK(machine.files.Content(appDir + modLists::kStartupFile) == content);
    return 0;
}
