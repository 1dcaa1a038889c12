// Binding, testing, reading back and removing letters, against a name space that
// stacks definitions as Windows does.
#include "SimMachineFixture.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"

using mod_DriveInfo::GetSubstTarget;
using mod_DriveInfo::RemoveSubstDrive;
using mod_Subst::IsSubstDrive;
using mod_Subst::SubstDrive;

namespace {

struct Removal {
    std::string device;
    std::string target;
    bool operator==(const Removal&) const = default;
};

std::vector<Removal> Removals(const sim::SimDosDevices& dos)
{
    std::vector<Removal> removals;
    for (const auto& call : dos.Calls()) {
        EXPECT_EQ(call.flags, os::DEFINE_REMOVE);
        EXPECT_TRUE(call.hasTarget);
        removals.push_back({call.deviceName, call.target});
    }
    return removals;
}

class Subst : public SimMachineTest {};

TEST_F(Subst, LetterTextFormsAndCase)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    // Only the first character counts; a lower-case letter defines a lower-case name.
    ASSERT_TRUE(SubstDrive("x: ", "C:\\Data", 0));
    ASSERT_EQ(dos().Calls().size(), 1u);
    EXPECT_EQ(dos().Calls()[0].deviceName, "x:");
    EXPECT_EQ(dos().Calls()[0].flags, 0u);

    for (const char* form : {"X", "x", "X:", "x: ", "Xanything"})
        EXPECT_TRUE(IsSubstDrive(form)) << form;
    EXPECT_EQ(GetSubstTarget("X"), "C:\\Data");

    dos().ClearCalls();
    RemoveSubstDrive("x:");
    ASSERT_FALSE(dos().Calls().empty());
    EXPECT_EQ(dos().Calls()[0].deviceName, "x:");
    EXPECT_FALSE(IsSubstDrive("X"));
}

TEST_F(Subst, StackedBindingsAreRemovedNewestFirstAndTheLetterFreed)
{
    ASSERT_TRUE(SubstDrive("M: ", "C:\\One", 0));
    ASSERT_TRUE(SubstDrive("M: ", "C:\\Two", 0));
    ASSERT_EQ(dos().Mappings("M:"), (std::vector<std::string>{"\\??\\C:\\Two", "\\??\\C:\\One"}));
    EXPECT_EQ(GetSubstTarget("M"), "C:\\Two");

    dos().ClearCalls();
    RemoveSubstDrive("M:");
    EXPECT_EQ(Removals(dos()), (std::vector<Removal>{{"M:", "C:\\Two"}, {"M:", "C:\\One"}, {"M:", ""}, {"M:", ""}}));
    EXPECT_TRUE(dos().Mappings("M:").empty());
    EXPECT_EQ(mod_DriveInfo::GetDriveLetters(), "C");
}

TEST_F(Subst, RemovingWithFlagsTwoReportsWhetherTheLetterIsFree)
{
    ASSERT_TRUE(SubstDrive("M", "C:\\One", 0));
    ASSERT_TRUE(SubstDrive("M", "C:\\Two", 0));
    EXPECT_TRUE(SubstDrive("M", static_cast<const char*>(nullptr), os::DEFINE_REMOVE));
    EXPECT_FALSE(IsSubstDrive("M"));
    // A folder the machine binds at boot stays, and the removal says so.
    machine.AddBootName('B', "C:\\One");
    EXPECT_FALSE(SubstDrive("B", static_cast<const char*>(nullptr), os::DEFINE_REMOVE));
    EXPECT_TRUE(IsSubstDrive("B"));
}

TEST_F(Subst, NothingToRemoveMakesNoCallButTheQuery)
{
    RemoveSubstDrive("Q:");
    RemoveSubstDrive("");  // "-" alone on the command line: no letter, not even a query
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().QueryCount(), 1);
}

TEST_F(Subst, DiskLettersAreNeverRemoved)
{
    RemoveSubstDrive("C:");
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});

    // A folder stacked over a device letter (a stick plugged in after start-up)
    // goes; the device under it stays.
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "E:", "\\Device\\HarddiskVolume3"));
    ASSERT_TRUE(SubstDrive("E", "C:\\Data", 0));
    dos().ClearCalls();
    RemoveSubstDrive("E:");
    EXPECT_EQ(Removals(dos()), (std::vector<Removal>{{"E:", "C:\\Data"}}));
    EXPECT_EQ(dos().Mappings("E:"), std::vector<std::string>{"\\Device\\HarddiskVolume3"});
}

