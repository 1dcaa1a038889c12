// Drives for the programs a user runs as administrator: on a machine whose
// user holds UAC's two linked tokens, each in a logon session with DOS device
// names of its own.
#include "SimMachineFixture.h"
#include "app/modMain.h"
#include "engine/modElevated.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"

namespace {

const std::string kCopy = "C:\\Program Files\\Tavrik\\Tavrik.exe";
const std::string kList = "C:\\Users\\Ann\\AppData\\Local\\Tavrik\\elevated.ini";
const std::string kRecord = "C:\\Program Files\\Tavrik\\Elevated\\S-1-5-21-1000-2000-3000-1001.ini";
const std::string kLog = "C:\\Program Files\\Tavrik\\Elevated\\S-1-5-21-1000-2000-3000-1001.log";

class Elevated : public SimMachineTest {
protected:
    void SetUp() override
    {
        machine.SplitToken();
        for (const char* folder : {"C:\\Data", "C:\\Other", "C:\\Users\\Ann\\AppData\\Local", "C:\\Program Files"})
            ASSERT_TRUE(files().MakeDirectory(folder));
        ASSERT_TRUE(files().MakeFile(machine.session.exePath, "MZ the program"));
        machine.elevatedSession.exePath = machine.session.exePath;
        // Accepting the prompt runs the program as administrator, in the other session.
        machine.session.elevate = [this](const std::string&, const std::string& arguments) -> std::optional<int> {
            if (refuse)
                return std::nullopt;
            os::ScopedSystem up(machine.elevatedSystem);
            return modElevated::SetUp(arguments == "/elevated-setup on");
        };
        machine.taskScheduler.onRun = [this](const std::string&) { RunTask(); };
    }
    std::string RunTask()
    {
        os::ScopedSystem up(machine.elevatedSystem);
        return modElevated::Sync();
    }
    // The folder a letter leads to as programs run as administrator see it.
    std::string SeenElevated(char letter)
    {
        os::ScopedSystem up(machine.elevatedSystem);
        return mod_Subst::IsSubstDrive(std::string(1, letter)) ? mod_DriveInfo::GetSubstTarget(std::string(1, letter))
                                                               : "";
    }
    void Mount(const char* letter, const char* folder)
    {
        ASSERT_EQ(modLists::MountFolder(letter, folder), modLists::MountResult::Mounted);
        modElevated::Mirror();
    }
    void WriteList(const std::string& lines)
    {
        ASSERT_TRUE(files().MakeFile(kList, "session " + machine.session.logonId + "\r\n" + lines));
    }
    bool refuse = false;
};

TEST_F(Elevated, WhereItRunsFollowsTheTokenAndItsLinkedSession)
{
    using modElevated::Place;
    const struct {
        os::Elevation elevation;
        bool elsewhere;
        Place place;
    } cases[] = {
        {os::Elevation::Default, false, Place::NoSplit},
        {os::Elevation::Limited, true, Place::Normal},
        {os::Elevation::Full, true, Place::Elevated},
        {os::Elevation::Full, false, Place::Normal},  // Wine: one session for both tokens
    };
    // A linked token whose session is unknown is taken as sharing it.
    EXPECT_TRUE(os::InAnotherSession("0x3e7001", "0x3e7002"));
    for (const auto& [own, linked] : {std::pair{"0x3e7001", "0x3e7001"}, {"0x3e7001", ""}, {"", "0x3e7002"}})
        EXPECT_FALSE(os::InAnotherSession(own, linked)) << own << " " << linked;
    for (const auto& c : cases) {
        machine.session.elevation = c.elevation;
        machine.session.linkedElsewhere = c.elsewhere;
        EXPECT_EQ(modElevated::WhereItRuns(), c.place) << static_cast<int>(c.elevation) << c.elsewhere;
        EXPECT_EQ(modElevated::Offered(), c.place != Place::NoSplit);
    }
}

// One prompt makes the copy and the task; from then on every change of the
// normal side reaches the other one, and only through the task.
TEST_F(Elevated, TurnedOnEveryBindingReachesProgramsRunAsAdministrator)
{
    Mount("P: ", "C:\\Data");
    EXPECT_EQ(SeenElevated('P'), "");  // two sessions, two name spaces
    const auto on = modElevated::TurnOn();
    EXPECT_EQ(on.exitCode, 0) << on.message;
    EXPECT_EQ(machine.session.prompts, std::vector<std::string>{"/elevated-setup on"});
    EXPECT_EQ(files().Content(kCopy), "MZ the program");
    EXPECT_EQ(SeenElevated('P'), "C:\\Data");

    const auto xml = machine.taskScheduler.Find("Tavrik drives for S-1-5-21-1000-2000-3000-1001");
    ASSERT_TRUE(xml);
    // Each element whole, as the scheduler reads it (the lines' indents aside):
    // the user's log-on starts it, as that user, and the action runs as the
    // principal named.
    std::string elements;
    for (std::size_t at = 0, end; at < xml->size(); at = end + 1) {
        end = std::min(xml->find('\n', at), xml->size());
        const std::size_t indent = xml->find_first_not_of(' ', at);
        elements += xml->substr(indent, end - std::min(indent, end));
    }
    EXPECT_TRUE(xml->starts_with("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"));  // handed over as UTF-16
    for (const char* part :
         {"<Triggers><LogonTrigger><Enabled>true</Enabled><UserId>S-1-5-21-1000-2000-3000-1001</UserId>"
          "</LogonTrigger></Triggers>",
          "<Principals><Principal id=\"Author\"><UserId>S-1-5-21-1000-2000-3000-1001</UserId>"
          "<LogonType>InteractiveToken</LogonType><RunLevel>HighestAvailable</RunLevel></Principal></Principals>",
          "<AllowStartOnDemand>true</AllowStartOnDemand>",
          "<Actions Context=\"Author\"><Exec><Command>C:\\Program Files\\Tavrik\\Tavrik.exe</Command>"
          "<Arguments>/elevated-sync</Arguments></Exec></Actions>",
          "<Author>Tavrik</Author>", "(A;;GRGX;;;S-1-5-21-1000-2000-3000-1001)</SecurityDescriptor>"})
        EXPECT_NE(elements.find(part), std::string::npos) << part;
    EXPECT_EQ(elements.find("<TimeTrigger>"), std::string::npos);

    Mount("Q: ", "C:\\Other");
    EXPECT_EQ(SeenElevated('Q'), "C:\\Other");
    ASSERT_EQ(mod_DriveInfo::RemoveSubstDrive("P"), mod_DriveInfo::RemoveResult::Removed);
    modElevated::Mirror();
    EXPECT_EQ(SeenElevated('P'), "");
    EXPECT_EQ(SeenElevated('Q'), "C:\\Other");

    ASSERT_TRUE(files().Remove(kList));  // on already: asked once, and the list made again for the task
    const int runs = machine.taskScheduler.runs;
    EXPECT_EQ(modElevated::TurnOn().exitCode, 1);
    EXPECT_EQ(machine.session.prompts.size(), 1u);
    EXPECT_NE(files().Content(kList).value_or("").find("Q:\tC:\\Other"), std::string::npos);
    EXPECT_EQ(machine.taskScheduler.runs, runs + 1);
    files().DenyWrite(kList);  // a list that could not be written is not run
    EXPECT_EQ(modElevated::TurnOn().exitCode, 1);
    EXPECT_EQ(machine.taskScheduler.runs, runs + 1);
}

// Turned on from a program run as administrator (no prompt there), the list
// waits for the normal side, whose next change fills it.
TEST_F(Elevated, TurnedOnAsAdministratorTheNormalSideFillsTheList)
{
    machine.elevatedSession.elevate = [this](const std::string&, const std::string& arguments) {
        return std::optional<int>(modElevated::SetUp(arguments == "/elevated-setup on"));
    };
    {
        os::ScopedSystem up(machine.elevatedSystem);
        ASSERT_TRUE(modLists::MountFolder("E: ", "C:\\Other") == modLists::MountResult::Mounted);
        EXPECT_EQ(modElevated::WhereItRuns(), modElevated::Place::Elevated);
        EXPECT_EQ(modElevated::TurnOn().exitCode, 0);
        modElevated::Mirror();  // the elevated side's own drives are no list of the user's
    }
    EXPECT_FALSE(files().Exists(kList));  // nothing written where the user's programs write
    EXPECT_TRUE(machine.session.prompts.empty());
    EXPECT_EQ(modElevated::TurnOn().exitCode, 1);  // the normal side's "on": no prompt, the list
    Mount("P: ", "C:\\Data");
    EXPECT_EQ(SeenElevated('P'), "C:\\Data");
    EXPECT_EQ(SeenElevated('E'), "C:\\Other");
}

TEST_F(Elevated, ARefusedOrFailedStepChangesNothingAndSaysSo)
{
    Mount("P: ", "C:\\Data");
    refuse = true;
    const auto refused = modElevated::TurnOn();
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.message.find("refused"), std::string::npos) << refused.message;

