// The windows and the toolkit in-process under Wine, on the simulated machine:
// nothing here touches the real name space or disk.
#include "HelpText.h"
#include "Messages.h"
#include "StyleXP.h"
#include "ctxHookMenu.h"
#include "frmHelp.h"
#include "frmLabel.h"
#include "frmMount.h"
#include "frmStartLoad.h"
#include "modMain.h"
#include "engine/modElevated.h"
#include "engine/modLists.h"
#include "engine/mod_Subst.h"
#include "os/LazyImport_win.h"
#include "tests/support/SimMachine.h"
#include "ui/App.h"
#include "ui/Controls.h"
#include "ui/Scale.h"
#include "ui/WinUtil_win.h"
#include "widgets/ControlButtonWindow.h"
#include "widgets/LabelMenuWindow.h"
#include "widgets/XPButtonWindow.h"

#include "ImportPatch.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <iterator>
#include <map>
#include <string>

namespace {

class SimWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(machine.files.MakeDirectory("C:\\Tools"));
        modMain::AppDir = modMain::ListDir = "C:\\Tools\\";
        modMain::CommandLine.clear();
    }

    sim::SimMachine machine;
    sim::ScopedMachine scope{machine};
};

HWND W(ui::WindowHandle handle) { return ui::win::H(handle); }

// A key the menu ignores leaves it open: this closes it, so that the test goes on.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// Set by a WhenShown action that closes the window it found.
bool g_windowShown = false;

std::vector<std::string> Items(const ui::ListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.ListCount(); ++i)
        items.push_back(list.List(i));
    return items;
}

