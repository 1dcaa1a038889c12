// The simulated file tree: letters reach folders through the name space, names
// resolve long or short, and writes fail the way a real disk makes them fail.
#include "SimMachineFixture.h"

#include <string>
#include <vector>

using os::ATTR_DIRECTORY;
using os::ATTR_HIDDEN;
using os::ATTR_SYSTEM;

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

TEST_F(SimFiles, LetterReachesTheFolderOfItsNewestBinding)
{
    ASSERT_TRUE(files().MakeFile("C:\\Data\\Sub\\a.txt", "x"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Other"));
    ASSERT_TRUE(dos().Define(0, "m:", "C:\\Data"));
    EXPECT_TRUE(IsDir("m:\\sub"));
    ASSERT_TRUE(files().AppendLine("M:\\b.txt", "y"));
    EXPECT_EQ(files().Content("C:\\Data\\b.txt"), "y\r\n");

    ASSERT_TRUE(dos().Define(0, "M:", "C:\\Other"));
    EXPECT_FALSE(IsDir("M:\\Sub"));
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "R:", "\\Device\\HarddiskVolume1\\Data\\Sub"));
    EXPECT_EQ(files().Content("R:\\a.txt"), "x");

    // A deleted folder, a letter bound to itself or a ring: no directory, no endless walk.
    ASSERT_TRUE(files().Remove("C:\\Other"));
    ASSERT_TRUE(dos().Define(0, "S:", "S:\\"));
    ASSERT_TRUE(dos().Define(0, "U:", "V:\\"));
    ASSERT_TRUE(dos().Define(0, "V:", "U:\\"));
    for (const char* path : {"M:\\", "S:\\", "U:\\", "Q:\\"})
        EXPECT_FALSE(IsDir(path)) << path;
    EXPECT_FALSE(files().MakeFile("M:\\x.txt"));
}

TEST_F(SimFiles, PathsNormaliseAsWin32Does)
{
    ASSERT_TRUE(files().MakeFile("C:\\Program Files\\App\\list.txt"));
    for (const char* path : {"C:\\ ", "C:", "C:\\PROGRA~1", "c:/program files/app/", "C:\\Program Files. \\App",
                             "C:\\Program Files\\x\\..\\App"})
        EXPECT_TRUE(IsDir(path)) << path;
    EXPECT_FALSE(IsDir("C:\\Program Files\\App\\list.txt"));
    EXPECT_FALSE(files().Exists("C:\\Program Files\\App\\list.txt\\"));
    // A char* path ends at its first NUL.
    EXPECT_TRUE(files().Exists(std::string("C:\\PROGRA~1\\App\\list.txt\0junk", 29)));
}

TEST_F(SimFiles, ShortNamesAreMadeAsWindowsMakesThem)
{
    // A long name that looks like a short one takes its number too.
    for (const char* folder : {"C:\\PROGRA~1", "C:\\Program Files", "C:\\Program Files (x86)", "C:\\Data", "C:\\my.folder.name"})
        ASSERT_TRUE(files().MakeDirectory(folder));
    ASSERT_TRUE(files().MakeFile("C:\\Data\\notes.markdown"));

    EXPECT_EQ(ShortPath("C:\\Program Files"), "C:\\PROGRA~2");
    EXPECT_EQ(ShortPath("c:\\program files (x86)\\"), "c:\\PROGRA~3\\");
    EXPECT_EQ(ShortPath("C:\\my.folder.name"), "C:\\MYFOLD~1.NAM");
    // "data" fits 8.3, has no second name and stays as typed.
    EXPECT_EQ(ShortPath("c:\\data\\NOTES.MARKDOWN"), "c:\\data\\NOTES~1.MAR");
    EXPECT_TRUE(files().Exists("C:\\DATA\\notes~1.mar"));

    ASSERT_TRUE(files().Remove("C:\\Program Files"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Data"));
    EXPECT_EQ(ShortPath("C:\\Program Data"), "C:\\PROGRA~2");
}

TEST_F(SimFiles, ShortPathNameBufferContract)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files"));
    const std::string expected = "C:\\PROGRA~1";
    const auto length = static_cast<std::uint32_t>(expected.size());
    std::string buffer(20, '#');

    EXPECT_EQ(files().ShortPathName("C:\\Program Files", buffer.data(), length), length + 1);
    EXPECT_EQ(buffer, std::string(20, '#'));
    ASSERT_EQ(files().ShortPathName("C:\\Program Files", buffer.data(), length + 1), length);
    EXPECT_EQ(buffer.substr(0, length + 2), expected + '\0' + '#');
    EXPECT_EQ(files().ShortPathName("C:\\Missing", buffer.data(), 20), 0u);
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
                          Case{"C:\\PROGRA~1", 22, "Program Files"}, Case{"C:\\", 22, ""}, Case{"Q:\\Data", 22, ""}}) {
        const auto found = files().Lookup(c.path, c.attributes);
        EXPECT_EQ(found.name, c.name) << c.path << ' ' << c.attributes;
        EXPECT_FALSE(found.error) << c.path;
    }
    for (const char* bad : {"", "C:\\Data\\*.txt", "C:\\Da<ta"})
        EXPECT_TRUE(files().Lookup(bad, 22).error) << bad;
}

