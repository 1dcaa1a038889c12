// The labels Explorer shows for the drives the program binds: written with
// every binding made, by any path, removed with every removal, never a key
// someone else wrote, and left-over ones of the program's cleaned away.
#include "SimMachineFixture.h"
#include "app/modMain.h"
#include "engine/modLabels.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"

namespace {

const std::string kAppDir = "C:\\Tools\\";
const std::string kDrives = "Software\\Classes\\Applications\\Explorer.exe\\Drives\\";

class Labels : public SimMachineTest {
protected:
    void SetUp() override
    {
        for (const char* folder : {"C:\\Tools", "C:\\Program Files\\Data", "C:\\Other"})
            ASSERT_TRUE(files().MakeDirectory(folder));
    }
    std::optional<std::string> Label(char letter)
    {
        return machine.registry.ReadString(kDrives + letter + "\\DefaultLabel", "");
    }
    bool KeyOf(char letter) { return machine.registry.KeyExists(kDrives + letter); }
    std::vector<std::string>& Told() { return machine.shellNotify.told; }
};

TEST_F(Labels, TheDefaultLabelIsTheFoldersOwnName)
{
    machine.AddDisk('D', 2);
    files().AddShare("\\\\server\\share");
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Data", "Data"}, {"C:\\PROGRA~1\\DATA", "Data"}, {"c:\\program files\\data\\", "Data"},
        {"D:\\", "D:\\"},  // a drive's root has no name: the drive as written
        {"\\\\server\\share", "share"},
        {"C:\\Gone\\", "Gone"},  // no longer there: named as written
        {"C:\\Gone\\\\", "Gone"},  // however many separators it ends in
    };
    for (const auto& [folder, label] : cases)
        EXPECT_EQ(modLabels::DefaultLabel(folder), label) << folder;
}

// Every binding made is labelled and told, by the window's mount and by the
// start-up run; every removal takes the label and is told; a refusal is neither.
TEST_F(Labels, ALabelLivesAsLongAsItsBinding)
{
    EXPECT_EQ(modLists::MountFolder("m: ", "C:\\PROGRA~1\\DATA"), modLists::MountResult::Mounted);
    EXPECT_EQ(Label('M'), "Data");
    ASSERT_TRUE(files().MakeFile(kAppDir + "mount.ini", "n: \tC:\\Other\r\n"));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 1);
    EXPECT_EQ(Label('N'), "Other");
    machine.AddDisk('P', 2);
    EXPECT_EQ(modLists::MountFolder("P: ", "C:\\Other"), modLists::MountResult::Refused);
    EXPECT_FALSE(KeyOf('P'));
    EXPECT_FALSE(modLabels::LabelDrive('1', "C:\\Other"));  // no letter: no key of that name
    EXPECT_FALSE(KeyOf('1'));
    EXPECT_EQ(Told(), (std::vector<std::string>{"+M", "+N"}));

    for (const char letter : {'M', 'N'})
        EXPECT_EQ(mod_DriveInfo::RemoveSubstDrive(std::string(1, letter)), mod_DriveInfo::RemoveResult::Removed);
    EXPECT_EQ(mod_DriveInfo::RemoveSubstDrive("P"), mod_DriveInfo::RemoveResult::Drive);
    EXPECT_FALSE(KeyOf('M') || KeyOf('N'));
    EXPECT_EQ(Told(), (std::vector<std::string>{"+M", "+N", "-M", "-N"}));
}

// A key the program did not write is never changed or removed: a label of the
// user's own, and a letter's key that holds something else (a drive icon).
TEST_F(Labels, AKeySomeoneElseWroteIsNeverTouched)
{
    auto& registry = machine.registry;
    ASSERT_TRUE(registry.WriteString(kDrives + "M\\DefaultLabel", "", "Mine"));
    ASSERT_TRUE(registry.WriteString(kDrives + "N\\DefaultIcon", "", "C:\\icon.ico"));
    ASSERT_TRUE(registry.WriteString(kDrives + "O", "Note", "kept"));
    for (const char* letter : {"M", "N", "O"})
        ASSERT_EQ(modLists::MountFolder(letter, "C:\\Other"), modLists::MountResult::Mounted);
    EXPECT_EQ(Label('M'), "Mine");
    EXPECT_EQ(Label('N'), "Other");
    EXPECT_EQ(Label('O'), "Other");
    EXPECT_TRUE(modLabels::RelabelDrive('N', "C:\\Other", "Renamed"));  // its label is ours, the letter's key not
    EXPECT_EQ(Label('N'), "Renamed");
    Told().clear();
    EXPECT_FALSE(modLabels::RelabelDrive('M', "C:\\Other", "Renamed"));  // the user's own: refused, and untold
    EXPECT_TRUE(Told().empty());
    for (const char* letter : {"M", "N", "O"})
        mod_DriveInfo::RemoveSubstDrive(letter);
    EXPECT_EQ(Label('M'), "Mine");
    EXPECT_FALSE(Label('N') || Label('O'));
    EXPECT_EQ(registry.ReadString(kDrives + "N\\DefaultIcon", ""), "C:\\icon.ico");
    EXPECT_EQ(registry.ReadString(kDrives + "O", "Note"), "kept");
}

