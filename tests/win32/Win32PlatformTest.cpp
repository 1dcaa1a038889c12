// The real platform under Wine, for what Wine does as Windows does: one binding
// defined, queried, listed and removed; short and long forms; directory and file
// tests; the list files on a real disk.
#include "engine/modElevated.h"
#include "engine/modFiles.h"
#include "engine/modLists.h"
#include "engine/mod_DriveInfo.h"
#include "engine/mod_Subst.h"
#include "app/modMain.h"
#include "os/System.h"
#include "os/LazyImport_win.h"
#include "os/Win32Session.h"
#include "ui/App.h"
#include "ui/Services.h"
#include "os/WideText_win.h"
#include "ImportPatch.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

// A letter nothing else on a test machine uses; freed before and after each test.
const std::string kLetter = "Q";

void FreeLetter()
{
    char buffer[1024];
    for (int i = 0; i < 8 && QueryDosDeviceA("Q:", buffer, sizeof buffer) != 0; ++i)
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, "Q:", nullptr);
}

std::string WindowsDir()
{
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length);
}

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        m_Path = std::string(base) + "Tavrik Test " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_Path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        std::string command = "cmd /c rd /s /q \"" + m_Path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                           &startup, &process)) {
            WaitForSingleObject(process.hProcess, 10000);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
    const std::string& Path() const { return m_Path; }
    std::string Dir() const { return m_Path + "\\"; }

private:
    std::string m_Path;
};

class Win32Drives : public ::testing::Test {
protected:
    void SetUp() override { FreeLetter(); }
    void TearDown() override { FreeLetter(); }
};

TEST_F(Win32Drives, BindingIsDefinedQueriedListedAndRemoved)
{
    const std::string windows = WindowsDir();
    char reply[64];
    EXPECT_EQ(os::Current().dos.Query("Q:", reply, sizeof reply), 0u);  // a free letter names nothing
    ASSERT_FALSE(mod_Subst::IsSubstDrive(kLetter));
    ASSERT_EQ(mod_DriveInfo::GetDriveLetters().find('Q'), std::string::npos);

    ASSERT_TRUE(mod_Subst::SubstDrive("q: ", windows, 0));
    EXPECT_TRUE(mod_Subst::IsSubstDrive("q"));
    EXPECT_EQ(mod_DriveInfo::GetSubstTarget(kLetter), windows);
    EXPECT_NE(mod_DriveInfo::GetDriveLetters().find('Q'), std::string::npos);

    bool listed = false;
    for (const auto& line : mod_DriveInfo::MountedDriveLines())
        listed = listed || line == "Q: \t" + modFiles::GetLongPath(windows);
    EXPECT_TRUE(listed);

    mod_DriveInfo::RemoveSubstDrive("Q:");
    EXPECT_FALSE(mod_Subst::IsSubstDrive(kLetter));
    EXPECT_EQ(mod_DriveInfo::GetDriveLetters().find('Q'), std::string::npos);
}

TEST_F(Win32Drives, RemovalOfADiskLetterIsRefused)
{
    // Wine would drop C: from the name space if asked; the engine must never ask.
    mod_DriveInfo::RemoveSubstDrive("C:");
    char buffer[1024];
    ASSERT_NE(QueryDosDeviceA("C:", buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer).rfind("\\Device\\", 0), 0u);
    EXPECT_FALSE(mod_Subst::IsSubstDrive("C"));
    EXPECT_TRUE(mod_Subst::SubstDrive("C", static_cast<const char*>(nullptr), DDD_REMOVE_DEFINITION));
    EXPECT_NE(QueryDosDeviceA("C:", buffer, sizeof buffer), 0u);
}

TEST_F(Win32Drives, MountFolderBindsTheShortForm)
{
    TempFolder temp;
    const std::string folder = temp.Path() + "\\A Long Folder Name";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(modLists::MountFolder("Q: ", folder), modLists::MountResult::Mounted);
    EXPECT_EQ(mod_DriveInfo::GetSubstTarget(kLetter), modFiles::GetShortPath(folder));
    EXPECT_EQ(modLists::MountFolder("Q: ", folder + "\\missing"), modLists::MountResult::NotADirectory);
}

// Names outside the code page go through the wide calls unharmed, and a path
// beyond MAX_PATH is bound as Windows allows it.
TEST_F(Win32Drives, FoldersInAnyScriptAndOfAnyLengthAreBound)
{
    using os::win::Wide;
    TempFolder temp;
    std::string longPath = temp.Path();
    std::vector<std::string> made;
    while (longPath.size() < 300) {
        longPath += "\\Ein ziemlich langer Ordnername für den Test";
        ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + longPath).c_str(), nullptr));
        made.push_back(longPath);
    }
    for (const std::string name : {"Плюс", "写真", "Αρχεία \xF0\x9F\x93\x81"}) {
        const std::string folder = temp.Dir() + name;
        SCOPED_TRACE(folder);
        ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
        EXPECT_EQ(modLists::MountFolder("Q: ", folder), modLists::MountResult::Mounted);
        EXPECT_EQ(modFiles::GetLongPath(mod_DriveInfo::GetSubstTarget(kLetter)), modFiles::GetLongPath(folder));
        EXPECT_EQ(modFiles::GetLongPath(folder).substr(modFiles::GetLongPath(temp.Path()).size()), "\\" + name);
        mod_DriveInfo::RemoveSubstDrive("Q: ");
        EXPECT_FALSE(mod_Subst::IsSubstDrive(kLetter));
    }
    {
        SCOPED_TRACE(longPath);
        ASSERT_TRUE(modFiles::IsDirectory(longPath));
        EXPECT_EQ(modLists::MountFolder("Q: ", longPath), modLists::MountResult::Mounted);
        EXPECT_EQ(modFiles::GetLongPath(mod_DriveInfo::GetSubstTarget(kLetter)), modFiles::GetLongPath(longPath));
        const std::string tempLong = modFiles::GetLongPath(temp.Path());
        EXPECT_EQ(modFiles::GetLongPath(longPath), tempLong + longPath.substr(temp.Path().size()));
        // Where the volume makes no short names, the long form itself is bound.
        mod_DriveInfo::RemoveSubstDrive("Q: ");
        ASSERT_TRUE(mod_Subst::SubstDrive("Q: ", longPath, 0));
        EXPECT_EQ(mod_DriveInfo::GetSubstTarget(kLetter), longPath);
    }
    FreeLetter();
    {
        // Three UTF-8 bytes a character: the reply fits the first buffer's 1024
        // units but not 1024 bytes, and is asked for again with more room.
        std::string name;
        for (int i = 0; i < 20; ++i)
            name += "長い名前";  // 80 characters, 240 bytes: within what a Linux name may hold
        std::string folder = temp.Path();
        for (int i = 0; i < 5; ++i) {
            folder += "\\" + name;
            ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + folder).c_str(), nullptr));
            made.push_back(folder);
        }
        ASSERT_LT(Wide(folder).size(), 1000u);
        ASSERT_GT(folder.size(), 1100u);
        ASSERT_TRUE(mod_Subst::SubstDrive("Q: ", folder, 0));
        EXPECT_TRUE(mod_DriveInfo::GetSubstTarget(kLetter) == folder);  // not printed: 1,200 bytes
        FreeLetter();
    }
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryW(Wide("\\\\?\\" + *it).c_str());
}