TEST_F(SimFiles, ReadAndAppendHandleEveryLineEnd)
{
    ASSERT_TRUE(files().MakeFile("C:\\list.txt", "a\r\nb\rc\n\nd"));
    EXPECT_EQ(files().ReadLines("C:\\list.txt", 4096), (Lines{"a", "b", "c", "", "d"}));
    ASSERT_TRUE(files().MakeDirectory("C:\\Folder"));
    EXPECT_EQ(files().ReadLines("C:\\Folder", 4096), std::nullopt);
    files().DenyRead("c:\\LIST.TXT");
    EXPECT_EQ(files().ReadLines("C:\\list.txt", 4096), std::nullopt);

    // The open last line is ended first; a hidden file takes lines all the same.
    ASSERT_TRUE(files().MakeFile("C:\\h.txt", "one", ATTR_HIDDEN));
    ASSERT_TRUE(files().AppendLine("C:\\h.txt", "two"));
    EXPECT_EQ(files().Content("C:\\h.txt"), "one\r\ntwo\r\n");
    ASSERT_TRUE(files().MakeFile("C:\\cr.txt", "one\r"));
    ASSERT_TRUE(files().AppendLine("C:\\cr.txt", "two"));
    EXPECT_EQ(files().ReadLines("C:\\cr.txt", 4096), (Lines{"one", "two"}));
    EXPECT_FALSE(files().AppendLine("C:\\NoFolder\\new.txt", "x"));
    EXPECT_FALSE(files().AppendLine("C:\\Folder", "x"));
}

TEST_F(SimFiles, FailedRewriteLeavesTheListAlone)
{
    ASSERT_TRUE(files().MakeFile("C:\\App\\list.txt", "old\r\n"));
    files().FailWritesAfter("C:\\App\\list.tmp", 5);
    EXPECT_FALSE(files().WriteLines("C:\\App\\list.tmp", {"new one", "new two"}));
    EXPECT_EQ(files().Content("C:\\App\\list.tmp"), "new o");

    files().ClearFailures();
    ASSERT_TRUE(files().WriteLines("C:\\App\\list.tmp", {"new"}));
    // Denied through another spelling of the same file.
    ASSERT_TRUE(dos().Define(0, "M:", "C:\\App"));
    files().DenyWrite("m:\\LIST.TXT");
    EXPECT_FALSE(files().MoveOver("C:\\App\\list.tmp", "C:\\App\\list.txt"));
    EXPECT_FALSE(files().RemoveFile("C:\\App\\list.txt"));
    EXPECT_EQ(files().Content("C:\\App\\list.txt"), "old\r\n");

    files().DenyWrite("C:\\App\\list.txt", false);
    ASSERT_TRUE(files().MoveOver("C:\\App\\list.tmp", "C:\\App\\list.txt"));
    EXPECT_EQ(files().Content("C:\\App\\list.txt"), "new\r\n");
    EXPECT_FALSE(files().Exists("C:\\App\\list.tmp"));
}

TEST_F(SimFiles, WritesAndBuildersRefuseFoldersAndMissingPlaces)
{
    ASSERT_TRUE(files().MakeFile("C:\\App\\a.txt", "a"));
    EXPECT_FALSE(files().WriteLines("C:\\App", {"x"}));
    EXPECT_FALSE(files().WriteLines("C:\\Nowhere\\a.txt", {"x"}));
    EXPECT_FALSE(files().MoveOver("C:\\App\\a.txt", "C:\\App"));
    EXPECT_FALSE(files().MoveOver("C:\\App\\a.txt", "C:\\Nowhere\\a.txt"));
    EXPECT_FALSE(files().MoveOver("C:\\App", "C:\\b"));
    EXPECT_FALSE(files().RemoveFile("C:\\App"));
    EXPECT_FALSE(files().MakeFile("Q:\\Data\\a.txt"));
    EXPECT_FALSE(files().MakeDirectory("C:\\App\\a.txt\\b"));
    EXPECT_FALSE(files().MakeFile("C:\\App"));
    EXPECT_EQ(files().Content("C:\\App\\a.txt"), "a");

    // A move to a missing name renames, with a short name of its own.
    ASSERT_TRUE(files().MoveOver("C:\\App\\a.txt", "C:\\App\\renamed file.txt"));
    EXPECT_EQ(files().Content("C:\\App\\RENAME~1.TXT"), "a");
}

}  // namespace
