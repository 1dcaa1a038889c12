// The windows and the toolkit in-process under Wine, on the simulated machine:
// nothing here touches the real name space or disk.
#include "HelpText.h"
#include "StyleXP.h"
#include "ctxHookMenu.h"
#include "frmHelp.h"
#include "frmMount.h"
#include "frmStartLoad.h"
#include "modMain.h"
#include "platform/SimPlatform.h"
#include "platform/ui/App.h"
#include "platform/ui/Twips.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

namespace {

class SimWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(machine.files.MakeDirectory("C:\\Tools"));
        modMain::AppDir = "C:\\Tools\\";
        modMain::CommandLine.clear();
    }

    platform::SimMachine machine;
    platform::ScopedPlatform scope{machine.platform};
};

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

    machine.shell.answer = "C:\\Picked Folder";
    setup.cmdBrowse.Click();
    EXPECT_EQ(setup.txtBrowse.Text(), "C:\\Picked Folder");
    EXPECT_EQ(machine.shell.lastTitle, std::string("Folder to mount.\0", 17));
    EXPECT_EQ(machine.shell.lastFlags, 0x43u);
    EXPECT_EQ(machine.shell.lastOwner, setup.hWnd());

    machine.shell.answer.reset();  // cancelled: the box keeps its folder
    setup.cmdBrowse.Click();
    EXPECT_EQ(setup.txtBrowse.Text(), "C:\\Picked Folder");

    setup.cmdAdd.Click();
    setup.cmdAdd.Click();  // the same pair twice is allowed
    EXPECT_EQ(Items(setup.vList), (std::vector<std::string>{"m: \tc:\\data", "D: \tC:\\Picked Folder",
                                                            "D: \tC:\\Picked Folder"}));

    setup.vList.ListIndex(0);
    SendMessageA(reinterpret_cast<HWND>(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    EXPECT_EQ(setup.vList.ListCount(), 2);
    setup.vList.ListIndex(-1);
    SendMessageA(reinterpret_cast<HWND>(setup.vList.hWnd()), WM_KEYUP, VK_DELETE, 0);
    EXPECT_EQ(setup.vList.ListCount(), 2);  // nothing selected, nothing removed

    setup.Unload();
    EXPECT_TRUE(setup.Saved());
    EXPECT_EQ(machine.files.Content("C:\\Tools\\mount.ini"), "D: \tC:\\Picked Folder\r\nD: \tC:\\Picked Folder\r\n");
}

TEST_F(SimWindows, SetupWindowThatCannotSaveKeepsTheOldList)
{
    ASSERT_TRUE(machine.files.MakeFile("C:\\Tools\\mount.ini", "m: \tc:\\data\r\n"));
    machine.files.DenyWrite("C:\\Tools\\mount.ini");
    frmStartLoad setup;
    setup.Load();
    setup.vList.Clear();
    setup.Unload();
    EXPECT_FALSE(setup.Saved());
    EXPECT_EQ(machine.files.Content("C:\\Tools\\mount.ini"), "m: \tc:\\data\r\n");
    ASSERT_EQ(machine.shell.messages.size(), 1u);  // the user hears that nothing was saved
    EXPECT_EQ(machine.shell.messages[0].title, "ERROR!");
    EXPECT_EQ(machine.shell.messages[0].flags, static_cast<std::uint32_t>(ui::vbCritical));
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
        ASSERT_TRUE(machine.files.MakeFile(path, list, readable ? platform::ATTR_HIDDEN : 0));
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
            EXPECT_EQ(machine.files.ReadAttributes(path), platform::ATTR_HIDDEN);
        } else {
            ASSERT_EQ(machine.shell.messages.size(), 1u);
            EXPECT_EQ(machine.shell.messages[0].title, "ERROR!");
            EXPECT_EQ(machine.files.Content(path), list);
        }
        machine.files.Remove(path);
        test::DropPendingQuit();
    }
}