TEST_F(SimWindows, SetupWindowEditsAndSavesTheStartupList)
{
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\mount.ini", "M: \tC:\\Data\r\n"));
    frmStartLoad setup;
    setup.Load();
    ASSERT_TRUE(setup.Loaded());
    EXPECT_EQ(Items(setup.vList), std::vector<std::string>{"m: \tc:\\data"});
    EXPECT_EQ(setup.cboDrive.Text(), "D: ");
    setup.cmdAdd.Click();  // no folder yet: nothing to add
    EXPECT_EQ(setup.vList.ListCount(), 1);

    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Picked Folder"));
    machine.shell.answer = "C:\\Picked Folder";
    setup.cmdBrowse.Click();
    EXPECT_EQ(setup.txtBrowse.Text(), "C:\\Picked Folder");
    EXPECT_EQ(machine.shell.lastTitle, std::string("Folder to mount.\0", 17));
    EXPECT_EQ(machine.shell.lastFlags, 0x43u);
    EXPECT_EQ(machine.shell.lastOwner, setup.hWnd());

    machine.shell.answer.reset();  // cancelled: the box keeps its folder
    setup.cmdBrowse.Click();
    EXPECT_EQ(setup.txtBrowse.Text(), "C:\\Picked Folder");
    machine.shell.answer = "C:\\Picked Fol";  // a path the dialog cut short: not taken, and said so
    setup.cmdBrowse.Click();
    EXPECT_EQ(setup.txtBrowse.Text(), "C:\\Picked Folder");
    ASSERT_EQ(machine.shell.messages.size(), 1u);
    EXPECT_EQ(machine.shell.messages[0].prompt, FolderNotTakenText("C:\\Picked Fol"));

    setup.cmdAdd.Click();
    setup.cmdAdd.Click();  // the same pair twice is allowed
    EXPECT_EQ(Items(setup.vList), (std::vector<std::string>{"m: \tc:\\data", "D: \tC:\\Picked Folder",
                                                            "D: \tC:\\Picked Folder"}));

    setup.vList.ListIndex(0);
    SendMessageW(ui::win::H(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    EXPECT_EQ(setup.vList.ListCount(), 2);
    setup.vList.ListIndex(-1);
    SendMessageW(ui::win::H(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    EXPECT_EQ(setup.vList.ListCount(), 2);  // nothing selected, nothing removed

    setup.Unload();
    EXPECT_TRUE(setup.Saved());
    EXPECT_EQ(machine.files.Content("C:\\Tools\\mount.ini"), "D: \tC:\\Picked Folder\r\nD: \tC:\\Picked Folder\r\n");
}

// The administrator's lines come first, marked, and stay: neither Delete nor
// a merge with another window's save removes them, they are never saved into
// the user's list, and their letters are not added to it.
TEST_F(SimWindows, TheAdministratorsLinesAreShownFirstAndStay)
{
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\mount.ini", "M: \tC:\\Data\r\n"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\ProgramData\\Tavrik"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\ProgramData\\Tavrik\\mount.ini", "S: \tC:\\Legacy\r\nnot a line\r\n"));
    machine.session.administratorsOnly = {"c:\\programdata\\tavrik", "c:\\programdata\\tavrik\\mount.ini"};
    machine.shell.messageAnswer = [](const sim::SimShellDialogs::Message&) { return ui::vbOK; };
    frmStartLoad setup;
    ASSERT_TRUE(setup.Load());
    const std::string admin = std::string("s: \tc:\\legacy") + kAdminLineMark;
    EXPECT_EQ(Items(setup.vList), (std::vector<std::string>{admin, "m: \tc:\\data"}));

    setup.vList.ListIndex(-1);  // nothing selected: nothing to say
    SendMessageW(W(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    EXPECT_TRUE(machine.shell.messages.empty());
    setup.vList.ListIndex(0);
    SendMessageW(W(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    ASSERT_EQ(machine.shell.messages.size(), 1u);
    EXPECT_EQ(machine.shell.messages[0].prompt, AdminLetterText("S:"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Picked"));
    machine.shell.answer = "C:\\Picked";
    setup.cmdBrowse.Click();
    for (const char* taken : {"S: ", "s: "}) {  // in either case
        setup.cboDrive.Text(taken);
        setup.cmdAdd.Click();
    }
    ASSERT_EQ(machine.shell.messages.size(), 3u);
    setup.cboDrive.Text("T: ");
    setup.cmdAdd.Click();
    // Another window's save meanwhile: the merge shows both lists again.
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\mount.ini", "M: \tC:\\Data\r\nn: \tC:\\Data\r\n"));
    setup.Unload();
    EXPECT_EQ(Items(setup.vList), (std::vector<std::string>{admin, "m: \tc:\\data", "n: \tc:\\data", "T: \tC:\\Picked"}));
    EXPECT_EQ(machine.files.Content("C:\\Tools\\mount.ini"), "m: \tc:\\data\r\nn: \tc:\\data\r\nT: \tC:\\Picked\r\n");
}

// A save the disk refuses asks what to do: try again, close without saving
// (the old list stays), or keep the window open with everything typed in it.
TEST_F(SimWindows, SetupWindowThatCannotSaveAsksAndLosesNothing)
{
    const std::string path = "C:\\Tools\\mount.ini";
    struct Case {
        const char* name;
        std::vector<int> answers;
        bool staysOpen;
        const char* file;
    } const cases[] = {
        {"no closes unsaved", {ui::vbNo}, false, "m: \tc:\\data\r\n"},
        {"cancel stays open", {ui::vbCancel}, true, "m: \tc:\\data\r\n"},
        {"yes tries again", {ui::vbYes, ui::vbYes}, false, ""},  // the disk takes it on the second try
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(machine.files.MakeFile(path, "m: \tc:\\data\r\n"));
        machine.files.DenyWrite(path);
        machine.shell.messages.clear();
        std::size_t asked = 0;
        machine.shell.messageAnswer = [&](const sim::SimShellDialogs::Message&) {
            if (asked == 1)
                machine.files.DenyWrite(path, false);
            return c.answers.at(asked++);
        };
        frmStartLoad setup;
        setup.Load();
        setup.vList.Clear();
        setup.Unload();
        EXPECT_EQ(setup.Loaded(), c.staysOpen);
        EXPECT_EQ(setup.vList.ListCount(), 0);  // still what the user made it
        EXPECT_EQ(machine.files.Content(path), c.file);
        EXPECT_EQ(asked, c.answers.size());
        ASSERT_FALSE(machine.shell.messages.empty());
        EXPECT_EQ(machine.shell.messages[0].title, "ERROR!");
        EXPECT_EQ(machine.shell.messages[0].flags, static_cast<std::uint32_t>(ui::vbCritical | ui::vbYesNoCancel));
        machine.shell.messageAnswer = [](const auto&) { return ui::vbNo; };
        setup.Unload();
        machine.files.ClearFailures();
        test::DropPendingQuit();
    }
}

// Two setup windows open at once: the one closed last adds its own edits to
// what the first saved, rather than writing its old view over it; a window
// closed without edits writes nothing, so bytes no code page can show survive.
TEST_F(SimWindows, SetupWindowsOpenAtOnceKeepEachOthersEdits)
{
    const std::string path = "C:\\Tools\\mount.ini";
    ASSERT_TRUE(machine.files.MakeFile(path, "m: \tc:\\one\r\nn: \tc:\\two\r\n"));
    frmStartLoad first, second;
    first.Load();
    second.Load();
    first.txtBrowse.Text("C:\\Three");
    first.cmdAdd.Click();
    first.Unload();
    second.vList.RemoveItem(0);
    second.Unload();
    EXPECT_TRUE(second.Saved());
    // Lower-cased, as every line the window loads.
    EXPECT_EQ(machine.files.Content(path), "n: \tc:\\two\r\nd: \tc:\\three\r\n");

    // Upper case and a byte that is no UTF-8 in a UTF-8 list: both would change
    // in a rewrite.
    const std::string asTyped = "\xEF\xBB\xBFM: \tC:\\Caf\xE9\r\n";
    ASSERT_TRUE(machine.files.MakeFile(path, asTyped));
    frmStartLoad untouched;
    untouched.Load();
    untouched.Unload();
    EXPECT_EQ(machine.files.Content(path), asTyped);
    test::DropPendingQuit();
}

// The end of the session closes the setup window as its close box does: the
// list is saved when Windows asks whether the session may end, and a save
// that fails asks Windows to wait rather than lose the edit.
TEST_F(SimWindows, TheEndOfTheSessionSavesTheSetupWindowsList)
{
    const std::string path = "C:\\Tools\\mount.ini";
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused);
        ASSERT_TRUE(machine.files.MakeFile(path, "m: \tc:\\one\r\nn: \tc:\\two\r\n"));
        machine.files.DenyWrite(path, refused);
        frmStartLoad setup;
        setup.Load();
        setup.vList.RemoveItem(0);
        const HWND window = ui::win::H(setup.hWnd());
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), refused ? FALSE : TRUE);
        EXPECT_EQ(machine.files.Content(path), refused ? "m: \tc:\\one\r\nn: \tc:\\two\r\n" : "n: \tc:\\two\r\n");
        EXPECT_EQ(machine.shell.messages.size(), refused ? 1u : 0u);
        machine.shell.messages.clear();
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_FALSE(setup.Loaded());  // the session ends whatever the form said
        EXPECT_TRUE(machine.shell.messages.empty());
        machine.files.ClearFailures();
        test::DropPendingQuit();
    }
}

// A list the window could not read is shown as such and never written over;
// a hidden one is the user's list like any other.
TEST_F(SimWindows, SetupWindowNeverWritesOverAListItCouldNotRead)
{
    const std::string path = "C:\\Tools\\mount.ini";
    const std::string list = "M: \tC:\\Data\r\n";
    for (const bool readable : {false, true}) {
        SCOPED_TRACE(readable);
        machine.shell.messages.clear();
        ASSERT_TRUE(machine.files.MakeFile(path, list, readable ? os::ATTR_HIDDEN : 0));
        machine.files.DenyRead(path, !readable);
        frmStartLoad setup;
        setup.Load();
        EXPECT_EQ(setup.ListRead(), readable);
        EXPECT_EQ(setup.cmdAdd.Enabled(), readable);
        setup.txtBrowse.Text("C:\\Other");
        setup.cmdAdd.Click();
        setup.Unload();
        if (readable) {
            EXPECT_TRUE(machine.shell.messages.empty());
            EXPECT_EQ(machine.files.Content(path), "m: \tc:\\data\r\nD: \tC:\\Other\r\n");
            EXPECT_EQ(machine.files.ReadAttributes(path), os::ATTR_HIDDEN);
        } else {
            ASSERT_EQ(machine.shell.messages.size(), 1u);
            EXPECT_EQ(machine.shell.messages[0].title, "ERROR!");
            EXPECT_EQ(machine.files.Content(path), list);
        }
        machine.files.Remove(path);
        test::DropPendingQuit();
    }
}

// A letter typed on a picker picks it where it is offered, as a drop-down
// list does; anything else typed changes nothing, nor reaches the folder box.
TEST_F(SimWindows, TypingPicksAnOfferedLetterAndNothingElse)
{
    test::DropPendingQuit();
    machine.AddDisk('E', 2);
    frmMount main;
    frmStartLoad setup;
    for (auto [form, picker] : {std::pair<ui::Form*, ui::ComboBox*>{&main, &main.cboDrive}, {&setup, &setup.cboDrive}}) {
        ASSERT_TRUE(test::ShowPlain(*form));
        picker->SetFocus();
        struct Case {
            UINT key;
            const char* picked;
        };
        for (const Case& c : {Case{'F', "F: "}, Case{'E', "F: "}, Case{'C', "F: "}, Case{'1', "F: "},
                              Case{VK_BACK, "F: "}, Case{'Z', "Z: "}, Case{VK_DELETE, "Z: "}, Case{'D', "D: "}}) {
            test::Type(c.key);
            EXPECT_EQ(picker->Text(), c.picked) << form->Caption() << " " << static_cast<char>(c.key);
        }
        EXPECT_EQ(SendMessageW(W(picker->hWnd()), CB_GETCURSEL, 0, 0), 0);  // "D: ", the first offered
        ShowWindow(W(form->hWnd()), SW_HIDE);
    }
    setup.txtBrowse.SetFocus();
    test::Type('X');
    test::Type(VK_BACK);
    EXPECT_EQ(setup.txtBrowse.Text(), "");
}

TEST_F(SimWindows, MainWindowLoadsMountsAndRecords)
{
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Program Files\\Data"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\Tavrik.ini", "C:\\Earlier\r\n"));
    modMain::CommandLine = "C:\\Program Files\\Data";
    frmMount main;
    main.Load();
    EXPECT_EQ(main.cboDrive.Text(), "D: ");
    EXPECT_EQ(main.cboDrive.ListCount(), 23);
    EXPECT_EQ(Items(main.oList), std::vector<std::string>{"C:\\Earlier"});
    ASSERT_EQ(machine.lists.calls.size(), 1u);
    EXPECT_EQ(machine.lists.calls[0].window, main.vList.hWnd());
    EXPECT_EQ(machine.lists.calls[0].stops, (std::vector<std::int32_t>{16, 0}));
    // DefineNullTargets: 26 definitions without a target, all refused.
    EXPECT_EQ(machine.dos.Calls().size(), 26u);
    // The command line's folder shows in the button band, whole in its hint
    // and to a screen reader, and its middle cut where it is long.
    HWND folder = W(main.lblFolder.hWnd());
    EXPECT_TRUE(GetWindowLongW(folder, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetWindowLongW(folder, GWL_STYLE) & (SS_PATHELLIPSIS | SS_NOPREFIX), SS_PATHELLIPSIS | SS_NOPREFIX);
    for (const std::string& shown : {main.lblFolder.Caption(), main.lblFolder.ToolTipText(),
                                     main.lblFolder.Accessible(main.lblFolder.hWnd()).name})
        EXPECT_EQ(shown, modMain::CommandLine);

    main.cmdOk.Click();
    EXPECT_EQ(machine.dos.Mappings("D:"), std::vector<std::string>{"\\??\\C:\\PROGRA~1\\Data"});
    EXPECT_EQ(Items(main.vList), std::vector<std::string>{"D: \tC:\\Program Files\\Data"});
    EXPECT_EQ(main.cboDrive.Text(), "E: ");  // the sim's D:\ is a directory now
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Earlier\r\nC:\\Program Files\\Data\r\n");
    EXPECT_EQ(Items(main.oList), (std::vector<std::string>{"C:\\Earlier", "C:\\Program Files\\Data"}));

    // A folder that is not there: the window says so, binds nothing, records nothing.
    modMain::CommandLine = "C:\\Gone";
    main.cmdOk.Click();
    EXPECT_TRUE(machine.dos.Mappings("E:").empty());
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Earlier\r\nC:\\Program Files\\Data\r\n");
    ASSERT_EQ(machine.shell.messages.size(), 1u);
    EXPECT_EQ(machine.shell.messages[0].prompt, "The folder \"C:\\Gone\" does not exist.  Nothing was mounted.");
    machine.shell.messages.clear();

    main.vList.ListIndex(0);
    main.mnuMenuUnmount.Click();
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    EXPECT_TRUE(Items(main.vList).empty());
    EXPECT_EQ(main.cboDrive.Text(), "E: ");  // the picker waits for the next mount

    main.mnuoClear.Click();
    EXPECT_FALSE(machine.files.Exists("C:\\Tools\\Tavrik.ini"));
    EXPECT_EQ(main.oList.ListCount(), 0);
    EXPECT_TRUE(machine.shell.messages.empty());
}

// A letter bound or freed elsewhere (another copy, a console) shows as soon as
// the main window is active again, and an unchanged list keeps its selection.
TEST_F(SimWindows, TheMountedListIsReadAgainWhenTheWindowIsActivated)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(mod_Subst::SubstDrive("P", "C:\\Data", 0));
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    main.vList.ListIndex(0);
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    SetActiveWindow(other);
    SetActiveWindow(ui::win::H(main.hWnd()));
    EXPECT_EQ(main.vList.ListIndex(), 0);
    SetActiveWindow(other);
    ASSERT_TRUE(mod_Subst::SubstDrive("Q", "C:\\Data", 0));
    SetActiveWindow(ui::win::H(main.hWnd()));
    EXPECT_EQ(Items(main.vList), (std::vector<std::string>{"P: \tC:\\Data", "Q: \tC:\\Data"}));

    // A line wider than the list scrolls sideways; once it is gone, nothing does.
    const std::string deep = "C:\\Data\\" + std::string(120, 'w');
    ASSERT_TRUE(machine.files.MakeDirectory(deep));
    HWND list = ui::win::H(main.vList.hWnd());
    const auto scrollWidth = [list] { return static_cast<int>(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0)); };
    RECT client{};
    GetClientRect(list, &client);
    SetActiveWindow(other);
    ASSERT_TRUE(mod_Subst::SubstDrive("R", deep, 0));
    SetActiveWindow(ui::win::H(main.hWnd()));
    EXPECT_GT(scrollWidth(), client.right);
    SetActiveWindow(other);
    ASSERT_TRUE(mod_Subst::SubstDrive("R", static_cast<const char*>(nullptr), os::DEFINE_REMOVE));
    SetActiveWindow(ui::win::H(main.hWnd()));
    EXPECT_LT(scrollWidth(), client.right);
    DestroyWindow(other);
}

// A history the disk refuses is never shown as written or as cleared.
TEST_F(SimWindows, AHistoryThatCannotChangeSaysSo)
{
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    const std::string path = "C:\\Tools\\Tavrik.ini";
    ASSERT_TRUE(machine.files.MakeFile(path, "C:\\Earlier\r\n", os::ATTR_READONLY));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    main.Load();
    main.cmdOk.Click();
    main.mnuoClear.Click();
    EXPECT_EQ(machine.files.Content(path), "C:\\Earlier\r\n");
    EXPECT_EQ(Items(main.oList), std::vector<std::string>{"C:\\Earlier"});
    ASSERT_EQ(machine.shell.messages.size(), 2u);
    EXPECT_EQ(machine.shell.messages[0].prompt, kHistoryNotWrittenText);
    EXPECT_EQ(machine.shell.messages[1].prompt, kHistoryNotClearedText);

    // Held by another program, it can be neither cleared nor read: the list
    // keeps the lines the file still holds.
    machine.files.DenyRead(path);
    machine.files.DenyWrite(path);
    main.mnuoClear.Click();
    EXPECT_EQ(Items(main.oList), std::vector<std::string>{"C:\\Earlier"});
    EXPECT_EQ(machine.shell.messages.size(), 3u);
}

TEST_F(SimWindows, RemountFromHistoryNeedsASelectedFolder)
{
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\Tavrik.ini", "C:\\Missing\r\nC:\\Data\r\n"));
    frmMount main;
    main.Load();
    main.mnuoMount.Click();  // nothing selected
    main.oList.ListIndex(0);
    main.mnuoMount.Click();  // no such folder
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    main.oList.ListIndex(1);
    main.mnuoMount.Click();
    EXPECT_EQ(machine.dos.Mappings("D:"), std::vector<std::string>{"\\??\\C:\\Data"});
    EXPECT_EQ(Items(main.vList), std::vector<std::string>{"D: \tC:\\Data"});
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Missing\r\nC:\\Data\r\n");
}

// With every letter taken the picker is empty: mounting says so and defines nothing.
TEST_F(SimWindows, NoFreeLetterRefusesWithTheErrorMessage)
{
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\Tavrik.ini", "C:\\Data\r\n"));
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        machine.AddDisk(letter, letter);
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    main.Load();
    ASSERT_EQ(main.cboDrive.Text(), "");
    machine.dos.ClearCalls();

    main.cmdOk.Click();
    main.oList.ListIndex(0);
    main.mnuoMount.Click();
    EXPECT_TRUE(machine.dos.Calls().empty());
    ASSERT_EQ(machine.shell.messages.size(), 2u);
    for (const auto& message : machine.shell.messages) {
        EXPECT_EQ(message.prompt, "Drive Creation Failed.  Please check your drive letter and path selections.");
        EXPECT_EQ(message.title, "ERROR!");
    }
}

// ---- keyboard, mouse and focus through the real queue -------------------------

bool LooksDefault(const ui::Control& button)
{
    return (GetWindowLongW(W(button.hWnd()), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}


TEST_F(SimWindows, TheMainWindowTakesKeysAsWindowsProgramsDo)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    HWND combo = W(main.cboDrive.hWnd());
    EXPECT_EQ(GetFocus(), W(main.cboDrive.EditWindow()));  // the first tab stop

    // The picker's open list: a letter not offered changes nothing, Enter and Escape close it.
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        test::Type('C');
        test::Type(key);
        EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) << key;
        EXPECT_EQ(main.cboDrive.Text(), "D: ");
    }
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());  // closing the list mounted nothing
    // Alt+Down drops the list, and Alt let go after it leaves the list open
    // and the window out of menu mode, which would take the next keys.
    HWND edit = W(main.cboDrive.EditWindow());
    test::MessageCounter menuModes(W(main.hWnd()), WM_ENTERMENULOOP);
    const LPARAM alt = 1 | (1 << 29);
    PostMessageW(edit, WM_SYSKEYDOWN, VK_MENU, alt);
    PostMessageW(edit, WM_SYSKEYDOWN, VK_DOWN, alt);
    PostMessageW(edit, WM_SYSKEYUP, VK_MENU, alt | static_cast<LPARAM>(0xC0000000u));
    const UINT_PTR guard = SetTimer(nullptr, 0, 1000, CloseMenu);  // a menu mode would hold the test
    test::RunQueue();
    KillTimer(nullptr, guard);
    EXPECT_EQ(menuModes.Count(), 0);
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    test::Type(VK_ESCAPE);
    // Alt alone, let go, is the window menu's key, as in any window.
    PostMessageW(edit, WM_SYSKEYDOWN, VK_MENU, alt);
    PostMessageW(edit, WM_SYSKEYUP, VK_MENU, alt | static_cast<LPARAM>(0xC0000000u));
    const UINT_PTR closer = SetTimer(nullptr, 0, 200, CloseMenu);
    test::RunQueue();
    KillTimer(nullptr, closer);
    EXPECT_EQ(menuModes.Count(), 1);
    // No one types in the picker, yet its text shows on the colour of a box
    // one can type in (its edit asks through the combo box, as a read-only one does).
    {
        const ui::win::WindowDc dc(edit);
        SendMessageW(combo, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(edit));
        EXPECT_EQ(GetBkColor(dc.Get()), GetSysColor(COLOR_WINDOW));
    }

    // The picker's text, selected whole, marks its focus, and only while it
    // has it. Tab over the buttons: the focused one looks default, and the
    // mount button again once the focus has left them.
    const auto pickerSelected = [&] {
        DWORD from = 0, to = 0;
        SendMessageW(W(main.cboDrive.EditWindow()), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        return to - from;
    };
    EXPECT_EQ(pickerSelected(), 3u);
    test::Type(VK_TAB);
    EXPECT_EQ(GetFocus(), W(main.cmdOk.hWnd()));
    EXPECT_EQ(pickerSelected(), 0u);
    test::Type(VK_TAB);
    EXPECT_TRUE(LooksDefault(main.cmdBoot));
    EXPECT_FALSE(LooksDefault(main.cmdOk));
    test::Type(VK_TAB);
    test::Type(VK_TAB);
    EXPECT_EQ(GetFocus(), W(main.vList.hWnd()));
    EXPECT_TRUE(LooksDefault(main.cmdOk));
    EXPECT_FALSE(LooksDefault(main.cmdBoot) || LooksDefault(main.cmdHelp));
    test::Type(VK_RETURN);  // on a list Enter is the line's, and the mounted list's binds nothing
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    SetFocus(W(main.cboDrive.EditWindow()));  // straight back, as when the window is active again
    EXPECT_EQ(pickerSelected(), 3u);
    test::Type(VK_RETURN);  // elsewhere Enter mounts
    EXPECT_EQ(machine.dos.Mappings("D:").size(), 1u);

    // Escape closes the setup and help windows as their close buttons do (the
    // setup window writes its list), and the focus comes back where it was.
    for (ui::CommandButton* button : {&main.cmdBoot, &main.cmdHelp}) {
        button->SetFocus();
        test::WhenShown(button == &main.cmdBoot ? "Mount @ Win Startup" : "Help",
                        [](HWND) { test::PostKey(GetFocus(), VK_ESCAPE); });
        test::Type(VK_SPACE);  // presses the button: a modal window until Escape
        EXPECT_EQ(GetFocus(), W(button->hWnd())) << button->Name();
    }
    EXPECT_FALSE(machine.files.Exists("C:\\Tools\\mount.ini"));  // nothing edited, nothing written
}

// Enter on a line of the history mounts that line, as a double click does,
// and records nothing; on the mounted list it opens the line's drive, as its
// "&Open" does, and binds nothing. "&Copy folder path" puts the folder on the
// clipboard; where the shell or the clipboard refuses, the window says so.
TEST_F(SimWindows, EnterOnAListLineActsOnThatLine)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Other"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\Tavrik.ini", "C:\\Other\r\n"));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    main.oList.SetFocus();
    test::Type(VK_RETURN);  // no line selected: nothing
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    main.oList.ListIndex(0);
    test::Type(VK_RETURN);
    EXPECT_EQ(machine.dos.Mappings("D:"), std::vector<std::string>{"\\??\\C:\\Other"});
    main.vList.SetFocus();
    main.vList.ListIndex(0);
    test::Type(VK_RETURN);
    EXPECT_EQ(machine.dos.Mappings("D:").size(), 1u);
    EXPECT_TRUE(machine.dos.Mappings("E:").empty());
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Other\r\n");
    EXPECT_EQ(machine.shell.opened, std::vector<std::string>{"D:\\"});
    main.mnuMenuCopy.Click();
    EXPECT_EQ(machine.shell.clipboard, "C:\\Other");
    EXPECT_TRUE(machine.shell.messages.empty());

    machine.shell.refuse = true;
    main.mnuMenuOpen.Click();
    main.mnuMenuCopy.Click();
    ASSERT_EQ(machine.shell.messages.size(), 2u);
    EXPECT_EQ(machine.shell.messages[0].prompt, "The drive D:\\ could not be opened.");
    EXPECT_EQ(machine.shell.messages[1].prompt, kCopyFailedText);
    machine.shell.refuse = false;  // with no line selected, the clipboard keeps what it holds
    main.vList.ListIndex(-1);
    main.mnuMenuCopy.Click();
    EXPECT_EQ(machine.shell.clipboard, "C:\\Other");
    EXPECT_EQ(machine.shell.messages.size(), 2u);
}

