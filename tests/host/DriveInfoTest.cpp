// Which letters are present, which are offered as free, and the lines of the
// list of mounted folders.
#include "SimMachineFixture.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"

using mod_DriveInfo::GetDriveLetters;
using mod_DriveInfo::ListFreeLetters;
using mod_DriveInfo::MountedDriveLines;

namespace {

class FakePicker : public LetterPicker {
public:
    void Clear() override
    {
        items.clear();
        text.clear();
    }
    std::string Text() const override { return text; }
    void SetText(const std::string& New_Text) override { text = New_Text; }
    void AddItem(const std::string& item) override { items.push_back(item); }

    std::string text;
    std::vector<std::string> items;
};

// Remembers every path the directory test is asked about.
class ProbeRecorder : public sim::SimFileSystem {
public:
    using SimFileSystem::SimFileSystem;
    bool IsDirectoryPath(const char* path) override
    {
        probes.emplace_back(path);
        return SimFileSystem::IsDirectoryPath(path);
    }
    std::vector<std::string> probes;
};

std::vector<std::string> Items(const std::string& letters)
{
    std::vector<std::string> items;
    for (char c : letters)
        items.push_back(std::string(1, c) + ": ");
    return items;
}

std::string AllBut(const std::string& taken)
{
    std::string letters;
    for (char c = 'C'; c <= 'Z'; ++c)
        if (taken.find(c) == std::string::npos)
            letters += c;
    return letters;
}

class DriveInfo : public SimMachineTest {};

TEST_F(DriveInfo, LettersAndMountedLines)
{
    machine.AddDisk('A', 7);
    machine.AddDisk('D', 2);
    ASSERT_TRUE(files().MakeDirectory("C:\\Program Files\\Data"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Gone"));
    ASSERT_TRUE(mod_Subst::SubstDrive("m: ", "C:\\PROGRA~1\\DATA", 0));
    ASSERT_TRUE(mod_Subst::SubstDrive("G", "C:\\Gone", 0));
    ASSERT_TRUE(files().Remove("C:\\Gone"));

    EXPECT_EQ(GetDriveLetters(), "ACDGM");
    // Disks are left out; a binding whose folder is gone keeps its line, empty after the TAB.
    EXPECT_EQ(MountedDriveLines(), (std::vector<std::string>{"G: \t", "M: \tC:\\Program Files\\Data"}));
}

TEST_F(DriveInfo, NoDrivesGiveNoLetters)
{
    dos().administrator = true;  // only an administrator may take a disk's letter away
    dos().Define(os::DEFINE_REMOVE, "C:", nullptr);
    EXPECT_EQ(GetDriveLetters(), "");
    EXPECT_TRUE(MountedDriveLines().empty());
}

TEST_F(DriveInfo, FreeLettersSkipEveryLetterWithAReadableRoot)
{
    machine.AddDisk('D', 2);
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    ASSERT_TRUE(files().MakeDirectory("C:\\Gone"));
    ASSERT_TRUE(mod_Subst::SubstDrive("M", "C:\\Data", 0));
    ASSERT_TRUE(mod_Subst::SubstDrive("G", "C:\\Gone", 0));
    ASSERT_TRUE(files().Remove("C:\\Gone"));

    FakePicker picker;
    ListFreeLetters(picker, false);
    // G's folder is gone, so G counts as free although it is bound.
    EXPECT_EQ(picker.items, Items(AllBut("CDM")));
    EXPECT_EQ(picker.text, "E: ");
}

TEST_F(DriveInfo, FreeLettersKeepOrClearWhatThePickerHolds)
{
    FakePicker picker;
    picker.items = {"old"};
    picker.text = "Z: ";
    ListFreeLetters(picker, false);
    EXPECT_EQ(picker.text, "Z: ");
    ASSERT_EQ(picker.items.size(), 24u);
    EXPECT_EQ(picker.items.front(), "old");
    EXPECT_EQ(picker.items[1], "D: ");

    ListFreeLetters(picker, true);
    EXPECT_EQ(picker.items, Items(AllBut("C")));
    EXPECT_EQ(picker.text, "D: ");
}

TEST_F(DriveInfo, NoFreeLetterLeavesThePickerEmpty)
{
    for (char c = 'D'; c <= 'Z'; ++c)
        machine.AddDisk(c, c);
    FakePicker picker;
    ListFreeLetters(picker, true);
    EXPECT_TRUE(picker.items.empty());
    EXPECT_EQ(picker.text, "");
}

// A letter's reply is read with buffers of up to 256 K characters: seven of the
// longest mappings and one more, with their NULs and the closing one, fill
// that exactly or need one character more.
TEST_F(DriveInfo, AReplyIsReadUpToTheLargestBuffer)
{
    const std::string prefix = "\\??\\C:\\";
    const std::string longest = prefix + std::string(32767 - prefix.size(), 'd');
    const struct {
        const char* letter;
        std::size_t lastLength;
        bool read;
    } cases[] = {{"M", 32766, true}, {"N", 32767, false}};
    for (const auto& c : cases) {
        const std::string device = std::string(c.letter) + ":";
        const std::string last = prefix + std::string(c.lastLength - prefix.size(), 'e');
        for (int i = 0; i < 7; ++i)
            ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, device.c_str(), longest.c_str()));
        ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, device.c_str(), last.c_str()));
        // The newest folder without its "\??\", told by its length (the others are longer).
        EXPECT_EQ(mod_DriveInfo::GetSubstTarget(c.letter).size(), c.read ? c.lastLength - 4 : 0) << c.letter;
    }
}

// A reply's strings each end in a NUL, and an empty one ends the list: what
// follows the last NUL is buffer the reply did not fill.
TEST(DriveInfoReply, MappingsAreTheStringsBeforeTheListsEnd)
{
    using namespace std::string_literals;
    const struct {
        std::string reply;
        std::vector<std::string> mappings;
    } cases[] = {
        {"\\??\\C:\\Data\0\0"s, {"\\??\\C:\\Data"}},
        {"\\??\\C:\\New\0\\??\\C:\\Old\0\0leftover"s, {"\\??\\C:\\New", "\\??\\C:\\Old"}},
        {"\\??\\C:\\Data\0leftover"s, {"\\??\\C:\\Data"}},
        {"no NUL at all"s, {}},
        {""s, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mod_DriveInfo::Mappings(c.reply), c.mappings) << c.reply;
}

TEST(DriveInfoProbe, ListedLettersAreProbedWithATrailingBlank)
{
    sim::SimDosDevices dos;
    ProbeRecorder files(dos);
    sim::SimCodePage codePage;
    sim::SimRegistry registry;
    sim::SimShellNotify shell;
    sim::SimSession session;
    sim::SimTasks tasks;
    os::System probed{dos, files, codePage, registry, shell, session, tasks};
    os::ScopedSystem scope(probed);
    files.AddVolume("\\Device\\HarddiskVolume1");
    dos.AddDisk('C', "\\Device\\HarddiskVolume1");
    dos.AddDisk('A', "\\Device\\Floppy0");
    dos.Define(os::DEFINE_RAW_TARGET, "Q:", "\\Device\\Nowhere");

    FakePicker picker;
    ListFreeLetters(picker, false);
    // A and B are never offered, so never probed; unlisted letters need no probe.
    EXPECT_EQ(files.probes, (std::vector<std::string>{"C:\\ ", "Q:\\ "}));
    EXPECT_EQ(picker.items, Items(AllBut("C")));
}

}  // namespace
