#pragma once
// A whole simulated machine: the device name space, the file tree and the list
// boxes, wired into one Platform. It starts with disk C: on
// "\Device\HarddiskVolume1" holding an empty root.
#include "Platform.h"
#include "SimDosDevices.h"
#include "SimFileSystem.h"

#include <vector>

namespace platform {

class SimListBoxes : public ListBoxes {
public:
    struct Call {
        WindowHandle window;
        std::vector<std::int32_t> stops;  // count entries
    };
    void SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops) override;
    std::vector<Call> calls;
};

// Answers the folder picker as a test sets it up, and remembers how it was asked.
class SimShellDialogs : public ShellDialogs {
public:
    std::optional<std::string> BrowseForFolder(WindowHandle owner, const std::string& title,
                                               std::uint32_t flags) override;
    std::optional<std::string> answer;  // nullopt: the user cancels
    int calls = 0;
    WindowHandle lastOwner = 0;
    std::string lastTitle;
    std::uint32_t lastFlags = 0;
};

class SimMachine {
public:
    SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    // Another disk, e.g. AddDisk('D', 2) for "\Device\HarddiskVolume2".
    void AddDisk(char letter, int volumeNumber);

    SimDosDevices dos;
    SimFileSystem files{dos};
    SimListBoxes lists;
    SimShellDialogs shell;
    Platform platform{dos, files, lists, shell};
};

}  // namespace platform