// F2 on a mounted line (or its "Rena&me") asks for the drive's label: OK keeps
// it for the folder and shows it at once; Escape changes nothing.
TEST_F(SimWindows, F2RenamesADriveForItsFolder)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    for (const char* letter : {"D", "E"})
        ASSERT_EQ(modLists::MountFolder(letter, "C:\\Data"), modLists::MountResult::Mounted);
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    main.vList.SetFocus();
    main.vList.ListIndex(0);
    const std::string key = "Software\\Classes\\Applications\\Explorer.exe\\Drives\\D\\DefaultLabel";
    const std::string other = "Software\\Classes\\Applications\\Explorer.exe\\Drives\\E\\DefaultLabel";
    for (const bool accept : {false, true}) {
        g_windowShown = false;
        test::WhenShown("Rename Drive", accept ? +[](HWND window) {
            g_windowShown = true;
            HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
            SetWindowTextW(edit, L"My Drive");
            test::PostKey(edit, VK_RETURN);
        } : +[](HWND) {
            g_windowShown = true;
            test::PostKey(GetFocus(), VK_ESCAPE);
        });
        test::Type(VK_F2);
        EXPECT_TRUE(g_windowShown);
        EXPECT_EQ(machine.registry.ReadString(key, ""), accept ? "My Drive" : "Data");
        EXPECT_EQ(machine.registry.ReadString(other, ""), accept ? "My Drive" : "Data");  // the same folder's
    }
    EXPECT_EQ(machine.files.Content("C:\\Tools\\labels.ini"), "\xEF\xBB\xBF" "C:\\Data\tMy Drive\r\n");
    EXPECT_EQ(machine.shellNotify.told, (std::vector<std::string>{"+D", "+E", "~D", "~E"}));
}

// Only a binding that was made goes into the history, and a folder only once.
TEST_F(SimWindows, OnlyAMountThatWasMadeIsRecordedAndOnlyOnce)
{
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    main.Load();
    machine.AddDisk('D', 2);  // taken after the picker was filled
    main.cmdOk.Click();
    ASSERT_EQ(machine.shell.messages.size(), 1u);
    EXPECT_EQ(machine.shell.messages[0].prompt, kMountFailedText);
    EXPECT_FALSE(machine.files.Exists("C:\\Tools\\Tavrik.ini"));
    EXPECT_EQ(main.oList.ListCount(), 0);
    for (const char* letter : {"E:", "F:"}) {
        main.cmdOk.Click();
        EXPECT_EQ(machine.dos.Mappings(letter).size(), 1u) << letter;
    }
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Data\r\n");
    EXPECT_EQ(Items(main.oList), std::vector<std::string>{"C:\\Data"});
}

// Alt and the marked letter press each picture button, and a screen reader
// reads the name without its mark and the key.
TEST_F(SimWindows, PictureButtonsHaveAccessKeys)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    struct Case {
        ui::CommandButton* button;
        const char* name;
        int pictureSide;  // the large picture on the large buttons
    };
    frmStartLoad setup;
    ASSERT_TRUE(setup.Load());
    for (const Case& c : {Case{&main.cmdOk, "Mount", 32}, Case{&main.cmdBoot, "Setup", 32},
                          Case{&main.cmdHelp, "Help", 32}, Case{&setup.cmdBrowse, "Browse", 16},
                          Case{&setup.cmdAdd, "Add", 16}}) {
        HWND window = W(c.button->hWnd());
        wchar_t text[16] = {};
        GetWindowTextW(window, text, 16);
        EXPECT_EQ(os::win::Narrow(text), std::string("&") + c.name);  // the dialog manager's mark
        EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & BS_ICON) << c.name;
        EXPECT_EQ(test::IconSide(reinterpret_cast<HICON>(SendMessageW(window, BM_GETIMAGE, IMAGE_ICON, 0))),
                  c.pictureSide)
            << c.name;
        const ui::AccessibleFace face = c.button->Accessible(c.button->hWnd());
        EXPECT_EQ(face.name, c.name);
        EXPECT_EQ(face.accessKey, c.name[0] - 'A' + 'a');
    }
    setup.Unload();

    const auto alt = [&](char key) {
        PostMessageW(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(key), 1 | (1 << 29));
        test::RunQueue();
    };
    main.vList.SetFocus();
    alt('m');
    EXPECT_EQ(machine.dos.Mappings("D:").size(), 1u);
    for (const char key : {'s', 'h'}) {
        g_windowShown = false;
        test::WhenShown(key == 's' ? "Mount @ Win Startup" : "Help", [](HWND) {
            g_windowShown = true;
            test::PostKey(GetFocus(), VK_ESCAPE);
        });
        alt(key);
        EXPECT_TRUE(g_windowShown) << key;
    }
    main.cmdOk.Enabled(false);
    alt('m');  // a disabled button's key presses nothing, nor a press that comes straight to it
    main.cmdOk.OnAccessKey();
    test::RunQueue();
    EXPECT_TRUE(machine.dos.Mappings("E:").empty());
}

// Where programs run as administrator have a session of their own, the
// setup window's box turns their drives on with its access key, through the
// queue, and off with a click; a refused prompt leaves it clear and says so.
// Run as administrator there, the main window and the help say so; with no
// split token the box is greyed out.
TEST_F(SimWindows, TheBoxForProgramsRunAsAdministrator)
{
    test::DropPendingQuit();
    const auto alt = [&](char key) {
        PostMessageW(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(key), 1 | (1 << 29));
        test::RunQueue();
    };
    {
        frmStartLoad plain;
        ASSERT_TRUE(test::ShowPlain(plain));
        EXPECT_FALSE(IsWindowEnabled(W(plain.chkElevated.hWnd())));
        EXPECT_EQ(plain.chkElevated.ToolTipText(), modElevated::kNotOfferedText);
        plain.vList.SetFocus();
        alt('r');  // a greyed-out box's key ticks nothing, nor a press that comes straight to it
        plain.chkElevated.OnAccessKey();
        test::RunQueue();
        EXPECT_EQ(SendMessageW(W(plain.chkElevated.hWnd()), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(machine.shell.messages.empty());
        plain.Unload();
    }
    machine.SplitToken();
    ASSERT_TRUE(machine.files.MakeFile(machine.session.exePath, "MZ"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Program Files"));
    ASSERT_TRUE(machine.files.MakeDirectory(machine.session.localAppData));
    bool accept = false;
    machine.session.elevate = [&](const std::string&, const std::string& arguments) -> std::optional<int> {
        if (!accept)
            return std::nullopt;
        os::ScopedSystem up(machine.elevatedSystem);
        return modElevated::SetUp(arguments.ends_with(" on"));
    };
    machine.shell.messageAnswer = [](const sim::SimShellDialogs::Message&) { return ui::vbOK; };
    frmStartLoad setup;
    ASSERT_TRUE(test::ShowPlain(setup));
    HWND box = W(setup.chkElevated.hWnd());
    EXPECT_TRUE(IsWindowEnabled(box));
    setup.vList.SetFocus();
    for (int i = 0; i < 12 && GetFocus() != box; ++i)  // Tab reaches it, as every control that takes keys
        test::Type(VK_TAB);
    EXPECT_EQ(GetFocus(), box);
    setup.vList.SetFocus();
    alt('r');  // refused
    EXPECT_FALSE(setup.chkElevated.Value());
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_EQ(machine.shell.messages.size(), 1u);
    EXPECT_NE(machine.shell.messages[0].prompt.find("refused"), std::string::npos);
    accept = true;
    alt('r');
    EXPECT_TRUE(setup.chkElevated.Value());
    EXPECT_TRUE(modElevated::IsOn());
    RECT r{};
    GetClientRect(box, &r);
    test::PostClick(box, 5, r.bottom / 2, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    test::RunQueue();
    EXPECT_FALSE(setup.chkElevated.Value());
    EXPECT_FALSE(modElevated::IsOn());
    EXPECT_EQ(machine.session.prompts, (std::vector<std::string>{"/elevated-setup on", "/elevated-setup on",
                                                                 "/elevated-setup off"}));
    setup.Unload();

    os::ScopedSystem elevated(machine.elevatedSystem);
    frmMount main;
    frmHelp help;
    ASSERT_TRUE(main.Load() && help.Load());
    EXPECT_EQ(main.Caption(), "Administrator: Ombrilo");
    EXPECT_EQ(help.txtHelp.Text(), HelpText(true));
    help.Unload();
}

// At a DPI where the picker comes out a few twips narrower than its design
// (51 pixels at 120 DPI for 615 twips), the folder box still starts where its
// design has it and keeps its right end: its row never reaches the buttons.
TEST_F(SimWindows, TheSetupRowKeepsItsEndsAtEveryDpi)
{
    test::DropPendingQuit();
    frmStartLoad setup;
    ASSERT_TRUE(test::ShowPlain(setup));
    int before = setup.DisplayScale().DpiY();
    for (const int dpi : {120, 144, 96}) {
        static RECT suggested;  // as Windows suggests it: the window scaled to the new DPI
        GetWindowRect(W(setup.hWnd()), &suggested);
        suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, before);
        suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, before);
        before = dpi;
        PostMessageW(W(setup.hWnd()), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        test::RunQueue();
        ASSERT_EQ(setup.DisplayScale().DpiY(), dpi);
        EXPECT_GE(setup.txtBrowse.Left(), 825) << dpi;
        EXPECT_EQ(setup.txtBrowse.Left() + setup.txtBrowse.Width(), 825 + 4335) << dpi;
    }
    setup.Unload();
}

// With the drives for programs run as administrator on, a mount and an
// unmount (Delete on its line, through the queue) in the main window reach
// the task's list at once.
TEST_F(SimWindows, TheMainWindowsChangesReachProgramsRunAsAdministrator)
{
    machine.SplitToken();
    ASSERT_TRUE(machine.files.MakeFile(machine.session.exePath, "MZ"));
    for (const std::string& folder : {std::string("C:\\Program Files"), machine.session.localAppData, std::string("C:\\Data")})
        ASSERT_TRUE(machine.files.MakeDirectory(folder));
    machine.session.elevate = [&](const std::string&, const std::string& arguments) -> std::optional<int> {
        os::ScopedSystem up(machine.elevatedSystem);
        return modElevated::SetUp(arguments.ends_with(" on"));
    };
    ASSERT_EQ(modElevated::TurnOn().exitCode, 0);
    const std::string list = machine.session.localAppData + "\\Tavrik\\elevated.ini";
    const auto listed = [&] { return machine.files.Content(list).value_or("").find("D:\t") != std::string::npos; };
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    int runs = machine.taskScheduler.runs;
    main.cmdOk.Click();
    EXPECT_EQ(machine.taskScheduler.runs, ++runs);
    EXPECT_TRUE(listed());

    main.vList.ListIndex(0);
    main.vList.SetFocus();
    PostMessageW(W(main.vList.hWnd()), WM_KEYDOWN, VK_DELETE, 0);
    test::RunQueue();
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    EXPECT_EQ(machine.taskScheduler.runs, ++runs);
    EXPECT_FALSE(listed());
}

// F10 opens the window menu where it is seen, never a menu mode that shows
// nothing and takes the keys; Shift+F10 on a control without a menu does nothing.
TEST_F(SimWindows, F10OpensTheWindowMenuOrNothing)
{
    test::DropPendingQuit();
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    test::MessageCounter menuModes(W(main.hWnd()), WM_ENTERMENULOOP);
    test::MessageCounter popups(W(main.hWnd()), WM_INITMENUPOPUP);
    BYTE keys[256] = {};
    const auto hold = [&](int key, bool held) {
        GetKeyboardState(keys);
        keys[key] = held ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    // Only F10 alone: Shift+F10 is a control's context menu, Ctrl+F10 nothing.
    for (const int modifier : {0, VK_SHIFT, VK_CONTROL}) {
        SCOPED_TRACE(modifier == VK_SHIFT ? "Shift+F10" : modifier == VK_CONTROL ? "Ctrl+F10" : "F10");
        menuModes.Reset();
        popups.Reset();
        main.cmdBoot.SetFocus();
        if (modifier)
            hold(modifier, true);
        HWND focus = GetFocus();
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_F10, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focus, WM_SYSKEYDOWN, VK_F10, 1 | scan);
        PostMessageW(focus, WM_SYSKEYUP, VK_F10, 1 | scan | static_cast<LPARAM>(0xC0000000u));
        const UINT_PTR guard = SetTimer(nullptr, 0, 300, CloseMenu);
        test::RunQueue();
        test::Pump(400);
        KillTimer(nullptr, guard);
        if (modifier)
            hold(modifier, false);
        EXPECT_EQ(menuModes.Count(), modifier ? 0 : 1);
        EXPECT_EQ(popups.Count(), modifier ? 0 : 1);  // the window menu, open on screen
        test::Type(VK_TAB);
        EXPECT_EQ(GetFocus(), W(main.cmdHelp.hWnd()));
    }
    // The window menu that opened stays the system's, drawn and read as every
    // window's, though the window draws its own pop-up menus.
    HMENU windowMenu = GetSystemMenu(W(main.hWnd()), FALSE);
    ASSERT_TRUE(windowMenu);
    ASSERT_GT(GetMenuItemCount(windowMenu), 0);
    for (int i = 0; i < GetMenuItemCount(windowMenu); ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoW(windowMenu, static_cast<UINT>(i), TRUE, &item));
        EXPECT_FALSE(item.fType & MFT_OWNERDRAW) << i;
    }
}

// A disabled button raises nothing, whoever sends its notification: the
// button itself told to click, a command naming it, or Enter for the default.
TEST_F(SimWindows, ADisabledButtonClicksForNobody)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    modMain::CommandLine = "C:\\Data";
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    HWND button = W(main.cmdOk.hWnd());
    const WPARAM clicked = MAKEWPARAM(main.cmdOk.ControlId(), BN_CLICKED);
    main.cmdOk.Enabled(false);
    main.vList.SetFocus();
    PostMessageW(button, BM_CLICK, 0, 0);
    PostMessageW(W(main.hWnd()), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button));
    test::Type(VK_RETURN);
    main.cboDrive.SetFocus();
    test::Type(VK_RETURN);  // Enter where it would press the default button
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());

    main.cmdOk.Enabled(true);  // the same command mounts once the button may be used
    PostMessageW(W(main.hWnd()), WM_COMMAND, clicked, reinterpret_cast<LPARAM>(button));
    test::RunQueue();
    EXPECT_EQ(machine.dos.Mappings("D:").size(), 1u);
}