TEST_F(Subst, FolderMarkerAndTargets)
{
    EXPECT_FALSE(IsSubstDrive("C"));
    EXPECT_FALSE(IsSubstDrive(""));
    EXPECT_FALSE(IsSubstDrive("Q"));
    EXPECT_EQ(GetSubstTarget("C"), "\\Device\\HarddiskVolume1");

    // Only a mapping that starts with the marker is a folder binding, the same
    // rule removal follows: this one is neither listed nor removed.
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "R:", "\\Device\\Odd??Name"));
    EXPECT_FALSE(IsSubstDrive("R"));
    RemoveSubstDrive("R");
    EXPECT_EQ(dos().Mappings("R:"), std::vector<std::string>{"\\Device\\Odd??Name"});

    // A binding's target reads as the folder, with nothing after it.
    ASSERT_TRUE(SubstDrive("S", "C:\\DATA", 0));
    EXPECT_EQ(GetSubstTarget("S"), "C:\\DATA");
}

TEST_F(Subst, DefinitionsWithoutTargetAreRefusedAndChangeNothing)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_FALSE(SubstDrive(std::string(1, letter), static_cast<const char*>(nullptr), 0));
    EXPECT_EQ(mod_DriveInfo::GetDriveLetters(), "C");
    EXPECT_EQ(dos().Calls().size(), 26u);
}

// Only A to Z, in either case, ever becomes a device name: anything else would
// leave a stray name such as ":" or "1:" in the name space.
TEST_F(Subst, TextsThatAreNoDriveLetterNeverReachThePlatform)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    for (const std::string& letter : std::vector<std::string>{"", ":", " M", "1: ", "?: ", "*: ", "\xE9: ", "\\: ", std::string(1, '\0')}) {
        SCOPED_TRACE(letter);
        EXPECT_FALSE(SubstDrive(letter, "C:\\Data", 0));
        EXPECT_FALSE(SubstDrive(letter, static_cast<const char*>(nullptr), os::DEFINE_REMOVE));
        RemoveSubstDrive(letter);
        EXPECT_FALSE(IsSubstDrive(letter));
        EXPECT_EQ(GetSubstTarget(letter), "");
    }
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().QueryCount(), 0);
    for (const std::string letter : {"a", "Z: "})
        EXPECT_TRUE(SubstDrive(letter, "C:\\Data", 0)) << letter;
}

// "\??\UNC\server\share" is the network folder \\server\share: it is listed by
// its long name and removed by naming it, also when a device is stacked under it.
TEST_F(Subst, NetworkFolderBindingsAreListedAndRemovedByName)
{
    files().AddShare("\\\\server\\share");
    ASSERT_TRUE(files().MakeDirectory("\\\\server\\share\\Long Folder"));
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "N:", "\\Device\\CdRom0"));
    ASSERT_TRUE(SubstDrive("N", "\\\\server\\share\\LONGFO~1", 0));
    ASSERT_EQ(dos().Mappings("N:").front(), "\\??\\UNC\\server\\share\\LONGFO~1");

    EXPECT_TRUE(IsSubstDrive("N"));
    EXPECT_EQ(GetSubstTarget("N"), "\\\\server\\share\\LONGFO~1");
    EXPECT_EQ(mod_DriveInfo::MountedDriveLines(), std::vector<std::string>{"N: \t\\\\server\\share\\Long Folder"});

    dos().ClearCalls();
    RemoveSubstDrive("N:");
    EXPECT_EQ(Removals(dos()), (std::vector<Removal>{{"N:", "\\\\server\\share\\LONGFO~1"}}));
    EXPECT_EQ(dos().Mappings("N:"), std::vector<std::string>{"\\Device\\CdRom0"});

    // Another program may spell the network mark in lower case.
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "U:", "\\??\\unc\\server\\share"));
    EXPECT_EQ(GetSubstTarget("U"), "\\\\server\\share");
}

// Five long folders stacked on one letter answer with more than 1024 characters.
TEST_F(Subst, AReplyLargerThanTheUsualBufferIsStillReadAndRemoved)
{
    const std::string base = "C:\\" + std::string(200, 'd');
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(files().MakeDirectory(base + char('0' + i)));
        ASSERT_TRUE(SubstDrive("M", base + char('0' + i), 0));
    }
    EXPECT_TRUE(IsSubstDrive("M"));
    EXPECT_EQ(GetSubstTarget("M"), base + '4');
    EXPECT_EQ(mod_DriveInfo::MountedDriveLines().size(), 1u);
    RemoveSubstDrive("M");
    EXPECT_TRUE(dos().Mappings("M:").empty());
}

// A start-up line for a disk's own letter is refused as Windows refuses a normal
// user, and the disk stays.
TEST_F(Subst, ADisksLetterStaysForANormalUser)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    EXPECT_FALSE(SubstDrive("c: ", "C:\\Data", 0));
    EXPECT_EQ(dos().LastError(), os::ERROR_CODE_ACCESS_DENIED);
    EXPECT_EQ(dos().Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});
}

}  // namespace