    refuse = false;
    machine.taskScheduler.refuse = true;
    const auto failed = modElevated::TurnOn();
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_NE(failed.message.find("Nothing was changed"), std::string::npos) << failed.message;
    for (const std::string& path : {kCopy, kList, std::string("C:\\Program Files\\Tavrik")})
        EXPECT_FALSE(files().Exists(path)) << path;
    EXPECT_TRUE(machine.taskScheduler.tasks.empty());
    EXPECT_EQ(SeenElevated('P'), "");

    // Undone, a failed step takes away only what it made: the copy another user's drives run stays.
    ASSERT_TRUE(files().MakeFile(kCopy, "MZ the program"));
    ASSERT_TRUE(files().MakeFile("C:\\Program Files\\Tavrik\\Tavrik.copy", "S-1-5-21-1000-2000-3000-1002"));
    EXPECT_EQ(modElevated::TurnOn().exitCode, 2);
    EXPECT_TRUE(files().Exists(kCopy));
    for (const std::string& path : {kCopy, std::string("C:\\Program Files\\Tavrik\\Tavrik.copy")})
        ASSERT_TRUE(files().Remove(path));
    EXPECT_EQ(modElevated::TurnOn().exitCode, 2);  // and the folder it found, though empty
    EXPECT_TRUE(files().Exists("C:\\Program Files\\Tavrik"));

