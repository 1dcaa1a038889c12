// Short and long forms, the file and directory tests, and the list's tab stops.
#include "SimMachineFixture.h"
#include "engine/modFiles.h"

using modFiles::FileExists;
using modFiles::GetLongPath;
using modFiles::GetShortPath;

namespace {

class Files : public SimMachineTest {};

TEST_F(Files, LongPathExpandsEveryFolder)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data Store"));
    EXPECT_EQ(GetLongPath("C:\\PROGRA~1\\DATAST~1"), "C:\\Program Files\\Data Store");
    EXPECT_EQ(GetLongPath("C:\\PROGRA~1\\DATAST~1\\"), "C:\\Program Files\\Data Store");
    EXPECT_EQ(GetLongPath("c:\\program files\\data store"), "c:\\Program Files\\Data Store");
    EXPECT_EQ(GetLongPath("C:\\"), "C:");
    EXPECT_EQ(GetLongPath("C:"), "C:");
    EXPECT_EQ(GetLongPath(""), "");
    // Read up to the first NUL, as a query reply hands it over.
    EXPECT_EQ(GetLongPath(std::string("C:\\PROGRA~1\0\0    ", 17)), "C:\\Program Files");
}

TEST_F(Files, LongPathOfAMissingFolderIsEmptyNotPartial)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data\\Inner"));
    EXPECT_EQ(GetLongPath("C:\\Data\\Missing"), "");
    EXPECT_EQ(GetLongPath("C:\\Missing\\Inner"), "");
    ASSERT_TRUE(files().Remove("C:\\Data\\Inner"));
    EXPECT_EQ(GetLongPath("C:\\Data\\Inner"), "");
}

TEST_F(Files, LongPathPassesHiddenAndSystemFolders)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Secret Place", os::ATTR_HIDDEN | os::ATTR_SYSTEM));
    ASSERT_TRUE(files().MakeDirectory("C:\\Secret Place\\Inside"));
    EXPECT_EQ(GetLongPath("C:\\SECRET~1\\INSIDE"), "C:\\Secret Place\\Inside");
}

TEST_F(Files, ShortPath)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data"));
    EXPECT_EQ(GetShortPath("C:\\Program Files\\Data"), "C:\\PROGRA~1\\Data");
    EXPECT_EQ(GetShortPath("C:\\Program Files\\Missing"), "");
    EXPECT_EQ(GetShortPath(""), "");
}

// Windows takes paths of up to 32767 characters; the first buffer holds 1024 bytes.
TEST_F(Files, ShortPathOfAPathLongerThanTheFirstBuffer)
{
    std::string path = "C:";
    while (path.size() < modFiles::kShortPathCapacity + 40)
        path += "\\ABCDEFGH";
    ASSERT_TRUE(files().MakeDirectory(path + "\\Длинное имя"));
    ASSERT_TRUE(modFiles::IsDirectory(path));
    EXPECT_EQ(GetShortPath(path), path);
    EXPECT_EQ(GetShortPath(path + "\\длинное ИМЯ"), path + "\\______~1");
}

TEST_F(Files, FileExistsSeesPlainFilesOnly)
{
    ASSERT_TRUE(files().MakeFile("C:\\App\\plain.ini", "x\r\n"));
    ASSERT_TRUE(files().MakeFile("C:\\App\\hidden.ini", "", os::ATTR_HIDDEN));
    ASSERT_TRUE(files().MakeFile("C:\\App\\system.ini", "", os::ATTR_SYSTEM));
    EXPECT_TRUE(FileExists("C:\\App\\plain.ini"));
    EXPECT_TRUE(FileExists("c:\\app\\PLAIN.INI"));
    EXPECT_FALSE(FileExists("C:\\App\\hidden.ini"));
    EXPECT_FALSE(FileExists("C:\\App\\system.ini"));
    EXPECT_FALSE(FileExists("C:\\App"));
    EXPECT_FALSE(FileExists("C:\\App\\missing.ini"));
    EXPECT_FALSE(FileExists("C:\\App\\bad|name.ini"));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(Files, DirectoryTest)
{
    ASSERT_TRUE(files().MakeFile("C:\\Data\\file.txt"));
    EXPECT_TRUE(modFiles::IsDirectory("C:\\Data"));
    EXPECT_TRUE(modFiles::IsDirectory("C:\\Data\\"));
    EXPECT_TRUE(modFiles::IsDirectory("C:\\ "));
    EXPECT_FALSE(modFiles::IsDirectory("C:\\Data\\file.txt"));
    EXPECT_FALSE(modFiles::IsDirectory("\"C:\\Data\""));
    EXPECT_FALSE(modFiles::IsDirectory("Q:\\"));
}

}  // namespace
