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
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Tavrik\\Tavrik.exe\" C:\\My Data", "C:\\My Data"},
        {"Tavrik.exe   \"C:\\Quoted\"  ", "\"C:\\Quoted\"  "},
        {"Tavrik.exe /ini ", "/ini "},
        {"Tavrik.exe\t/ini", "/ini"},  // a tab parts them as a blank does
        {"\"C:\\Tavrik.exe\"\t \t-M", "-M"},
        {"Tavrik.exe", ""},
        {"\"C:\\Tavrik.exe\"", ""},
        {"\"C:\\Unclosed quote.exe -M", ""},
    };
    for (const auto& [line, tail] : cases)
        EXPECT_EQ(ui::CommandTail(line), tail) << line;
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
    EXPECT_EQ(modMain::ModeOf("C:/Tools/elevated"), StartMode::MainWindow);  // a folder, whatever its name
    for (const char* help : {"/?", "-?", "/h", "/H", "--help"})
        EXPECT_EQ(modMain::ModeOf(help), StartMode::Help) << help;
    EXPECT_EQ(modMain::ModeOf("-h"), StartMode::Unmount);  // H: is a letter like any other
    EXPECT_EQ(modMain::ModeOf("/? "), StartMode::MainWindow);
    for (const char* elevated : {"/elevated on", "/elevated off", "/elevated-setup on", "/elevated-sync", "/elevated"})
        EXPECT_EQ(modMain::ModeOf(elevated), StartMode::Elevated) << elevated;
}

// Without a split token the option is not offered: the switches say why and
// end with 1, a misspelt one with 2, and nothing is asked or changed.
class StartElevated : public SimMachineTest {};

TEST_F(StartElevated, TheSwitchesAnswerAsTheUnmountModeDoes)
{
    const struct {
        const char* commandLine;
        int exitCode;
        const char* says;
    } cases[] = {
        {"/elevated on", 1, "same session"},
        {"/elevated off", 1, "same session"},
        {"/elevated sideways", 2, "nothing was changed"},
        {"/elevated oops", 2, "nothing was changed"},
        {"/elevated on please", 2, "nothing was changed"},
        {"/elevated-sync", 0, ""},
    };
    for (const auto& c : cases) {
        const auto outcome = modMain::ElevatedBranch(c.commandLine);
        ASSERT_TRUE(outcome) << c.commandLine;
        EXPECT_EQ(outcome->exitCode, c.exitCode) << c.commandLine;
        EXPECT_NE(outcome->message.find(c.says), std::string::npos) << outcome->message;
    }
    EXPECT_FALSE(modMain::ElevatedBranch("-M"));
    EXPECT_TRUE(machine.session.prompts.empty());
    EXPECT_TRUE(machine.taskScheduler.tasks.empty());
}

// A console user types a folder with blanks in quotes, and a folder dropped on
// the program arrives so: one pair around the whole text comes off, and the
// text used is the same whichever mode it names. A folder to mount is the
// whole path it names from where the start stands.
class StartFolder : public SimMachineTest {};