UINT g_defaultItem = 0;
LRESULT CALLBACK NoteDefaultItem(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_INITMENUPOPUP)
        g_defaultItem = GetMenuDefaultItem(reinterpret_cast<HMENU>(wParam), FALSE, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

// A right press acts on the line under the pointer, never on the one selected
// before; below the last line it opens no menu. Its default item is "&Open".
TEST_F(SimWindows, ARightPressActsOnTheLineUnderThePointer)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Other"));
    ASSERT_TRUE(machine.dos.Define(0, "D:", "C:\\Data"));
    ASSERT_TRUE(machine.dos.Define(0, "E:", "C:\\Other"));
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    test::MessageCounter menus(W(main.hWnd()), WM_INITMENUPOPUP);
    ASSERT_TRUE(SetWindowSubclass(W(main.hWnd()), NoteDefaultItem, 7, 0));
    HWND list = W(main.vList.hWnd());
    const int line = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_EQ(main.vList.ListCount(), 2);
    main.vList.ListIndex(0);  // D: selected

    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, line + line / 2));  // on E:
    test::PostKey(list, VK_UP);      // the menu's last item,
    test::PostKey(list, VK_RETURN);  // "Unmount"
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(20, line + line / 2));
    test::RunQueue();
    EXPECT_EQ(menus.Count(), 1);
    EXPECT_EQ(g_defaultItem, static_cast<UINT>(main.mnuMenuOpen.ControlId()));
    RemoveWindowSubclass(W(main.hWnd()), NoteDefaultItem, 7);
    EXPECT_TRUE(machine.dos.Mappings("E:").empty());
    EXPECT_EQ(machine.dos.Mappings("D:").size(), 1u);

    menus.Reset();
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, line * 4));  // below the last line
    test::PostKey(list, VK_ESCAPE);
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(20, line * 4));
    test::RunQueue();
    EXPECT_EQ(menus.Count(), 0);

    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, line / 2));  // a left press on D: only selects it
    test::PostKey(list, VK_ESCAPE);
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(20, line / 2));
    test::RunQueue();
    EXPECT_EQ(menus.Count(), 0);
    EXPECT_EQ(main.vList.ListIndex(), 0);
}

// Windows leaves the letter of an owner-drawn menu item to its window's
// WM_MENUCHAR; Wine also finds it in the item's own text. Taking that text out
// of the open menu makes the key come the way Windows sends it.
LRESULT CALLBACK HideItemTexts(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_INITMENUPOPUP) {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_STRING;
            item.dwTypeData = const_cast<wchar_t*>(L"");
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        }
    }
    return result;
}


// The pop-up menus draw their items themselves, and each item is still chosen
// by the letter its caption marks.
TEST_F(SimWindows, AMenuItemIsChosenByItsAccessKey)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Data"));
    ASSERT_TRUE(machine.files.MakeDirectory("C:\\Other"));
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\Tavrik.ini", "C:\\Other\r\n"));
    ASSERT_TRUE(machine.dos.Define(0, "D:", "C:\\Data"));
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    ASSERT_EQ(main.cboDrive.Text(), "E: ");
    ASSERT_TRUE(SetWindowSubclass(W(main.hWnd()), HideItemTexts, 1, 0));
    const auto choose = [](const ui::ListBox& list, UINT key) {
        HWND window = W(list.hWnd());
        const int line = static_cast<int>(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
        PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, line / 2));
        test::PostKey(window, key);
        PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(20, line / 2));
        const UINT_PTR guard = SetTimer(nullptr, 0, 2000, CloseMenu);
        test::RunQueue();
        KillTimer(nullptr, guard);
    };

    choose(main.vList, 'U');  // &Unmount
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    choose(main.oList, 'M');  // &Mount
    EXPECT_EQ(machine.dos.Mappings("E:"), std::vector<std::string>{"\\??\\C:\\Other"});
    choose(main.oList, 'C');  // &Clear
    EXPECT_FALSE(machine.files.Exists("C:\\Tools\\Tavrik.ini"));
    EXPECT_EQ(main.oList.ListCount(), 0);
    EXPECT_TRUE(machine.shell.messages.empty());
    RemoveWindowSubclass(W(main.hWnd()), HideItemTexts, 1);
}

// The setup list's lines are removed from its menu, by mouse and by key, as with Delete.
TEST_F(SimWindows, TheSetupListHasAMenuToRemoveALine)
{
    test::DropPendingQuit();
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\mount.ini", "m: \tc:\\one\r\nn: \tc:\\two\r\n"));
    frmStartLoad setup;
    ASSERT_TRUE(test::ShowPlain(setup));
    HWND list = W(setup.vList.hWnd());
    const int line = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, line + line / 2));  // on the second
    test::PostKey(list, 'R');
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(20, line + line / 2));
    const UINT_PTR guard = SetTimer(nullptr, 0, 2000, CloseMenu);
    test::RunQueue();
    KillTimer(nullptr, guard);
    EXPECT_EQ(Items(setup.vList), std::vector<std::string>{"m: \tc:\\one"});
    setup.Unload();
    EXPECT_EQ(machine.files.Content("C:\\Tools\\mount.ini"), "m: \tc:\\one\r\n");
}

TEST_F(SimWindows, HelpWindowHoldsTheHelpText)
{
    frmHelp help;
    help.Load();
    EXPECT_EQ(help.txtHelp.Text(), HelpText());
    SendMessageW(ui::win::H(help.txtHelp.hWnd()), WM_CHAR, 'x', 0);
    SendMessageW(ui::win::H(help.txtHelp.hWnd()), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageW(ui::win::H(help.txtHelp.hWnd()), WM_PASTE, 0, 0);
    EXPECT_EQ(help.txtHelp.Text(), HelpText());
    help.Unload();
}

// ---- the toolkit -----------------------------------------------------------

// Moved to a screen of twice the DPI (WM_DPICHANGED through the queue), the
// main window lays itself out again at that scale: its controls, their fonts
// and the skinned frame, within the place the system suggests.
TEST_F(SimWindows, TheMainWindowLaysItselfOutAgainAtANewDpi)
{
    test::DropPendingQuit();
    frmMount main;
    ASSERT_TRUE(test::ShowPlain(main));
    HWND window = W(main.hWnd());
    const auto size = [](ui::WindowHandle handle) {
        RECT r{};
        GetWindowRect(ui::win::H(handle), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const auto fontHeight = [](ui::WindowHandle handle) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(ui::win::H(handle), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    EXPECT_EQ(size(main.cmdOk.hWnd()).cx, 54);  // 810 twips
    EXPECT_EQ(fontHeight(main.vList.hWnd()), -11);
    RECT before{};
    GetWindowRect(window, &before);
    static RECT suggested;
    suggested = RECT{before.left, before.top, before.left + 2 * (before.right - before.left),
                     before.top + 2 * (before.bottom - before.top)};
    PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    test::RunQueue();

    EXPECT_EQ(main.DisplayScale().DpiY(), 192);
    EXPECT_EQ(size(main.hWnd()).cx, suggested.right - suggested.left);
    EXPECT_EQ(size(main.cmdOk.hWnd()).cx, 108);
    EXPECT_EQ(fontHeight(main.vList.hWnd()), -22);
    EXPECT_EQ(size(main.TamselXPForm1.CloseButton.hWnd()).cx, 42);
    EXPECT_EQ(main.TamselXPForm1.CurrentLayout().Title.height, 60);
}

// At the screen's DPI every label of the main window shows its whole caption
// in its own font (at 144 and 192 DPI the outline design, wider than the
// bitmaps the labels were sized for), and the picker's box its widest letter
// beside the system's button for that DPI. journey_dpi runs this at 144 and 192.
TEST_F(SimWindows, EveryLabelShowsItsWholeCaptionAtTheScreensDpi)
{
    {
        const int dpi = ui::ScreenScale().DpiY();
        frmMount main;
        ASSERT_TRUE(main.Load());
        for (const ui::Label* label : {&main.Label1, &main.Label2, &main.Label3}) {
            HWND window = W(label->hWnd());
            const ui::win::WindowDc dc(window);
            const ui::win::Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
            const std::wstring caption = os::win::Wide(label->Caption());
            SIZE text{};
            GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
            RECT client{};
            GetClientRect(window, &client);
            EXPECT_LE(text.cx, client.right) << label->Caption() << " at " << dpi;
            EXPECT_LE(text.cy, client.bottom) << label->Caption() << " at " << dpi;
        }
        HWND picker = W(main.cboDrive.hWnd());
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(picker, &info));
        RECT shown{};  // where the picker's edit shows its text
        SendMessageW(info.hwndItem, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
        const ui::win::WindowDc dc(picker);
        const ui::win::Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(picker, WM_GETFONT, 0, 0)));
        for (int i = 0; i < main.cboDrive.ListCount(); ++i) {
            const std::wstring item = os::win::Wide(main.cboDrive.List(i));
            SIZE text{};
            GetTextExtentPoint32W(dc.Get(), item.c_str(), static_cast<int>(item.size()), &text);
            EXPECT_LT(text.cx, shown.right - shown.left) << main.cboDrive.List(i) << " at " << dpi;
        }
    }
}

// At the screen's DPI no two controls of a window overlap unless one holds
// the other, and the boxes and buttons of one row have one height.
// journey_dpi runs this at 120, 144, 168 and 192.
TEST_F(SimWindows, NoTwoControlsOverlapAndARowKeepsOneHeight)
{
    modMain::CommandLine = "C:\\Program Files\\A folder whose name is long\\and deeper still\\to the last";
    frmMount main;
    frmStartLoad setup;
    frmHelp help;
    frmLabel rename("D:", "A label");
    const int dpi = ui::ScreenScale().DpiY();
    for (ui::Form* form : std::initializer_list<ui::Form*>{&main, &setup, &help, &rename}) {
        ASSERT_TRUE(form->Load());
        struct Box {
            std::string name;
            RECT at;
            bool inRow;  // a box or button, whose row keeps one height
        };
        std::vector<Box> boxes;
        const ui::Scale& scale = form->DisplayScale();
        for (const ui::Control* control : form->Controls()) {
            if (!control->Visible() || control->Name().starts_with("TamselXPForm") ||
                dynamic_cast<const ui::Menu*>(control) || dynamic_cast<const ui::Timer*>(control))
                continue;
            RECT at{};
            HWND window = W(control->hWnd());
            if (window) {
                GetWindowRect(window, &at);
                MapWindowPoints(nullptr, W(form->hWnd()), reinterpret_cast<POINT*>(&at), 2);
            } else {
                at = RECT{scale.TwipsToPixelsX(control->Left()), scale.TwipsToPixelsY(control->Top()),
                          scale.TwipsToPixelsX(control->Left() + control->Width()),
                          scale.TwipsToPixelsY(control->Top() + control->Height())};
            }
            if (at.right <= at.left || at.bottom <= at.top)
                continue;  // nothing on screen (a control of no size)
            const bool inRow = dynamic_cast<const ui::ComboBox*>(control) ||
                               dynamic_cast<const ui::CommandButton*>(control) ||
                               (dynamic_cast<const ui::TextBox*>(control) &&
                                !static_cast<const ui::TextBox*>(control)->MultiLine);
            boxes.push_back({control->Name(), at, inRow});
        }
        const auto holds = [](const RECT& outer, const RECT& inner) {
            return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
                   inner.bottom <= outer.bottom;
        };
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const Box& a = boxes[i];
                const Box& b = boxes[j];
                RECT common{};
                if (IntersectRect(&common, &a.at, &b.at) && !holds(a.at, b.at) && !holds(b.at, a.at))
                    ADD_FAILURE() << form->Caption() << " at " << dpi << " DPI: " << a.name << " (" << a.at.left
                                  << "," << a.at.top << "-" << a.at.right << "," << a.at.bottom << ") overlaps "
                                  << b.name << " (" << b.at.left << "," << b.at.top << "-" << b.at.right << ","
                                  << b.at.bottom << ")";
                if (a.inRow && b.inRow && a.at.top < b.at.bottom && b.at.top < a.at.bottom) {
                    EXPECT_EQ(a.at.bottom - a.at.top, b.at.bottom - b.at.top)
                        << form->Caption() << " at " << dpi << " DPI: " << a.name << " and " << b.name;
                }
            }
    }
}

class Probe : public ui::Form {
public:
    Probe() : ui::Form(Design()) {}
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Probe";
        design.ClientWidth = 3000;
        design.ClientHeight = 1500;
        design.BorderStyle = ui::vbFixedSingle;
        design.MaxButton = false;
        return design;
    }
    ui::Label lblA{*this, "lblA"};
    ui::Menu mnuFile{*this, "mnuFile", "&File"};
    ui::Menu mnuFileOpen{*this, "mnuFileOpen", "&Open", &mnuFile};
    ui::Timer tmr{*this, "tmr"};
    int loads = 0;
    std::vector<int> asked;  // the unload modes it was asked with
    bool refuses = false;    // cancels every unload it is asked for

protected:
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        asked.push_back(UnloadMode);
        Cancel = refuses;
    }
    void Form_Unload(int& Cancel) override { Cancel = refuses; }
};

