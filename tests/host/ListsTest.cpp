// The history and the start-up list: what is stored, what is read back, and
// that a failing disk never costs the user a list.
#include "SimMachineFixture.h"
#include "os/Text.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"

#include <functional>

namespace {

const std::string kAppDir = "C:\\Tools\\Tavrik\\";
const std::string kHistory = kAppDir + "Tavrik.ini";
const std::string kStartup = kAppDir + "mount.ini";
using Lines = std::vector<std::string>;

class Lists : public SimMachineTest {
protected:
    void SetUp() override { ASSERT_TRUE(files().MakeDirectory("C:\\Tools\\Tavrik")); }
};

TEST_F(Lists, HistoryKeepsEveryTextExactly)
{
    EXPECT_EQ(modLists::ReadHistory(kAppDir), Lines{});  // missing reads as empty
    // No folder of these is there: each is kept as often as it comes.
    const std::vector<std::string> texts = {"C:\\Data", "C:\\Data", " \"C:\\With Quotes\"  ", "not a folder", "ab", "ab"};
    for (const auto& text : texts)
        ASSERT_TRUE(modLists::AppendHistory(kAppDir, text));
    EXPECT_EQ(files().Content(kHistory), "C:\\Data\r\nC:\\Data\r\n \"C:\\With Quotes\"  \r\nnot a folder\r\nab\r\nab\r\n");
    EXPECT_EQ(modLists::ReadHistory(kAppDir), texts);
}

TEST_F(Lists, HistoryReadsHandEditedLineEnds)
{
    ASSERT_TRUE(files().MakeFile(kHistory, "one\ntwo\r\n\r\nthree"));
    EXPECT_EQ(modLists::ReadHistory(kAppDir), (std::vector<std::string>{"one", "two", "", "three"}));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "four"));
    EXPECT_EQ(modLists::ReadHistory(kAppDir), (std::vector<std::string>{"one", "two", "", "three", "four"}));
}

TEST_F(Lists, UnreadableOrUnwritableHistoryIsSkipped)
{
    ASSERT_TRUE(files().MakeFile(kHistory, "C:\\Data\r\n"));
    files().DenyRead(kHistory);
    EXPECT_EQ(modLists::ReadHistory(kAppDir), std::nullopt);
    files().DenyWrite(kHistory);
    EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\Other"));
    EXPECT_FALSE(modLists::ClearHistory(kAppDir));
    EXPECT_EQ(files().Content(kHistory), "C:\\Data\r\n");
    EXPECT_FALSE(modLists::AppendHistory("C:\\Nowhere\\", "C:\\Data"));
}

// A folder is recorded once: a line naming the same folder, in any spelling
// of it, keeps the history as it is; a line naming no folder is no match.
TEST_F(Lists, HistoryRecordsEachFolderOnce)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data2"));
    const std::string old = "C:\\Gone\r\nc:\\program files\\data\r\n";
    struct Case {
        const char* folder;
        bool added;
    };
    for (const Case& c : {Case{"C:\\Program Files\\Data", false}, Case{"C:\\PROGRA~1\\DATA", false},
                          Case{"C:\\Program Files\\Data\\", false}, Case{"C:\\Program Files\\Data2", true},
                          Case{"C:\\Program Files", true}, Case{"C:\\Gone", true}}) {
        ASSERT_TRUE(files().MakeFile(kHistory, old));
        EXPECT_TRUE(modLists::AppendHistory(kAppDir, c.folder)) << c.folder;
        EXPECT_EQ(files().Content(kHistory), c.added ? old + c.folder + "\r\n" : old) << c.folder;
    }
}

TEST_F(Lists, ClearHistory)
{
    EXPECT_TRUE(modLists::ClearHistory(kAppDir));  // nothing to delete
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Data"));
    EXPECT_TRUE(modLists::ClearHistory(kAppDir));
    EXPECT_FALSE(files().Exists(kHistory));
    EXPECT_EQ(modLists::ReadHistory(kAppDir), Lines{});
}

