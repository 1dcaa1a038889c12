// Long forms on a tree this target builds from the fuzzer's bytes: folders of
// long names in several scripts, with blanks and dots, some hidden or system,
// nested as the bytes say. The long form of each folder's short form, and of
// the folder itself, is the folder as it was made; a missing folder anywhere
// on the way gives no long form at all. And any raw path is taken safely.
#include "FuzzCheck.h"
#include "engine/modFiles.h"
#include "tests/support/SimMachine.h"

#include <vector>

namespace {

// Pieces of names: none holds a character Windows refuses in a name.
constexpr const char* kPieces[] = {"a", "Z", "0", " ", ".", "-", "_", "~", "Long", "name", "é", "Ä", "ß",
                                   "Плюс", "写真", "Αρχεία", "\xF0\x9F\x93\x81", "x.y", "PROGRA~1", "'", "&", "%1"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::SimMachine machine;
    sim::ScopedMachine scope(machine);
    auto& files = machine.files;
    machine.AddDisk('D', 2);

    // Each folder: a byte for where it goes and how it is marked, then name
    // pieces until a byte with its top bit set. Every name starts with its own
    // number, so no two fold to the same name in any script.
    std::vector<std::string> folders;
    std::size_t at = 0;
    while (at < size && folders.size() < 16) {
        const std::uint8_t place = data[at++];
        std::string parent = (place & 1) ? "D:" : "C:";
        if (!folders.empty() && (place & 2))
            parent = folders[(place >> 2) % folders.size()];
        std::string name = std::to_string(folders.size()) + " ";
        while (at < size && !(data[at] & 0x80))
            name += kPieces[data[at++] % std::size(kPieces)];
        ++at;
        // Windows drops a closing blank or dot from a name.
        while (name.back() == ' ' || name.back() == '.')
            name.pop_back();
        const std::string folder = parent + "\\" + name;
        const std::uint32_t marks = (place & 0x40 ? os::ATTR_HIDDEN : 0) | (place & 0x20 ? os::ATTR_SYSTEM : 0);
        FUZZ_CHECK(files.MakeDirectory(folder, marks));
        folders.push_back(folder);
    }

    for (const auto& folder : folders) {
        FUZZ_CHECK(modFiles::GetLongPath(folder) == folder);
        FUZZ_CHECK(modFiles::GetLongPath(folder + "\\") == folder);
        const std::string shortForm = modFiles::GetShortPath(folder);
        FUZZ_CHECK(!shortForm.empty());
        FUZZ_CHECK(modFiles::GetLongPath(shortForm) == folder);
        FUZZ_CHECK(modFiles::GetLongPath(folder + "\\gone").empty());
        FUZZ_CHECK(modFiles::GetLongPath(shortForm + "\\gone\\" + folder.substr(3)).empty());
    }

    // The fuzzer's bytes as a path of their own: the drive part is kept as
    // typed, and nothing past a NUL is read.
    const std::string path = BytesText(data, size);
    const std::string longPath = modFiles::GetLongPath(path);
    const std::string typed = path.substr(0, path.find('\0'));
    FUZZ_CHECK(longPath.empty() || longPath.starts_with(typed.substr(0, 2)));
    FUZZ_CHECK(longPath.find('\0') == std::string::npos);
    return 0;
}
