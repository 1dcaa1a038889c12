// Installed for all users: each user's lists in the user's own folder, and
// the administrator's start-up list bound first, for everyone, and trusted
// only while nobody else can change it.
#include "SimMachineFixture.h"
#include "app/modMain.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "os/AccessRule.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kAdminFolder = "C:\\ProgramData\\Tavrik";
const std::string kAdminList = kAdminFolder + "\\mount.ini";
const std::string kAppDir = "C:\\Users\\Ann\\Tavrik\\";

class AllUsers : public SimMachineTest {
protected:
    void SetUp() override
    {
        for (const char* folder : {"C:\\ProgramData", "C:\\Users\\Ann\\Tavrik", "C:\\Legacy", "C:\\Mine", "C:\\Own"})
            ASSERT_TRUE(files().MakeDirectory(folder));
    }
    // The folders given, in the order they were bound, as "X:folder".
    std::vector<std::string> Bound() const
    {
        std::vector<std::string> bound;
        for (const auto& call : machine.dos.Calls())
            if (call.hasTarget && !call.target.empty())
                bound.push_back(call.deviceName + call.target);
        return bound;
    }
};

TEST_F(AllUsers, TheAdministratorsLinesComeFirstAndTheirLettersAreTheirs)
{
    const std::string admin = "S: \tC:\\Legacy\r\nb: \tC:\\Gone\r\nno pair\r\n";
    const std::string user = "s: \tC:\\Mine\r\nB: \tC:\\Mine\r\nm: \tC:\\Mine\r\nt: \tC:\\Own\r\n";
    const std::vector<std::string> usersAlone = {"s:C:\\Mine", "B:C:\\Mine", "m:C:\\Mine", "t:C:\\Own"};
    struct Case {
        const char* what;
        bool folderTrusted, fileTrusted, readable;
        std::string programData;
        std::vector<std::string> bound;
    };
    const Case cases[] = {
        // The administrator's S: wins, and B: stays the administrator's even
        // where its folder is gone: the user's lines for them are skipped.
        {"set by administrators", true, true, true, "C:\\ProgramData", {"S:C:\\Legacy", "m:C:\\Mine", "t:C:\\Own"}},
        {"a folder others can change", false, true, true, "C:\\ProgramData", usersAlone},
        {"a file others can change", true, false, true, "C:\\ProgramData", usersAlone},
        {"unreadable", true, true, false, "C:\\ProgramData", usersAlone},
        {"no ProgramData known", true, true, true, "", usersAlone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char letter : std::string("SBMT"))
            mod_DriveInfo::RemoveSubstDrive(std::string(1, letter));
        machine.dos.ClearCalls();
        files().Remove(kAdminFolder);
        files().ClearFailures();
        ASSERT_TRUE(files().MakeDirectory(kAdminFolder));
        ASSERT_TRUE(files().MakeFile(kAdminList, admin));
        ASSERT_TRUE(files().MakeFile(kAppDir + "mount.ini", user));
        machine.session.administratorsOnly.clear();
        if (c.folderTrusted)
            machine.session.administratorsOnly.insert("c:\\programdata\\tavrik");
        if (c.fileTrusted)
            machine.session.administratorsOnly.insert("c:\\programdata\\tavrik\\mount.ini");
        if (!c.readable)
            files().DenyRead(kAdminList);
        machine.session.programData = c.programData;

        EXPECT_EQ(modLists::RunStartupList(kAppDir), static_cast<int>(c.bound.size()));
        EXPECT_EQ(Bound(), c.bound);
    }
}