TEST_F(SimWindows, TypingNeverReachesThePickersOrTheFolderBox)
{
    frmStartLoad setup;
    setup.Load();
    for (HWND target : {reinterpret_cast<HWND>(setup.cboDrive.EditWindow()), reinterpret_cast<HWND>(setup.txtBrowse.hWnd())}) {
        SendMessageA(target, WM_CHAR, 'x', 0);
        SendMessageA(target, WM_CHAR, VK_BACK, 0);
    }
    EXPECT_EQ(setup.cboDrive.Text(), "D: ");
    EXPECT_EQ(setup.txtBrowse.Text(), "");
    setup.Unload();
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
    // DefineNullTargets: 26 definitions without a target, all refused.
    EXPECT_EQ(machine.dos.Calls().size(), 26u);

    main.cmdOk.Click();
    EXPECT_EQ(machine.dos.Mappings("D:"), std::vector<std::string>{"\\??\\C:\\PROGRA~1\\Data"});
    EXPECT_EQ(Items(main.vList), std::vector<std::string>{"D: \tC:\\Program Files\\Data"});
    EXPECT_EQ(main.cboDrive.Text(), "E: ");  // the sim's D:\ is a directory now
    EXPECT_EQ(machine.files.Content("C:\\Tools\\Tavrik.ini"), "C:\\Earlier\r\nC:\\Program Files\\Data\r\n");
    EXPECT_EQ(Items(main.oList), std::vector<std::string>{"C:\\Earlier"});  // shown at the next start

    main.vList.ListIndex(0);
    main.mnuMenuUnmount.Click();
    EXPECT_TRUE(machine.dos.Mappings("D:").empty());
    EXPECT_TRUE(Items(main.vList).empty());
    EXPECT_EQ(main.cboDrive.Text(), "E: ");  // the picker waits for the next mount

    main.mnuoClear.Click();
    EXPECT_FALSE(machine.files.Exists("C:\\Tools\\Tavrik.ini"));
    EXPECT_EQ(main.oList.ListCount(), 0);
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

TEST_F(SimWindows, HelpWindowHoldsTheHelpText)
{
    frmHelp help;
    help.Load();
    EXPECT_EQ(help.txtHelp.Text(), HelpText());
    SendMessageA(reinterpret_cast<HWND>(help.txtHelp.hWnd()), WM_CHAR, 'x', 0);
    SendMessageA(reinterpret_cast<HWND>(help.txtHelp.hWnd()), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(reinterpret_cast<HWND>(help.txtHelp.hWnd()), WM_PASTE, 0, 0);
    EXPECT_EQ(help.txtHelp.Text(), HelpText());
    help.Unload();
}

// ---- the toolkit -----------------------------------------------------------

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

protected:
    void Form_Load() override { ++loads; }
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM data)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// Windows may refuse a window (out of resources, a hook): the form says so,
// runs no load step on half a window, and can be loaded once Windows agrees.
const char* g_refusedClass = nullptr;

LRESULT CALLBACK RefuseClass(int code, WPARAM wParam, LPARAM lParam)
{
    char name[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        lstrcmpiA(name, g_refusedClass) == 0)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Toolkit, AFormWhoseWindowOrControlIsRefusedReportsIt)
{
    for (const char* refused : {"TavrikForm", "Static"}) {
        SCOPED_TRACE(refused);
        test::DropPendingQuit();
        Probe probe;
        g_refusedClass = refused;
        HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseClass, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
        EXPECT_FALSE(probe.Load());
        EXPECT_FALSE(probe.Show());
        EXPECT_FALSE(probe.Loaded());
        EXPECT_EQ(probe.loads, 0);
        UnhookWindowsHookEx(hook);
        EXPECT_TRUE(probe.Load());
        EXPECT_EQ(probe.loads, 1);
        probe.Unload();
    }
    test::DropPendingQuit();
}

TEST(Toolkit, FormGeometryIsInTwipsAndControlsKeepTheirOrder)
{
    test::DropPendingQuit();
    Probe probe;
    EXPECT_FALSE(probe.Loaded());
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

    // Hover hints can be given or taken back after loading.
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);
    probe.lblA.ToolTipText("A hint");
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    probe.lblA.ToolTipText("");
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 0);

    probe.mnuFile.Tag("MainMenu");
    EXPECT_EQ(probe.mnuFile.Tag(), "MainMenu");
    EXPECT_NE(GetMenu(reinterpret_cast<HWND>(probe.hWnd())), nullptr);
    probe.mnuFile.Visible(false);
    EXPECT_EQ(GetMenu(reinterpret_cast<HWND>(probe.hWnd())), nullptr);
    probe.Unload();
    EXPECT_FALSE(probe.Loaded());
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
    probe.Unload();
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
    EXPECT_FALSE(hook.SetProperty(ctxHookMenu::kBarStyle, std::int32_t{7}));
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
    probe.Unload();
}

}  // namespace