TEST_F(Lists, StartupListIsLowerCasedOnReadingAndWrittenAsGiven)
{
    ASSERT_TRUE(files().MakeFile(kStartup, "M: \tC:\\Data\r\nN: \tC:\\\xDCn\xEF" "code \xC4rea\r\n"));
    const auto lines = modLists::ReadStartupList(kAppDir);
    EXPECT_EQ(lines, (Lines{"m: \tc:\\data", "n: \tc:\\ünïcode ärea"}));

    auto items = lines.value_or(Lines{});
    items.push_back("P: \tC:\\New");
    ASSERT_TRUE(modLists::WriteStartupList(kAppDir, items));
    EXPECT_EQ(files().Content(kStartup), "m: \tc:\\data\r\nn: \tc:\\\xFCn\xEF" "code \xE4rea\r\nP: \tC:\\New\r\n");
    EXPECT_FALSE(files().Exists(kStartup + ".new"));

    ASSERT_TRUE(modLists::WriteStartupList(kAppDir, {}));
    EXPECT_EQ(files().Content(kStartup), "");
}

TEST_F(Lists, AFailedRewriteLeavesTheOldListIntact)
{
    const std::string old = "m: \tc:\\data\r\nn: \tc:\\other\r\n";
    ASSERT_TRUE(files().MakeFile(kStartup, old));

    files().FailWritesAfter(kStartup + ".new", 5);  // disk full half-way
    EXPECT_FALSE(modLists::WriteStartupList(kAppDir, {"x: \tc:\\x", "y: \tc:\\y"}));
    EXPECT_EQ(files().Content(kStartup), old);
    EXPECT_FALSE(files().Exists(kStartup + ".new"));

    files().DenyWrite(kStartup);  // the list itself cannot be replaced
    EXPECT_FALSE(modLists::WriteStartupList(kAppDir, {"x: \tc:\\x"}));
    EXPECT_EQ(files().Content(kStartup), old);
    EXPECT_FALSE(files().Exists(kStartup + ".new"));
}

TEST_F(Lists, StartupRunBindsEveryValidPairInOrder)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Other"));
    ASSERT_TRUE(files().MakeFile(kStartup,
                                 "m: \tc:\\program files\\data\r\n"
                                 "\r\n"
                                 "no tab at all\r\n"
                                 "n: \tC:\\Missing\r\n"
                                 "M: \tC:\\Other\textra field\r\n"
                                 "o: \tC:\\Other\r\n"));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 3);

    // The lower-case letter defines a lower-case name; the short form is bound;
    // a later line for the same letter stacks on the first.
    ASSERT_EQ(dos().Calls().size(), 3u);
    EXPECT_EQ(dos().Calls()[0].deviceName, "m:");
    EXPECT_EQ(dos().Calls()[0].target, "c:\\PROGRA~1\\data");
    EXPECT_EQ(dos().Mappings("M:"), (std::vector<std::string>{"\\??\\C:\\Other", "\\??\\c:\\PROGRA~1\\data"}));
    EXPECT_TRUE(dos().Mappings("N:").empty());
    EXPECT_TRUE(mod_Subst::IsSubstDrive("O"));
    EXPECT_TRUE(files().Exists(kStartup));  // the run never rewrites the list
}

