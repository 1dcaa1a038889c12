#pragma once
// Start-up: the two global texts every window reads and the choice of mode.
#include <string>

namespace modMain {

// The program's folder, always ending with "\".
extern std::string AppDir;
// The command-line text after the program name, as Windows hands it over.
extern std::string CommandLine;

enum class StartMode {
    StartupRun,       // "/ini": splash, mount the start-up list, end
    MainWindow,       // a folder to mount
    MainWindowEmpty,  // nothing to mount: the mount button stays disabled
    Unmount,          // "-" and a letter: remove its bindings, end without a window
};

// The application path with a closing "\" unless it already has one (a drive root).
std::string MakeAppDir(const std::string& appPath);

StartMode ModeOf(const std::string& commandLine);

// The letter text of the unmount mode: the two characters after the "-".
std::string UnmountLetter(const std::string& commandLine);

// Sets AppDir and CommandLine from the application object's path and command
// line, and tells which mode they ask for.
StartMode Start(const std::string& appPath, const std::string& commandLine);

// The first decision of the main window's load: a command line beginning with
// "-" removes the bindings of the letter after it, silently, and the program is
// to end. True when that was the case.
bool UnmountBranch(const std::string& commandLine);

}  // namespace modMain
