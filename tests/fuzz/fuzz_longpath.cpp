// The long form of any path, on a small tree of long names with short forms, a
// hidden folder, a file and a letter bound to a folder.
#include "FuzzCheck.h"
#include "engine/modFiles.h"
#include "platform/SimPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::SimMachine machine;
    platform::ScopedPlatform scope(machine.platform);
    auto& files = machine.files;
    FUZZ_CHECK(files.MakeDirectory("C:\\Program Files\\Common Files"));
    FUZZ_CHECK(files.MakeDirectory("C:\\Program Data"));
    FUZZ_CHECK(files.MakeDirectory("C:\\Documents and Settings\\All Users", platform::ATTR_HIDDEN));
    FUZZ_CHECK(files.MakeDirectory("C:\\DATA\\x.y.z"));
    FUZZ_CHECK(files.MakeFile("C:\\Program Files\\read me.txt", "text"));
    FUZZ_CHECK(machine.dos.Define(0, "M:", "C:\\PROGRA~1"));

    const std::string path = BytesText(data, size);
    const std::string longPath = modFiles::GetLongPath(path);

    // The drive part is kept as typed; only what follows it is looked up.
    const std::string typed = path.substr(0, path.find('\0'));
    FUZZ_CHECK(longPath.empty() || longPath.starts_with(typed.substr(0, 2)));
    FUZZ_CHECK(longPath.find('\0') == std::string::npos);
    return 0;
}
