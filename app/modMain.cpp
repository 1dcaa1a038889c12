#include "modMain.h"

#include "engine/modElevated.h"
#include "engine/modFiles.h"
#include "engine/modLabels.h"
#include "engine/mod_DriveInfo.h"
#include "os/System.h"
#include "os/Text.h"

namespace modMain {

std::string AppDir;
std::string ListDir;
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
    if (commandLine == kAllUsersSetupSwitch)
        return StartMode::AllUsersSetup;
    // Asking for help is no folder and no letter: "-?" and "--help" name no
    // drive letter, so no unmount is lost to them.
    for (const char* help : {"/?", "-?", "/h", "/H", "--help"})
        if (commandLine == help)
            return StartMode::Help;
    if (commandLine.empty())
        return StartMode::MainWindowEmpty;
    if (commandLine.starts_with(modElevated::kOptionSwitch))
        return StartMode::Elevated;
    if (commandLine[0] == '-')
        return StartMode::Unmount;
    return StartMode::MainWindow;
}

std::string Unquoted(const std::string& commandLine)
{
    const auto first = commandLine.find_first_not_of(' ');
    const auto last = commandLine.find_last_not_of(' ');
    if (first == std::string::npos || last == first || commandLine[first] != '"' || commandLine[last] != '"')
        return commandLine;
    const std::string inside = commandLine.substr(first + 1, last - first - 1);
    return inside.find('"') == std::string::npos ? inside : commandLine;
}

std::string UnmountLetter(const std::string& commandLine) { return commandLine.substr(1, 2); }

StartMode Start(const std::string& appPath, const std::string& commandLine)
{
    AppDir = MakeAppDir(appPath);
    // The mode is the text's as given; only a folder comes out of its quotes
    // (so "-M" in quotes is a folder of that name, no unmount).
    const StartMode mode = ModeOf(commandLine);
    ListDir = AppDir;
    // Installed for all users, the program's folder is the administrators':
    // each user's lists are the user's own, in the user's roaming folder,
    // made there by the first window that may write them.
    // (The mark is looked for first: the known folder loads the shell.)
    if (modFiles::FileExists(AppDir + kAllUsersMark))
        if (const std::string appData = os::Current().session.AppData(); !appData.empty()) {
            ListDir = appData + "\\Tavrik\\";
            if (mode == StartMode::MainWindow || mode == StartMode::MainWindowEmpty)
                os::Current().files.MakeFolder(appData + "\\Tavrik");
        }
    CommandLine = mode == StartMode::MainWindow ? Unquoted(commandLine) : commandLine;
    // A folder given relative to where the start stands ("..", "Data") is
    // that folder, shown, mounted and recorded as the whole path it is. A text
    // with a quote left in it is no path at all and is shown as given.
    if (mode == StartMode::MainWindow && CommandLine.find('"') == std::string::npos)
        if (std::string full = modFiles::GetFullPath(CommandLine); !full.empty())
            CommandLine = std::move(full);
    return mode;
}

namespace {

// A text as one line says it: control characters (a line break typed into a
// batch file) shown as "?".
std::string Printable(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

}  // namespace

std::optional<UnmountOutcome> UnmountBranch(const std::string& commandLine)
{
    if (ModeOf(commandLine) != StartMode::Unmount)
        return std::nullopt;
    const std::string letter = UnmountLetter(commandLine);
    const std::string drive = letter.empty() ? std::string() : std::string(1, text::UpperChar(letter[0])) + ":";
    switch (mod_DriveInfo::RemoveSubstDrive(letter)) {
    case mod_DriveInfo::RemoveResult::Removed:
        modElevated::Mirror();
        return UnmountOutcome{0, drive + " was unmounted."};
    case mod_DriveInfo::RemoveResult::NotBound:
        return UnmountOutcome{1, drive + " has no folder bound to it; nothing was removed."};
    case mod_DriveInfo::RemoveResult::NoLetter:
        if (letter.empty())
            return UnmountOutcome{2, "No drive letter was given after \"-\"; nothing was removed."};
        return UnmountOutcome{2, std::string(1, '"').append(Printable(letter)).append("\" is no drive letter A-Z; nothing was removed.")};
    case mod_DriveInfo::RemoveResult::Drive:
        return UnmountOutcome{2, drive + " is a drive of its own, not a folder bound to a letter; it was left alone."};
    case mod_DriveInfo::RemoveResult::Refused:
        break;
    }
    return UnmountOutcome{2, drive + " could not be unmounted: Windows kept its folder binding."};
}

std::optional<UnmountOutcome> ElevatedBranch(const std::string& commandLine)
{
    if (ModeOf(commandLine) != StartMode::Elevated)
        return std::nullopt;
    const std::string option = modElevated::kOptionSwitch, setUp = modElevated::kSetUpSwitch;
    if (commandLine == option + " on" || commandLine == option + " off") {
        const auto result = commandLine.ends_with(" on") ? modElevated::TurnOn() : modElevated::TurnOff();
        return UnmountOutcome{result.exitCode, result.message};
    }
    // The program's own: nothing to say, and nobody to say it to.
    if (commandLine == setUp + " on" || commandLine == setUp + " off")
        return UnmountOutcome{modElevated::SetUp(commandLine.ends_with(" on")), {}};
    if (commandLine == modElevated::kSyncSwitch) {
        modElevated::Sync();
        return UnmountOutcome{0, {}};
    }
    return UnmountOutcome{2, "Say \"/elevated on\" or \"/elevated off\"; nothing was changed."};
}

void CleanStaleLabels()
{
    if (modElevated::WhereItRuns() != modElevated::Place::Elevated)
        modLabels::RemoveStaleLabels();
}

int AllUsersSetup()
{
    auto& session = os::Current().session;
    const std::string programData = session.ProgramData();
    return !programData.empty() && session.MakeAdministratorsFolder(programData + "\\Tavrik") ? 0 : 2;
}

}  // namespace modMain