// Asked whether it may go, a form hears why: its close box, the program's
// code, or the end of the session.
TEST(Toolkit, AFormAskedWhetherItMayGoHearsWhy)
{
    test::DropPendingQuit();
    const std::pair<void (*)(Probe&), int> ways[] = {
        {[](Probe& form) { PostMessageW(ui::win::H(form.hWnd()), WM_CLOSE, 0, 0); }, ui::vbFormControlMenu},
        {[](Probe& form) { form.Unload(); }, ui::vbFormCode},
        {[](Probe& form) { PostMessageW(ui::win::H(form.hWnd()), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); },
         ui::vbAppWindows},
    };
    for (const auto& [go, mode] : ways) {
        Probe form;
        ASSERT_TRUE(form.Load());
        go(form);
        test::RunQueue();
        EXPECT_EQ(form.asked, std::vector<int>{mode});
        const bool gone = !form.Loaded();
        form.Unload();  // once gone, it is not asked again
        if (gone) {
            EXPECT_EQ(form.asked, std::vector<int>{mode});
            EXPECT_FALSE(form.lblA.hWnd());  // and its controls hold no window that is gone
        }
        test::DropPendingQuit();
    }
    // A form that will not go stays on its close box and keeps the session
    // from ending, but goes once the session ends all the same.
    Probe stubborn;
    stubborn.refuses = true;
    ASSERT_TRUE(stubborn.Load());
    HWND window = ui::win::H(stubborn.hWnd());
    PostMessageW(window, WM_CLOSE, 0, 0);
    test::RunQueue();
    EXPECT_TRUE(stubborn.Loaded());
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(stubborn.Loaded());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // its last form gone, the program ends
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM data)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

int g_relayed = 0;

LRESULT CALLBACK CountRelays(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == TTM_RELAYEVENT)
        ++g_relayed;
    return DefSubclassProc(window, message, wParam, lParam);
}

// Windows may refuse a window (out of resources, a hook): the form says so,
// runs no load step on half a window, and can be loaded once Windows agrees.
TEST(Toolkit, AFormWhoseWindowOrControlIsRefusedReportsIt)
{
    for (const wchar_t* refused : {L"TavrikForm", L"Static"}) {
        SCOPED_TRACE(refused);
        test::DropPendingQuit();
        Probe probe;
        {
            const test::RefusedWindows hook(refused);
            ASSERT_TRUE(hook);
            EXPECT_FALSE(probe.Load());
            EXPECT_FALSE(probe.Show());
            EXPECT_FALSE(probe.Loaded());
            EXPECT_EQ(probe.loads, 0);
        }
        EXPECT_TRUE(probe.Load());
        EXPECT_EQ(probe.loads, 1);
        probe.Unload();
    }
    test::DropPendingQuit();
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The same for a control of every kind, the program's own drawn ones too:
// whichever window is refused, none of the others is left behind.
class EveryKind : public Probe {
public:
    ui::ListBox lst{*this, "lst"};
    ui::ComboBox cbo{*this, "cbo"};
    ui::TextBox txt{*this, "txt"};
    ui::CommandButton cmd{*this, "cmd"};
    ui::CheckBox chk{*this, "chk"};
    ui::PictureBox pic{*this, "pic"};
    XPButtonWindow xp{*this, "XPButton1"};
    LabelMenuWindow menu{*this, "LbMenu1"};
    ControlButtonWindow close{*this, "CloseButton"};
};

TEST(Toolkit, AFormWithAnyOfItsControlsRefusedIsNotLeftHalfMade)
{
    const int before = ThreadWindows();
    const std::pair<const wchar_t*, const wchar_t*> kinds[] = {
        {L"ListBox", nullptr}, {L"ComboBox", nullptr},       {L"Edit", nullptr},
        {L"Button", L"Go"},    {L"Button", L"Keep"},         {L"Static", L"Name"},
        {L"Static", L""},      {L"TavrikXPButton", nullptr}, {L"TavrikMenuItem", nullptr},
        {L"TavrikCaptionButton", nullptr}};
    for (const auto& [refused, text] : kinds) {
        SCOPED_TRACE(os::win::Narrow(refused) + " " + (text ? os::win::Narrow(text) : ""));
        test::DropPendingQuit();
        EveryKind form;
        form.lblA.Caption("Name");
        form.cmd.Caption("Go");
        form.chk.Caption("Keep");
        {
            const test::RefusedWindows hook(refused, text);
            ASSERT_TRUE(hook);
            EXPECT_FALSE(form.Load());
            EXPECT_EQ(form.loads, 0);
            EXPECT_EQ(ThreadWindows(), before);
            const ui::Control* const made[] = {&form.lst, &form.xp, &form.close};
            for (const ui::Control* control : made)
                EXPECT_FALSE(control->hWnd());
        }
        EXPECT_TRUE(form.Load());
        EXPECT_TRUE(form.menu.hWnd() && form.close.hWnd() && form.cbo.hWnd());
        form.Unload();
    }
    test::DropPendingQuit();
}

// A form that goes again in its own load step is not loaded, and says so.
class GoesAtOnce : public Probe {
protected:
    void Form_Load() override
    {
        Probe::Form_Load();
        Unload();
    }
};

TEST(Toolkit, AFormThatGoesInItsLoadStepIsNotLoaded)
{
    test::DropPendingQuit();
    GoesAtOnce form;
    EXPECT_FALSE(form.Load());
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(form.Show());
    EXPECT_EQ(form.loads, 2);
    test::DropPendingQuit();
}

TEST(Toolkit, FormGeometryIsInTwipsAndControlsKeepTheirOrder)
{
    test::DropPendingQuit();
    Probe probe;
    EXPECT_FALSE(probe.Loaded());
    // Before it has a window, its inside is the design's.
    EXPECT_EQ(std::pair(probe.ScaleWidth(), probe.ScaleHeight()), std::pair(3000, 1500));
    probe.Load();
    probe.Load();
    EXPECT_EQ(probe.loads, 1);
    EXPECT_EQ(probe.ScaleWidth(), 3000);
    EXPECT_EQ(probe.ScaleHeight(), 1500);
    EXPECT_GT(probe.Width(), 3000);  // the outer size includes the border
    EXPECT_GT(probe.Height(), 1500);
    EXPECT_EQ(probe.Width() % 15, 0);
    EXPECT_EQ(probe.BorderStyle(), ui::vbFixedSingle);
    EXPECT_FALSE(probe.MaxButton());

    probe.Move(1500, 750, 4500, 3000);
    EXPECT_EQ(probe.Left(), 1500);
    EXPECT_EQ(probe.Top(), 750);
    EXPECT_EQ(probe.Width(), 4500);
    EXPECT_EQ(probe.Height(), 3000);

    std::vector<std::string> names;
    for (const auto* control : probe.Controls())
        names.push_back(control->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"lblA", "mnuFile", "mnuFileOpen", "tmr"}));
    EXPECT_EQ(probe.Menus(), (std::vector<ui::Menu*>{&probe.mnuFile, &probe.mnuFileOpen}));

    // Hover hints can be given or taken back after loading. A form without
    // hints has no tooltip window; its first hint makes one.
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    EXPECT_EQ(tooltip, nullptr);
    probe.lblA.ToolTipText("A hint");
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    // A hinted window hands the mouse on to the tooltip, and stops with its hint.
    ASSERT_TRUE(SetWindowSubclass(tooltip, CountRelays, 1, 0));
    g_relayed = 0;
    HWND label = ui::win::H(probe.lblA.hWnd());
    const auto hover = [label] {
        PostMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        PostMessageW(label, WM_KEYDOWN, VK_SHIFT, 0);  // not a mouse message: not handed on
        test::RunQueue();
    };
    hover();
    EXPECT_EQ(g_relayed, 1);
    probe.lblA.ToolTipText("");
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
    hover();
    EXPECT_EQ(g_relayed, 1);
    RemoveWindowSubclass(tooltip, CountRelays, 1);

    probe.mnuFile.Tag("MainMenu");
    EXPECT_EQ(probe.mnuFile.Tag(), "MainMenu");
    EXPECT_NE(GetMenu(ui::win::H(probe.hWnd())), nullptr);
    probe.mnuFile.Visible(false);
    EXPECT_EQ(GetMenu(ui::win::H(probe.hWnd())), nullptr);
    probe.Unload();
    EXPECT_FALSE(probe.Loaded());
}

// A form kept out of the taskbar (the splash) is a tool window, which has no
// button there; a fixed dialog's border is the dialog frame; a caption has
// the boxes the design asks for, a form without a border none. A menu kept
// hidden for a pop-up takes no room from the design's client area.
TEST(Toolkit, TheDesignSaysWhereTheWindowIsListedAndHowItIsFramed)
{
    struct Case {
        int border;
        bool inTaskbar, minButton;
        LONG exStyle, boxes;
    };
    for (const Case& c : {Case{ui::vbFixedSingle, true, false, 0, WS_SYSMENU},
                          Case{ui::vbBSNone, false, true, WS_EX_TOOLWINDOW, 0},
                          Case{ui::vbFixedDialog, true, true, WS_EX_DLGMODALFRAME, WS_SYSMENU | WS_MINIMIZEBOX}}) {
        ui::FormDesign design = Probe::Design();
        design.BorderStyle = c.border;
        design.ShowInTaskbar = c.inTaskbar;
        design.MinButton = c.minButton;
        ui::Form form(design);
        ui::Menu popup{form, "mnuPopup", "&Popup"};
        popup.Visible(false);
        ASSERT_TRUE(form.Load());
        EXPECT_EQ(form.ScaleHeight(), design.ClientHeight) << c.border;
        HWND window = ui::win::H(form.hWnd());
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME), c.exStyle) << c.border;
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), c.boxes) << c.border;
        form.Unload();
    }
    test::DropPendingQuit();
}

// A form whose controls and menu items are set up before it has windows.
class Early : public ui::Form {
public:
    static ui::FormDesign Design()
    {
        ui::FormDesign design = Probe::Design();
        design.Icon = 900;  // the test program's icon
        return design;
    }
    Early() : ui::Form(Design())
    {
        txtEarly.Move(0, 0, 1500, 300);
        txtTyped.Move(0, 400, 1500, 300);
        cboTyped.Move(0, 800, 1500, 300);
        lstLines.Move(1600, 0, 1300, 1000);
        chkKeep.Caption("&Keep");
        chkKeep.Move(1600, 1100, 1300, 300);
        txtNotes.MultiLine = true;
        txtNotes.Move(0, 1150, 700, 300);
        lblNote.Move(800, 1150, 300, 300);
        shpMark.Move(1510, 400, 60, 60);
    }
    ui::TextBox txtEarly{*this, "txtEarly"};
    ui::TextBox txtTyped{*this, "txtTyped"};
    ui::ComboBox cboTyped{*this, "cboTyped"};
    ui::ListBox lstLines{*this, "lstLines"};
    ui::CheckBox chkKeep{*this, "chkKeep"};
    ui::TextBox txtNotes{*this, "txtNotes"};
    ui::Label lblNote{*this, "lblNote"};
    ui::Shape shpMark{*this, "shpMark"};
    ui::Menu mnuEdit{*this, "mnuEdit", "&Edit"};
    ui::Menu mnuEditCut{*this, "mnuEditCut", "Cu&t", &mnuEdit};
    ui::Menu mnuEditHidden{*this, "mnuEditHidden", "&Hidden", &mnuEdit};
    ui::Menu mnuEditGreyed{*this, "mnuEditGreyed", "&Greyed", &mnuEdit};
};

int g_popupItems = -1;
// Two items of the pop-up and their states there (-1: not in it).
UINT g_greyedItem = 0, g_greyedState = 0, g_hiddenItem = 0, g_hiddenState = 0;

