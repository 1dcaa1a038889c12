#pragma once
// What the program tells the shell (Explorer): a drive came or went, so that
// its windows show it at once rather than at their next refresh. Told without
// waiting on any other program.
namespace os {

class ShellNotify {
public:
    virtual ~ShellNotify() = default;
    // The letter A to Z.
    virtual void DriveAdded(char letter) = 0;
    virtual void DriveRemoved(char letter) = 0;
    // Its name (label) changed.
    virtual void DriveChanged(char letter) = 0;
};

}  // namespace os
