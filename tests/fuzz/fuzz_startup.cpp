// The start-up run on a mount.ini built from the fuzzer's bytes: lines of
// letter fields, folder spellings and line ends, each of whose outcome this
// target knows on its own. Every well-formed line with an existing folder ends
// bound to that folder's short form, in the order of the lines; nothing else
// is bound, and the list is only read.
#include "FuzzCheck.h"
#include "engine/modLists.h"
#include "tests/support/SimMachine.h"

#include <map>
#include <vector>

namespace {

// Folder fields and what they name: the short form of an existing folder
// (upper case, no closing backslash), or "" for no folder.
struct Folder {
    const char* field;
    const char* shortForm;
};
constexpr Folder kFolders[] = {
    {"C:\\Data", "C:\\DATA"},
    {"c:\\data", "C:\\DATA"},
    {"C:\\DATA\\", "C:\\DATA"},
    {"C:\\Program Files\\Common Files", "C:\\PROGRA~1\\COMMON~1"},
    {"c:\\progra~1\\common~1", "C:\\PROGRA~1\\COMMON~1"},
    {"D:\\Long Folder Name", "D:\\LONGFO~1"},
    {"d:\\long folder name\\", "D:\\LONGFO~1"},
    {"C:\\Data\\Deeper Folder Name", "C:\\DATA\\DEEPER~1"},
    {"C:\\Missing", ""},
    {"C:\\Data\\read me.txt", ""},  // a file
    {"", ""},
    {"C:\\Data\tC:\\Missing", "C:\\DATA"},  // a further TAB ends the folder field
};

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string WithoutClosingSeparator(std::string s)
{
    if (!s.empty() && s.back() == '\\')
        s.pop_back();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::SimMachine machine;
    sim::ScopedMachine scope(machine);
    machine.AddDisk('D', 2);
    const std::string appDir = "C:\\Tools\\Tavrik\\";
    for (const char* folder : {"C:\\Tools\\Tavrik", "C:\\Data\\Deeper Folder Name", "C:\\Program Files\\Common Files",
                               "D:\\Long Folder Name"})
        FUZZ_CHECK(machine.files.MakeDirectory(folder));
    FUZZ_CHECK(machine.files.MakeFile("C:\\Data\\read me.txt", "text"));

    // Three bytes a line: its letter field, its folder, its separator and end.
    // Letters are E to Z, so that no binding changes what a later folder names.
    std::string content;
    std::map<char, std::vector<std::string>> expected;  // letter -> short forms, oldest first
    int wellFormed = 0;
    for (std::size_t at = 0; at + 3 <= size; at += 3) {
        const std::uint8_t letterByte = data[at], folderByte = data[at + 1], endByte = data[at + 2];
        const char letter = static_cast<char>('E' + letterByte % 22);
        const bool lower = (letterByte & 0x20) != 0;
        std::string field;
        bool letterValid = true;
        switch ((letterByte >> 6) & 3) {
        case 0: field = std::string(1, lower ? static_cast<char>(letter - 'A' + 'a') : letter) + ": "; break;
        case 1: field = std::string(1, letter); break;
        case 2: field = std::string(1, letter) + ":\\"; break;
        default:
            field = (letterByte & 1) ? "1: " : "";
            letterValid = false;
        }
        const Folder& folder = kFolders[folderByte % std::size(kFolders)];
        // A TAB, none, or two (the folder field is then empty).
        static const char* const kSeparators[] = {"\t", "\t", " ", "\t\t"};
        const int separator = (endByte >> 2) & 3;
        const bool tab = separator < 2;
        content += field + kSeparators[separator] + folder.field;
        static const char* const kEnds[] = {"\r\n", "\n", "\r", "\r\n"};
        content += kEnds[endByte & 3];
        if (tab && letterValid && *folder.shortForm) {
            expected[letter].push_back(folder.shortForm);
            ++wellFormed;
        }
    }
    FUZZ_CHECK(machine.files.MakeFile(appDir + modLists::kStartupFile, content));

    FUZZ_CHECK(modLists::RunStartupList(appDir) == wellFormed);

    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = std::string(1, letter) + ":";
        auto mappings = machine.dos.Mappings(name);  // newest first
        if (letter == 'C' || letter == 'D') {
            FUZZ_CHECK(mappings.size() == 1);  // the disks alone
            continue;
        }
        const auto& bound = expected[letter];
        FUZZ_CHECK(mappings.size() == bound.size());
        for (std::size_t i = 0; i < bound.size(); ++i) {
            const std::string& mapping = mappings[bound.size() - 1 - i];
            FUZZ_CHECK(mapping.starts_with("\\??\\"));
            FUZZ_CHECK(WithoutClosingSeparator(Upper(mapping.substr(4))) == bound[i]);
        }
    }
    FUZZ_CHECK(machine.files.Content(appDir + modLists::kStartupFile) == content);
    return 0;
}
