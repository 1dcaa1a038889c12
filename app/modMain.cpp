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

std::string CommandTail(std::string_view line)
{
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const auto close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return std::string(line.substr(i));
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

StartMode Start(const std::string& appPath, std::string_view fullCommandLine)
{
    AppDir = MakeAppDir(appPath);
    CommandLine = CommandTail(fullCommandLine);
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
