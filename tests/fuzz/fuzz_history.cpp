// The history in several code pages. Names made from the fuzzer's bytes (any
// script, blanks, quotes, TABs, lines thousands of characters long) are
// appended one by one and read back exactly, in order, whichever form the file
// takes on the way. And any file content is read without failing on its text,
// and keeps its lines when appended to.
#include "FuzzCheck.h"
#include "engine/modLists.h"
#include "tests/support/SimMachine.h"
#include "os/Text.h"

#include <vector>

namespace {

constexpr const char* kPieces[] = {"C:\\", "\\", " ", "\t", "\"", "a", "Z", "9", "é", "ß", "Ł", "ź", "Ж", "ы",
                                   "写真", "ё", "€", "\xF0\x9F\x93\x81", "\xED\xA0\xBD", "%1", "&", "^", ";", "~"};
constexpr unsigned kPages[] = {1252, 1250, 1251, 65001};

std::vector<std::string> Names(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> names(1);
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b == 0xFF) {
            if (names.size() == 32)
                break;
            names.emplace_back();
        }
        else if (b >= 0xF0) {  // a long run of pieces
            for (int k = 0; k < 40 * (b - 0xEF); ++k)
                names.back() += kPieces[k % 7];
        } else
            names.back() += kPieces[b % std::size(kPieces)];
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::SimMachine machine;
    sim::ScopedMachine scope(machine);
    const std::string appDir = "C:\\Tools\\Tavrik\\";
    const std::string path = appDir + modLists::kHistoryFile;
    FUZZ_CHECK(machine.files.MakeDirectory("C:\\Tools\\Tavrik"));
    machine.codePage.page = size ? kPages[data[0] % std::size(kPages)] : 1252;

    // A folder that exists is recorded once (the host tests hold that); every
    // other text is kept as often as it comes.
    auto names = Names(data, size);
    std::erase_if(names, [&](const std::string& name) { return machine.files.IsDirectoryPath(name.c_str()); });
    for (const auto& name : names)
        FUZZ_CHECK(modLists::AppendHistory(appDir, name));
    FUZZ_CHECK(modLists::ReadHistory(appDir) == names);
    FUZZ_CHECK(modLists::ClearHistory(appDir));

    // The raw bytes as a history someone left there.
    const std::string content = BytesText(data, size);
    FUZZ_CHECK(machine.files.MakeFile(path, content));
    auto lines = modLists::ReadHistory(appDir);
    // Only a file that is no text (it holds a NUL) cannot be read here.
    FUZZ_CHECK(lines.has_value() == (content.find('\0') == std::string::npos));
    FUZZ_CHECK(!lines || lines->size() <= size);
    for (const std::string text : {"C:\\Program Files\\Data", "", " \"C:\\With Quotes\"  ", "C:\\Été", "C:\\Плюс"}) {
        const bool appended = modLists::AppendHistory(appDir, text);
        // Only an unreadable history, whose form is unknown, refuses a line,
        // and it refuses every one. None of these names a folder that exists.
        FUZZ_CHECK(appended == lines.has_value());
        if (lines && appended) {
            lines->push_back(text);
            FUZZ_CHECK(modLists::ReadHistory(appDir) == lines);
        }
    }
    return 0;
}
