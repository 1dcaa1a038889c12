// The history and the start-up list: what is stored, what is read back, and
// that a failing disk never costs the user a list.
#include "SimMachineFixture.h"
#include "engine/modLists.h"
#include "engine/mod_Subst.h"

namespace {

const std::string kAppDir = "C:\\Tools\\Tavrik\\";
const std::string kHistory = kAppDir + "Tavrik.ini";
const std::string kStartup = kAppDir + "mount.ini";

class Lists : public SimMachineTest {
protected:
    void SetUp() override { ASSERT_TRUE(files().MakeDirectory("C:\\Tools\\Tavrik")); }
};

TEST_F(Lists, HistoryKeepsEveryTextExactly)
{
    EXPECT_TRUE(modLists::ReadHistory(kAppDir).empty());
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
    EXPECT_TRUE(modLists::ReadHistory(kAppDir).empty());
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
    EXPECT_TRUE(modLists::ReadHistory(kAppDir).empty());
}

TEST_F(Lists, StartupListIsLowerCasedOnReadingAndWrittenAsGiven)
{
    ASSERT_TRUE(files().MakeFile(kStartup, "M: \tC:\\Data\r\nN: \tC:\\\xDCn\xEF" "code \xC4rea\r\n"));
    const auto lines = modLists::ReadStartupList(kAppDir);
    EXPECT_EQ(lines, (std::vector<std::string>{"m: \tc:\\data", "n: \tc:\\\xFCn\xEF" "code \xE4rea"}));

    auto items = lines;
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

}  // namespace