// A deep folder named through the device namespace ("\\.\C:\...") is the
// same folder, found and shortened like any other, and comes back in that form.
TEST(Win32Paths, ADeepFolderNamedAsADeviceIsTheSameFolder)
{
    using os::win::Wide;
    TempFolder temp;
    std::string deep = modFiles::GetLongPath(temp.Path());
    ASSERT_FALSE(deep.empty());
    std::vector<std::string> made;
    while (deep.size() < 300) {
        deep += "\\A folder deep enough to pass MAX_PATH";
        ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + deep).c_str(), nullptr));
        made.push_back(deep);
    }
    const std::string device = "\\\\.\\" + deep;
    EXPECT_TRUE(modFiles::IsDirectory(device));
    const std::string shortForm = modFiles::GetShortPath(device);
    EXPECT_EQ(shortForm.substr(0, 4), "\\\\.\\");
    EXPECT_TRUE(modFiles::IsDirectory(shortForm));
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryW(Wide("\\\\?\\" + *it).c_str());
}

TEST(Win32Paths, ShortAndLongFormsRoundTrip)
{
    TempFolder temp;
    const std::string folder = temp.Path() + "\\Program Data Of Ours";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));

    const std::string shortForm = modFiles::GetShortPath(folder);
    ASSERT_FALSE(shortForm.empty());
    EXPECT_EQ(shortForm.find(' '), std::string::npos);
    EXPECT_TRUE(modFiles::IsDirectory(shortForm));
    // A buffer just large enough (the text and its NUL) takes the answer; one byte less is told the size needed.
    auto& files = os::Current().files;
    const auto fits = static_cast<std::uint32_t>(shortForm.size() + 1);
    std::string exact(fits, '\x7F');
    EXPECT_EQ(files.ShortPathName(folder.c_str(), exact.data(), fits), fits - 1);
    EXPECT_EQ(exact.c_str(), shortForm);
    EXPECT_EQ(files.ShortPathName(folder.c_str(), exact.data(), fits - 1), fits);

    const std::string longForm = modFiles::GetLongPath(folder);
    EXPECT_EQ(modFiles::GetLongPath(shortForm), longForm);
    EXPECT_EQ(modFiles::GetLongPath(shortForm + "\\"), longForm);
    EXPECT_EQ(longForm.substr(longForm.size() - 20), "Program Data Of Ours");
    EXPECT_EQ(modFiles::GetLongPath(folder + "\\gone\\deeper"), "");
    EXPECT_EQ(modFiles::GetShortPath(folder + "\\gone"), "");
    EXPECT_EQ(modFiles::GetLongPath("C:\\"), "C:");
}

TEST(Win32Paths, DirectoryAndFileTests)
{
    TempFolder temp;
    const std::string file = temp.Dir() + "plain.txt";
    ASSERT_TRUE(os::Current().files.WriteLines(file, {"x"}));

    EXPECT_TRUE(modFiles::IsDirectory(temp.Path()));
    EXPECT_TRUE(modFiles::IsDirectory("C:\\ "));  // the free-letter probe keeps a blank
    EXPECT_FALSE(modFiles::IsDirectory(file));
    EXPECT_FALSE(modFiles::IsDirectory(temp.Dir() + "missing"));

    EXPECT_TRUE(modFiles::FileExists(file));
    EXPECT_FALSE(modFiles::FileExists(temp.Path()));
    EXPECT_FALSE(modFiles::FileExists(temp.Dir() + "missing.txt"));
    EXPECT_FALSE(modFiles::FileExists(""));

    // A relative folder is the whole path it names from the current folder.
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA(temp.Path().c_str()));
    EXPECT_EQ(modFiles::GetFullPath("one\\..\\two"), temp.Dir() + "two");
    EXPECT_EQ(modFiles::GetFullPath(".."), temp.Path().substr(0, temp.Path().rfind('\\')));
    SetCurrentDirectoryA(before);
}

TEST(Win32Files, ListFilesRoundTripOnDisk)
{
    TempFolder temp;
    const std::string dir = temp.Dir();

    EXPECT_EQ(modLists::ReadHistory(dir), std::vector<std::string>{});
    EXPECT_EQ(modLists::ReadHistory(dir + "not made yet\\"), std::vector<std::string>{});  // no list, not an unreadable one
    ASSERT_TRUE(modLists::AppendHistory(dir, "\"C:\\With Quotes\" "));
    ASSERT_TRUE(modLists::AppendHistory(dir, "C:\\Data"));
    EXPECT_EQ(modLists::ReadHistory(dir), (std::vector<std::string>{"\"C:\\With Quotes\" ", "C:\\Data"}));

    ASSERT_TRUE(modLists::WriteStartupList(dir, {"M: \tC:\\Data", "n: \tC:\\Other Place"}));
    EXPECT_EQ(modLists::ReadStartupList(dir), (std::vector<std::string>{"m: \tc:\\data", "n: \tc:\\other place"}));
    ASSERT_TRUE(modLists::WriteStartupList(dir, {}));
    EXPECT_TRUE(modFiles::FileExists(dir + "mount.ini"));
    EXPECT_EQ(modLists::ReadStartupList(dir), std::vector<std::string>{});
    EXPECT_FALSE(modFiles::FileExists(dir + "mount.ini.new"));

    ASSERT_TRUE(modLists::ClearHistory(dir));
    EXPECT_FALSE(modFiles::FileExists(dir + "Tavrik.ini"));
    EXPECT_TRUE(modLists::ClearHistory(dir));
}

// The copy and folders the option for programs run as administrator makes:
// a folder already there is made, a file copied over another replaces it
// whole, and only an empty folder is removed.
TEST(Win32Files, FoldersAndCopies)
{
    TempFolder temp;
    auto& files = os::Current().files;
    const std::string folder = temp.Dir() + "Made";
    EXPECT_TRUE(files.MakeFolder(folder));
    EXPECT_TRUE(files.MakeFolder(folder));  // there already
    EXPECT_FALSE(files.MakeFolder(temp.Dir() + "No\\Parent"));
    ASSERT_TRUE(files.WriteLines(temp.Dir() + "a.txt", {"one"}));
    EXPECT_FALSE(files.MakeFolder(temp.Dir() + "a.txt"));  // a file of that name is no folder
    ASSERT_TRUE(files.WriteLines(folder + "\\b.txt", {"two", "lines"}));
    ASSERT_TRUE(files.WriteLines(folder + "\\b.txt.new", {"left by a copy that died"}));
    EXPECT_TRUE(files.CopyOver(temp.Dir() + "a.txt", folder + "\\b.txt"));
    // Read whole up to the size asked for, and not a byte beyond: "one\r\n" is five.
    EXPECT_EQ(files.ReadLines(folder + "\\b.txt", 5), std::vector<std::string>{"one"});
    EXPECT_FALSE(files.ReadLines(folder + "\\b.txt", 4).has_value());
    EXPECT_FALSE(modFiles::FileExists(folder + "\\b.txt.new"));
    EXPECT_FALSE(files.CopyOver(temp.Dir() + "missing.txt", folder + "\\c.txt"));
    // A copy that cannot take the target's place (a folder) leaves nothing beside it.
    EXPECT_FALSE(files.CopyOver(temp.Dir() + "a.txt", folder));
    EXPECT_FALSE(modFiles::FileExists(folder + ".new"));
    EXPECT_FALSE(files.RemoveFolder(folder));  // not empty
    ASSERT_TRUE(files.RemoveFile(folder + "\\b.txt"));
    EXPECT_FALSE(files.RemoveFile(folder + "\\b.txt"));  // gone already: nothing was removed
    EXPECT_TRUE(files.RemoveFolder(folder));
    EXPECT_FALSE(modFiles::IsDirectory(folder));
}

