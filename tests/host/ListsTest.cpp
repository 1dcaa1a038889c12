// The history and the start-up list: what is stored, what is read back, and
// that a failing disk never costs the user a list.
#include "SimMachineFixture.h"
#include "engine/modLists.h"
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
    const std::vector<std::string> texts = {"C:\\Data", "C:\\Data", " \"C:\\With Quotes\"  ", "not a folder"};
    for (const auto& text : texts)
        ASSERT_TRUE(modLists::AppendHistory(kAppDir, text));
    EXPECT_EQ(files().Content(kHistory), "C:\\Data\r\nC:\\Data\r\n \"C:\\With Quotes\"  \r\nnot a folder\r\n");
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
    EXPECT_EQ(lines, (Lines{"m: \tc:\\data", "n: \tc:\\\xFCn\xEF" "code \xE4rea"}));

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
    const Case cases[] = {
        {"missing", [] {}, Lines{}},
        {"empty", [&] { files().MakeFile(kStartup, ""); }, Lines{}},
        {"readable", [&] { files().MakeFile(kStartup, list); }, Lines{"m: \tc:\\data"}},
        {"hidden", [&] { files().MakeFile(kStartup, list, platform::ATTR_HIDDEN); }, Lines{"m: \tc:\\data"}},
        {"system", [&] { files().MakeFile(kStartup, list, platform::ATTR_SYSTEM); }, Lines{"m: \tc:\\data"}},
        {"held by another program",
         [&] {
             files().MakeFile(kStartup, list);
             files().DenyRead(kStartup);
         },
         std::nullopt},
        {"a folder of that name", [&] { files().MakeDirectory(kStartup); }, std::nullopt},
        {"binary", [&] { files().MakeFile(kStartup, std::string("m: \tc:\\da\0ta\r\n", 14)); }, std::nullopt},
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
            dos().Define(platform::DEFINE_REMOVE, call.deviceName.c_str(), nullptr);
        EXPECT_EQ(files().Content(kStartup), before);
    }
}

TEST_F(Lists, RewriteKeepsHiddenAndSystemListsSoAndLeavesReadOnlyOnesAlone)
{
    for (const std::uint32_t kept : {platform::ATTR_HIDDEN, platform::ATTR_SYSTEM,
                                     platform::ATTR_HIDDEN | platform::ATTR_SYSTEM}) {
        ASSERT_TRUE(files().MakeFile(kStartup, "m: \tc:\\old\r\n", kept));
        EXPECT_TRUE(modLists::WriteStartupList(kAppDir, {"n: \tc:\\new"}));
        EXPECT_EQ(files().Content(kStartup), "n: \tc:\\new\r\n");
        EXPECT_EQ(files().ReadAttributes(kStartup), kept);
        files().Remove(kStartup);
    }
    ASSERT_TRUE(files().MakeFile(kStartup, "m: \tc:\\old\r\n", platform::ATTR_READONLY));
    EXPECT_FALSE(modLists::WriteStartupList(kAppDir, {"n: \tc:\\new"}));
    EXPECT_EQ(files().Content(kStartup), "m: \tc:\\old\r\n");
    EXPECT_FALSE(files().Exists(kStartup + ".new"));
}

TEST_F(Lists, AppendingNeverCutsTheHistory)
{
    const std::string old = "C:\\One\r\nC:\\Two";  // hand-edited: no last line end
    ASSERT_TRUE(files().MakeFile(kHistory, old, platform::ATTR_HIDDEN));
    ASSERT_TRUE(modLists::AppendHistory(kAppDir, "C:\\Three"));
    EXPECT_EQ(files().Content(kHistory), old + "\r\nC:\\Three\r\n");
    files().FailWritesAfter(kHistory, 3);  // disk full: what was there stays
    EXPECT_FALSE(modLists::AppendHistory(kAppDir, "C:\\Four"));
    EXPECT_EQ(files().Content(kHistory)->substr(0, old.size() + 12), old + "\r\nC:\\Three\r\n");
}

// Lower-casing follows the user's code page: a byte that is a capital in one
// page is another letter, or half of a character, in the next.
TEST_F(Lists, StartupListIsLowerCasedInTheUsersCodePage)
{
    const struct {
        unsigned page;
        std::string stored, read;
    } cases[] = {
        {1252, "M: \tC:\\\xC4rger \x8A\x9F", "m: \tc:\\\xE4rger \x9A\xFF"},
        // c:\ŹRÓDŁA and c:\źródła: 0x9F is ź here, not Ÿ
        {1250, "Z: \tC:\\\x8FR\xD3" "D\xA3" "A", "z: \tc:\\\x9Fr\xF3" "d\xB3" "a"},
        {1250, "z: \tc:\\\x9Fr\xF3" "d\xB3" "a", "z: \tc:\\\x9Fr\xF3" "d\xB3" "a"},
        // アルバム: the trail byte 0x41 of ア is no capital A
        {932, "A: \tC:\\\x83\x41\x83\x8B\x83\x6F\x83\x80", "a: \tc:\\\x83\x41\x83\x8B\x83\x6F\x83\x80"},
        // 文档\资料
        {936, "D: \tC:\\\xCE\xC4\xB5\xB5\\\xD7\xCA\xC1\xCF", "d: \tc:\\\xCE\xC4\xB5\xB5\\\xD7\xCA\xC1\xCF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        machine.codePage.page = c.page;
        ASSERT_TRUE(files().MakeFile(kStartup, c.stored + "\r\n"));
        EXPECT_EQ(modLists::ReadStartupList(kAppDir), Lines{c.read});
    }
}

TEST_F(Lists, StartupRunSkipsLinesWhoseLetterIsNoDriveLetter)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    ASSERT_TRUE(files().MakeFile(kStartup, "\tC:\\Data\r\n1: \tC:\\Data\r\n?: \tC:\\Data\r\n*: \tC:\\Data\r\n"
                                           "\xE9: \tC:\\Data\r\n:\tC:\\Data\r\n \tC:\\Data\r\nq: \tC:\\Data\r\n"));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 1);
    ASSERT_EQ(dos().Calls().size(), 1u);
    EXPECT_EQ(dos().Calls()[0].deviceName, "q:");
}

}  // namespace
