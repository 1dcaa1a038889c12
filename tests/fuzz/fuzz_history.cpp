// The history on any Tavrik.ini: reading it never fails on its content, and an
// append keeps every earlier line and adds exactly the new one, in the file's
// code page until a name needs UTF-8.
#include "FuzzCheck.h"
#include "engine/modLists.h"
#include "platform/SimPlatform.h"
#include "platform/Unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::SimMachine machine;
    platform::ScopedPlatform scope(machine.platform);
    const std::string appDir = "C:\\Tools\\Tavrik\\";
    FUZZ_CHECK(machine.files.MakeDirectory("C:\\Tools\\Tavrik"));
    FUZZ_CHECK(machine.files.MakeFile(appDir + modLists::kHistoryFile, BytesText(data, size)));


    const std::string content = BytesText(data, size);
    auto lines = modLists::ReadHistory(appDir);
    // Only a file that is no text (it holds a NUL) cannot be read here.
    FUZZ_CHECK(lines.has_value() == (content.find('\0') == std::string::npos));
    FUZZ_CHECK(!lines || lines->size() <= size);
    // An empty text too is a line of its own. The last one needs UTF-8.
    for (const std::string text : {"C:\\Program Files\\Data", "", " \"C:\\With Quotes\"  ", "C:\\Été", "C:\\Плюс"}) {
        const bool appended = modLists::AppendHistory(appDir, text);
        // Only an unreadable history, whose form is unknown, refuses a line.
        FUZZ_CHECK(appended || (!lines && !platform::IsAscii(text)));
        if (lines) {
            lines->push_back(text);
            FUZZ_CHECK(modLists::ReadHistory(appDir) == lines);
        }
        // Whatever the file held stays at its start while its form stays.
        if (text != "C:\\Плюс" || !lines)
            FUZZ_CHECK(machine.files.Content(appDir + modLists::kHistoryFile)->compare(0, size, content) == 0);
    }
    return 0;
}