// The folder of the administrator's list: made (or made again) by an
// administrator, it is one only administrators can change, and so is a file
// an administrator writes in it; what is not there is nobody's.
TEST(Win32Files, AFolderOnlyAdministratorsChange)
{
    TempFolder temp;
    auto& session = os::Current().session;
    const std::string folder = temp.Dir() + "Admins";
    EXPECT_FALSE(session.AdministratorsOnly(folder));
    ASSERT_TRUE(session.MakeAdministratorsFolder(folder));
    EXPECT_TRUE(session.MakeAdministratorsFolder(folder));  // there already
    EXPECT_TRUE(session.AdministratorsOnly(folder));
    ASSERT_TRUE(os::Current().files.WriteLines(folder + "\\mount.ini", {"s: \tC:\\"}));
    EXPECT_TRUE(session.AdministratorsOnly(folder + "\\mount.ini"));
    EXPECT_FALSE(session.MakeAdministratorsFolder(temp.Dir() + "No\\Parent"));
    const std::string file = temp.Dir() + "AFile";  // a file in its place is no folder
    ASSERT_TRUE(os::Current().files.WriteLines(file, {"x"}));
    EXPECT_FALSE(session.MakeAdministratorsFolder(file));
    os::Current().files.RemoveFile(file);
    EXPECT_FALSE(session.ProgramData().empty());
    EXPECT_FALSE(session.AppData().empty());
    os::Current().files.RemoveFile(folder + "\\mount.ini");
    os::Current().files.RemoveFolder(folder);

    // Wine keeps no rights of a file (each reads back as the system's and the
    // user's), so the rights are judged here as written: a right taken from
    // users, or given only to what is made inside later, leaves them the
    // administrators'; users who may write, a user as owner, or no list of
    // rights at all do not.
    const struct {
        const wchar_t* rights;
        bool administratorsOnly;
    } descriptors[] = {
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", true},
        {L"O:BAD:PAI(D;OICI;0x2;;;BU)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", true},
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICIIO;FA;;;BU)", true},
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)", false},
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;OICI;WD;;;BU)", false},  // its rights
        {L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;GW;;;BU)", false},  // any writing, in general terms
        {L"O:BUD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", false},
        {L"O:BA", false},
    };
    for (const auto& c : descriptors) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(c.rights, SDDL_REVISION_1, &descriptor, nullptr))
            << os::win::Narrow(c.rights);
        EXPECT_EQ(os::OnlyAdministratorsChangeBy(descriptor), c.administratorsOnly) << os::win::Narrow(c.rights);
        LocalFree(descriptor);
    }
}

// The user's registry as the labels use it: a value reads back exactly as
// written, in any script; a key goes only while nothing lives below it.
TEST(Win32Registry, ValuesReadBackAsWrittenAndAKeyGoesOnlyEmpty)
{
    auto& registry = os::Current().registry;
    const std::string key = "Software\\TavrikTest\\Drive", below = key + "\\Icon";
    ASSERT_TRUE(registry.WriteString(key, "", "Работа"));
    ASSERT_TRUE(registry.WriteString(key, "Mark", "1"));
    EXPECT_EQ(registry.ReadString(key, ""), "Работа");
    EXPECT_EQ(registry.ReadString(key, "Mark"), "1");
    EXPECT_FALSE(registry.ReadString(key, "Missing").has_value());
    ASSERT_TRUE(registry.WriteString(below, "", "x"));
    EXPECT_FALSE(registry.DeleteKey(key));
    EXPECT_TRUE(registry.KeyExists(key));
    EXPECT_TRUE(registry.DeleteKey(below));
    EXPECT_TRUE(registry.DeleteKey(key));
    EXPECT_FALSE(registry.KeyExists(key));
    EXPECT_FALSE(registry.ReadString(key, "").has_value());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikTest");
}

// Drives for elevated programs are offered exactly where the system splits
// the user's rights in two (its token says how it was elevated).
TEST(Win32Session, ElevatedDrivesAreOfferedWhereTheTokenIsSplit)
{
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    TOKEN_ELEVATION_TYPE type{};
    DWORD bytes = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenElevationType, &type, sizeof type, &bytes));
    EXPECT_EQ(modElevated::Offered(), type != TokenElevationTypeDefault) << type;
    // A split token's other half is elevated the other way (under Wine the
    // program's own is the full one, its linked one the limited one).
    TOKEN_LINKED_TOKEN linked{};
    const bool split = GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &bytes) != FALSE;
    const std::map<TOKEN_ELEVATION_TYPE, os::Elevation> named{{TokenElevationTypeDefault, os::Elevation::Default},
                                                              {TokenElevationTypeLimited, os::Elevation::Limited},
                                                              {TokenElevationTypeFull, os::Elevation::Full}};
    for (HANDLE each : {token, split ? linked.LinkedToken : nullptr}) {
        if (!each)
            continue;
        ASSERT_TRUE(GetTokenInformation(each, TokenElevationType, &type, sizeof type, &bytes));
        EXPECT_EQ(os::ElevationOf(each), named.at(type)) << type;
    }
    if (split)
        CloseHandle(linked.LinkedToken);
    CloseHandle(token);
    EXPECT_EQ(os::ElevationOf(nullptr), os::Elevation::Default);
}

// The scheduler's tasks as the elevated drives use them: registering a name
// again replaces the task (a program moved or updated), and a removal says
// whether there was one.
TEST(Win32Tasks, RegisteringAgainReplacesAndRemovalSaysWhetherThereWasOne)
{
    auto& tasks = os::Current().tasks;
    const std::string name = "Tavrik test task";
    const auto xml = [](const std::string& description) {
        return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
               "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
               "<RegistrationInfo><Description>" + description + "</Description></RegistrationInfo>"
               "<Actions><Exec><Command>C:\\windows\\system32\\cmd.exe</Command></Exec></Actions></Task>";
    };
    tasks.Remove(name);
    ASSERT_TRUE(tasks.Register(name, xml("first")));
    ASSERT_TRUE(tasks.Register(name, xml("second")));
    const auto found = tasks.Find(name);
    ASSERT_TRUE(found.has_value());
    EXPECT_NE(found->find("second"), std::string::npos) << *found;
    EXPECT_EQ(found->find("first"), std::string::npos) << *found;
    EXPECT_TRUE(tasks.Remove(name));
    EXPECT_FALSE(tasks.Find(name).has_value());
    EXPECT_FALSE(tasks.Remove(name));
    // Asked from a thread whose COM is another kind, it leaves that COM as it found it.
    std::thread([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        tasks.Find(name);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);  // still initialized
        CoUninitialize();
        CoUninitialize();
    }).join();
}

// The letters the machine defines at boot are the value names of one letter
// and a colon, in either case; a longer name that starts like one is none.
TEST(Win32Session, BootLettersAreTheDriveNamesAlone)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\DOS Devices", 0,
                              nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t target[] = L"\\??\\C:\\windows";
    const wchar_t* names[] = {L"Q:", L"r:", L"S:x", L"T:\\"};
    for (const wchar_t* name : names)
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(target), sizeof target);
    const std::string letters = os::Current().session.BootLetters();
    for (const wchar_t* name : names)
        RegDeleteValueW(key, name);
    RegCloseKey(key);
    EXPECT_NE(letters.find('Q'), std::string::npos) << letters;
    EXPECT_NE(letters.find('R'), std::string::npos) << letters;
    EXPECT_EQ(letters.find('S'), std::string::npos) << letters;
    EXPECT_EQ(letters.find('T'), std::string::npos) << letters;
}

