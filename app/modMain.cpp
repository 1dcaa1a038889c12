#include "modMain.h"

#include "engine/mod_DriveInfo.h"

namespace modMain {

std::string AppDir;
std::string CommandLine;

std::string MakeAppDir(const std::string& appPath)
{
    if (!appPath.empty() && appPath.back() == '\\')
        return appPath;
    return appPath + '\\';
}

StartMode ModeOf(const std::string& commandLine)
{
    if (commandLine == "/ini")
        return StartMode::StartupRun;
    if (commandLine.empty())
        return StartMode::MainWindowEmpty;
    if (commandLine[0] == '-')
        return StartMode::Unmount;
    return StartMode::MainWindow;
}

std::string UnmountLetter(const std::string& commandLine) { return commandLine.substr(1, 2); }

StartMode Start(const std::string& appPath, const std::string& commandLine)
{
    AppDir = MakeAppDir(appPath);
    CommandLine = commandLine;
    return ModeOf(CommandLine);
}

bool UnmountBranch(const std::string& commandLine)
{
    if (ModeOf(commandLine) != StartMode::Unmount)
        return false;
    mod_DriveInfo::RemoveSubstDrive(UnmountLetter(commandLine));
    return true;
}

}  // namespace modMain