// Folders named in any script are bound (by their short form where the volume
// makes one, by their own name where it makes none), listed by their long
// names, and found again by the start-up run from the lower-cased list.
TEST_F(Lists, FoldersInAnyScriptAreBoundAndListedByTheirNames)
{
    machine.AddDisk('D', 2);
    files().TurnOffShortNames("\\Device\\HarddiskVolume2");
    const struct {
        std::string letter, folder, bound;
    } cases[] = {
        {"P: ", "C:\\Плюс", "C:\\____~1"},
        {"Q: ", "C:\\写真", "C:\\__~1"},
        {"R: ", "C:\\Αρχεία\\\xF0\x9F\x93\x81 Files", "C:\\______~1\\_FILES~1"},
        {"S: ", "D:\\Длинное имя\\写真", "D:\\Длинное имя\\写真"},
    };
    std::vector<std::string> listed;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        ASSERT_TRUE(files().MakeDirectory(c.folder));
        EXPECT_EQ(modLists::MountFolder(c.letter, c.folder), modLists::MountResult::Mounted);
        EXPECT_EQ(dos().Mappings(c.letter.substr(0, 2)), std::vector<std::string>{"\\??\\" + c.bound});
        listed.push_back(c.letter + "\t" + c.folder);
    }
    EXPECT_EQ(mod_DriveInfo::MountedDriveLines(), listed);

    // Past MAX_PATH a folder is still bound as it is; past the 32767 units a
    // binding can hold, it is refused (the main window then says so).
    std::string folderName;
    for (int i = 0; i < 7; ++i)
        folderName += "Папка_с_очень_длинным_именем_";  // 29 characters, 203 in all
    std::string deep = "D:";
    while (text::Utf8ToUtf16(deep).size() < 32500)
        deep += "\\" + folderName;
    ASSERT_TRUE(files().MakeDirectory(deep));
    // One unit more than "\??\" and the path may have.
    const std::size_t over = 32767 - 4 + 1 - text::Utf8ToUtf16(deep).size();
    const std::string deeper = deep + "\\" + std::string(over - 1, 'x');
    ASSERT_TRUE(files().MakeDirectory(deeper));
    EXPECT_EQ(modLists::MountFolder("T: ", deep), modLists::MountResult::Mounted);
    EXPECT_TRUE(mod_DriveInfo::GetSubstTarget("T") == deep);  // not printed: 32 K characters
    EXPECT_EQ(modLists::MountFolder("U: ", deeper), modLists::MountResult::Refused);
    mod_DriveInfo::RemoveSubstDrive("T");

    ASSERT_TRUE(modLists::WriteStartupList(kAppDir, listed));
    for (const auto& c : cases)
        mod_DriveInfo::RemoveSubstDrive(c.letter);
    const auto lowered = modLists::ReadStartupList(kAppDir);
    ASSERT_TRUE(lowered);
    EXPECT_EQ(lowered->front(), "p: \tc:\\плюс");
    ASSERT_TRUE(modLists::WriteStartupList(kAppDir, *lowered));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 4);
    const auto relisted = mod_DriveInfo::MountedDriveLines();
    ASSERT_EQ(relisted.size(), 4u);
    EXPECT_EQ(relisted.front(), "P: \tc:\\Плюс");  // the drive as the list has it, the folder as stored
}

TEST_F(Lists, StartupRunWithoutAListOrAReadableOneDoesNothing)
{
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 0);
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    ASSERT_TRUE(files().MakeFile(kStartup, "m: \tC:\\Data\r\n"));
    files().DenyRead(kStartup);
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 0);
    EXPECT_TRUE(dos().Calls().empty());
}

// What is there but cannot be read must never be taken for an empty list,
// and hidden or system lists are still the user's lists.
TEST_F(Lists, ListsTellMissingFromUnreadable)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    struct Case {
        const char* what;
        std::function<void()> arrange;
        modLists::ListLines expected;
    };
    const std::string list = "m: \tc:\\data\r\n";
    // One line of exactly 1 MiB with its line end; the field after a second TAB
    // is no part of the pair.
    const std::string largest = "m: \tc:\\data\t" + std::string(1024 * 1024 - 14, 'x');
    ASSERT_EQ(largest.size() + 2, 1024u * 1024u);
    const Case cases[] = {
        {"missing", [] {}, Lines{}},
        {"empty", [&] { files().MakeFile(kStartup, ""); }, Lines{}},
        {"readable", [&] { files().MakeFile(kStartup, list); }, Lines{"m: \tc:\\data"}},
        {"hidden", [&] { files().MakeFile(kStartup, list, os::ATTR_HIDDEN); }, Lines{"m: \tc:\\data"}},
        {"system", [&] { files().MakeFile(kStartup, list, os::ATTR_SYSTEM); }, Lines{"m: \tc:\\data"}},
        {"held by another program",
         [&] {
             files().MakeFile(kStartup, list);
             files().DenyRead(kStartup);
         },
         std::nullopt},
        {"a folder of that name", [&] { files().MakeDirectory(kStartup); }, std::nullopt},
        {"in a folder that may not be listed",
         [&] {
             files().MakeFile(kStartup, list);
             files().DenyRead("C:\\Tools\\Tavrik");
         },
         std::nullopt},
        {"binary", [&] { files().MakeFile(kStartup, std::string("m: \tc:\\da\0ta\r\n", 14)); }, std::nullopt},
        {"as large as a list may be", [&] { files().MakeFile(kStartup, largest + "\r\n"); }, Lines{largest}},
        {"a byte larger", [&] { files().MakeFile(kStartup, largest + "x\r\n"); }, std::nullopt},
        {"far too large", [&] { files().MakeFile(kStartup, std::string(modLists::kMaxListBytes + 1, 'x')); },
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        files().Remove(kStartup);
        files().ClearFailures();
        dos().ClearCalls();
        c.arrange();
        const auto before = files().Content(kStartup);
        EXPECT_EQ(modLists::ReadStartupList(kAppDir), c.expected);
        // The run reads the list the same way: what the window shows is what gets bound.
        EXPECT_EQ(modLists::RunStartupList(kAppDir), c.expected ? static_cast<int>(c.expected->size()) : 0);
        const auto calls = dos().Calls();  // removing adds calls of its own
        for (const auto& call : calls)
            dos().Define(os::DEFINE_REMOVE, call.deviceName.c_str(), nullptr);
        EXPECT_EQ(files().Content(kStartup), before);
    }
}