TEST_F(StartFolder, OnePairOfQuotesComesOffAndAFolderIsMadeWhole)
{
    files().currentFolder = "C:\\Work";
    struct Case {
        const char* given;
        const char* unquoted;
        const char* used;
    };
    const Case cases[] = {
        {"\"C:\\My Folder\"", "C:\\My Folder", "C:\\My Folder"},
        {"  \"C:\\My Folder\"  ", "C:\\My Folder", "C:\\My Folder"},
        {"\"-M\"", "-M", "C:\\Work\\-M"},  // a folder of that name, not the unmount mode
        {"C:\\No Quotes", "C:\\No Quotes", "C:\\No Quotes"},
        {"\"C:\\One\" \"C:\\Two\"", "\"C:\\One\" \"C:\\Two\"", "\"C:\\One\" \"C:\\Two\""},  // no path
        {"\"C:\\Unclosed", "\"C:\\Unclosed", "\"C:\\Unclosed"},
        {"\"", "\"", "\""},
        {"\"\"", "", ""},
        {"..", "..", "C:\\"},
        {"one\\two", "one\\two", "C:\\Work\\one\\two"},
        {"\"..\\Other\"", "..\\Other", "C:\\Other"},
        {"\\Top", "\\Top", "C:\\Top"},
        {"C:\\Work\\.\\x\\..\\y", "C:\\Work\\.\\x\\..\\y", "C:\\Work\\y"},
        {"\\\\server\\share\\x", "\\\\server\\share\\x", "\\\\server\\share\\x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(modMain::Unquoted(c.given), c.unquoted) << c.given;
        const auto mode = modMain::Start("C:\\Tools", c.given);
        EXPECT_EQ(mode, modMain::ModeOf(c.given)) << c.given;
        EXPECT_EQ(modMain::CommandLine, mode == StartMode::MainWindow ? c.used : c.given) << c.given;
    }
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

// A script reads what happened from the exit code: 0 the letter's folder
// bindings were removed, 1 it had none, 2 the letter was refused. A disk is
// never removed, and nothing but the named letter changes.
TEST_F(StartUnmount, EachOutcomeHasItsExitCodeAndItsLine)
{
    ASSERT_TRUE(files().MakeDirectory("C:\\Data"));
    // D: a disk plugged in after start-up, with a folder bound over it.
    files().AddVolume("\\Device\\HarddiskVolume2");
    ASSERT_TRUE(dos().Define(os::DEFINE_RAW_TARGET, "D:", "\\Device\\HarddiskVolume2"));
    ASSERT_TRUE(mod_Subst::SubstDrive("M", "C:\\Data", 0));
    ASSERT_TRUE(mod_Subst::SubstDrive("D", "C:\\Data", 0));
    machine.AddBootName('B', "C:\\Data");  // a folder the machine binds at boot: no user's to remove
    struct Case {
        const char* commandLine;
        int exitCode;
        const char* line;
    } const cases[] = {
        {"-m:", 0, "M: was unmounted."},
        {"-M", 1, "M: has no folder bound to it; nothing was removed."},
        {"-Q", 1, "Q: has no folder bound to it; nothing was removed."},
        {"-z", 1, "Z: has no folder bound to it; nothing was removed."},
        {"-D", 0, "D: was unmounted."},
        {"-D", 2, "D: is a drive of its own, not a folder bound to a letter; it was left alone."},
        {"-C", 2, "C: is a drive of its own, not a folder bound to a letter; it was left alone."},
        {"-b", 2, "B: could not be unmounted: Windows kept its folder binding."},
        {"-", 2, "No drive letter was given after \"-\"; nothing was removed."},
        {"-1", 2, "\"1\" is no drive letter A-Z; nothing was removed."},
        {"-1:", 2, "\"1:\" is no drive letter A-Z; nothing was removed."},
        {"-\x7F", 2, "\"?\" is no drive letter A-Z; nothing was removed."},  // DEL shown as any control
        {"-\x1F!", 2, "\"?!\" is no drive letter A-Z; nothing was removed."},  // the last control below the blank
    };
    for (const auto& c : cases) {
        const auto outcome = modMain::UnmountBranch(c.commandLine);
        ASSERT_TRUE(outcome) << c.commandLine;
        EXPECT_EQ(outcome->exitCode, c.exitCode) << c.commandLine;
        EXPECT_EQ(outcome->message, c.line) << c.commandLine;
    }
    EXPECT_EQ(dos().Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});
    EXPECT_EQ(dos().Mappings("D:"), std::vector<std::string>{"\\Device\\HarddiskVolume2"});
    EXPECT_EQ(modMain::Start("C:\\", "-"), StartMode::Unmount);
    EXPECT_EQ(modMain::AppDir, "C:\\");
}

}  // namespace