    // Nor is the task made where its records could not be kept (a file in the way of their folder).
    machine.taskScheduler.refuse = false;
    ASSERT_TRUE(files().MakeFile("C:\\Program Files\\Tavrik\\Elevated", "in the way"));
    EXPECT_EQ(modElevated::TurnOn().exitCode, 2);
    EXPECT_TRUE(machine.taskScheduler.tasks.empty());
    ASSERT_TRUE(files().Remove("C:\\Program Files\\Tavrik\\Elevated"));

    // A refused turn-off leaves it on: the list the task reads stays.
    ASSERT_EQ(modElevated::TurnOn().exitCode, 0);
    refuse = true;
    EXPECT_EQ(modElevated::TurnOff().exitCode, 2);
    EXPECT_TRUE(files().Exists(kList));
    EXPECT_FALSE(machine.taskScheduler.tasks.empty());
}

// The list is the user's: anything the user's programs wrote there is read as
// hostile, and only a letter free here (or bound here by the task itself) is
// ever bound.
TEST_F(Elevated, TheElevatedSideTrustsNoLineOfTheList)
{
    ASSERT_TRUE(modElevated::TurnOn().exitCode == 0);
    machine.AddBootName('B', "C:\\Boot");
    ASSERT_TRUE(machine.elevatedDos.Define(0, "Q:", "C:\\Other"));  // another program's, run as administrator
    ASSERT_TRUE(machine.elevatedDos.Define(os::DEFINE_RAW_TARGET, "Z:", "\\Device\\LanmanRedirector\\;Z:0\\srv\\s"));
    ASSERT_TRUE(machine.dos.Define(0, "N:", "C:\\Data"));  // the normal side's only
    WriteList("C:\tC:\\Data\r\nB:\tC:\\Data\r\nQ:\tC:\\Data\r\nZ:\tC:\\Data\r\nM:\tC:\\Missing\r\n"
              "R:\tData\r\nS:\tN:\\\r\nT:C:\\Data\r\n1:\tC:\\Data\r\nU:\tC:\\Da\x01ta\r\n"
              "V:\tC:\\Data\r\nV:\tC:\\Other\r\nw:\tC:\\Other\r\n");
    const std::string log = RunTask();
    EXPECT_EQ(SeenElevated('V'), "C:\\Data");
    EXPECT_EQ(SeenElevated('W'), "C:\\Other");
    EXPECT_EQ(machine.elevatedDos.Mappings("C:"), std::vector<std::string>{"\\Device\\HarddiskVolume1"});
    EXPECT_EQ(machine.elevatedDos.Mappings("B:"), std::vector<std::string>{"\\??\\C:\\Boot"});
    EXPECT_EQ(machine.elevatedDos.Mappings("Q:"), std::vector<std::string>{"\\??\\C:\\Other"});
    EXPECT_EQ(machine.elevatedDos.Mappings("Z:").size(), 1u);
    for (const char letter : {'M', 'R', 'S', 'T', 'U'})
        EXPECT_EQ(SeenElevated(letter), "") << letter;
    for (const char* why : {"C: (the system's drive)", "B: (defined at boot)", "Q: (held by another)",
                            "Z: (held by another)", "M: (no folder)", "R: (no folder)", "S: (no folder)",
                            "line 9 (no letter and folder)", "line 10 (no letter and folder)", "U: (no folder)",
                            "V: (named twice)"})
        EXPECT_NE(log.find(why), std::string::npos) << why << " in " << log;
    EXPECT_NE(files().Content(kLog)->find(log), std::string::npos);

    // The run says what it did in one line, as its log keeps it.
    EXPECT_TRUE(log.starts_with("bound V:, W:; skipped C: (the system's drive), B: (defined at boot)")) << log;

    // A folder whose long form cannot be read (its parent may not be listed) is still bound.
    ASSERT_TRUE(files().MakeDirectory("C:\\Locked\\In"));
    files().DenyRead("C:\\Locked");
    WriteList("L:\tC:\\Locked\\In\r\n");
    RunTask();
    EXPECT_EQ(SeenElevated('L'), "C:\\Locked\\In");
    files().DenyRead("C:\\Locked", false);

    // At most 26 lines are read, whatever they hold: the 26th is, the 27th not.
    std::string many;
    for (int i = 0; i < 25; ++i)
        many += "Q:\tC:\\Data\r\n";
    WriteList(many + "Y:\tC:\\Data\r\nX:\tC:\\Data\r\n");
    EXPECT_NE(RunTask().find("X: (more than 26 lines)"), std::string::npos);
    EXPECT_EQ(SeenElevated('Y'), "C:\\Data");
    EXPECT_EQ(SeenElevated('X'), "");

    // The log keeps the last 50 runs.
    for (int run = 0; run < 60; ++run)
        RunTask();
    const auto logLines = modLists::ReadListAt(kLog);
    ASSERT_TRUE(logLines);
    EXPECT_EQ(logLines->size(), 50u);
}