LRESULT CALLBACK CountPopupItems(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_INITMENUPOPUP) {
        g_popupItems = GetMenuItemCount(reinterpret_cast<HMENU>(wParam));
        g_greyedState = GetMenuState(reinterpret_cast<HMENU>(wParam), g_greyedItem, MF_BYCOMMAND);
        g_hiddenState = GetMenuState(reinterpret_cast<HMENU>(wParam), g_hiddenItem, MF_BYCOMMAND);
        PostMessageW(window, WM_CANCELMODE, 0, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

POINT g_popupPlace{-1, -1};  // the top left corner of the pop-up menu shown

LRESULT CALLBACK NotePopupPlace(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && lParam) {
        RECT r{};
        GetWindowRect(reinterpret_cast<HWND>(lParam), &r);
        g_popupPlace = POINT{r.left, r.top};
        PostMessageW(window, WM_CANCELMODE, 0, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Chooses the pop-up's first item with the right button, as a pop-up opened
// by a right click is often answered.
LRESULT CALLBACK ChooseWithRightButton(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && lParam) {
        HWND popup = reinterpret_cast<HWND>(lParam);
        RECT item{};
        GetMenuItemRect(nullptr, reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)), 0, &item);
        const POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        SetCursorPos(at.x, at.y);
        for (const UINT press : {WM_RBUTTONDOWN, WM_RBUTTONUP})
            PostMessageW(popup, press, press == WM_RBUTTONDOWN ? MK_RBUTTON : 0, MAKELPARAM(at.x, at.y));
        RemoveWindowSubclass(window, ChooseWithRightButton, 1);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

Early* g_modal = nullptr;
HWND g_modalOwner = nullptr;
bool g_shownAgainReturned = false, g_ownerWaited = false;

void CALLBACK ShowModalAgain(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_ownerWaited = !IsWindowEnabled(g_modalOwner);
    g_modal->Show(1);
    g_shownAgainReturned = g_modal->Loaded();
    g_modal->Unload();
}

void CALLBACK HideModal(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_modal->Hide();
}

void CALLBACK QuitWhileModal(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostQuitMessage(5);
}

// Only a second show that waits needs this: its loop ends here.
void CALLBACK UnloadModal(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_modal->Unload();
}

// A form shown modally while it is so already is not shown again: the call
// returns at once, and the one loop ends when the form closes.
TEST(Toolkit, AModalFormIsShownModallyOnceAndHoldsTheOthersMeanwhile)
{
    test::DropPendingQuit();
    Early owner, modal;
    ASSERT_TRUE(test::ShowPlain(owner));
    g_modal = &modal;
    g_shownAgainReturned = g_ownerWaited = false;
    g_modalOwner = ui::win::H(owner.hWnd());
    const UINT_PTR ask = SetTimer(nullptr, 0, 50, ShowModalAgain);
    const UINT_PTR guard = SetTimer(nullptr, 0, 1000, UnloadModal);
    modal.Show(1, &owner);
    KillTimer(nullptr, ask);
    KillTimer(nullptr, guard);
    EXPECT_TRUE(g_shownAgainReturned);
    EXPECT_TRUE(g_ownerWaited);
    EXPECT_TRUE(IsWindowEnabled(g_modalOwner));
    // Shown modally without an owner, it gives the activation back to the
    // form that waited for it.
    const UINT_PTR close = SetTimer(nullptr, 0, 50, UnloadModal);
    modal.Show(1);
    KillTimer(nullptr, close);
    EXPECT_EQ(GetActiveWindow(), g_modalOwner);
    // With an owner, to the owner, though another form waited as well; a
    // form disabled before stays so.
    Early second, disabled;
    ASSERT_TRUE(test::ShowPlain(second));
    ASSERT_TRUE(test::ShowPlain(disabled));
    EnableWindow(ui::win::H(disabled.hWnd()), FALSE);
    const UINT_PTR closeOwned = SetTimer(nullptr, 0, 50, UnloadModal);
    modal.Show(1, &second);
    KillTimer(nullptr, closeOwned);
    EXPECT_EQ(GetActiveWindow(), ui::win::H(second.hWnd()));
    EXPECT_FALSE(IsWindowEnabled(ui::win::H(disabled.hWnd())));
    disabled.Unload();
    second.Unload();
    // Hidden, it is shown modally no longer: the show returns, the form still loaded.
    const UINT_PTR hide = SetTimer(nullptr, 0, 50, HideModal);
    const UINT_PTR unload = SetTimer(nullptr, 0, 1000, UnloadModal);
    modal.Show(1);
    KillTimer(nullptr, hide);
    KillTimer(nullptr, unload);
    EXPECT_TRUE(modal.Loaded());
    // A quit met by the modal loop ends it and is left for the program's own loop.
    const UINT_PTR quit = SetTimer(nullptr, 0, 50, QuitWhileModal);
    const UINT_PTR stop = SetTimer(nullptr, 0, 1000, UnloadModal);
    modal.Show(1);
    KillTimer(nullptr, quit);
    KillTimer(nullptr, stop);
    MSG left{};
    EXPECT_TRUE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(left.wParam, 5u);
    modal.Unload();
    owner.Unload();
    test::DropPendingQuit();
}

// What was set before the windows existed is what they are made with: a
// disabled or hidden control, a list's selection, a ticked box, the form's
// icon, and menu items hidden or greyed, in the menu bar and in the same menu
// opened as a pop-up.
TEST(Toolkit, WhatIsSetBeforeTheWindowsExistIsWhatTheyShow)
{
    test::DropPendingQuit();
    Early form;
    form.txtEarly.Enabled(false);
    form.txtEarly.Visible(false);
    form.mnuEditHidden.Visible(false);
    form.mnuEditGreyed.Enabled(false);
    // A list's selection: only a line it has, the last one asked for, which
    // stays on its line as a line before it goes.
    form.lstLines.AddItem("zero");
    form.lstLines.AddItem("one");
    form.lstLines.AddItem("two");
    for (const auto& [asked, kept] : {std::pair{2, 2}, std::pair{3, -1}, std::pair{-2, -1}, std::pair{2, 2}}) {
        form.lstLines.ListIndex(asked);
        EXPECT_EQ(form.lstLines.ListIndex(), kept) << asked;
    }
    // ... and goes with its own line.
    for (const auto& [selected, removed, left] : {std::tuple{0, 0, -1}, std::tuple{1, 2, 1}, std::tuple{2, 0, 1}}) {
        form.lstLines.Clear();
        for (const char* line : {"zero", "one", "two"})
            form.lstLines.AddItem(line);
        form.lstLines.ListIndex(selected);
        form.lstLines.RemoveItem(removed);
        EXPECT_EQ(form.lstLines.ListIndex(), left) << selected << " " << removed;
        EXPECT_EQ(form.lstLines.List(form.lstLines.ListCount()), "");  // no line past the last
    }
    form.lstLines.AddItem(std::string(60, 'W'));  // its widest line, not its last, sets how far it scrolls
    form.lstLines.AddItem("w");
    form.chkKeep.Value(true);
    form.cboTyped.Text("typed early");
    form.txtNotes.TabIndex(0);  // declared late, first in tab order: its window comes first, as Tab walks them
    form.chkKeep.TabIndex(1);
    // Made larger while it is laid out hidden, the form's inside grows with it;
    // only moved, it has not been resized.
    struct Widen : ui::FormListener {
        explicit Widen(ui::Form& form) : form(form) {}
        void FormShown() override
        {
            if (form.Visible())
                return;
            const int before = resizes;  // the window's making is one
            form.Move(form.Left() + 150, form.Top(), form.Width(), form.Height());
            resizesWhenMoved = resizes - before;
            form.Move(form.Left(), form.Top(), form.Width() + 300, form.Height() + 150);
            inside = {form.ScaleWidth(), form.ScaleHeight()};
        }
        void FormResized() override { ++resizes; }
        ui::Form& form;
        std::pair<int, int> inside;
        int resizes = 0, resizesWhenMoved = -1;
    } widen(form);
    const int designHeight = form.ScaleHeight();
    form.AddListener(widen);
    ASSERT_TRUE(form.Show());
    form.RemoveListener(widen);
    EXPECT_EQ(widen.inside, std::pair(form.ScaleWidth(), form.ScaleHeight()));
    EXPECT_EQ(widen.inside, std::pair(3300, designHeight + 150));
    EXPECT_EQ(widen.resizesWhenMoved, 0);
    EXPECT_GT(widen.resizes, 0);
    {
        HWND list = ui::win::H(form.lstLines.hWnd());
        const ui::win::WindowDc dc(list);
        const ui::win::Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32W(dc.Get(), std::wstring(60, L'W').c_str(), 60, &text);
        // The widest line and the list's edge on either side.
        EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), text.cx + 2 * GetSystemMetrics(SM_CXEDGE));
    }
    // A line's place (where its menu opens) is below it, in the form; a line
    // it does not have has none.
    const auto first = form.lstLines.ItemPlace(0), second = form.lstLines.ItemPlace(1);
    ASSERT_TRUE(first && second);
    EXPECT_GE(first->first, form.lstLines.Left());
    EXPECT_GT(second->second, first->second);
    EXPECT_FALSE(form.lstLines.ItemPlace(form.lstLines.ListCount()));
    HWND box = ui::win::H(form.txtEarly.hWnd());
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(form.lstLines.Text(), "two");
    EXPECT_EQ(form.cboTyped.Text(), "typed early");
    HWND check = ui::win::H(form.chkKeep.hWnd());
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetWindow(ui::win::H(form.hWnd()), GW_CHILD), ui::win::H(form.txtNotes.hWnd()));
    EXPECT_EQ(GetWindow(ui::win::H(form.txtNotes.hWnd()), GW_HWNDNEXT), check);
    for (const WPARAM size : {ICON_BIG, ICON_SMALL})
        EXPECT_NE(SendMessageW(ui::win::H(form.hWnd()), WM_GETICON, size, 0), 0) << size;  // the design's

    // Its access key does what the dialog manager does: the box takes the
    // focus, and its tick changes.
    ASSERT_TRUE(ui::Form::RouteAccessKey(form.hWnd(), 'K'));
    EXPECT_EQ(GetFocus(), check);
    EXPECT_FALSE(form.chkKeep.Value());
    EXPECT_FALSE(ui::Form::RouteAccessKey(form.hWnd(), 0x16B));  // a letter of another script, ending 0x6B as 'k' does
    EXPECT_FALSE(form.chkKeep.Value());
    // Either case of the letter reaches it, at both ends of the alphabet too.
    for (const char* caption : {"&Apart", "&Zoom", "&Keep"}) {
        form.chkKeep.Caption(caption);
        const char upper = caption[1], lower = static_cast<char>(upper - 'A' + 'a');
        for (const char key : {upper, lower}) {
            const bool before = form.chkKeep.Value();
            EXPECT_TRUE(ui::Form::RouteAccessKey(form.hWnd(), static_cast<unsigned char>(key))) << key;
            EXPECT_NE(form.chkKeep.Value(), before) << key;
        }
    }

    HMENU edit = GetSubMenu(GetMenu(ui::win::H(form.hWnd())), 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetMenuItemCount(edit), 2);
    EXPECT_EQ(GetMenuState(edit, static_cast<UINT>(form.mnuEditGreyed.ControlId()), MF_BYCOMMAND) & MF_GRAYED,
              static_cast<UINT>(MF_GRAYED));
    for (const bool enabled : {false, true}) {  // and a menu of the bar itself
        form.mnuEdit.Enabled(enabled);
        form.MenusChanged();
        EXPECT_EQ(GetMenuState(GetMenu(ui::win::H(form.hWnd())), 0, MF_BYPOSITION) & MF_GRAYED,
                  enabled ? 0u : static_cast<UINT>(MF_GRAYED));
    }
    edit = GetSubMenu(GetMenu(ui::win::H(form.hWnd())), 0);
    ASSERT_TRUE(SetWindowSubclass(ui::win::H(form.hWnd()), CountPopupItems, 1, 0));
    g_greyedItem = static_cast<UINT>(form.mnuEditGreyed.ControlId());
    g_hiddenItem = static_cast<UINT>(form.mnuEditHidden.ControlId());
    const UINT_PTR guard = SetTimer(nullptr, 0, 2000, CloseMenu);
    form.PopupMenu(form.mnuEdit);
    KillTimer(nullptr, guard);
    RemoveWindowSubclass(ui::win::H(form.hWnd()), CountPopupItems, 1);
    EXPECT_EQ(g_popupItems, 2);
    EXPECT_NE(g_greyedState, static_cast<UINT>(-1));  // greyed, but there
    EXPECT_EQ(g_greyedState & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(g_hiddenState, static_cast<UINT>(-1));
    // Opened at a point of the form, it opens there, wherever the pointer is.
    SetCursorPos(0, 0);
    ASSERT_TRUE(SetWindowSubclass(ui::win::H(form.hWnd()), NotePopupPlace, 1, 0));
    const UINT_PTR close = SetTimer(nullptr, 0, 2000, CloseMenu);
    form.PopupMenu(form.mnuEdit, 1500.f, 750.f);
    KillTimer(nullptr, close);
    RemoveWindowSubclass(ui::win::H(form.hWnd()), NotePopupPlace, 1);
    POINT asked{form.DisplayScale().TwipsToPixelsX(1500), form.DisplayScale().TwipsToPixelsY(750)};
    ClientToScreen(ui::win::H(form.hWnd()), &asked);
    EXPECT_EQ(std::pair(g_popupPlace.x, g_popupPlace.y), std::pair(asked.x, asked.y));
    // The right button chooses an item as the left one does.
    int cuts = 0;
    form.mnuEditCut.Click = [&cuts] { ++cuts; };
    ASSERT_TRUE(SetWindowSubclass(ui::win::H(form.hWnd()), ChooseWithRightButton, 1, 0));
    const UINT_PTR stop = SetTimer(nullptr, 0, 2000, CloseMenu);
    form.PopupMenu(form.mnuEdit, 1500.f, 750.f);
    KillTimer(nullptr, stop);
    RemoveWindowSubclass(ui::win::H(form.hWnd()), ChooseWithRightButton, 1);
    EXPECT_EQ(cuts, 1);
    form.Unload();
    test::DropPendingQuit();
}

// A form and its controls follow what is done to them after they are shown:
// a list's sideways scroll shrinks with its widest line gone, a combo box
// cleared shows nothing, a maximized or minimized form keeps its place when
// moved, and the focus never comes back to a control disabled or hidden
// meanwhile.
TEST(Toolkit, ControlsAndFormsFollowWhatIsDoneToThem)
{
    test::DropPendingQuit();
    Early form;
    ASSERT_TRUE(test::ShowPlain(form));
    HWND list = ui::win::H(form.lstLines.hWnd());
    ValidateRect(list, nullptr);
    form.lstLines.Font(ui::FontSpec{"Tahoma", 10});
    EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE));  // a shown list is drawn again in its new font
    form.lstLines.AddItem("one");
    const auto narrow = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    form.lstLines.AddItem(std::string(200, 'W'));
    const auto wide = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_GT(wide, narrow);
    form.lstLines.AddItem("one");  // a narrower line after it scrolls as far
    EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), wide);
    {
        // A little wider than the line in the list's own font: the list draws
        // a line a little in from its edge, and the line's end must scroll
        // into sight too.
        const ui::win::WindowDc dc(list);
        const ui::win::Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32W(dc.Get(), std::wstring(200, L'W').c_str(), 200, &text);
        const auto extent = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
        EXPECT_GT(extent, text.cx);
        EXPECT_LT(extent, text.cx + 16);
    }
    form.lstLines.RemoveItem(1);
    EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), narrow);
    // A release the list still hears once the mouse has left it to the left
    // or above is there, not at the far end of the form.
    float releasedX = 0, releasedY = 0;
    std::vector<int> released;
    form.lstLines.MouseUp = [&](int Button, int, float X, float Y) {
        released.push_back(Button);
        releasedX = X;
        releasedY = Y;
    };
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(-5, -2));
    test::RunQueue();
    EXPECT_LT(releasedX, 0);
    EXPECT_LT(releasedY, 0);
    // Each button's release is heard as that button's.
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(5, 2));
    PostMessageW(list, WM_MBUTTONUP, 0, MAKELPARAM(5, 2));
    test::RunQueue();
    EXPECT_EQ(released, (std::vector<int>{ui::vbLeftButton, ui::vbRightButton, ui::vbMiddleButton}));
    for (const auto& [keys, held] : {std::pair{MK_LBUTTON, ui::vbLeftButton}, {MK_RBUTTON, ui::vbRightButton},
                                     {MK_MBUTTON, ui::vbMiddleButton}})  // and those held through a move
        EXPECT_EQ(ui::win::MouseButtons(keys | MK_SHIFT), held) << keys;
    form.lstLines.MouseUp = nullptr;

    // A combo box widens for a line longer than it shows, and a line picked
    // while it has the focus shows selected whole, as one picked from its list.
    HWND combo = ui::win::H(form.cboTyped.hWnd());
    const auto width = [](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return r.right - r.left;
    };
    const LONG comboWidth = width(combo);
    form.cboTyped.AddItem("A: ");
    form.cboTyped.AddItem(std::string(60, 'W'));
    EXPECT_GT(width(combo), comboWidth + 100);
    form.cboTyped.SetFocus();
    form.cboTyped.ListIndex(0);
    DWORD from = 1, to = 0;
    SendMessageW(ui::win::H(form.cboTyped.EditWindow()), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(std::pair(from, to), std::pair(DWORD{0}, DWORD{3}));
    form.cboTyped.Text("B: ");
    form.cboTyped.Clear();
    EXPECT_EQ(form.cboTyped.Text(), "");

    // A label widens for a longer caption given later, and grows taller
    // when placed lower than its text.
    HWND note = ui::win::H(form.lblNote.hWnd());
    const LONG labelWidth = width(note);
    form.lblNote.Caption("A caption far longer than the label");
    EXPECT_GT(width(note), labelWidth + 50);
    form.lblNote.Move(800, 1150, 9000, 30);
    RECT noteRect{};
    GetWindowRect(note, &noteRect);
    EXPECT_GT(noteRect.bottom - noteRect.top, 8);

    // A control without a window of its own is painted by its form and, hidden, painted away.
    HWND window = ui::win::H(form.hWnd());
    const ui::Scale& scale = form.DisplayScale();
    const auto cornerPixel = [&] {
        const ui::win::WindowDc dc(window);
        return GetPixel(dc.Get(), scale.TwipsToPixelsX(1510), scale.TwipsToPixelsY(400));
    };
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(cornerPixel(), RGB(0, 0, 0));  // the shape's border
    ValidateRect(window, nullptr);
    form.shpMark.Visible(false);
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(window, &dirty, FALSE));
    const RECT mark{scale.TwipsToPixelsX(1530), scale.TwipsToPixelsY(420), scale.TwipsToPixelsX(1560),
                    scale.TwipsToPixelsY(450)};  // inside the shape
    RECT both{};
    EXPECT_TRUE(IntersectRect(&both, &dirty, &mark) && EqualRect(&both, &mark));
    test::RunQueue();
    EXPECT_NE(cornerPixel(), RGB(0, 0, 0));

    // A list's lines keep their columns at the tab stops set.
    form.lstLines.Clear();
    form.lstLines.AddItem("\tB");
    RECT client{};
    GetClientRect(list, &client);
    const auto rightmostInk = [&](std::int32_t stop) {
        ui::CurrentServices().lists.SetTabStops(form.lstLines.hWnd(), 1, &stop);
        const test::Canvas canvas(client.right, client.bottom);
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        const int rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        int rightmost = -1;
        for (int x = 0; x < client.right; ++x)
            if (canvas.Count(RECT{x, 0, x + 1, rowHeight}, GetSysColor(COLOR_WINDOWTEXT)))
                rightmost = x;
        return rightmost;
    };
    const int nearStop = rightmostInk(8), farStop = rightmostInk(40);
    EXPECT_GT(nearStop, 0);
    EXPECT_GT(farStop, nearStop + 25);

    for (const int state : {ui::vbMaximized, ui::vbMinimized}) {
        form.WindowState(state);
        test::RunQueue();
        RECT before{}, after{};
        GetWindowRect(window, &before);
        form.Move(150, 150, 1500, 1500);
        GetWindowRect(window, &after);
        EXPECT_TRUE(EqualRect(&before, &after)) << state;
        EXPECT_EQ(form.WindowState(), state);
    }
    form.WindowState(ui::vbNormal);
    test::RunQueue();

    Early other;
    ASSERT_TRUE(test::ShowPlain(other));
    HWND box = ui::win::H(form.txtTyped.hWnd());
    for (const bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden meanwhile" : "disabled meanwhile");
        form.txtTyped.Enabled(true);
        form.txtTyped.Visible(true);
        SetActiveWindow(window);
        test::RunQueue();
        form.txtTyped.SetFocus();
        ASSERT_EQ(GetFocus(), box);
        SetActiveWindow(ui::win::H(other.hWnd()));
        test::RunQueue();
        hide ? form.txtTyped.Visible(false) : form.txtTyped.Enabled(false);
        SetActiveWindow(window);
        test::RunQueue();
        EXPECT_NE(GetFocus(), box);
        EXPECT_TRUE(IsChild(window, GetFocus()));
    }
    // Shown again while it is active, it leaves the focus where it is, even
    // in a window inside it that none of its controls made.
    HWND own = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20, window, nullptr,
                               nullptr, nullptr);
    SetFocus(own);
    form.Show();
    EXPECT_EQ(GetFocus(), own);
    DestroyWindow(own);
    // Escape closes a form only where its design says so.
    form.txtTyped.SetFocus();
    test::Type(VK_ESCAPE);
    EXPECT_TRUE(form.Loaded());
    // A window of another kind is no form, whatever it keeps for itself.
    HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(stranger, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    EXPECT_EQ(ui::Form::OfWindow(ui::win::ToHandle(stranger)), nullptr);
    DestroyWindow(stranger);
    // The standard controls hear of a change of the system's colours; a
    // session that goes on after all closes nothing.
    test::MessageCounter heard(list, WM_SYSCOLORCHANGE);
    PostMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
    PostMessageW(window, WM_ENDSESSION, FALSE, 0);
    test::RunQueue();
    EXPECT_EQ(heard.Count(), 1);
    EXPECT_TRUE(form.Loaded());
    // A form closed gives its owner back enabled, whatever disabled it.
    other.Show(0, &form);
    EnableWindow(window, FALSE);
    other.Unload();
    EXPECT_TRUE(IsWindowEnabled(window));
    form.Unload();
    test::DropPendingQuit();
}

