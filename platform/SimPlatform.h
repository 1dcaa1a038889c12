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
    Platform platform{dos, files, lists};
};

}  // namespace platform
