#pragma once
// Drives for the programs a user runs as administrator. With UAC those run in
// a logon session of their own, whose DOS device names are its own: they do
// not see the drives the user's normal programs bind. Turned on, the normal
// side writes its folder bindings to a list of the user's after every change
// and starts a task of the user's. The task runs a copy of the program that
// only administrators can replace, as administrator, and makes that session's
// bindings match the list: it binds what is missing and removes what it bound
// itself and the list no longer holds, and it trusts no line of the list.
#include <string>

namespace modElevated {

// The command lines: the option from a console or script, the step run as
// administrator to turn it on or off, and the task's run.
inline constexpr const char* kOptionSwitch = "/elevated";
inline constexpr const char* kSetUpSwitch = "/elevated-setup";
inline constexpr const char* kSyncSwitch = "/elevated-sync";

// Where the program runs: a token with no split (one session for every
// program of the user: nothing to do); the normal side of a split token, or
// an elevated one that shares its session (Wine); the side run as
// administrator in a session of its own.
enum class Place { NoSplit, Normal, Elevated };
Place WhereItRuns();

// The option is offered wherever the token is split; elsewhere this says why not.
bool Offered();
inline constexpr const char* kNotOfferedText =
    "Programs run as administrator see your drives already: Windows runs them in the same session.";
// The user's task is there and is the program's own.
bool IsOn();

// What turning the option on or off came to, as "-X" tells it: 0 done, 1
// already so (or not offered), 2 refused or failed; and one line saying so.
struct Result {
    int exitCode = 0;
    std::string message;
};
Result TurnOn();
Result TurnOff();

// The step run as administrator (on: the protected copy and the task; off:
// the task, the bindings it made and the copy). 0 done, 2 not done, nothing
// left half-made.
int SetUp(bool on);

// After every binding the normal side makes or removes: the list written
// and the task started, when the option is on.
void Mirror();

// The task's run as administrator: the session's bindings made to match the
// list. Returns the line it keeps in its log.
std::string Sync();

// Where things live and what they are called.
std::string ListPath();         // the user's list: %LOCALAPPDATA%\Tavrik\elevated.ini
std::string ProtectedFolder();  // %ProgramFiles%\Tavrik
std::string TaskName();
std::string TaskXml(const std::string& sid, const std::string& command);
// The task's definition is one the program wrote.
bool IsOurTask(const std::string& xml);

inline constexpr std::size_t kMostLines = 26;

}  // namespace modElevated
