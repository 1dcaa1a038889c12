#pragma once
// A whole simulated machine: the device name space, the file tree and the
// code page as the engine's system, the list boxes, dialogs, timers and mouse
// as the windows' services. It starts with disk C: on
// "\Device\HarddiskVolume1" holding an empty root.
#include "os/System.h"
#include "ui/Services.h"
#include "SimDosDevices.h"
#include "SimFileSystem.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sim {

class SimListBoxes : public ui::ListBoxes {
public:
    struct Call {
        ui::WindowHandle window;
        std::vector<std::int32_t> stops;  // count entries
    };
    void SetTabStops(ui::WindowHandle listWindow, int count, const std::int32_t* stops) override;
    std::vector<Call> calls;
};

// Answers the folder picker as a test sets it up, and remembers how it was asked.
class SimShellDialogs : public ui::ShellDialogs {
public:
    std::optional<std::string> BrowseForFolder(ui::WindowHandle owner, const std::string& title,
                                               std::uint32_t flags) override;
    std::optional<std::string> answer;  // nullopt: the user cancels
    int calls = 0;
    ui::WindowHandle lastOwner;
    std::string lastTitle;
    std::uint32_t lastFlags = 0;

    // Every message shown, answered by messageAnswer where a test sets it,
    // otherwise with OK, or Cancel where the box has one.
    int ShowMessage(ui::WindowHandle owner, const std::string& prompt, const std::string& title,
                    std::uint32_t flags) override;
    struct Message {
        std::string prompt, title;
        std::uint32_t flags;
    };
    std::vector<Message> messages;
    std::function<int(const Message&)> messageAnswer;

    bool OpenFolder(ui::WindowHandle owner, const std::string& path) override;
    bool CopyText(ui::WindowHandle owner, const std::string& text) override;
    std::vector<std::string> opened;  // every folder opened, in order
    std::optional<std::string> clipboard;
    bool refuse = false;  // the shell refuses to open, the clipboard is held
};

// ui::Timers on a simulated clock: each pass of the message loop moves the clock to
// the next due tick and delivers it.
class SimTimers : public ui::Timers {
public:
    std::optional<std::uintptr_t> Set(ui::WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                      ui::TimerTarget& target) override;
    bool Kill(ui::WindowHandle window, std::uintptr_t id) override;
    void RunPendingEvents() override;

    // Moves the clock on by ms, delivering every tick due on the way.
    void Advance(std::uint32_t ms);
    std::uint32_t Now() const { return m_Now; }
    std::size_t Running() const { return m_Timers.size(); }
    bool failNextSet = false;  // the system refuses the next timer
    int sets = 0;
    int kills = 0;
    std::uint32_t lastPeriod = 0;

private:
    struct Entry {
        ui::WindowHandle window;
        std::uintptr_t id;
        std::uint32_t period;
        std::uint32_t due;
        ui::TimerTarget* target;
    };
    bool FireNext(std::uint32_t limit);
    bool Remove(ui::WindowHandle window, std::uintptr_t id);
    std::vector<Entry> m_Timers;
    std::uint32_t m_Now = 0;
    std::uintptr_t m_NextId = 1;
};

// The mouse and the windows under it, as a test arranges them.
class SimCursorWindows : public ui::CursorWindows {
public:
    bool CursorPos(ui::ScreenPoint& point) override;
    ui::WindowHandle WindowAt(ui::ScreenPoint point) override;
    ui::ScreenPoint cursor;
    bool cursorKnown = true;
    // Top-most first: the first rectangle holding the point names the window.
    struct Area {
        int left, top, right, bottom;
        ui::WindowHandle window;
    };
    std::vector<Area> windows;
};

// The screen's colours a test chooses: the design's scheme until it sets others.
class SimPalette : public ui::Palette {
public:
    SimPalette();
    bool HighContrast() override { return highContrast; }
    ui::Color SystemRgb(int index) override { return index >= 0 && index < 31 ? colors[index] : 0; }
    bool highContrast = false;
    ui::Color colors[31];
};

// The ANSI code page a test chooses (see SimText.h for those it knows).
class SimCodePage : public os::CodePage {
public:
    std::string FromAnsi(std::string_view bytes) override;
    std::optional<std::string> ToAnsi(std::string_view text) override;
    std::string LowerCase(std::string_view text) override;
    unsigned page = 1252;  // 1250, 1251, 1252 or 65001
};

// The user's registry keys: each key a path (compared without regard to case)
// with its string values; a key written makes those above it.
class SimRegistry : public os::Registry {
public:
    bool KeyExists(const std::string& key) override;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name, const std::string& value) override;
    bool DeleteKey(const std::string& key) override;
    bool refuseWrites = false;  // as a key the user may not change

private:
    std::map<std::string, std::map<std::string, std::string>> m_Keys;  // folded path -> values (folded name)
};