TEST(Win32Files, AppendEndsAnUnfinishedLastLineFirst)
{
    TempFolder temp;
    const std::string path = temp.Dir() + "Tavrik.ini";
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\One", "C:\\One\r\nC:\\Two\r\n"},
        {"C:\\One\r", "C:\\One\rC:\\Two\r\n"},  // a line end of its own kind is a line end
        {"C:\\One\n", "C:\\One\nC:\\Two\r\n"},
        {"", "C:\\Two\r\n"},
    };
    for (const auto& [before, after] : cases) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, before.data(), static_cast<DWORD>(before.size()), &written, nullptr);
        CloseHandle(file);
        ASSERT_TRUE(os::Current().files.AppendLine(path, "C:\\Two"));
        char content[64] = {};
        DWORD read = 0;
        file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ReadFile(file, content, sizeof content, &read, nullptr);
        CloseHandle(file);
        EXPECT_EQ(std::string(content, read), after) << before;
    }
}

// A list another program holds open without sharing is unreadable, not empty; a
// read-only list is not replaced; a hidden one is read and stays hidden.
TEST(Win32Files, ListsHeldReadOnlyOrHidden)
{
    TempFolder temp;
    const std::string dir = temp.Dir();
    const std::string path = dir + "mount.ini";
    ASSERT_TRUE(modLists::WriteStartupList(dir, {"m: \tc:\\data"}));

    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(modLists::ReadStartupList(dir), std::nullopt);
    CloseHandle(held);

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(modLists::WriteStartupList(dir, {}));
    EXPECT_EQ(modLists::ReadStartupList(dir), std::vector<std::string>{"m: \tc:\\data"});

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if ((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0)
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    EXPECT_EQ(modLists::ReadStartupList(dir), std::vector<std::string>{"m: \tc:\\data"});
    EXPECT_TRUE(modLists::WriteStartupList(dir, {"n: \tc:\\new"}));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(modLists::ReadStartupList(dir), std::vector<std::string>{"n: \tc:\\new"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program (a scanner, a backup tool) holding a list for a moment
// delays a write; one that keeps holding it makes the write fail and leaves
// the list whole. Copies of the program writing at once each get their turn:
// no append is refused and no line is lost, not even while one of them
// rewrites the history as UTF-8.
TEST(Win32Files, ListsAreWrittenInTurnAndAfterAMomentsHold)
{
    TempFolder temp;
    const std::string dir = temp.Dir();
    const std::wstring path = os::win::Wide(dir + "mount.ini");
    std::vector<std::string> before = {"m: \tc:\\old"};
    ASSERT_TRUE(modLists::WriteStartupList(dir, before));
    auto loaded = modLists::LoadStartupList(dir);
    ASSERT_TRUE(loaded);
    // Held with reading shared (as a scanner opens a file) or not at all (as
    // an editor may), for a moment or for longer than anyone waits: every
    // read before a write waits the moment out as the write does.
    struct Hold {
        DWORD share, ms;
    };
    for (const Hold hold : {Hold{FILE_SHARE_READ, 300}, Hold{0, 600}, Hold{FILE_SHARE_READ, 1500}}) {
        SCOPED_TRACE(std::to_string(hold.share) + " " + std::to_string(hold.ms));
        const std::vector<std::string> after = {"n: \tc:\\held " + std::to_string(hold.ms)};
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, hold.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::thread holder([&] {
            Sleep(hold.ms);
            CloseHandle(file);
        });
        const auto saved = modLists::SaveStartupList(dir, *loaded, after);
        holder.join();
        EXPECT_EQ(saved != modLists::SaveResult::Failed, hold.ms < 1000);
        EXPECT_EQ(modLists::ReadStartupList(dir), hold.ms < 1000 ? after : before);
        before = modLists::ReadStartupList(dir).value_or(before);
        EXPECT_FALSE(modFiles::FileExists(dir + "mount.ini.new"));
    }
    // A history held without sharing for a moment still takes a name only
    // UTF-8 can hold.
    ASSERT_TRUE(modLists::AppendHistory(dir, "C:\\Data"));
    const std::wstring history = os::win::Wide(dir + "Tavrik.ini");
    HANDLE held = CreateFileW(history.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread holder([&] {
        Sleep(600);
        CloseHandle(held);
    });
    EXPECT_TRUE(modLists::AppendHistory(dir, "C:\\Плюс"));
    holder.join();
    EXPECT_EQ(modLists::ReadHistory(dir), (std::vector<std::string>{"C:\\Data", "C:\\Плюс"}));
    ASSERT_TRUE(modLists::ClearHistory(dir));

    constexpr int kEach = 20;
    std::vector<std::string> expected;
    for (const std::string name : {"C:\\Ascii ", "C:\\Плюс "})
        for (int i = 0; i < kEach; ++i)
            expected.push_back(name + std::to_string(i));
    std::sort(expected.begin(), expected.end());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(modLists::ClearHistory(dir));
        std::atomic<int> refused{0};
        auto append = [&](int first) {
            for (int i = first; i < first + kEach; ++i)
                if (!modLists::AppendHistory(dir, expected[i]))
                    ++refused;
        };
        std::thread other(append, kEach);  // the second name needs UTF-8
        append(0);
        other.join();
        EXPECT_EQ(refused, 0);
        auto lines = modLists::ReadHistory(dir).value_or(std::vector<std::string>{});
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, expected);
    }
}

// One lock per list however its path is spelled, so that two copies given
// the folder in other cases or in its short form still take turns; and a
// copy that ended holding it (its lock abandoned) holds up no other.
TEST(Win32Files, AListsLockIsOnePerFileAndOutlivesACopyThatDied)
{
    TempFolder temp;
    const std::string path = temp.Dir() + "mount.ini";
    std::wstring upper = os::win::Wide(path);
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    auto& files = os::Current().files;
    // Taken before the list is first written as well as after, and waited
    // for as long as another copy may need it (a list of a megabyte).
    const std::tuple<std::string, bool, DWORD> spellings[] = {
        {os::win::Narrow(upper), false, 300}, {os::win::Narrow(upper), true, 300},
        {modFiles::GetShortPath(temp.Path()) + "\\mount.ini", true, 1500}};
    for (const auto& [spelling, there, hold] : spellings) {
        if (there) {
            ASSERT_TRUE(files.WriteLines(path, {}));
        }
        auto held = files.Lock(path);
        ASSERT_TRUE(held);
        const DWORD start = GetTickCount();
        std::atomic<DWORD> waited{0};
        std::thread other([&] {
            const auto lock = files.Lock(spelling);
            waited = lock ? GetTickCount() - start : 100000;
        });
        Sleep(hold);
        held.reset();
        other.join();
        EXPECT_GE(waited, hold - 50) << spelling;  // it waited for the release
        EXPECT_LT(waited, 4000u) << spelling;
    }

    // The thread ends holding the lock, as a copy that was killed would: its
    // lock object is let go of without releasing.
    std::thread dying([&] { static_cast<void>(files.Lock(path).release()); });
    dying.join();
    EXPECT_TRUE(files.Lock(path));
}

// The folder dialog hands back a folder named outside the code page as it is.
// A timer on this thread, which the dialog's own loop dispatches, picks the
// folder and presses OK, as a user would.
std::wstring g_Picked;
int g_Ticks;

void CALLBACK PickFolder(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"Browse for Folder");
    if (!dialog)
        return;
    if (++g_Ticks == 2)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_Picked.c_str()));
    else if (g_Ticks == 4)
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(Win32Shell, FolderDialogReturnsAnyName)
{
    // Wine's dialog selects only what its tree has shown: a folder on the desktop.
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
    const std::string folder = os::win::Narrow(desktop) + "\\Плюс 写真 " + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(os::win::Wide(folder).c_str(), nullptr));
    g_Picked = os::win::Wide(folder);
    g_Ticks = 0;
    test::DropPendingQuit();  // an earlier test's quit would end the dialog at once
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, PickFolder);
    const auto result = ui::CurrentServices().shell.BrowseForFolder({}, "Pick", 0x43);
    KillTimer(nullptr, timer);
    RemoveDirectoryW(os::win::Wide(folder).c_str());
    EXPECT_EQ(result, folder);
}