TEST_F(Elevated, TheTaskRemovesOnlyWhatItBoundAndTheListNoLongerHolds)
{
    Mount("P: ", "C:\\Data");
    Mount("R: ", "C:\\Data");
    ASSERT_TRUE(machine.elevatedDos.Define(0, "R:", "C:\\Data"));  // there before: bound to that folder already
    ASSERT_EQ(modElevated::TurnOn().exitCode, 0);
    ASSERT_EQ(SeenElevated('P'), "C:\\Data");
    EXPECT_EQ(files().Content(kRecord).value_or("").find("R:"), std::string::npos);

    // The user's list changes: the same letter, another folder, is bound anew.
    ASSERT_EQ(mod_DriveInfo::RemoveSubstDrive("P"), mod_DriveInfo::RemoveResult::Removed);
    Mount("P: ", "C:\\Other");
    EXPECT_EQ(machine.elevatedDos.Mappings("P:"), std::vector<std::string>{"\\??\\C:\\Other"});

    // Its binding replaced by another program's: that one is not the task's to remove.
    ASSERT_TRUE(machine.elevatedDos.Define(os::DEFINE_REMOVE, "P:", nullptr));
    ASSERT_TRUE(machine.elevatedDos.Define(0, "P:", "C:\\Data"));
    // Nor to take over for another folder the user's list names now.
    ASSERT_EQ(mod_DriveInfo::RemoveSubstDrive("P"), mod_DriveInfo::RemoveResult::Removed);
    ASSERT_TRUE(files().MakeDirectory("C:\\Third"));
    Mount("P: ", "C:\\Third");
    EXPECT_EQ(machine.elevatedDos.Mappings("P:"), std::vector<std::string>{"\\??\\C:\\Data"});
    EXPECT_NE(RunTask().find("P: (held by another)"), std::string::npos);
    for (const char letter : {'P', 'R'})
        ASSERT_EQ(mod_DriveInfo::RemoveSubstDrive(std::string(1, letter)), mod_DriveInfo::RemoveResult::Removed);
    modElevated::Mirror();
    EXPECT_EQ(machine.elevatedDos.Mappings("P:"), std::vector<std::string>{"\\??\\C:\\Data"});
    EXPECT_EQ(machine.elevatedDos.Mappings("R:"), std::vector<std::string>{"\\??\\C:\\Data"});
    EXPECT_EQ(files().Content(kRecord), std::nullopt);  // nothing of its own is left
    EXPECT_EQ(RunTask(), "nothing to change");  // and a run after says so

    // A folder with a long name is bound by its short form (as the normal side binds), and goes too.
    ASSERT_TRUE(files().MakeDirectory("C:\\A Long Folder"));
    Mount("L: ", "C:\\A Long Folder");
    ASSERT_EQ(machine.elevatedDos.Mappings("L:"), std::vector<std::string>{"\\??\\C:\\ALONGF~1"});
    EXPECT_EQ(RunTask(), "nothing to change");  // known again by its short form
    ASSERT_EQ(mod_DriveInfo::RemoveSubstDrive("L"), mod_DriveInfo::RemoveResult::Removed);
    modElevated::Mirror();
    EXPECT_EQ(SeenElevated('L'), "");

    // A list of an earlier logon, or one that cannot be read.
    Mount("T: ", "C:\\Data");
    ASSERT_EQ(SeenElevated('T'), "C:\\Data");
    files().DenyRead(kList);
    EXPECT_NE(RunTask().find("could not be read"), std::string::npos);
    EXPECT_EQ(SeenElevated('T'), "C:\\Data");
    files().DenyRead(kList, false);
    for (const char* list : {"session 0x1\r\nT:\tC:\\Data\r\n", ""}) {  // an emptied one names no binding either
        ASSERT_TRUE(files().MakeFile(kList, list));
        EXPECT_NE(RunTask().find("of another logon"), std::string::npos) << list;
        EXPECT_EQ(SeenElevated('T'), "") << list;
        Mount("T: ", "C:\\Data");
        ASSERT_EQ(SeenElevated('T'), "C:\\Data");
    }
}