// A binding that vanished without the program (the session ended, another
// tool removed it) leaves its label; the next start finds the letter free and
// takes it away, and keeps those of letters still bound. Run as administrator
// in a session of its own, where the user's bindings do not show, it leaves
// every label.
TEST_F(Labels, LabelsLeftByVanishedBindingsAreCleanedAway)
{
    for (const bool elevatedElsewhere : {true, false}) {
        SCOPED_TRACE(elevatedElsewhere ? "elevated in a session of its own" : "the user's session");
        machine.session.elevation = elevatedElsewhere ? os::Elevation::Full : os::Elevation::Default;
        machine.session.linkedElsewhere = elevatedElsewhere;
        for (const char* letter : {"Z", "N"})
            ASSERT_EQ(modLists::MountFolder(letter, "C:\\Other"), modLists::MountResult::Mounted);
        ASSERT_TRUE(dos().Define(os::DEFINE_REMOVE, "Z:", nullptr));  // gone behind the program's back
        ASSERT_TRUE(machine.registry.WriteString(kDrives + "Q\\DefaultLabel", "", "Mine"));
        // A letter's key of the program's whose label never came (or was taken away) goes too.
        ASSERT_TRUE(machine.registry.WriteString(kDrives + "P", modLabels::kMarkValue, "1"));
        modMain::CleanStaleLabels();
        EXPECT_EQ(KeyOf('Z'), elevatedElsewhere);
        EXPECT_EQ(KeyOf('P'), elevatedElsewhere);
        EXPECT_EQ(Label('N'), "Other");
        EXPECT_EQ(Label('Q'), "Mine");
        ASSERT_TRUE(dos().Define(os::DEFINE_REMOVE, "N:", nullptr));
    }
}

// A label the user gives a drive is kept for its folder, found again by any
// spelling of it, and the folder's drive takes it whenever it is bound; an
// empty one is the folder's name again. A labels file that cannot be read is
// never written over.
TEST_F(Labels, ALabelOfTheUsersOwnIsKeptPerFolder)
{
    const std::string file = kAppDir + modLists::kLabelsFile;
    EXPECT_TRUE(modLists::KeepLabel(kAppDir, "C:\\PROGRA~1\\DATA", " Работа\tfiles \r\n"));
    EXPECT_TRUE(modLists::KeepLabel(kAppDir, "C:\\Other", "Other things"));
    EXPECT_EQ(files().Content(file),
              "\xEF\xBB\xBF" "C:\\Program Files\\Data\tРабота files\r\nC:\\Other\tOther things\r\n");
    EXPECT_EQ(modLists::LabelOfFolder(kAppDir, "c:\\program files\\data"), "Работа files");
    // Control characters (DEL too) are blanks; another spelling of a folder replaces its line.
    EXPECT_EQ(modLabels::CleanLabel("\x7F" "A\x1F" "b\x7F"), "A b");
    EXPECT_TRUE(modLists::KeepLabel(kAppDir, "C:\\OTHER", "Other\x7Fthings"));
    for (const char* letter : {"M", "N"})
        ASSERT_EQ(modLists::MountFolder(letter, "C:\\Program Files\\Data", kAppDir), modLists::MountResult::Mounted);
    ASSERT_TRUE(files().MakeFile(kAppDir + "mount.ini", "o: \tC:\\Other\r\n"));
    EXPECT_EQ(modLists::RunStartupList(kAppDir), 1);
    EXPECT_EQ(Label('M'), "Работа files");
    EXPECT_EQ(Label('N'), "Работа files");
    EXPECT_EQ(Label('O'), "Other things");

    // Renamed, the folder's label reaches every drive of it, however it was spelt.
    ASSERT_TRUE(dos().Define(0, "P:", "c:\\program files\\DATA"));
    modLists::RelabelFolderDrives("C:\\PROGRA~1\\DATA", "Work");
    for (const char letter : {'M', 'N', 'P'})
        EXPECT_EQ(Label(letter), "Work") << letter;
    EXPECT_EQ(Label('O'), "Other things");
    EXPECT_EQ(Told().back(), "~P");
    ASSERT_TRUE(dos().Define(os::DEFINE_REMOVE, "P:", nullptr));

    for (const char* none : {"", " \t\r\n "}) {  // nothing, or nothing but blanks and controls: back to its name
        EXPECT_TRUE(modLabels::RelabelDrive('M', "C:\\Program Files\\Data", none));
        EXPECT_EQ(Label('M'), "Data");
    }
    EXPECT_EQ(Told().back(), "~M");
    EXPECT_TRUE(modLists::KeepLabel(kAppDir, "C:\\Program Files\\Data", ""));
    EXPECT_EQ(files().Content(file), "\xEF\xBB\xBF" "C:\\Other\tOther things\r\n");  // Unicode all the same

    files().DenyRead(file);
    EXPECT_FALSE(modLists::KeepLabel(kAppDir, "C:\\Other", "Lost"));
    EXPECT_EQ(modLists::LabelOfFolder(kAppDir, "C:\\Other"), "");
    files().ClearFailures();
    EXPECT_EQ(files().Content(file), "\xEF\xBB\xBF" "C:\\Other\tOther things\r\n");

    // The label a folder has already, given again, changes nothing: a labels
    // file the user made read-only is no failure then.
    ASSERT_TRUE(files().WriteAttributes(file, os::ATTR_READONLY));
    EXPECT_TRUE(modLists::KeepLabel(kAppDir, "C:\\Other", " Other things"));
    EXPECT_FALSE(modLists::KeepLabel(kAppDir, "C:\\Other", "Others"));
}

}  // namespace