TEST_F(Lists, RewriteKeepsHiddenAndSystemListsSoAndLeavesReadOnlyOnesAlone)
{
    for (const std::uint32_t kept : {os::ATTR_HIDDEN, os::ATTR_SYSTEM,
                                     os::ATTR_HIDDEN | os::ATTR_SYSTEM}) {
        ASSERT_TRUE(files().MakeFile(kStartup, "m: \tc:\\old\r\n", kept));
        EXPECT_TRUE(modLists::WriteStartupList(kAppDir, {"n: \tc:\\new"}));
        EXPECT_EQ(files().Content(kStartup), "n: \tc:\\new\r\n");
        EXPECT_EQ(files().ReadAttributes(kStartup), kept);
        files().Remove(kStartup);
    }
    ASSERT_TRUE(files().MakeFile(kStartup, "m: \tc:\\old\r\n", os::ATTR_READONLY));
    EXPECT_FALSE(modLists::WriteStartupList(kAppDir, {"n: \tc:\\new"}));
    EXPECT_EQ(files().Content(kStartup), "m: \tc:\\old\r\n");
    EXPECT_FALSE(files().Exists(kStartup + ".new"));
}

TEST_F(Lists, AppendingNeverCutsTheHistory)
{
    const std::string old = "C:\\One\r\nC:\\Two";  // hand-edited: no last line end
    ASSERT_TRUE(files().MakeFile(kHistory, old, os::ATTR_HIDDEN));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Three"));
    EXPECT_EQ(files().Content(kHistory), old + "\r\nC:\\Three\r\n");
    // A full disk takes part of a line: the file goes back to what it was, so
    // no fragment joins the next line written once there is room again.
    files().FailWritesAfter(kHistory, 3);
    EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\Four"));
    EXPECT_EQ(files().Content(kHistory), old + "\r\nC:\\Three\r\n");
    files().ClearFailures();
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Five"));
    EXPECT_EQ(modLists::ReadHistory(kAppDir), (Lines{"C:\\One", "C:\\Two", "C:\\Three", "C:\\Five"}));
}

// Another copy of the program busy with a list for longer than anyone waits:
// no change is made, and none is reported as made.
TEST_F(Lists, AListAnotherCopyHoldsIsLeftAsItIs)
{
    ASSERT_TRUE(files().MakeFile(kHistory, "C:\\Data\r\n"));
    ASSERT_TRUE(files().MakeFile(kStartup, "m: \tc:\\data\r\n"));
    auto loaded = modLists::LoadStartupList(kAppDir);
    ASSERT_TRUE(loaded);
    {
        const auto history = files().Lock(kHistory);
        const auto startup = files().Lock(kStartup);
        ASSERT_TRUE(history && startup);
        EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\Other"));
        EXPECT_FALSE(modLists::ClearHistory(kAppDir));
        EXPECT_FALSE(modLists::WriteStartupList(kAppDir, {}));
        EXPECT_EQ(modLists::SaveStartupList(kAppDir, *loaded, {}), modLists::SaveResult::Failed);
        EXPECT_EQ(files().Content(kHistory), "C:\\Data\r\n");
        EXPECT_EQ(files().Content(kStartup), "m: \tc:\\data\r\n");
    }
    EXPECT_EQ(modLists::SaveStartupList(kAppDir, *loaded, {}), modLists::SaveResult::Saved);
    EXPECT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Other"));  // each lock is given back
}