TEST_F(Elevated, TurningOffRemovesTheTaskTheBindingsAndTheCopy)
{
    Mount("P: ", "C:\\Data");
    ASSERT_EQ(modMain::ElevatedBranch("/elevated on")->exitCode, 0);  // as the switches say
    const auto off = *modMain::ElevatedBranch("/elevated off");
    EXPECT_EQ(off.exitCode, 0) << off.message;
    EXPECT_EQ(machine.session.prompts.back(), "/elevated-setup off");
    EXPECT_TRUE(machine.taskScheduler.tasks.empty());
    EXPECT_EQ(SeenElevated('P'), "");
    for (const std::string& path : {kCopy, kList, kRecord, std::string("C:\\Program Files\\Tavrik"),
                                    std::string("C:\\Users\\Ann\\AppData\\Local\\Tavrik")})
        EXPECT_FALSE(files().Exists(path)) << path;
    EXPECT_EQ(mod_DriveInfo::GetSubstTarget("P"), "C:\\Data");  // the user's own drive stays
    EXPECT_EQ(modElevated::TurnOff().exitCode, 1);  // off already: no prompt
    EXPECT_EQ(machine.session.prompts.size(), 2u);
    // A list left behind is removed then by the user's own side only: a
    // program run as administrator removes nothing in the user's folders.
    ASSERT_TRUE(files().MakeFile(kList, "P:\tC:\\Data\r\n"));
    {
        os::ScopedSystem up(machine.elevatedSystem);
        EXPECT_EQ(modElevated::TurnOff().exitCode, 1);
    }
    EXPECT_TRUE(files().Exists(kList));
    EXPECT_EQ(modElevated::TurnOff().exitCode, 1);
    EXPECT_FALSE(files().Exists(kList));

    // Another user's drives still use the copy; an installed program is no copy.
    ASSERT_EQ(modElevated::TurnOn().exitCode, 0);
    ASSERT_TRUE(files().MakeFile("C:\\Program Files\\Tavrik\\Elevated\\S-1-5-21-9.ini"));
    ASSERT_EQ(modElevated::TurnOff().exitCode, 0);
    EXPECT_TRUE(files().Exists(kCopy));
    ASSERT_TRUE(files().Remove("C:\\Program Files\\Tavrik"));
    ASSERT_TRUE(files().MakeFile(kCopy, "MZ installed"));
    ASSERT_EQ(modElevated::TurnOn().exitCode, 0);
    EXPECT_EQ(files().Content(kCopy), "MZ installed");
    ASSERT_EQ(modElevated::TurnOff().exitCode, 0);
    EXPECT_EQ(files().Content(kCopy), "MZ installed");
}