// The installers' mark moves the user's lists to %APPDATA%\Tavrik, made by
// the windows that may write them; without it they stay beside the exe.
TEST_F(AllUsers, TheMarkPutsTheListsInTheUsersOwnFolder)
{
    const std::string exeDir = "C:\\Program Files\\Tavrik";
    const std::string userDir = "C:\\Users\\Ann\\AppData\\Roaming\\Tavrik";
    ASSERT_TRUE(files().MakeDirectory(exeDir));
    ASSERT_TRUE(files().MakeDirectory("C:\\Users\\Ann\\AppData\\Roaming"));
    const struct {
        const char* commandLine;
        bool marked;
        std::string appData, listDir;
        bool folderMade;
    } cases[] = {
        {"", false, machine.session.appData, exeDir + "\\", false},
        {"", true, machine.session.appData, userDir + "\\", true},
        {"C:\\Mine", true, machine.session.appData, userDir + "\\", true},
        {"/ini", true, machine.session.appData, userDir + "\\", false},
        {"-M", true, machine.session.appData, userDir + "\\", false},
        {"", true, "", exeDir + "\\", false},  // nowhere else known: beside the exe
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + (c.marked ? " marked" : " unmarked"));
        files().Remove(userDir);
        files().Remove(exeDir + "\\Tavrik.allusers");
        if (c.marked) {
            ASSERT_TRUE(files().MakeFile(exeDir + "\\Tavrik.allusers"));
        }
        machine.session.appData = c.appData;
        modMain::Start(exeDir, c.commandLine);
        EXPECT_EQ(modMain::AppDir, exeDir + "\\");
        EXPECT_EQ(modMain::ListDir, c.listDir);
        EXPECT_EQ(files().Exists(userDir), c.folderMade);
    }
}

// The installers' step makes the administrator's folder; run without
// administrator rights it fails, and the list in a folder it never made is
// not trusted.
TEST_F(AllUsers, TheInstallersStepMakesTheFolderTheListIsTrustedIn)
{
    EXPECT_EQ(modMain::ModeOf(modMain::kAllUsersSetupSwitch), modMain::StartMode::AllUsersSetup);
    machine.session.elevation = os::Elevation::Limited;
    EXPECT_EQ(modMain::AllUsersSetup(), 2);
    EXPECT_FALSE(files().Exists(kAdminFolder));

    machine.session.elevation = os::Elevation::Full;
    ASSERT_EQ(modMain::AllUsersSetup(), 0);
    ASSERT_TRUE(files().MakeFile(kAdminList, "l: \tC:\\Legacy\r\n"));
    EXPECT_EQ(modLists::ReadAdminList(), Lines{});  // the file is not the administrators' yet
    machine.session.administratorsOnly.insert("c:\\programdata\\tavrik\\mount.ini");
    EXPECT_EQ(modLists::ReadAdminList(), Lines{"l: \tC:\\Legacy"});
    EXPECT_EQ(modLists::LettersOf({"l: \tC:\\Legacy", "x", "7: \tC:\\", "q:\tC:\\Q"}), "LQ");
}

}  // namespace

namespace {

// Who may change the administrator's list, from its owner and access list:
// one table of the lists Windows gives files and folders.
TEST(AccessRule, OnlyAdministratorsMayChangeIt)
{
    using os::AccessEntry;
    using Kind = AccessEntry::Kind;
    constexpr std::uint32_t kFull = 0x1F01FF, kRead = 0x1200A9, kWrite = 0x2, kDeleteChild = 0x40, kGenericAll = 0x10000000;
    const AccessEntry system{Kind::Allow, false, kFull, true}, users{Kind::Allow, false, kRead, false};
    const struct {
        const char* what;
        bool ownerIsAdministrator;
        std::optional<std::vector<AccessEntry>> entries;
        bool only;
    } cases[] = {
        {"administrators full, users read", true, std::vector<AccessEntry>{system, users}, true},
        {"owned by a user", false, std::vector<AccessEntry>{system, users}, false},
        {"no access list", true, std::nullopt, false},
        {"an empty list (nobody but the owner)", true, std::vector<AccessEntry>{}, true},
        {"users may write", true, std::vector<AccessEntry>{system, {Kind::Allow, false, kRead | kWrite, false}}, false},
        {"users may delete entries", true, std::vector<AccessEntry>{system, {Kind::Allow, false, kDeleteChild, false}}, false},
        {"users hold generic all", true, std::vector<AccessEntry>{{Kind::Allow, false, kGenericAll, false}}, false},
        {"users may write what is made inside later", true,
         std::vector<AccessEntry>{system, {Kind::Allow, true, kFull, false}}, true},
        {"users denied writing", true, std::vector<AccessEntry>{system, users, {Kind::Deny, false, kFull, false}}, true},
        {"an entry of another kind", true, std::vector<AccessEntry>{system, {Kind::Other, false, 0, true}}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(os::OnlyAdministratorsChange(c.ownerIsAdministrator, c.entries), c.only) << c.what;
}

}  // namespace