// Keys reach the controls as their handlers say: a typed character changed
// by a key press handler arrives changed, one set to 0 never arrives, and a
// box one can type in reads back what was typed; Enter on a list acts only on
// a selected line.
TEST(Toolkit, TypedKeysReachTheControlsAsTheirHandlersSay)
{
    test::DropPendingQuit();
    Early form;
    const auto handler = [](int& KeyAscii) {
        if (KeyAscii == 'b')
            KeyAscii = 0;
        else if (KeyAscii == 'c')
            KeyAscii = 'C';
    };
    form.txtTyped.KeyPress = handler;
    form.cboTyped.KeyPress = handler;
    int acted = 0;
    form.lstLines.AddItem("one");
    form.lstLines.AddItem("two");
    form.lstLines.DblClick = [&] { ++acted; };
    ASSERT_TRUE(form.Show());
    for (ui::Control* box : {static_cast<ui::Control*>(&form.txtTyped), static_cast<ui::Control*>(&form.cboTyped)}) {
        box->SetFocus();
        EXPECT_EQ(form.ActiveControl(), box) << box->Name();  // a combo box's focus is in its edit
        for (const UINT key : {'A', 'B', 'C', 'B'})
            test::Type(key);
    }
    EXPECT_EQ(form.txtTyped.Text(), "aC");
    EXPECT_EQ(form.cboTyped.Text(), "aC");

    form.lstLines.SetFocus();
    test::Type(VK_RETURN);
    EXPECT_EQ(acted, 0);
    form.lstLines.ListIndex(1);
    test::Type(VK_RETURN);
    EXPECT_EQ(acted, 1);
    // A double click acts on the line under it; below the last line, on none.
    HWND list = ui::win::H(form.lstLines.hWnd());
    for (const auto& [y, acts] : {std::pair{3, 1}, std::pair{55, 0}}) {
        POINT at{5, y};
        ClientToScreen(list, &at);
        SetCursorPos(at.x, at.y);
        const int before = acted;
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, y));
        PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
        test::RunQueue();
        EXPECT_EQ(acted - before, acts) << y;
    }
    // In a box of many lines Enter starts a new line.
    form.txtNotes.SetFocus();
    for (const UINT key : {UINT{'A'}, UINT{VK_RETURN}, UINT{'B'}})
        test::Type(key);
    EXPECT_EQ(form.txtNotes.Text(), "a\r\nb");

    // Key downs and ups come with the Shift, Ctrl and Alt held; one a handler
    // sets to 0 goes no further (Delete deletes nothing). The menu key opens
    // the list's menu; a right click's WM_CONTEXTMENU does not, being its
    // MouseDown already.
    std::vector<std::pair<int, int>> downs, ups;
    form.txtTyped.KeyDown = [&](int& KeyCode, int Shift) {
        downs.emplace_back(KeyCode, Shift);
        if (KeyCode == VK_DELETE)
            KeyCode = 0;
    };
    form.txtTyped.KeyUp = [&](int& KeyCode, int Shift) { ups.emplace_back(KeyCode, Shift); };
    form.txtTyped.SetFocus();
    SendMessageW(ui::win::H(form.txtTyped.hWnd()), EM_SETSEL, 0, 0);
    BYTE keys[256] = {};
    for (const auto& [held, shift] : {std::pair{VK_SHIFT, ui::vbShiftMask}, std::pair{VK_CONTROL, ui::vbCtrlMask},
                                      std::pair{VK_MENU, ui::vbAltMask}}) {
        GetKeyboardState(keys);
        keys[held] = 0x80;
        SetKeyboardState(keys);
        test::PostKey(GetFocus(), VK_DELETE);
        test::RunQueue();
        keys[held] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(downs.back(), std::pair(static_cast<int>(VK_DELETE), shift));
        EXPECT_EQ(ups.back(), std::pair(static_cast<int>(VK_DELETE), shift));
    }
    EXPECT_EQ(form.txtTyped.Text(), "aC");
    // So does a key up set to 0: Space let go ticks no box.
    form.chkKeep.KeyUp = [](int& KeyCode, int) {
        if (KeyCode == VK_SPACE)
            KeyCode = 0;
    };
    form.chkKeep.SetFocus();
    const auto ticked = form.chkKeep.Value();
    test::Type(VK_SPACE);
    EXPECT_EQ(form.chkKeep.Value(), ticked);
    int menus = 0;
    form.lstLines.ContextMenuKey = [&] { ++menus; };
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(20, 20));
    test::RunQueue();
    EXPECT_EQ(menus, 1);
    form.Unload();
    test::DropPendingQuit();
}

// Names in any script: the program's UTF-8 goes to the windows as UTF-16 and
// comes back unchanged.
class Names : public ui::Form {
public:
    Names() : ui::Form(Design())
    {
        lstNames.Move(0, 0, 3000, 1500);
        cboNames.Move(0, 1600, 3000, 300);
        txtName.Move(0, 2000, 3000, 300);
        lblName.Move(0, 2400, 3000, 300);
    }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Names";
        design.ClientWidth = 3200;
        design.ClientHeight = 2800;
        return design;
    }
    ui::ListBox lstNames{*this, "lstNames"};
    ui::ComboBox cboNames{*this, "cboNames"};
    ui::TextBox txtName{*this, "txtName"};
    ui::Label lblName{*this, "lblName"};
    ui::Menu mnuName{*this, "mnuName", "Name"};
    ui::Menu mnuNameOpen{*this, "mnuNameOpen", "Open", &mnuName};
};

std::wstring WindowTextW(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ItemTextW(HWND window, UINT lengthMessage, UINT textMessage, int index)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, lengthMessage, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, textMessage, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

TEST(Toolkit, NamesInEveryScriptShowAndReadBackUnchanged)
{
    struct Case {
        const char* script;
        std::string name;  // as the program holds it
        std::wstring shown;  // as the window must hold it
    };
    const Case cases[] = {
        {"Cyrillic", "C:\\Плюс", L"C:\\Плюс"},
        {"CJK", "D:\\写真", L"D:\\写真"},
        {"Greek", "E:\\Φάκελος ΑΒ", L"E:\\Φάκελος ΑΒ"},
        {"outside the BMP", "F:\\\xF0\x9F\x93\x81 box", L"F:\\\U0001F4C1 box"},
    };
    test::DropPendingQuit();
    Names form;
    form.cboNames.Font(ui::FontSpec{"Tahoma", 8});  // a TrueType face of its own, kept for any name
    ASSERT_TRUE(test::ShowPlain(form));
    HWND window = ui::win::H(form.hWnd());
    HWND list = ui::win::H(form.lstNames.hWnd());
    HWND combo = ui::win::H(form.cboNames.hWnd());
    const int line = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    // A raster font has glyphs for its code page only: a box keeps it for a
    // name the code page holds and takes its TrueType design for any other.
    const auto faceOf = [](HWND control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::wstring(font.lfFaceName);
    };
    HWND box = ui::win::H(form.txtName.hWnd());
    form.txtName.Text(GetACP() == 1252 ? "C:\\Ärger" : "C:\\Data");
    EXPECT_EQ(faceOf(box), L"MS Sans Serif");
    EXPECT_EQ(faceOf(list), L"MS Sans Serif");
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.script);
        ASSERT_EQ(os::win::Wide(c.name), c.shown);  // the table itself is consistent

        // A list line, picked by a click.
        form.lstNames.AddItem(c.name);
        EXPECT_EQ(ItemTextW(list, LB_GETTEXTLEN, LB_GETTEXT, i), c.shown);
        EXPECT_EQ(faceOf(list), L"Microsoft Sans Serif");
        test::PostClick(list, 5, line * i + line / 2, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
        test::RunQueue();
        EXPECT_EQ(form.lstNames.ListIndex(), i);
        EXPECT_EQ(form.lstNames.Text(), c.name);

        // A picker's item, chosen with the Down key: the box then shows it.
        form.cboNames.AddItem(c.name);
        EXPECT_EQ(ItemTextW(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i), c.shown);
        EXPECT_EQ(faceOf(combo), L"Tahoma");
        SetFocus(ui::win::H(form.cboNames.EditWindow()));
        test::Type(VK_DOWN);
        EXPECT_EQ(WindowTextW(combo), c.shown);
        EXPECT_EQ(form.cboNames.Text(), c.name);

        // Text set in a box, a label, the caption and a menu.
        form.txtName.Text(c.name);
        EXPECT_EQ(WindowTextW(box), c.shown);
        EXPECT_EQ(faceOf(box), L"Microsoft Sans Serif");
        EXPECT_EQ(form.txtName.Text(), c.name);
        form.lblName.Caption(c.name);
        EXPECT_EQ(WindowTextW(ui::win::H(form.lblName.hWnd())), c.shown);
        form.Caption(c.name);
        EXPECT_EQ(WindowTextW(window), c.shown);
        form.mnuName.Caption(c.name);
        form.MenusChanged();
        wchar_t menu[64] = {};
        GetMenuStringW(GetMenu(window), 0, menu, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(menu), c.shown);
    }
    form.Unload();
    test::DropPendingQuit();
}

