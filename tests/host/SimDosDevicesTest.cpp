// The simulated DOS device name space must answer as Windows does, or every
// engine test built on it proves the wrong thing.
#include "SimMachineFixture.h"

#include <string>
#include <vector>

using os::DEFINE_EXACT_MATCH;
using os::DEFINE_RAW_TARGET;

namespace {

using Strings = std::vector<std::string>;
const std::string T1 = "\\??\\C:\\temp1";
const std::string T2 = "\\??\\C:\\temp2";
const std::string T3 = "\\??\\C:\\temp3";
constexpr auto kRemove = os::DEFINE_REMOVE;
constexpr auto kRemoveExact = kRemove | DEFINE_EXACT_MATCH;

class SimDos : public SimMachineTest {
protected:
    void DefineThree()
    {
        for (const char* target : {"C:\\temp1", "C:\\temp2", "C:\\temp3"})
            ASSERT_TRUE(dos().Define(0, "M:", target));
    }
    Strings M() { return dos().Mappings("M:"); }
};

TEST_F(SimDos, DefineStoresTheAbsoluteTargetNewestFirst)
{
    ASSERT_TRUE(dos().Define(0, "m:", "C:/windows/"));
    char buffer[64];
    const std::string windows = "\\??\\C:\\windows\\";  // slashes turn, the trailing one stays
    ASSERT_EQ(dos().Query("M:", buffer, sizeof buffer), windows.size() + 2);
    EXPECT_EQ(std::string(buffer, windows.size() + 2), windows + '\0' + '\0');

    DefineThree();
    ASSERT_GT(dos().Query("M:", buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer, 4 * 13 + 4), T3 + '\0' + T2 + '\0' + T1 + '\0' + windows + '\0' + '\0');

    ASSERT_TRUE(dos().Define(DEFINE_RAW_TARGET, "N:", "\\Device\\HarddiskVolume1\\Data"));
    EXPECT_EQ(dos().Mappings("n:"), Strings{"\\Device\\HarddiskVolume1\\Data"});
    EXPECT_EQ(dos().Calls().front().deviceName, "m:");
}

TEST_F(SimDos, RemovalWithTargetMatchesWholeOrAsPrefix)
{
    DefineThree();
    // A trailing separator makes another string; a miss changes nothing.
    EXPECT_FALSE(dos().Define(kRemoveExact, "M:", "C:\\temp1\\"));
    EXPECT_EQ(dos().LastError(), 2u);
    EXPECT_FALSE(dos().Define(kRemoveExact, "M:", "C:\\temp"));
    EXPECT_FALSE(dos().Define(kRemove, "M:", "C:\\other"));
    EXPECT_EQ(M(), (Strings{T3, T2, T1}));

    ASSERT_TRUE(dos().Define(kRemoveExact, "m:", "c:\\TEMP1"));
    EXPECT_EQ(M(), (Strings{T3, T2}));
    ASSERT_TRUE(dos().Define(kRemove, "M:", "c:\\TEMP"));
    EXPECT_EQ(M(), Strings{T2});
}

TEST_F(SimDos, RemovalWithoutTargetPopsAndTheLastFreesTheLetter)
{
    DefineThree();
    ASSERT_TRUE(dos().Define(kRemove, "M:", nullptr));
    EXPECT_EQ(M(), (Strings{T2, T1}));
    ASSERT_TRUE(dos().Define(kRemove, "M:", ""));
    ASSERT_TRUE(dos().Define(kRemove, "M:", nullptr));

    char buffer[64];
    EXPECT_EQ(dos().Query("M:", buffer, sizeof buffer), 0u);
    EXPECT_EQ(dos().LastError(), 2u);
    ASSERT_EQ(dos().LogicalDriveStrings(sizeof buffer, buffer), 4u);
    EXPECT_EQ(std::string(buffer, 5), std::string("C:\\\0\0", 5));
    EXPECT_FALSE(dos().Define(kRemove, "M:", nullptr));
    EXPECT_EQ(dos().LastError(), 2u);
}

TEST_F(SimDos, RefusedDefinitionsChangeNothing)
{
    struct Case {
        std::uint32_t flags;
        const char* name;
        const char* target;
        std::uint32_t error;
    };
    for (const Case& c : {Case{0, "M:", nullptr, 87}, Case{0x20, "M:", "C:\\temp1", 87},
                          Case{DEFINE_EXACT_MATCH, "M:", "C:\\temp1", 87}, Case{0, "M:\\", "C:\\temp1", 123}}) {
        EXPECT_FALSE(dos().Define(c.flags, c.name, c.target)) << c.name << c.flags;
        EXPECT_EQ(dos().LastError(), c.error) << c.name << c.flags;
    }
    EXPECT_TRUE(M().empty());
    ASSERT_TRUE(dos().Define(0, "M:", "C:\\temp1"));
    char buffer[64];
    EXPECT_EQ(dos().Query("M:\\", buffer, sizeof buffer), 0u);
    EXPECT_FALSE(dos().Define(kRemove, "M:\\", nullptr));
    EXPECT_EQ(M(), Strings{T1});
}

TEST_F(SimDos, QueryNeverWritesPastItsCapacity)
{
    ASSERT_TRUE(dos().Define(0, "M:", "C:\\temp1"));
    const auto needed = static_cast<std::uint32_t>(T1.size() + 2);
    std::string buffer(needed + 4, '#');
    for (const std::uint32_t tooSmall : {needed - 1, 0u}) {
        EXPECT_EQ(dos().Query("M:", buffer.data(), tooSmall), 0u);
        EXPECT_EQ(dos().LastError(), 122u);
    }
    EXPECT_EQ(buffer, std::string(needed + 4, '#'));
    EXPECT_EQ(dos().Query("M:", buffer.data(), needed), needed);
    EXPECT_EQ(buffer.substr(needed), "####");
    EXPECT_EQ(dos().Query("Q:", buffer.data(), needed), 0u);
    EXPECT_EQ(dos().LastError(), 2u);
    EXPECT_EQ(dos().QueryCount(), 4);
}

TEST_F(SimDos, DriveStringsListLettersOnlyInOrder)
{
    ASSERT_TRUE(dos().Define(0, "m:", "C:\\temp1"));
    ASSERT_TRUE(dos().Define(0, "!QHello:", "C:\\temp1"));
    machine.AddDisk('D', 2);

    std::string buffer(20, '#');
    EXPECT_EQ(dos().LogicalDriveStrings(12, buffer.data()), 13u);
    EXPECT_EQ(buffer, std::string(20, '#'));
    ASSERT_EQ(dos().LogicalDriveStrings(13, buffer.data()), 12u);
    EXPECT_EQ(buffer, std::string("C:\\\0D:\\\0M:\\\0\0#######", 20));
}

}  // namespace