// A window's edits applied to a list another window saved meanwhile.
TEST_F(Lists, EditsMergeIntoTheListAsItIsNow)
{
    struct Case {
        const char* name;
        Lines base, ours, theirs, merged;
    } const cases[] = {
        {"both add", {"a"}, {"a", "b"}, {"a", "c"}, {"a", "c", "b"}},
        {"we remove what they kept", {"a", "b"}, {"b"}, {"a", "b", "c"}, {"b", "c"}},
        {"we remove what they removed", {"a", "b"}, {"b"}, {"b"}, {"b"}},
        {"one of two equal lines", {"a", "a"}, {"a"}, {"a", "a", "c"}, {"a", "c"}},
        {"we add a line they also added", {}, {"a"}, {"a"}, {"a", "a"}},
        {"nothing edited", {"a"}, {"a"}, {"x"}, {"x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(modLists::MergeEdits(c.base, c.ours, c.theirs), c.merged) << c.name;
}

// A list is read in the user's ANSI code page, or as UTF-8 after a byte-order
// mark, and lower-cased by characters. It is written back in the code page,
// byte for byte as always, unless a name there has no form in it.
TEST_F(Lists, StartupListIsReadAndWrittenInTheFormItsNamesNeed)
{
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        unsigned page;
        std::string stored, read, written;
    } cases[] = {
        {1252, "M: \tC:\\\xC4rger \x8A\x9F", "m: \tc:\\ärger šÿ", "m: \tc:\\\xE4rger \x9A\xFF"},
        // ŹRÓDŁA: 0x8F and 0xA3 are capitals of this page alone
        {1250, "Z: \tC:\\\x8FR\xD3" "D\xA3" "A", "z: \tc:\\źródła", "z: \tc:\\\x9Fr\xF3" "d\xB3" "a"},
        {1251, "P: \tC:\\\xCF\xEB\xFE\xF1", "p: \tc:\\плюс", "p: \tc:\\\xEF\xEB\xFE\xF1"},
        {65001, "F: \tC:\\Фото", "f: \tc:\\фото", "f: \tc:\\фото"},
        {1252, bom + "P: \tC:\\Плюс\r\nS: \tC:\\写真", "p: \tc:\\плюс\ns: \tc:\\写真",
         bom + "p: \tc:\\плюс\r\ns: \tc:\\写真"},
        {1252, bom + "A: \tC:\\ΑΡΧΕΊΑ\\\xF0\x9F\x93\x81", "a: \tc:\\αρχεία\\\xF0\x9F\x93\x81",
         bom + "a: \tc:\\αρχεία\\\xF0\x9F\x93\x81"},
        // A UTF-8 list whose names all fit the code page goes back to it.
        {1252, bom + "M: \tC:\\Ärger", "m: \tc:\\ärger", "m: \tc:\\\xE4rger"},
        {1251, bom + "M: \tC:\\Ärger", "m: \tc:\\ärger", bom + "m: \tc:\\ärger"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        machine.codePage.page = c.page;
        ASSERT_TRUE(files().MakeFile(kStartup, c.stored + "\r\n"));
        const auto lines = modLists::ReadStartupList(kAppDir);
        ASSERT_TRUE(lines);
        EXPECT_EQ(text::Split(c.read, '\n'), *lines);
        ASSERT_TRUE(modLists::WriteStartupList(kAppDir, *lines));
        EXPECT_EQ(files().Content(kStartup), c.written + "\r\n");
    }
}

// The history keeps its form while every new line fits it; the first line the
// code page cannot hold turns the whole file, old lines included, into UTF-8.
TEST_F(Lists, HistoryGoesOverToUtf8OnlyForANameTheCodePageCannotHold)
{
    const std::string bom = "\xEF\xBB\xBF";
    ASSERT_TRUE(files().MakeFile(kHistory, "C:\\\xC4rger\r\n", os::ATTR_HIDDEN));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Été"));
    EXPECT_EQ(files().Content(kHistory), "C:\\\xC4rger\r\nC:\\\xC9t\xE9\r\n");

    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Плюс"));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Été"));
    EXPECT_EQ(files().Content(kHistory), bom + "C:\\Ärger\r\nC:\\Été\r\nC:\\Плюс\r\nC:\\Été\r\n");
    EXPECT_EQ(modLists::ReadHistory(kAppDir), (Lines{"C:\\Ärger", "C:\\Été", "C:\\Плюс", "C:\\Été"}));
    EXPECT_EQ(files().ReadAttributes(kHistory), os::ATTR_HIDDEN);

    // A history that cannot be read takes no line at all, in either form: of
    // its own form nothing is known.
    ASSERT_TRUE(files().Remove(kHistory));
    ASSERT_TRUE(files().MakeFile(kHistory, "C:\\Old\r\n"));
    files().DenyRead(kHistory);
    EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\写真"));
    EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\New"));
    EXPECT_EQ(files().Content(kHistory), "C:\\Old\r\n");

    files().ClearFailures();
    ASSERT_TRUE(files().Remove(kHistory));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\写真"));
    EXPECT_EQ(files().Content(kHistory), bom + "C:\\写真\r\n");
}

// A line whose letter is no drive letter, or whose folder is named relative to
// wherever the run stands, is skipped like any malformed line.
TEST_F(Lists, StartupRunSkipsLinesWhoseLetterIsNoDriveLetterOrFolderNoWholePath)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    files().currentFolder = "C:\\Data";
    ASSERT_TRUE(files().MakeFile(kStartup, "\tC:\\Data\r\n1: \tC:\\Data\r\n?: \tC:\\Data\r\n*: \tC:\\Data\r\n"
                                           "\xE9: \tC:\\Data\r\n:\tC:\\Data\r\n \tC:\\Data\r\nq: \tC:\\Data\r\n"
                                           "r: \t..\r\ns: \t.\r\nt: \t\\Data\r\nu: \tC:.\r\n"
                                           "v: \t\\\\server\\share\\Dir\r\n"));
    files().AddShare("\\\\server\\share");  // a network folder is a whole path too
    ASSERT_TRUE(files().MakeDirectory("\\\\server\\share\\Dir"));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 2);
    ASSERT_EQ(dos().Calls().size(), 2u);
    EXPECT_EQ(dos().Calls()[0].deviceName, "q:");
    EXPECT_EQ(dos().Calls()[1].deviceName, "v:");
}

}  // namespace