TEST(Toolkit, TimerTicksWhileEventsRunAndStopsWhenDisabled)
{
    test::DropPendingQuit();
    Probe probe;
    int ticks = 0;
    probe.tmr.Tick = [&] {
        if (++ticks == 2)
            probe.tmr.Enabled(false);
    };
    probe.tmr.Interval(10);
    probe.Load();
    for (int i = 0; i < 100 && ticks < 2; ++i) {
        Sleep(10);
        ui::DoEvents();
    }
    EXPECT_EQ(ticks, 2);
    Sleep(50);
    ui::DoEvents();
    EXPECT_EQ(ticks, 2);
    // Enabled again with an interval of 0, it never ticks.
    probe.tmr.Interval(0);
    probe.tmr.Enabled(true);
    test::Pump(60);
    EXPECT_EQ(ticks, 2);
    probe.Unload();
    // A timer gone while its form stays ticks no more.
    test::DropPendingQuit();  // the probe's, its last form gone
    {
        ui::Form host(Probe::Design());
        auto gone = std::make_unique<ui::Timer>(host, "tmrGone");
        int goneTicks = 0;
        gone->Tick = [&goneTicks] { ++goneTicks; };
        gone->Interval(10);
        gone->Enabled(true);
        ASSERT_TRUE(host.Load());
        for (int i = 0; i < 100 && goneTicks == 0; ++i)
            test::Pump(10);
        ASSERT_GT(goneTicks, 0);
        gone.reset();
        const int before = goneTicks;
        test::Pump(60);
        EXPECT_EQ(goneTicks, before);
        host.Unload();
        test::DropPendingQuit();
    }
    // A quit met while events run is left for the message loop, which ends on it.
    PostQuitMessage(3);
    ui::DoEvents();
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

class Styled : public ui::Form {
public:
    Styled() : ui::Form(Probe::Design()) {}
    ui::ListBox list{*this, "list"};
    ui::CommandButton button{*this, "button"};
    ui::TextBox text{*this, "text"};
    ui::ComboBox combo{*this, "combo"};
    StyleXP style{*this, "StyleXP1"};
};

std::map<HWND, int> g_ThemeChanges;

LRESULT CALLBACK CountThemeChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_THEMECHANGED)
        ++g_ThemeChanges[window];
    return DefSubclassProc(window, message, wParam, lParam);
}

// A subclass chain: each link writes its letter (its data) as WM_APP, or the
// window's last message, passes.
std::string g_trail;
char g_nestIn = 0;        // this link sends the window a WM_APP of its own first
char g_removeIn = 0;      // this link takes a link out of the chain first:
UINT_PTR g_removeId = 0;  // the one of this id, or else itself
char g_twiceIn = 0;       // this link passes the message on twice
char g_readdIn = 0;       // this link takes itself out and puts itself back in
char g_destroyIn = 0;     // this link destroys the window first

LRESULT CALLBACK TrailWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP || message == WM_NCDESTROY)
        g_trail += 'w';
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TrailLink(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    if (message == WM_NCDESTROY)
        g_trail += static_cast<char>(data);
    if (message == WM_APP) {
        const char letter = static_cast<char>(data);
        g_trail += letter;
        if (letter == g_nestIn) {
            g_nestIn = 0;
            SendMessageW(window, WM_APP, 0, 0);
        }
        if (letter == g_removeIn) {
            g_removeIn = 0;
            ui::win::RemoveSubclass(window, TrailLink, g_removeId ? g_removeId : id);
            g_removeId = 0;
        }
        if (letter == g_twiceIn) {
            g_twiceIn = 0;
            ui::win::DefSubclass(window, message, wParam, lParam);
        }
        if (letter == g_readdIn) {
            g_readdIn = 0;
            ui::win::RemoveSubclass(window, TrailLink, id);
            ui::win::Subclass(window, TrailLink, id, data);
        }
        if (letter == g_destroyIn) {
            g_destroyIn = 0;
            DestroyWindow(window);
        }
    }
    return ui::win::DefSubclass(window, message, wParam, lParam);
}

LRESULT CALLBACK TrailComctl(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_APP)
        g_trail += 'x';
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST(Toolkit, ASubclassChainRunsItsLinksInTurnUntilItsWindowEnds)
{
    WNDCLASSW trailClass{};
    trailClass.lpfnWndProc = TrailWindow;
    trailClass.hInstance = GetModuleHandleW(nullptr);
    trailClass.lpszClassName = L"TrailWindow";
    RegisterClassW(&trailClass);
    const auto make = [] {
        return CreateWindowExW(0, L"TrailWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    const auto trail = [](HWND window) {
        g_trail.clear();
        SendMessageW(window, WM_APP, 0, 0);
        return g_trail;
    };
    HWND window = make();
    ASSERT_TRUE(ui::win::Subclass(window, TrailLink, 1, 'a'));
    ASSERT_TRUE(ui::win::Subclass(window, TrailLink, 2, 'b'));
    EXPECT_EQ(trail(window), "baw");  // the last added first
    g_nestIn = 'b';
    EXPECT_EQ(trail(window), "bbawaw");  // a message sent inside a link runs the whole chain
    g_twiceIn = 'b';
    EXPECT_EQ(trail(window), "bawaw");  // passed on twice, the rest of the chain sees it twice
    g_removeIn = 'a';
    EXPECT_EQ(trail(window), "baw");  // a link taken out finishes the message at hand...
    EXPECT_EQ(trail(window), "bw");   // ...and sees no other
    ASSERT_TRUE(ui::win::Subclass(window, TrailLink, 2, 'c'));
    EXPECT_EQ(trail(window), "cw");  // the same link again: only its data changes
    g_readdIn = 'c';
    EXPECT_EQ(trail(window), "cw");
    EXPECT_EQ(trail(window), "cw");  // taken out and put back in while it ran, it stays
    // comctl32's subclassing goes over the chain and comes off it again.
    ASSERT_TRUE(SetWindowSubclass(window, TrailComctl, 9, 0));
    EXPECT_EQ(trail(window), "xcw");
    RemoveWindowSubclass(window, TrailComctl, 9);
    EXPECT_EQ(trail(window), "cw");
    ui::win::RemoveSubclass(window, TrailLink, 2);
    EXPECT_EQ(trail(window), "w");
    // A link another one takes out before its turn misses the message at hand,
    // and the links after it still run, each once.
    for (UINT_PTR id : {1, 2, 3})
        ASSERT_TRUE(ui::win::Subclass(window, TrailLink, id, "abc"[id - 1]));
    g_removeIn = 'c';
    g_removeId = 2;
    EXPECT_EQ(trail(window), "caw");
    EXPECT_EQ(trail(window), "caw");
    ui::win::RemoveSubclass(window, TrailLink, 3);
    // The chain ends with its window, after its links and the window's own
    // procedure heard the last message: a window made after it (perhaps with
    // the same handle) starts without one.
    ASSERT_TRUE(ui::win::Subclass(window, TrailLink, 1, 'a'));
    g_trail.clear();
    DestroyWindow(window);
    EXPECT_EQ(g_trail, "aw");
    HWND next = make();
    EXPECT_EQ(trail(next), "w");
    // Destroyed by a link while it handles a message, the window's chain
    // lasts until the message is through: the window's own procedure still
    // hears it after the last message.
    ASSERT_TRUE(ui::win::Subclass(next, TrailLink, 1, 'a'));
    g_destroyIn = 'a';
    EXPECT_EQ(trail(next), "aaww");
    HWND last = make();
    EXPECT_EQ(trail(last), "w");
    // A window whose procedure cannot be replaced keeps no chain: the
    // subclassing fails, and tried again once it can be, it holds.
    {
        const test::SubclassingRefused refused;
        EXPECT_FALSE(ui::win::Subclass(last, TrailLink, 1, 'a'));
    }
    EXPECT_EQ(trail(last), "w");
    ASSERT_TRUE(ui::win::Subclass(last, TrailLink, 1, 'a'));
    EXPECT_EQ(trail(last), "aw");
    DestroyWindow(last);
}

// The style leaves the standard controls that wear the common controls'
// theme as they are (a reset would only reopen the same theme data), and
// resets each one that wears none, and then repaints the form.
TEST(ExternalControls, TheStyleResetsOnlyTheControlsWithoutATheme)
{
    const auto getTheme = os::LazyImport<decltype(GetWindowTheme)>(L"uxtheme.dll", "GetWindowTheme");
    const auto active = os::LazyImport<decltype(IsThemeActive)>(L"uxtheme.dll", "IsThemeActive");
    ASSERT_TRUE(getTheme);
    if (!active || !active())
        GTEST_SKIP() << "no visual style is active";
    // With the program's manifest, the controls are the themed common controls 6;
    // without it, the system's unthemed ones.
    for (const bool commonControls6 : {true, false}) {
        ACTCTXW manifest{};
        manifest.cbSize = sizeof manifest;
        manifest.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        manifest.hModule = GetModuleHandleW(nullptr);
        manifest.lpResourceName = MAKEINTRESOURCEW(101);
        HANDLE context = commonControls6 ? CreateActCtxW(&manifest) : INVALID_HANDLE_VALUE;
        ULONG_PTR cookie = 0;
        if (commonControls6) {
            ASSERT_NE(context, INVALID_HANDLE_VALUE);
            ActivateActCtx(context, &cookie);
        }
        Styled form;
        const bool loaded = form.Load();
        if (commonControls6) {
            DeactivateActCtx(0, cookie);
            ReleaseActCtx(context);
        }
        ASSERT_TRUE(loaded);
        form.Show();
        HWND formWindow = ui::win::H(form.hWnd());
        UpdateWindow(formWindow);
        const HWND controls[] = {ui::win::H(form.list.hWnd()), ui::win::H(form.button.hWnd()),
                                 ui::win::H(form.text.hWnd()), ui::win::H(form.combo.hWnd())};
        g_ThemeChanges.clear();
        for (HWND window : controls) {
            EXPECT_EQ(getTheme(window) != nullptr, commonControls6);
            SetWindowSubclass(window, CountThemeChanges, 7, 0);
        }
        EXPECT_TRUE(form.style.Invoke(StyleXP::kApplyStyle));
        for (HWND window : controls) {
            EXPECT_EQ(g_ThemeChanges[window], commonControls6 ? 0 : 1) << commonControls6;
            RemoveWindowSubclass(window, CountThemeChanges, 7);
        }
        EXPECT_EQ(GetUpdateRect(formWindow, nullptr, FALSE) != FALSE, !commonControls6);
        form.Unload();
    }
}

TEST(ExternalControls, LateBoundCallsCheckTheirMembersAndArguments)
{
    Probe probe;
    StyleXP style(probe, "StyleXP1");
    ctxHookMenu hook(probe, "ctxHookMenu1");

    EXPECT_FALSE(style.Invoke(StyleXP::kApplyStyle));  // no window yet
    probe.Load();
    EXPECT_TRUE(style.Invoke(StyleXP::kApplyStyle));
    EXPECT_FALSE(style.Invoke(0x60030018));

    EXPECT_TRUE(hook.SetProperty(ctxHookMenu::kActive, true));
    EXPECT_TRUE(hook.Active());
    EXPECT_FALSE(hook.SetProperty(ctxHookMenu::kBarStyle, true));
    for (const auto property : {ctxHookMenu::kBarStyle, ctxHookMenu::kSelectionStyle}) {
        for (const std::int32_t style : {-1, 3, 7})  // the styles are 0, 1 and 2
            EXPECT_FALSE(hook.SetProperty(property, style)) << style;
        EXPECT_TRUE(hook.SetProperty(property, std::int32_t{2}));
    }
    EXPECT_FALSE(hook.SetProperty(0x68030001, true));

    using V = ctxHookMenu::Variant;
    std::vector<V> args(13, V{std::int32_t{0x123456}});
    EXPECT_FALSE(hook.Invoke(ctxHookMenu::kSetColors, args));
    args.push_back(V{false});
    args.push_back(V{true});
    ASSERT_TRUE(hook.Invoke(ctxHookMenu::kSetColors, args));
    EXPECT_EQ(hook.MenuColors().Border, 0x123456u);
    EXPECT_FALSE(hook.MenuColors().GradientBar);
    args[0] = V{true};
    EXPECT_FALSE(hook.Invoke(ctxHookMenu::kSetColors, args));
    EXPECT_EQ(hook.MenuColors().Back, 0x123456u);  // a refused call changes nothing

    // Owned-drawn, an item keeps its letter: "&&" is an ampersand, no letter.
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 41, L"Fish && &Chips");
    AppendMenuW(menu, MF_STRING, 42, L"&&Xray");
    HWND window = W(probe.hWnd());
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    const auto chosen = [&](wchar_t typed) {
        return SendMessageW(window, WM_MENUCHAR, MAKEWPARAM(typed, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    };
    EXPECT_EQ(chosen(L'C'), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(chosen(L'x')), MNC_IGNORE);
    EXPECT_EQ(HIWORD(chosen(L'&')), MNC_IGNORE);
    DestroyMenu(menu);
    probe.Unload();
}

}  // namespace
