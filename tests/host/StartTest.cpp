// The command line as Windows hands it over, the program folder, and the mode
// each start asks for.
#include "SimMachineFixture.h"
#include "app/modMain.h"
#include "ui/CommandLine.h"
#include "engine/mod_Subst.h"

using modMain::StartMode;

namespace {

TEST(Start, AppDirEndsWithOneBackslash)
{
    EXPECT_EQ(modMain::MakeAppDir("C:\\Program Files\\Tavrik"), "C:\\Program Files\\Tavrik\\");
    EXPECT_EQ(modMain::MakeAppDir("D:\\"), "D:\\");
}

TEST(Start, CommandTailIsTheTextAfterTheProgramName)
{
    EXPECT_EQ(ui::CommandTail("\"C:\\Program Files\\Tavrik\\Tavrik.exe\" C:\\My Data"), "C:\\My Data");
    EXPECT_EQ(ui::CommandTail("Tavrik.exe   \"C:\\Quoted\"  "), "\"C:\\Quoted\"  ");
    EXPECT_EQ(ui::CommandTail("Tavrik.exe /ini "), "/ini ");
    EXPECT_EQ(ui::CommandTail("Tavrik.exe"), "");
    EXPECT_EQ(ui::CommandTail("\"C:\\Tavrik.exe\""), "");
    EXPECT_EQ(ui::CommandTail("\"C:\\Unclosed quote.exe -M"), "");
}

TEST(Start, ModeComesFromTheCommandLineAlone)
{
    EXPECT_EQ(modMain::ModeOf("/ini"), StartMode::StartupRun);
    EXPECT_EQ(modMain::ModeOf("/INI"), StartMode::MainWindow);
    EXPECT_EQ(modMain::ModeOf("/ini "), StartMode::MainWindow);
    EXPECT_EQ(modMain::ModeOf(""), StartMode::MainWindowEmpty);
    EXPECT_EQ(modMain::ModeOf("-M"), StartMode::Unmount);
    EXPECT_EQ(modMain::ModeOf("-"), StartMode::Unmount);
    EXPECT_EQ(modMain::ModeOf(" -M"), StartMode::MainWindow);
    EXPECT_EQ(modMain::ModeOf("C:\\Data"), StartMode::MainWindow);
}

class StartUnmount : public SimMachineTest {};

TEST_F(StartUnmount, DashAndLetterRemovesTheBindings)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    EXPECT_EQ(modMain::Start("C:\\Tools", "-m: extra"), StartMode::Unmount);
    EXPECT_EQ(modMain::AppDir, "C:\\Tools\\");
    EXPECT_EQ(modMain::CommandLine, "-m: extra");
    for (const char* line : {"-M", "-M:", "-m: extra"}) {
        ASSERT_TRUE(mod_Subst::SubstDrive("M", "C:\\Data", 0));
        ASSERT_TRUE(mod_Subst::SubstDrive("M", "C:\\Data", 0));
        EXPECT_TRUE(modMain::UnmountBranch(line)) << line;
        EXPECT_FALSE(mod_Subst::IsSubstDrive("M")) << line;
    }
    ASSERT_TRUE(mod_Subst::SubstDrive("M", "C:\\Data", 0));
    EXPECT_FALSE(modMain::UnmountBranch("C:\\Data"));
    EXPECT_FALSE(modMain::UnmountBranch(""));
    EXPECT_TRUE(mod_Subst::IsSubstDrive("M"));
}

TEST_F(StartUnmount, DashAloneOrADiskLetterRemovesNothing)
{
    EXPECT_TRUE(modMain::UnmountBranch("-"));
    EXPECT_TRUE(modMain::UnmountBranch("-C"));
    EXPECT_EQ(modMain::Start("C:\\", "-"), StartMode::Unmount);
    EXPECT_TRUE(dos().Calls().empty());
    EXPECT_EQ(dos().Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});
    EXPECT_EQ(modMain::AppDir, "C:\\");
}

}  // namespace
