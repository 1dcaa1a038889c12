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

std::vector<Removal> Removals(const platform::SimDosDevices& dos)
{
    std::vector<Removal> removals;
    for (const auto& call : dos.Calls()) {
        EXPECT_EQ(call.flags, platform::DDD_REMOVE_DEFINITION);
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
    EXPECT_TRUE(SubstDrive("M", static_cast<const char*>(nullptr), platform::DDD_REMOVE_DEFINITION));
    EXPECT_FALSE(IsSubstDrive("M"));
}

TEST_F(Subst, NothingToRemoveMakesNoCallButTheQuery)
{
    RemoveSubstDrive("Q:");
    RemoveSubstDrive("");  // "-" alone on the command line
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().QueryCount(), 2);
}

TEST_F(Subst, DiskLettersAreNeverRemoved)
{
    machine.AddDisk('D', 2);
    RemoveSubstDrive("C:");
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});

    // A folder stacked over a disk letter goes; the disk under it stays.
    ASSERT_TRUE(SubstDrive("D", "C:\\Data", 0));
    dos().ClearCalls();
    RemoveSubstDrive("D:");
    EXPECT_EQ(Removals(dos()), (std::vector<Removal>{{"D:", "C:\\Data"}}));
    EXPECT_EQ(dos().Mappings("D:"), std::vector<std::string>{"\\Device\\HarddiskVolume2"});
}

TEST_F(Subst, FolderMarkerAndTargets)
{
    EXPECT_FALSE(IsSubstDrive("C"));
    EXPECT_FALSE(IsSubstDrive(""));
    EXPECT_FALSE(IsSubstDrive("Q"));
    EXPECT_EQ(GetSubstTarget("C"), "\\Device\\HarddiskVolume1");

    // The marker is looked for anywhere in the reply, not only as a prefix.
    ASSERT_TRUE(dos().Define(platform::DDD_RAW_TARGET_PATH, "R:", "\\Device\\Odd??Name"));
    EXPECT_TRUE(IsSubstDrive("R"));

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

}  // namespace