// Explorer hears of each drive that comes, changes or goes.
TEST(Win32Shell, ExplorerHearsOfEveryDriveChange)
{
    constexpr UINT kHeard = WM_APP + 7;
    HWND listener = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(listener, nullptr);
    const test::MessageCounter heard(listener, kHeard);
    SHChangeNotifyEntry everything{nullptr, TRUE};
    const ULONG registration =
        SHChangeNotifyRegister(listener, SHCNRF_ShellLevel | SHCNRF_InterruptLevel, SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED |
                                   SHCNE_UPDATEITEM, kHeard, 1, &everything);
    ASSERT_NE(registration, 0u);
    auto& shell = os::Current().shell;
    shell.DriveAdded('Q');
    shell.DriveChanged('Q');
    shell.DriveRemoved('Q');
    for (int i = 0; i < 50 && heard.Count() < 3; ++i)
        test::Pump(10);
    EXPECT_EQ(heard.Count(), 3);
    SHChangeNotifyDeregister(registration);
    DestroyWindow(listener);
}

// Copied text is on the clipboard whole, with its closing NUL, in any script,
// also when another program held the clipboard for a moment.
TEST(Win32Shell, CopiedTextIsOnTheClipboardWhole)
{
    for (const DWORD heldFor : {0, 80}) {
        SCOPED_TRACE(heldFor);
        const std::string text = "C:\\Плюс 写真\\Data " + std::to_string(heldFor);
        // What was on the clipboard before, in whatever form, goes.
        const UINT earlier = RegisterClipboardFormatW(L"TavrikTestEarlier");
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(earlier, GlobalAlloc(GMEM_MOVEABLE, 4));
        CloseClipboard();
        HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            // Another window's hold, as another program's would be.
            HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
            const bool holds = heldFor && OpenClipboard(other);
            SetEvent(opened);
            if (holds) {
                Sleep(heldFor);
                CloseClipboard();
            }
            DestroyWindow(other);
        });
        WaitForSingleObject(opened, 5000);
        CloseHandle(opened);
        const bool copied = ui::CurrentServices().shell.CopyText({}, text);
        holder.join();
        ASSERT_TRUE(copied);
        EXPECT_FALSE(IsClipboardFormatAvailable(earlier));
        ASSERT_TRUE(OpenClipboard(nullptr));
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        ASSERT_NE(data, nullptr);
        const std::wstring wide = os::win::Wide(text);
        EXPECT_GE(GlobalSize(data), (wide.size() + 1) * sizeof(wchar_t));
        if (const auto* on = static_cast<const wchar_t*>(GlobalLock(data))) {
            EXPECT_EQ(std::wstring(on, wcsnlen(on, GlobalSize(data) / sizeof(wchar_t))), wide);
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
}

// What the message box showed while it was up, read by a timer of its loop
// that then answers it.
struct BoxSeen {
    bool shown = false;
    HWND owner = nullptr;
    bool otherEnabled = true;
};
BoxSeen g_Box;
HWND g_Other = nullptr;

BOOL CALLBACK AnswerIfBox(HWND window, LPARAM)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    g_Box = {true, GetWindow(window, GW_OWNER), IsWindowEnabled(g_Other) != FALSE};
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerIfBox, 0); }

// A message box holds the user until it is answered: owned by the window the
// user works in, or, where there is none, over every window of the program.
TEST(Win32Shell, AMessageBoxHoldsTheProgramUntilAnswered)
{
    test::DropPendingQuit();
    g_Other = CreateWindowExW(0, L"STATIC", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
    for (const bool owned : {true, false}) {
        SCOPED_TRACE(owned ? "owned" : "without owner");
        SetForegroundWindow(g_Other);
        g_Box = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBox);
        if (owned)
            ui::MsgBox("Asked", MB_OK, "Tavrik");
        else
            ui::CurrentServices().shell.ShowMessage({}, "Asked", "Tavrik", MB_OK);
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_Box.shown);
        EXPECT_EQ(g_Box.owner, owned ? g_Other : nullptr);
        EXPECT_FALSE(g_Box.otherEnabled);
        EXPECT_TRUE(IsWindowEnabled(g_Other));
    }
    DestroyWindow(g_Other);
}