namespace {

// Another window saved the start-up list after this one loaded it: this
// window's save takes its own edits into the list as it now lies on disk.
TEST_F(Lists, ASaveAfterAnotherWindowsSaveKeepsBothWindowsEdits)
{
    ASSERT_TRUE(files().MakeFile(kStartup, "A: \tC:\\A\r\nB: \tC:\\B\r\n"));
    auto mine = modLists::LoadStartupList(kAppDir);
    ASSERT_TRUE(mine);
    ASSERT_TRUE(modLists::WriteStartupList(kAppDir, {"a: \tc:\\a", "b: \tc:\\b", "d: \tc:\\d"}));
    // This window took A out and put C in.
    EXPECT_EQ(modLists::SaveStartupList(kAppDir, *mine, {"b: \tc:\\b", "c: \tc:\\c"}), modLists::SaveResult::Merged);
    EXPECT_EQ(files().Content(kStartup), "b: \tc:\\b\r\nd: \tc:\\d\r\nc: \tc:\\c\r\n");
    EXPECT_EQ(mine->items, (Lines{"b: \tc:\\b", "d: \tc:\\d", "c: \tc:\\c"}));
    // It now holds the list as saved, so its next edit is no merge.
    EXPECT_EQ(modLists::SaveStartupList(kAppDir, *mine, {"d: \tc:\\d"}), modLists::SaveResult::Saved);
    EXPECT_EQ(modLists::ReadStartupList(kAppDir), Lines{"d: \tc:\\d"});
}

}  // namespace
