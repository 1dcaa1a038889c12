// The simulated file tree: letters reach folders through the name space, names
// resolve long or short, and writes fail the way a real disk makes them fail.
#include "SimMachineFixture.h"

#include <string>
#include <vector>

using platform::ATTR_DIRECTORY;
using platform::ATTR_HIDDEN;
using platform::ATTR_SYSTEM;
using platform::DDD_RAW_TARGET_PATH;

namespace {

using Lines = std::vector<std::string>;

class SimFiles : public SimMachineTest {
protected:
    std::string ShortPath(const char* path)
    {
        char buffer[260];
        const auto n = files().ShortPathName(path, buffer, sizeof buffer);
        return std::string(buffer, n < sizeof buffer ? n : 0);
    }
    bool IsDir(const char* path) { return files().IsDirectoryPath(path); }
};

TEST_F(SimFiles, LetterBoundToAFolderIsThatFolder)
{
    ASSERT_TRUE(files().MakeFile("C:\\Data\\Sub\\a.txt", "x"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Other"));
    ASSERT_TRUE(dos().Define(0, "m:", "C:\\Data"));
    EXPECT_TRUE(IsDir("M:\\"));
    EXPECT_TRUE(IsDir("m:\\sub"));
    EXPECT_EQ(files().Content("M:\\Sub\\a.txt"), "x");
    ASSERT_TRUE(files().AppendLine("M:\\b.txt", "y"));
    EXPECT_EQ(files().Content("C:\\Data\\b.txt"), "y\r\n");

    // The newest definition wins, and a letter may stand on another bound letter.
    ASSERT_TRUE(dos().Define(0, "M:", "C:\\Other"));
    EXPECT_FALSE(IsDir("M:\\Sub"));
    ASSERT_TRUE(dos().Define(0, "N:", "M:\\"));
    EXPECT_TRUE(files().Exists("N:\\"));
    ASSERT_TRUE(dos().Define(DDD_RAW_TARGET_PATH, "R:", "\\Device\\HarddiskVolume1\\Data\\Sub"));
    EXPECT_EQ(files().Content("R:\\a.txt"), "x");
}

TEST_F(SimFiles, BindingWithoutAFolderIsNoDirectory)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    ASSERT_TRUE(dos().Define(0, "M:", "C:\\Data"));
    ASSERT_TRUE(files().Remove("C:\\Data"));
    EXPECT_FALSE(IsDir("M:\\"));
    EXPECT_FALSE(files().AppendLine("M:\\x.txt", "y"));
    EXPECT_FALSE(files().MakeFile("M:\\x.txt"));

    // Bound to itself, or in a ring: no folder, and no endless walk.
    ASSERT_TRUE(dos().Define(0, "S:", "S:\\"));
    ASSERT_TRUE(dos().Define(0, "U:", "V:\\"));
    ASSERT_TRUE(dos().Define(0, "V:", "U:\\"));
    EXPECT_FALSE(IsDir("S:\\"));
    EXPECT_FALSE(IsDir("U:\\"));
    EXPECT_FALSE(IsDir("Q:\\"));
}

TEST_F(SimFiles, PathsNormaliseAsWin32Does)
{
    ASSERT_TRUE(files().MakeFile("C:\\Program Files\\App\\list.txt"));
    for (const char* path : {"C:\\ ", "C:", "c:\\", "C:\\PROGRA~1", "c:/program files/app/", "C:\\Program Files. \\App",
                             "C:\\Program Files\\x\\..\\App"})
        EXPECT_TRUE(IsDir(path)) << path;
    EXPECT_FALSE(IsDir("C:\\Program Files\\App\\list.txt"));
    EXPECT_FALSE(files().Exists("C:\\Program Files\\App\\list.txt\\"));
    EXPECT_FALSE(IsDir("C:\\Program"));
    // A char* path ends at its first NUL.
    EXPECT_TRUE(IsDir(std::string("C:\\Program Files\0garbage", 24).c_str()));
    EXPECT_TRUE(files().Exists(std::string("C:\\PROGRA~1\\App\\list.txt\0junk", 29)));
}

TEST_F(SimFiles, ShortNamesAreMadeAsWindowsMakesThem)
{
    for (const char* folder : {"C:\\Program Files", "C:\\Program Files (x86)", "C:\\Data", "C:\\my.folder.name"})
        ASSERT_TRUE(files().MakeDirectory(folder));
    ASSERT_TRUE(files().MakeFile("C:\\Data\\readme.markdown"));

    EXPECT_EQ(ShortPath("C:\\Program Files"), "C:\\PROGRA~1");
    EXPECT_EQ(ShortPath("c:\\program files (x86)\\"), "c:\\PROGRA~2\\");
    EXPECT_EQ(ShortPath("C:\\my.folder.name"), "C:\\MYFOLD~1.NAM");
    // An 8.3 name has no second name: the component stays as typed.
    EXPECT_EQ(ShortPath("c:\\data\\README.MARKDOWN"), "c:\\data\\README~1.MAR");
    EXPECT_TRUE(files().Exists("C:\\DATA\\readme~1.mar"));

    ASSERT_TRUE(files().Remove("C:\\Program Files"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Data"));
    EXPECT_EQ(ShortPath("C:\\Program Data"), "C:\\PROGRA~1");
}

TEST_F(SimFiles, ShortPathNameBufferContract)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files"));
    const std::string expected = "C:\\PROGRA~1";
    std::string buffer(20, '#');
    const auto length = static_cast<std::uint32_t>(expected.size());

    EXPECT_EQ(files().ShortPathName("C:\\Program Files", buffer.data(), length), length + 1);
    EXPECT_EQ(buffer, std::string(20, '#'));
    ASSERT_EQ(files().ShortPathName("C:\\Program Files", buffer.data(), length + 1), length);
    EXPECT_EQ(buffer.substr(0, length + 2), expected + '\0' + '#');
    EXPECT_EQ(files().ShortPathName("C:\\Missing", buffer.data(), 20), 0u);
    EXPECT_EQ(files().ShortPathName("C:\\a|b", buffer.data(), 20), 0u);
}

TEST_F(SimFiles, LookupShowsSpecialEntriesOnlyWhenAsked)
{
    ASSERT_TRUE(files().MakeFile("C:\\Data\\plain.txt"));
    ASSERT_TRUE(files().MakeFile("C:\\Data\\hidden.txt", "", ATTR_HIDDEN));
    ASSERT_TRUE(files().MakeFile("C:\\Data\\both.sys", "", ATTR_HIDDEN | ATTR_SYSTEM));
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files", ATTR_HIDDEN));

    struct Case {
        const char* path;
        std::uint32_t attributes;
        const char* name;
    };
    for (const Case& c : {Case{"c:\\data\\PLAIN.TXT", 0, "plain.txt"}, Case{"C:\\Data\\hidden.txt", 0, ""},
                          Case{"C:\\Data\\hidden.txt", ATTR_HIDDEN, "hidden.txt"}, Case{"C:\\Data\\both.sys", ATTR_HIDDEN, ""},
                          Case{"C:\\Data\\both.sys", ATTR_HIDDEN | ATTR_SYSTEM, "both.sys"}, Case{"C:\\Data", 0, ""},
                          Case{"C:\\Data", ATTR_DIRECTORY, "Data"}, Case{"C:\\PROGRA~1", ATTR_DIRECTORY, ""},
                          Case{"C:\\PROGRA~1", 22, "Program Files"}, Case{"C:\\", 22, ""},
                          Case{"C:\\Data\\missing", 22, ""}, Case{"Q:\\Data", 22, ""}}) {
        const auto found = files().Lookup(c.path, c.attributes);
        EXPECT_EQ(found.name, c.name) << c.path << ' ' << c.attributes;
        EXPECT_FALSE(found.error) << c.path;
    }
    for (const char* bad : {"", "C:\\Data\\*.txt", "C:\\Da<ta", "C:\\Data\\a?"})
        EXPECT_TRUE(files().Lookup(bad, 22).error) << bad;
}

TEST_F(SimFiles, ReadLinesSplitsAtEveryLineEnd)
{
    struct Case {
        std::string content;
        Lines lines;
    };
    for (const Case& c : {Case{"", {}}, Case{"a\r\nb\rc\nd", {"a", "b", "c", "d"}}, Case{"a\r\n", {"a"}},
                          Case{"\r\n\n", {"", ""}}, Case{"a\n\rb", {"a", "", "b"}}}) {
        ASSERT_TRUE(files().MakeFile("C:\\list.txt", c.content));
        EXPECT_EQ(files().ReadLines("C:\\list.txt"), c.lines) << c.content;
    }
    ASSERT_TRUE(files().MakeDirectory("C:\\Folder"));
    EXPECT_EQ(files().ReadLines("C:\\Folder"), std::nullopt);
    EXPECT_EQ(files().ReadLines("C:\\missing.txt"), std::nullopt);
    files().DenyRead("c:\\LIST.TXT");
    EXPECT_EQ(files().ReadLines("C:\\list.txt"), std::nullopt);
    files().DenyRead("C:\\list.txt", false);
    EXPECT_TRUE(files().ReadLines("C:\\list.txt").has_value());
}

TEST_F(SimFiles, AppendEndsAnOpenLastLineFirst)
{
    ASSERT_TRUE(files().MakeFile("C:\\h.txt", "one", ATTR_HIDDEN));
    ASSERT_TRUE(files().AppendLine("C:\\h.txt", "two"));
    ASSERT_TRUE(files().AppendLine("C:\\h.txt", "three"));
    EXPECT_EQ(files().Content("C:\\h.txt"), "one\r\ntwo\r\nthree\r\n");

    ASSERT_TRUE(files().MakeFile("C:\\cr.txt", "one\r"));
    ASSERT_TRUE(files().AppendLine("C:\\cr.txt", "two"));
    EXPECT_EQ(files().Content("C:\\cr.txt"), "one\rtwo\r\n");

    ASSERT_TRUE(files().AppendLine("C:\\new.txt", ""));
    EXPECT_EQ(files().Content("C:\\new.txt"), "\r\n");
    EXPECT_FALSE(files().AppendLine("C:\\NoFolder\\new.txt", "x"));
    EXPECT_FALSE(files().Exists("C:\\NoFolder"));
    EXPECT_FALSE(files().AppendLine("C:\\", "x"));
}

TEST_F(SimFiles, FailedRewriteLeavesTheListAlone)
{
    ASSERT_TRUE(files().MakeFile("C:\\App\\list.txt", "old\r\n"));
    files().FailWritesAfter("C:\\App\\list.tmp", 5);
    EXPECT_FALSE(files().WriteLines("C:\\App\\list.tmp", {"new one", "new two"}));
    EXPECT_EQ(files().Content("C:\\App\\list.tmp"), "new o");
    EXPECT_EQ(files().Content("C:\\App\\list.txt"), "old\r\n");

    files().ClearFailures();
    ASSERT_TRUE(files().WriteLines("C:\\App\\list.tmp", {"new"}));
    files().DenyWrite("C:\\APP\\LIST.TXT");
    EXPECT_FALSE(files().MoveOver("C:\\App\\list.tmp", "C:\\App\\list.txt"));
    EXPECT_FALSE(files().RemoveFile("C:\\App\\list.txt"));
    EXPECT_EQ(files().Content("C:\\App\\list.txt"), "old\r\n");
    EXPECT_TRUE(files().Exists("C:\\App\\list.tmp"));

    files().DenyWrite("C:\\App\\list.txt", false);
    ASSERT_TRUE(files().MoveOver("C:\\App\\list.tmp", "C:\\App\\list.txt"));
    EXPECT_EQ(files().Content("C:\\App\\list.txt"), "new\r\n");
    EXPECT_FALSE(files().Exists("C:\\App\\list.tmp"));
}

TEST_F(SimFiles, WritesRefuseFoldersAndMissingParents)
{
    ASSERT_TRUE(files().MakeFile("C:\\App\\a.txt", "a"));
    EXPECT_FALSE(files().WriteLines("C:\\App", {"x"}));
    EXPECT_FALSE(files().WriteLines("C:\\Nowhere\\a.txt", {"x"}));
    EXPECT_FALSE(files().MoveOver("C:\\App\\a.txt", "C:\\App"));
    EXPECT_FALSE(files().MoveOver("C:\\App\\a.txt", "C:\\Nowhere\\a.txt"));
    EXPECT_FALSE(files().MoveOver("C:\\App\\none.txt", "C:\\App\\b.txt"));
    EXPECT_FALSE(files().MoveOver("C:\\App", "C:\\b"));
    EXPECT_FALSE(files().RemoveFile("C:\\App"));
    EXPECT_FALSE(files().RemoveFile("C:\\App\\none.txt"));
    EXPECT_EQ(files().Content("C:\\App\\a.txt"), "a");

    // A move to a missing name renames; the new long name gets its own short name.
    ASSERT_TRUE(files().MoveOver("C:\\App\\a.txt", "C:\\App\\renamed file.txt"));
    EXPECT_EQ(files().Content("C:\\App\\RENAME~1.TXT"), "a");
    ASSERT_TRUE(files().RemoveFile("C:\\App\\renamed file.txt"));
    EXPECT_FALSE(files().Exists("C:\\App\\RENAME~1.TXT"));
}

TEST_F(SimFiles, BuildersNeedAVolumeAndAFreePath)
{
    EXPECT_FALSE(files().MakeDirectory("Q:\\Data"));
    EXPECT_FALSE(files().MakeFile("Q:\\Data\\a.txt"));
    ASSERT_TRUE(files().MakeFile("C:\\a.txt"));
    EXPECT_FALSE(files().MakeDirectory("C:\\a.txt\\b"));
    EXPECT_FALSE(files().MakeFile("C:\\a.txt\\b"));
    EXPECT_FALSE(files().MakeDirectory("C:\\a.txt"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Dir"));
    EXPECT_FALSE(files().MakeFile("C:\\Dir"));
    machine.AddDisk('D', 2);
    EXPECT_TRUE(files().MakeFile("D:\\x\\y.txt", "y"));
    EXPECT_FALSE(files().Exists("C:\\x"));
}

}  // namespace