// What the shell was told, in order: "+X" a drive came, "-X" one went, "~X"
// one was renamed.
class SimShellNotify : public os::ShellNotify {
public:
    void DriveAdded(char letter) override { told.push_back(std::string("+") + letter); }
    void DriveRemoved(char letter) override { told.push_back(std::string("-") + letter); }
    void DriveChanged(char letter) override { told.push_back(std::string("~") + letter); }
    std::vector<std::string> told;
};

// One side of a user's logon: its token, its folders, and the elevation
// prompt, which a test answers (refused until it says otherwise).
class SimSession : public os::Session {
public:
    os::Elevation TokenElevation() override { return elevation; }
    bool LinkedTokenElsewhere() override { return linkedElsewhere; }
    std::string LogonId() override { return logonId; }
    std::string LinkedLogonId() override { return linkedLogonId; }
    std::string UserSid() override { return sid; }
    std::string LocalAppData() override { return localAppData; }
    std::string AppData() override { return appData; }
    std::string ProgramFiles() override { return programFiles; }
    std::string ProgramData() override { return programData; }
    bool AdministratorsOnly(const std::string& path) override;
    bool MakeAdministratorsFolder(const std::string& path) override;
    char SystemDrive() override { return 'C'; }
    std::string BootLetters() override { return bootLetters; }
    std::string ExePath() override { return exePath; }
    std::optional<int> RunElevated(const std::string& exe, const std::string& arguments) override;

    os::Elevation elevation = os::Elevation::Default;
    bool linkedElsewhere = false;
    std::string logonId = "0x3e7001", linkedLogonId;
    std::string sid = "S-1-5-21-1000-2000-3000-1001";
    std::string localAppData = "C:\\Users\\Ann\\AppData\\Local";
    std::string appData = "C:\\Users\\Ann\\AppData\\Roaming";
    std::string programFiles = "C:\\Program Files";
    std::string programData = "C:\\ProgramData";
    // The files and folders only administrators can change (any case).
    std::set<std::string> administratorsOnly;
    os::FileSystem* files = nullptr;  // where MakeAdministratorsFolder makes its folder
    std::string bootLetters = "C";
    std::string exePath = "C:\\Users\\Ann\\AppData\\Local\\Programs\\Tavrik\\Tavrik.exe";
    // What the program run as administrator does; nullopt: the user refuses.
    std::function<std::optional<int>(const std::string& exe, const std::string& arguments)> elevate;
    std::vector<std::string> prompts;  // the arguments of every elevation asked for
};

// The Task Scheduler: tasks by name (without regard to case), and what a run
// on demand does, as a test sets it.
class SimTasks : public os::Tasks {
public:
    bool Register(const std::string& name, const std::string& xml) override;
    std::optional<std::string> Find(const std::string& name) override;
    bool Run(const std::string& name) override;
    bool Remove(const std::string& name) override;
    std::map<std::string, std::string> tasks;  // folded name -> XML
    std::function<void(const std::string& name)> onRun;
    int runs = 0;
    bool refuse = false;  // registration and removal fail
};

class SimMachine {
public:
    SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    // Another disk, e.g. AddDisk('D', 2) for "\Device\HarddiskVolume2".
    void AddDisk(char letter, int volumeNumber);
    // A letter the machine defines at boot for everyone, bound to a folder.
    void AddBootName(char letter, const std::string& folder);
    // Gives the user UAC's two linked tokens in two logon sessions: system
    // (the normal programs, limited) and elevatedSystem (those run as
    // administrator), each with its own local DOS device names. The
    // elevation prompt, once a test accepts it, runs in elevatedSystem.
    void SplitToken();

    SimDosDevices dos;
    SimFileSystem files{dos};
    SimListBoxes lists;
    SimShellDialogs shell;
    SimTimers timers;
    SimCursorWindows cursor;
    SimPalette palette;
    SimCodePage codePage;
    SimRegistry registry;
    SimShellNotify shellNotify;
    SimSession session;
    SimTasks taskScheduler;
    os::System system{dos, files, codePage, registry, shellNotify, session, taskScheduler};
    // The side of a split token run as administrator: the same files, keys
    // and tasks, its own DOS device names.
    SimDosDevices elevatedDos;
    SimFileView elevatedFiles{files, elevatedDos};
    SimSession elevatedSession;
    SimShellNotify elevatedShellNotify;
    os::System elevatedSystem{elevatedDos, elevatedFiles, codePage, registry, elevatedShellNotify, elevatedSession,
                              taskScheduler};
    ui::Services services{lists, shell, timers, cursor, palette};
};

// Puts a machine in place for a scope: its system for the engine and its
// services for the windows.
class ScopedMachine {
public:
    explicit ScopedMachine(SimMachine& machine) : m_System(machine.system), m_Services(machine.services) {}

private:
    os::ScopedSystem m_System;
    ui::ScopedServices m_Services;
};

}  // namespace sim