// The program's folder, without a separator at its end: with the exe's own
// name it names the exe.
TEST(Win32Shell, TheProgramsFolderWithItsNameIsTheExe)
{
    wchar_t exe[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    const std::string folder = ui::App::Path();
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(folder + "\\tavrik_win32_tests.exe", os::win::Narrow(exe));
}

// The list files' code page both ways, with no look-alike stand-ins, and case
// rules on characters in every script.
// A folder that is not there is not opened, and the caller hears so.
TEST(Win32Shell, AFolderNotThereIsReportedUnopened)
{
    TempFolder temp;
    EXPECT_FALSE(ui::CurrentServices().shell.OpenFolder({}, temp.Dir() + "Not there"));
}

// The colours a text's contrast is judged by are the scheme's own now,
// whichever of them a design names.
TEST(Win32Shell, SystemColoursAreTheSchemesOwn)
{
    auto& palette = ui::CurrentServices().palette;
    for (const int index : {COLOR_SCROLLBAR, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_HIGHLIGHT,
                            COLOR_GRAYTEXT, COLOR_INFOBK, COLOR_MENUHILIGHT})
        EXPECT_EQ(palette.SystemRgb(index), GetSysColor(index)) << index;
}

// The code page's table as a system may have it: a letter it lacks becomes a
// plain one of the page, with no default character used.
int WINAPI BestFitSilently(UINT page, DWORD flags, LPCWCH wide, int units, LPSTR bytes, int size, LPCCH, LPBOOL used)
{
    static auto* real = os::LoadedImport<decltype(WideCharToMultiByte)>(L"kernel32.dll", "WideCharToMultiByte");
    std::wstring fitted(wide, static_cast<std::size_t>(units));
    std::replace(fitted.begin(), fitted.end(), L'\u0100', L'A');
    return real(page, flags, fitted.data(), units, bytes, size, nullptr, used);
}

TEST(Win32Text, AnsiCodePageAndLowerCase)
{
    auto& codePage = os::Current().codePage;
    EXPECT_EQ(codePage.LowerCase("M: \tC:\\ÄRGER ŠŸ ПЛЮС ΑΡΧΕΊΑ 写真 \xF0\x9F\x93\x81"),
              "m: \tc:\\ärger šÿ плюс αρχεία 写真 \xF0\x9F\x93\x81");
    if (GetACP() != 1252)
        GTEST_SKIP() << "code page " << GetACP();
    EXPECT_EQ(codePage.FromAnsi("C:\\\xC4rger \x8A\x9F"), "C:\\Ärger ŠŸ");
    for (const auto& [ansi, text] : {std::pair{"", ""}, {"\xC4", "Ä"}, {"D", "D"}})  // the shortest too
        EXPECT_EQ(codePage.FromAnsi(ansi), text) << ansi;
    EXPECT_EQ(codePage.ToAnsi("C:\\Ärger ŠŸ"), "C:\\\xC4rger \x8A\x9F");
    for (const std::string name : {"C:\\Плюс", "C:\\写真", "C:\\Āb", "C:\\\xF0\x9F\x93\x81", "C:\\\xED\xA0\xBD"})
        EXPECT_EQ(codePage.ToAnsi(name), std::nullopt) << name;
    // Nor is a name taken that a system's table turns into another without a
    // word (a best-fit letter for one it has not).
    const test::ImportPatch bestFit("WideCharToMultiByte", BestFitSilently);
    EXPECT_EQ(codePage.ToAnsi("C:\\Āb"), std::nullopt);
}

// What the stand-ins below do: the calls before the from-th go through, the
// next `times` fail with `error` (or, for a call that answers a code, answer
// it); one that answers a text answers `text` when it does not fail.
struct Fault {
    int from = 1, times = INT_MAX;
    DWORD error = ERROR_IO_DEVICE;
    std::wstring text{};
    int calls = 0;
    bool Now()
    {
        ++calls;
        return calls >= from && calls - from < times;
    }
    template <class R>
    R Failed(R answer)
    {
        SetLastError(error);
        return answer;
    }
};
Fault g_fault;

template <class F>
F* Kernel(const char* function)
{
    return os::LoadedImport<F>(L"kernel32.dll", function);
}

BOOL WINAPI WriteCutShort(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    static auto* real = Kernel<decltype(WriteFile)>("WriteFile");
    if (!g_fault.Now())
        return real(file, data, size, written, overlapped);
    real(file, data, size / 2, written, overlapped);  // a full disk takes part of it first
    return g_fault.Failed(FALSE);
}

BOOL WINAPI FlushFails(HANDLE file)
{
    return g_fault.Now() ? g_fault.Failed(FALSE) : Kernel<decltype(FlushFileBuffers)>("FlushFileBuffers")(file);
}

BOOL WINAPI CloseReportsError(HANDLE handle)  // closed all the same, as a delayed write error leaves it
{
    const BOOL closed = Kernel<decltype(CloseHandle)>("CloseHandle")(handle);
    return g_fault.Now() ? g_fault.Failed(FALSE) : closed;
}

BOOL WINAPI ReadFails(HANDLE file, LPVOID data, DWORD size, LPDWORD read, LPOVERLAPPED overlapped)
{
    static auto* real = Kernel<decltype(ReadFile)>("ReadFile");
    return g_fault.Now() ? g_fault.Failed(FALSE) : real(file, data, size, read, overlapped);
}

BOOL WINAPI SizeFails(HANDLE file, PLARGE_INTEGER size)
{
    return g_fault.Now() ? g_fault.Failed(FALSE) : Kernel<decltype(GetFileSizeEx)>("GetFileSizeEx")(file, size);
}

HANDLE WINAPI OpenFails(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                        DWORD flags, HANDLE from)
{
    if (g_fault.Now())
        return g_fault.Failed(INVALID_HANDLE_VALUE);
    return Kernel<decltype(CreateFileW)>("CreateFileW")(path, access, share, security, disposition, flags, from);
}

BOOL WINAPI MoveFails(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    return g_fault.Now() ? g_fault.Failed(FALSE) : Kernel<decltype(MoveFileExW)>("MoveFileExW")(from, to, flags);
}

BOOL WINAPI CopyFails(LPCWSTR from, LPCWSTR to, BOOL failIfThere)
{
    return g_fault.Now() ? g_fault.Failed(FALSE) : Kernel<decltype(CopyFileW)>("CopyFileW")(from, to, failIfThere);
}

// A path that is longer each time it is asked for: `error` more units than
// the room given, and at least ten; what fits of it is written.
DWORD GrownBy(LPWSTR buffer, DWORD room)
{
    g_fault.Now();
    if (buffer && room > 0) {
        std::fill_n(buffer, room - 1, L'x');
        buffer[room - 1] = L'\0';
    }
    return std::max<DWORD>(room, 10) + g_fault.error;
}
DWORD WINAPI ShortGrows(LPCWSTR, LPWSTR buffer, DWORD room) { return GrownBy(buffer, room); }
// The full form as it is when asked its size, and another when asked for it
// (the current folder changed between the two calls): `error` units longer,
// or for 0 as long as the room given, of which what fits is written.
DWORD WINAPI FullChanges(LPCWSTR path, DWORD room, LPWSTR buffer, LPWSTR*)
{
    static auto* real = Kernel<decltype(GetFullPathNameW)>("GetFullPathNameW");
    g_fault.Now();
    std::wstring whole(32768, L'\0');
    whole.resize(real(path, static_cast<DWORD>(whole.size()), whole.data(), nullptr));
    if (!buffer || room == 0)
        return static_cast<DWORD>(whole.size() + 1);
    whole.back() = L'x';
    whole.append(g_fault.error, L'x');
    const std::size_t copied = std::min<std::size_t>(room - 1, whole.size());
    whole.copy(buffer, copied);
    buffer[copied] = L'\0';
    return g_fault.error == 0 ? room : static_cast<DWORD>(whole.size() + 1);
}
DWORD WINAPI FinalGrows(HANDLE, LPWSTR buffer, DWORD room, DWORD) { return GrownBy(buffer, room); }

LONG WINAPI ValueFails(HKEY key, LPCWSTR subKey, LPCWSTR value, DWORD flags, LPDWORD type, PVOID data, LPDWORD bytes)
{
    if (g_fault.Now())
        return static_cast<LONG>(g_fault.error);
    static auto* real = os::LoadedImport<decltype(RegGetValueW)>(L"advapi32.dll", "RegGetValueW");
    return real(key, subKey, value, flags, type, data, bytes);
}

LONG WINAPI SetValueFails(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD)
{
    return g_fault.Now(), static_cast<LONG>(g_fault.error);
}

HANDLE WINAPI MutexFails(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) { return g_fault.Now(), g_fault.Failed(HANDLE{}); }

DWORD WINAPI WaitAnswers(HANDLE handle, DWORD ms)
{
    if (g_fault.Now())
        return g_fault.error;
    return Kernel<decltype(WaitForSingleObject)>("WaitForSingleObject")(handle, ms);
}

// A list as its lines, each ended by a slash.
std::string Lines(const std::string& path)
{
    auto lines = os::Current().files.ReadLines(path, 4096);
    std::string joined;
    for (const auto& line : lines.value_or(std::vector<std::string>{"(none)"}))
        joined += line + "/";
    return joined;
}

std::string Said(bool answer) { return answer ? "yes" : "no"; }
std::string Said(const modLists::ListLines& lines) { return lines ? std::to_string(lines->size()) : "none"; }

// Every call the files, paths, registry values and list locks depend on may
// fail, and a few answer differently when asked twice: each failure is
// reported, leaves the lists as they were (no half line, no file beside),
// and a moment's refusal is waited out.
TEST(Win32Faults, EveryFailedCallIsReportedAndLeavesTheListsWhole)
{
    TempFolder temp;
    const std::string dir = temp.Dir(), startup = dir + "mount.ini", history = dir + "Tavrik.ini";
    auto& files = os::Current().files;
    auto& registry = os::Current().registry;
    const std::string key = "Software\\TavrikTest\\Fault";
    ASSERT_TRUE(registry.WriteString(key, "", "value"));
    const std::string deep = dir + std::string(240, 'd');  // past MAX_PATH: asked for by its full form
    const std::wstring deepMarked = os::win::Wide("\\\\?\\" + deep);
    ASSERT_TRUE(CreateDirectoryW(deepMarked.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const auto write = [&] { return Said(modLists::WriteStartupList(dir, {"n: \tc:\\two"})); };
    const auto read = [&] { return Said(modLists::ReadStartupList(dir)); };
    const auto append = [&] { return Said(modLists::AppendHistory(dir, "C:\\Two")); };
    const auto locked = [&] { return Said(files.Lock(startup) != nullptr); };
    const auto copy = [&] { return Said(files.CopyOver(history, startup)); };
    const auto shortForm = [&] { return std::to_string(files.ShortPathName(temp.Path().c_str(), nullptr, 0)); };
    const int ever = INT_MAX;
    const DWORD held = ERROR_SHARING_VIOLATION, denied = ERROR_ACCESS_DENIED, full = ERROR_DISK_FULL;
    struct Case {
        const char* function;
        test::StandIn standIn;
        Fault fault;
        std::function<std::string()> run;
        std::string expected;  // what run answers, then the two lists as they are after it
        int calls = 0;         // 0: however often
    };
    const std::string before = "|m: \tc:\\one/|C:\\One/";
    const Case cases[] = {
        {"WriteFile", WriteCutShort, {1, ever, full}, write, "no" + before},
        {"FlushFileBuffers", FlushFails, {1, ever, full}, write, "no" + before},
        {"CloseHandle", CloseReportsError, {1, ever, full}, write, "no" + before},
        {"MoveFileExW", MoveFails, {1, ever, ERROR_WRITE_PROTECT}, write, "no" + before, 1},
        {"MoveFileExW", MoveFails, {1, 2, held}, write, "yes|n: \tc:\\two/|C:\\One/", 3},
        {"MoveFileExW", MoveFails, {1, ever, denied}, write, "no" + before, 10},
        {"CreateFileW", OpenFails, {1, ever, denied}, write, "no" + before},
        {"CreateFileW", OpenFails, {1, 3, held}, write, "yes|n: \tc:\\two/|C:\\One/"},
        {"ReadFile", ReadFails, {1}, read, "none" + before},
        {"ReadFile", ReadFails, {2}, read, "none" + before, 2},  // the end is not a failure
        {"GetFileSizeEx", SizeFails, {1}, read, "none" + before},
        {"CreateFileW", OpenFails, {1, 2, held}, read, "1" + before, 3},
        {"CreateFileW", OpenFails, {1, ever, ERROR_INVALID_NAME}, read, "none" + before, 1},
        {"WriteFile", WriteCutShort, {1, ever, full}, append, "no" + before},
        {"FlushFileBuffers", FlushFails, {1, ever, full}, append, "no" + before},
        {"GetFileSizeEx", SizeFails, {2}, append, "no" + before, 2},  // read, then appended
        {"CloseHandle", CloseReportsError, {1, ever, full}, append, "no|m: \tc:\\one/|C:\\One/C:\\Two/"},
        {"CopyFileW", CopyFails, {}, copy, "no" + before},
        {"MoveFileExW", MoveFails, {1, ever, ERROR_WRITE_PROTECT}, copy, "no" + before},
        {"GetShortPathNameW", ShortGrows, {1, ever, 0}, shortForm, "0" + before, 2},
        {"GetShortPathNameW", ShortGrows, {1, ever, 1}, shortForm, "0" + before, 2},
        {"GetFullPathNameW", FullChanges, {1, ever, 0}, [&] { return files.FullPath("x") + "."; }, "." + before,
         2},
        {"GetFullPathNameW", FullChanges, {1, ever, 1}, [&] { return Said(files.IsDirectoryPath(deep.c_str())); },
         "yes" + before, 2},  // asked as it was given
        {"GetFinalPathNameByHandleW", FinalGrows, {1, ever, 0},
         [&] { return files.FinalPath(startup) + "|"; }, startup + "|" + before},
        {"RegGetValueW", ValueFails, {2, ever, ERROR_MORE_DATA},
         [&] { return registry.ReadString(key, "").value_or("none"); }, "none" + before, 2},
        {"RegSetValueExW", SetValueFails, {1, ever, ERROR_ACCESS_DENIED},
         [&] { return Said(registry.WriteString(key, "", "new")); }, "no" + before, 1},
        {"CreateMutexW", MutexFails, {}, locked, "no" + before},
        {"WaitForSingleObject", WaitAnswers, {1, ever, WAIT_TIMEOUT}, locked, "no" + before, 1},
        {"WaitForSingleObject", WaitAnswers, {1, ever, WAIT_FAILED}, locked, "no" + before, 1},
        {"WaitForSingleObject", WaitAnswers, {1, ever, WAIT_ABANDONED}, locked, "yes" + before, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " from " + std::to_string(c.fault.from) + ": " +
                     std::to_string(c.fault.error));
        ASSERT_TRUE(files.WriteLines(startup, {"m: \tc:\\one"}));
        ASSERT_TRUE(files.WriteLines(history, {"C:\\One"}));
        g_fault = c.fault;
        std::string answer;
        {
            test::ImportPatch patch(c.function, c.standIn);
            answer = c.run();
        }
        EXPECT_EQ(answer + "|" + Lines(startup) + "|" + Lines(history), c.expected);
        if (c.calls) {
            EXPECT_EQ(g_fault.calls, c.calls);
        }
        EXPECT_FALSE(modFiles::FileExists(startup + ".new"));
    }
    // Not one of them was left changed.
    EXPECT_EQ(registry.ReadString(key, ""), "value");
    RemoveDirectoryW(deepMarked.c_str());  // which the folder's own removal cannot reach
    EXPECT_TRUE(files.Lock(startup));
    RegDeleteKeyW(HKEY_CURRENT_USER, os::win::Wide(key).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikTest");
}

BOOL WINAPI TokenRefused(HANDLE, DWORD, PHANDLE) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI TokenSaysNothing(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD)
{
    return g_fault.Now(), g_fault.Failed(FALSE);
}
BOOL WINAPI SidNotWritten(PSID, LPWSTR*) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI RightsNotRead(PSECURITY_DESCRIPTOR, PSID*, LPBOOL) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI ListNotRead(PSECURITY_DESCRIPTOR, LPBOOL, PACL*, LPBOOL) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI EntryNotRead(PACL, DWORD, LPVOID*) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI RightsNotWritten(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG)
{
    return g_fault.Now(), g_fault.Failed(FALSE);
}
BOOL WINAPI FolderNotMade(LPCWSTR, LPSECURITY_ATTRIBUTES) { return g_fault.Now(), g_fault.Failed(FALSE); }
BOOL WINAPI FileSaysNothing(HANDLE, LPBY_HANDLE_FILE_INFORMATION) { return g_fault.Now(), g_fault.Failed(FALSE); }
DWORD WINAPI RightsNotSet(HANDLE, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID, PSID, PACL, PACL)
{
    return g_fault.Now(), g_fault.error;
}
DWORD WINAPI NamedRightsNotRead(LPCWSTR, SE_OBJECT_TYPE, SECURITY_INFORMATION, PSID*, PSID*, PACL*, PACL*,
                                PSECURITY_DESCRIPTOR*)
{
    return g_fault.Now(), g_fault.error;
}
DWORD WINAPI FullNotMade(LPCWSTR, DWORD, LPWSTR, LPWSTR*) { return g_fault.Now(), g_fault.Failed(0ul); }

LONG WINAPI KeyNotOpened(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY)
{
    return g_fault.Now(), static_cast<LONG>(g_fault.error);
}

// A text cut to the room given, as Windows cuts the program's path: the
// room is answered when it is too small.
DWORD Answer(LPWSTR buffer, DWORD room)
{
    if (g_fault.Now())
        return g_fault.Failed(0ul);
    const auto length = static_cast<DWORD>(g_fault.text.size());
    const DWORD copied = std::min(length, room - 1);
    std::copy_n(g_fault.text.c_str(), copied, buffer);
    buffer[copied] = L'\0';
    return length < room ? length : g_fault.Failed(room);
}
DWORD WINAPI ModuleAt(HMODULE, LPWSTR buffer, DWORD room) { return Answer(buffer, room); }
// The Windows folder answers the room it needs when it does not fit.
UINT WINAPI WindowsAt(LPWSTR buffer, UINT room)
{
    const DWORD length = Answer(buffer, room);
    return length == room ? static_cast<UINT>(g_fault.text.size() + 1) : length;
}

// The session's answers when the calls behind them fail: nothing is taken
// for granted (no user, no rights, no drive letter of a folder cut short).
TEST(Win32Faults, TheSessionAnswersNothingItCouldNotRead)
{
    TempFolder temp;
    auto& session = os::Current().session;
    const std::string judged = temp.Dir() + "Judged";
    ASSERT_TRUE(session.MakeAdministratorsFolder(judged));
    int made = 0;
    const auto make = [&] { return Said(session.MakeAdministratorsFolder(temp.Dir() + std::to_string(++made))); };
    const auto remake = [&] { return Said(session.MakeAdministratorsFolder(judged)); };
    const auto judge = [&] { return Said(session.AdministratorsOnly(judged)); };
    const auto elevation = [&] { return std::to_string(static_cast<int>(session.TokenElevation())); };
    const auto user = [&] { return session.UserSid().empty() ? "none" : "known"; };
    const auto logon = [&] { return session.LogonId().empty() ? "none" : "known"; };
    const auto exe = [&] { return os::win::Wide(session.ExePath()); };
    const auto folder = [&] { return os::win::Wide(ui::App::Path()); };
    const auto drive = [&] { return std::wstring(1, static_cast<wchar_t>(session.SystemDrive())); };
    const auto started = [&] {  // the text a start was given, as the main window takes it
        const std::string appDir = modMain::AppDir, listDir = modMain::ListDir, given = modMain::CommandLine;
        modMain::Start(session.ExePath(), "Data");
        const std::wstring taken = os::win::Wide(modMain::CommandLine);
        modMain::AppDir = appDir, modMain::ListDir = listDir, modMain::CommandLine = given;
        return taken;
    };
    // A program in a folder so deep that its path fills MAX_PATH exactly.
    const std::wstring deep = L"C:\\" + std::wstring(MAX_PATH - 14, L'd'), program = deep + L"\\Tavrik.exe";
    ASSERT_EQ(program.size(), static_cast<std::size_t>(MAX_PATH));
    const int ever = INT_MAX;
    const DWORD denied = ERROR_ACCESS_DENIED;
    struct Case {
        const char* function;
        test::StandIn standIn;
        Fault fault;
        std::function<std::wstring()> run;
        std::wstring expected;
    };
    const auto said = [](auto run) { return [run] { return os::win::Wide(run()); }; };
    const Case cases[] = {
        {"OpenProcessToken", TokenRefused, {}, said(elevation), L"0"},
        {"OpenProcessToken", TokenRefused, {}, said(user), L"none"},
        {"OpenProcessToken", TokenRefused, {}, said(logon), L"none"},
        {"GetTokenInformation", TokenSaysNothing, {}, said(elevation), L"0"},
        {"GetTokenInformation", TokenSaysNothing, {}, said(user), L"none"},
        {"GetTokenInformation", TokenSaysNothing, {}, said(logon), L"none"},
        {"ConvertSidToStringSidW", SidNotWritten, {}, said(user), L"none"},
        {"GetModuleFileNameW", ModuleAt, {1, 0, 0, program}, exe, program},
        {"GetModuleFileNameW", ModuleAt, {1, 0, 0, program}, folder, deep},
        {"GetModuleFileNameW", ModuleAt, {1, 0, 0, L"C:\\Tavrik.exe"}, folder, L"C:\\"},
        {"GetModuleFileNameW", ModuleAt, {}, exe, L""},
        {"GetModuleFileNameW", ModuleAt, {2, ever, 0, program}, folder, L""},
        {"GetSystemWindowsDirectoryW", WindowsAt, {1, 0, 0, L"D:\\Windows"}, drive, L"D"},
        {"GetSystemWindowsDirectoryW", WindowsAt, {1, 0, 0, L"D" + program.substr(1)}, drive, L"C"},
        {"GetSystemWindowsDirectoryW", WindowsAt, {1, 0, 0, L"\x416:\\Windows"}, drive, L"C"},
        {"GetSystemWindowsDirectoryW", WindowsAt, {}, drive, L"C"},
        {"ConvertStringSecurityDescriptorToSecurityDescriptorW", RightsNotWritten, {}, said(make), L"no"},
        {"CreateDirectoryW", FolderNotMade, {1, ever, denied}, said(make), L"no"},
        {"CreateDirectoryW", FolderNotMade, {1, ever, denied}, said(remake), L"no"},  // though it is there
        {"CreateDirectoryW", FolderNotMade, {1, ever, ERROR_ALREADY_EXISTS}, said(make), L"no"},  // yet nothing there
        {"GetFileInformationByHandle", FileSaysNothing, {}, said(make), L"no"},
        {"GetSecurityDescriptorOwner", RightsNotRead, {}, said(make), L"no"},
        {"SetSecurityInfo", RightsNotSet, {1, ever, denied}, said(make), L"no"},
        {"GetNamedSecurityInfoW", NamedRightsNotRead, {1, ever, denied}, said(judge), L"no"},
        {"GetSecurityDescriptorOwner", RightsNotRead, {}, said(judge), L"no"},
        {"GetSecurityDescriptorDacl", ListNotRead, {}, said(judge), L"no"},
        {"GetAce", EntryNotRead, {}, said(judge), L"no"},
        {"GetFullPathNameW", FullNotMade, {}, started, L"Data"},  // a text whose full form cannot be had stays
        {"RegOpenKeyExW", KeyNotOpened, {1, ever, ERROR_ACCESS_DENIED},
         [&] { return os::win::Wide(session.BootLetters()); }, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " from " + std::to_string(c.fault.from) + ": " +
                     std::to_string(c.fault.error) + " " + os::win::Narrow(c.fault.text));
        g_fault = c.fault;
        std::wstring answer;
        {
            test::ImportPatch patch(c.function, c.standIn);
            answer = c.run();
        }
        EXPECT_EQ(os::win::Narrow(answer), os::win::Narrow(c.expected));
    }
    // As they are when nothing fails.
    EXPECT_EQ(judge(), "yes");
    EXPECT_EQ(make(), "yes");
    EXPECT_EQ(user(), std::string("known"));
}

}  // namespace