TEST_F(Elevated, NothingIsOfferedWithoutASplitOrTouchedThatIsNotOurs)
{
    machine.session.elevation = os::Elevation::Default;
    EXPECT_EQ(modElevated::TurnOn().exitCode, 1);
    EXPECT_EQ(modElevated::TurnOff().exitCode, 1);
    EXPECT_TRUE(machine.session.prompts.empty());

    // A task of that name someone else made is left as it is.
    machine.SplitToken();
    machine.taskScheduler.tasks["tavrik drives for s-1-5-21-1000-2000-3000-1001"] = "<Task>theirs</Task>";
    EXPECT_EQ(modElevated::TurnOn().exitCode, 2);
    EXPECT_EQ(modElevated::TurnOff().exitCode, 1);
    EXPECT_EQ(machine.taskScheduler.tasks.begin()->second, "<Task>theirs</Task>");
    EXPECT_FALSE(files().Exists(kCopy));

    // Nor is anything done for a user named by no SID: the SID names files.
    for (const char* sid :
         {"", "S-", "1-5-21-1000-1001", "S-1-5-21-1000\\..\\x", "S-1-5-21-1000\\x", "S-1-5-21-1000:x"}) {
        machine.session.sid = sid;
        EXPECT_EQ(modElevated::SetUp(true), 2) << sid;
        EXPECT_EQ(modElevated::Sync(), "no user") << sid;
    }
}

}  // namespace
