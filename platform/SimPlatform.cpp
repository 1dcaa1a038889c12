#include "SimPlatform.h"

#include <string>

namespace platform {

void SimListBoxes::SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops)
{
    Call call{listWindow, {}};
    for (int i = 0; i < count; ++i)
        call.stops.push_back(stops[i]);
    calls.push_back(std::move(call));
}

SimMachine::SimMachine() { AddDisk('C', 1); }

void SimMachine::AddDisk(char letter, int volumeNumber)
{
    const std::string device = "\\Device\\HarddiskVolume" + std::to_string(volumeNumber);
    files.AddVolume(device);
    dos.AddDisk(letter, device);
}

}  // namespace platform
