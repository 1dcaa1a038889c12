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

std::optional<std::string> SimShellDialogs::BrowseForFolder(WindowHandle owner, const std::string& title,
                                                            std::uint32_t flags)
{
    ++calls;
    lastOwner = owner;
    lastTitle = title;
    lastFlags = flags;
    return answer;
}

SimMachine::SimMachine() { AddDisk('C', 1); }

void SimMachine::AddDisk(char letter, int volumeNumber)
{
    const std::string device = "\\Device\\HarddiskVolume" + std::to_string(volumeNumber);
    files.AddVolume(device);
    dos.AddDisk(letter, device);
}

}  // namespace platform
