#pragma once
// Start-up: the two global texts every window reads and the choice of mode.
#include <optional>
#include <string>

namespace modMain {

// The program's folder, always ending with "\".
extern std::string AppDir;
// Where the user's lists live, always ending with "\": the program's folder,
// or %APPDATA%\Tavrik\ where the program is installed for all users.
extern std::string ListDir;

// The installers' mark beside the program installed for all users: each
// user's lists are then kept in %APPDATA%\Tavrik rather than beside the exe.
inline constexpr const char* kAllUsersMark = "Tavrik.allusers";
// The step the installers run as administrator: the folder of the
// administrator's list, made or set so that only administrators change it.
inline constexpr const char* kAllUsersSetupSwitch = "/all-users-setup";
// The command-line text after the program name, as Windows hands it over; a
// folder to mount without the one pair of quotes a console or a dropped
// folder puts around it, and as the whole path it names.
extern std::string CommandLine;

enum class StartMode {
    StartupRun,       // "/ini": splash, mount the start-up list, end
    MainWindow,       // a folder to mount
    MainWindowEmpty,  // nothing to mount: the mount button stays disabled
    Unmount,          // "-" and a letter: remove its bindings, end without a window
    Help,             // "/?" and its like: the help window alone
    Elevated,         // "/elevated ..." and the two the program gives itself: no window
    AllUsersSetup,    // the installers' step run as administrator: no window
};

// The application path with a closing "\" unless it already has one (a drive root).
std::string MakeAppDir(const std::string& appPath);

StartMode ModeOf(const std::string& commandLine);

// The text without one pair of double quotes around the whole of it, blanks
// outside them aside. No Windows path holds a quote, so a path that needs
// none is left as it is.
std::string Unquoted(const std::string& commandLine);

// The letter text of the unmount mode: the two characters after the "-".
std::string UnmountLetter(const std::string& commandLine);

// Sets AppDir, ListDir and CommandLine from the application object's path and
// command line, and tells which mode they ask for. A folder to mount is made
// absolute.
StartMode Start(const std::string& appPath, const std::string& commandLine);

// What the unmount mode did, told to a script by the exit code (0 the
// letter's folder bindings were removed, 1 it had none, 2 the letter was
// refused: no letter A-Z, a drive of its own, or the system kept a binding)
// and to a console by one line.
struct UnmountOutcome {
    int exitCode = 0;
    std::string message;
};

// The first decision of the start: a command line beginning with "-" removes
// the bindings of the letter after it, and the program is to end with no
// window and no list file touched. nullopt for any other command line.
std::optional<UnmountOutcome> UnmountBranch(const std::string& commandLine);

// The drives for programs run as administrator, from the command line:
// "/elevated on" and "/elevated off" (exit codes as the unmount mode's: 0
// done, 1 already so or not offered, 2 refused or cancelled, and a line for
// a console); "/elevated-setup on|off", the step the program runs as
// administrator; "/elevated-sync", the task's run. nullopt for any other
// command line.
std::optional<UnmountOutcome> ElevatedBranch(const std::string& commandLine);

// The installers' step: makes %ProgramData%\Tavrik a folder only
// administrators can change. 0 done, 2 not (no administrator rights).
int AllUsersSetup();

// Takes away Explorer's labels of bindings that went while the program did not
// run. Run as administrator in a session of its own, the program does not see
// the bindings of the user's normal programs, whose labels these are: it
// leaves them.
void CleanStaleLabels();

}  // namespace modMain
