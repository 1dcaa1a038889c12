#include "modElevated.h"

#include "modFiles.h"
#include "modLists.h"
#include "mod_DriveInfo.h"
#include "mod_Subst.h"
#include "os/System.h"
#include "os/Text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace modElevated {

namespace {

constexpr const char* kTaskAuthor = "<Author>Tavrik</Author>";
constexpr const char* kSessionMark = "session ";
// The copy's own mark beside it: only a copy the program put there goes again.
constexpr const char* kCopyMark = "\\Tavrik.copy";
constexpr std::size_t kMostLogLines = 50;
constexpr std::size_t kMostFolderBytes = 32767;

// A SID names files and the task: nothing but "S-", digits and dashes.
bool IsSid(const std::string& sid)
{
    return sid.size() > 2 && sid.size() < 200 && sid.starts_with("S-") &&
           std::all_of(sid.begin() + 2, sid.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
}

std::string Folded(const std::string& text) { return os::Current().codePage.LowerCase(text); }

bool SamePath(const std::string& a, const std::string& b) { return Folded(a) == Folded(b); }

std::string RecordsFolder() { return ProtectedFolder() + "\\Elevated"; }
std::string RecordPath() { return RecordsFolder() + '\\' + os::Current().session.UserSid() + ".ini"; }
std::string LogPath() { return RecordsFolder() + '\\' + os::Current().session.UserSid() + ".log"; }
std::string CopyPath() { return ProtectedFolder() + "\\Tavrik.exe"; }

// The newest mapping of the letter in this session's name space; empty when
// the letter is free.
std::string CurrentMapping(char letter)
{
    const auto reply = mod_DriveInfo::QueryReply(std::string(1, letter));
    if (!reply)
        return {};
    const auto mappings = mod_DriveInfo::Mappings(*reply);
    return mappings.empty() ? std::string() : mappings.front();
}

// The mapping is the binding of target the program made.
bool IsBindingOf(const std::string& mapping, const std::string& target)
{
    return mod_DriveInfo::IsFolderMapping(mapping) && SamePath(mod_DriveInfo::FolderOf(mapping), target);
}

bool Unbind(char letter, const std::string& target)
{
    const std::string device(1, letter);
    return os::Current().dos.Define(os::DEFINE_REMOVE | os::DEFINE_EXACT_MATCH, (device + ":").c_str(),
                                    target.c_str());
}

using Bindings = std::map<char, std::string>;  // letter -> folder or target

// "X:" TAB text lines: the letter upper-cased. Anything else is no line.
std::optional<std::pair<char, std::string>> SplitLine(const std::string& line)
{
    if (line.size() < 4 || line[1] != ':' || line[2] != '\t' || !mod_Subst::IsDriveLetter(line.substr(0, 1)))
        return std::nullopt;
    return std::pair{text::UpperChar(line[0]), line.substr(3)};
}

// What the run did, as one log line.
struct Log {
    std::vector<std::string> bound, removed, skipped;
    std::string note;
    std::string Line() const
    {
        std::string line;
        const auto add = [&](const char* what, const std::vector<std::string>& items) {
            if (items.empty())
                return;
            line += line.empty() ? "" : "; ";
            line += what;
            for (std::size_t i = 0; i < items.size(); ++i)
                line += (i ? ", " : " ") + items[i];
        };
        add("bound", bound);
        add("removed", removed);
        add("skipped", skipped);
        if (!note.empty())
            line += (line.empty() ? "" : "; ") + note;
        return line.empty() ? "nothing to change" : line;
    }
};

// Why a line of the user's list is not bound here, or nothing when it may be.
std::optional<std::string> Refusal(char letter, const std::string& folder)
{
    auto& session = os::Current().session;
    if (letter == text::UpperChar(session.SystemDrive()))
        return "the system's drive";
    if (session.BootLetters().find(letter) != std::string::npos)
        return "defined at boot";
    if (folder.empty() || folder.size() > kMostFolderBytes ||
        std::any_of(folder.begin(), folder.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }) ||
        !modFiles::IsAbsolutePath(folder) || !modFiles::IsDirectory(folder))
        return "no folder";
    return std::nullopt;
}

// The user's list, every line checked: what may be bound. nullopt when the
// list cannot be read at all (nothing is to change then).
std::optional<Bindings> ReadWanted(Log& log)
{
    const auto lines = modLists::ReadListAt(ListPath());
    if (!lines) {
        log.note = "the list could not be read";
        return std::nullopt;
    }
    Bindings wanted;
    // A list written in another logon (the last one, before this log-on's
    // first change) names no binding of this one.
    const std::string session = kSessionMark + os::Current().session.LinkedLogonId();
    if (lines->empty() || lines->front() != session) {
        log.note = "the list is of another logon";
        return wanted;
    }
    std::size_t count = 0;
    for (auto line = lines->begin() + 1; line != lines->end(); ++line) {
        if (line->empty())
            continue;
        const auto fields = SplitLine(*line);
        const std::string name = fields ? std::string(1, fields->first) + ":" : "line " + std::to_string(line - lines->begin() + 1);
        if (++count > kMostLines) {
            log.skipped.push_back(name + " (more than " + std::to_string(kMostLines) + " lines)");
            continue;
        }
        if (!fields) {
            log.skipped.push_back(name + " (no letter and folder)");
            continue;
        }
        if (wanted.count(fields->first)) {
            log.skipped.push_back(name + " (named twice)");
            continue;
        }
        if (const auto why = Refusal(fields->first, fields->second)) {
            log.skipped.push_back(name + " (" + *why + ")");
            continue;
        }
        wanted[fields->first] = fields->second;
    }
    return wanted;
}

// What this side bound earlier: letter -> the target it gave. Kept where only
// administrators can write.
Bindings ReadRecord()
{
    Bindings record;
    for (const auto& line : modLists::ReadListAt(RecordPath()).value_or(std::vector<std::string>{}))
        if (const auto fields = SplitLine(line))
            record.insert(*fields);
    return record;
}

bool WriteRecord(const Bindings& record)
{
    if (record.empty()) {
        auto& files = os::Current().files;
        return !modFiles::FileExists(RecordPath()) || files.RemoveFile(RecordPath());
    }
    std::vector<std::string> lines;
    for (const auto& [letter, target] : record)
        lines.push_back(std::string(1, letter) + ":\t" + target);
    return modLists::WriteListAt(RecordPath(), lines);
}

void KeepLog(const std::string& line)
{
    auto lines = modLists::ReadListAt(LogPath()).value_or(std::vector<std::string>{});
    lines.push_back(line);
    if (lines.size() > kMostLogLines)
        lines.erase(lines.begin(), lines.end() - kMostLogLines);
    modLists::WriteListAt(LogPath(), lines);
}

// Makes this session's bindings those wanted: the record says which of them
// the program made here, and only those are ever changed or removed.
void Apply(const Bindings& wanted, Log& log)
{
    Bindings record = ReadRecord(), kept;
    for (const auto& [letter, folder] : wanted) {
        const std::string name(1, letter);
        const std::string current = CurrentMapping(letter);
        const auto earlier = record.find(letter);
        const bool ours = earlier != record.end() && IsBindingOf(current, earlier->second);
        const std::string bound = mod_DriveInfo::IsFolderMapping(current)
                                      ? modFiles::GetLongPath(mod_DriveInfo::FolderOf(current))
                                      : std::string();
        if (!bound.empty() && SamePath(bound, modFiles::GetLongPath(folder))) {
            if (ours)
                kept.insert(*earlier);
            continue;  // bound to that folder already
        }
        if (!current.empty() && !ours) {
            log.skipped.push_back(name + ": (held by another)");
            continue;
        }
        if (ours && !Unbind(letter, earlier->second)) {
            kept.insert(*earlier);
            log.skipped.push_back(name + ": (could not be removed)");
            continue;
        }
        std::string target = modFiles::GetShortPath(folder);
        if (target.empty())
            target = folder;
        if (mod_Subst::SubstDrive(name, target, 0)) {
            kept[letter] = target;
            log.bound.push_back(name + ":");
        } else {
            log.skipped.push_back(name + ": (refused)");
        }
    }
    for (const auto& [letter, target] : record) {
        if (kept.count(letter))
            continue;
        const std::string name = std::string(1, letter) + ":";
        // Gone already, or someone else's now: nothing of ours to remove.
        if (!IsBindingOf(CurrentMapping(letter), target))
            continue;
        if (Unbind(letter, target))
            log.removed.push_back(name);
        else
            kept[letter] = target;
    }
    if (!WriteRecord(kept))
        log.note += std::string(log.note.empty() ? "" : "; ") + "its record could not be kept";
}

std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

bool ListThere() { return modFiles::FileExists(ListPath()); }

// The list of the normal side's folder bindings, marked with its logon. Run
// as administrator, the program writes nothing where the user's own programs
// can write (a link there could point its write at any file): the normal
// side writes the list, at its next "on".
bool WriteList()
{
    if (WhereItRuns() != Place::Normal)
        return false;
    std::vector<std::string> lines{kSessionMark + os::Current().session.LogonId()};
    for (const auto& line : mod_DriveInfo::MountedDriveLines()) {
        const auto tab = line.find('\t');
        lines.push_back(line.substr(0, 2) + '\t' + line.substr(tab + 1));
    }
    auto& files = os::Current().files;
    const std::string folder = os::Current().session.LocalAppData() + "\\Tavrik";
    return files.MakeFolder(folder) && modLists::WriteListAt(ListPath(), lines);
}

}  // namespace

Place WhereItRuns()
{
    auto& session = os::Current().session;
    switch (session.TokenElevation()) {
    case os::Elevation::Default:
        return Place::NoSplit;
    case os::Elevation::Limited:
        return Place::Normal;
    case os::Elevation::Full:
        break;
    }
    return session.LinkedTokenElsewhere() ? Place::Elevated : Place::Normal;
}

bool Offered() { return WhereItRuns() != Place::NoSplit; }

std::string ListPath() { return os::Current().session.LocalAppData() + "\\Tavrik\\elevated.ini"; }
std::string ProtectedFolder() { return os::Current().session.ProgramFiles() + "\\Tavrik"; }
std::string TaskName() { return "Tavrik drives for " + os::Current().session.UserSid(); }

bool IsOurTask(const std::string& xml) { return xml.find(kTaskAuthor) != std::string::npos; }

bool IsOn()
{
    if (!Offered() || !IsSid(os::Current().session.UserSid()))
        return false;
    const auto xml = os::Current().tasks.Find(TaskName());
    return xml && IsOurTask(*xml);
}

std::string TaskXml(const std::string& sid, const std::string& command)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           "  <RegistrationInfo>\n"
           "    " + std::string(kTaskAuthor) + "\n"
           "    <Description>Binds the user's Tavrik drives for the programs the user runs as "
           "administrator.</Description>\n"
           // Administrators and the system may change it; the user may only
           // read and start it, so no program of the user's can change what
           // it runs as administrator.
           "    <SecurityDescriptor>D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;GRGX;;;" + Escaped(sid) + ")</SecurityDescriptor>\n"
           "  </RegistrationInfo>\n"
           "  <Triggers>\n"
           "    <LogonTrigger>\n"
           "      <Enabled>true</Enabled>\n"
           "      <UserId>" + Escaped(sid) + "</UserId>\n"
           "    </LogonTrigger>\n"
           "  </Triggers>\n"
           "  <Principals>\n"
           "    <Principal id=\"Author\">\n"
           "      <UserId>" + Escaped(sid) + "</UserId>\n"
           "      <LogonType>InteractiveToken</LogonType>\n"
           "      <RunLevel>HighestAvailable</RunLevel>\n"
           "    </Principal>\n"
           "  </Principals>\n"
           "  <Settings>\n"
           "    <MultipleInstancesPolicy>Queue</MultipleInstancesPolicy>\n"
           "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
           "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
           "    <AllowStartOnDemand>true</AllowStartOnDemand>\n"
           "    <Enabled>true</Enabled>\n"
           "    <ExecutionTimeLimit>PT1M</ExecutionTimeLimit>\n"
           "  </Settings>\n"
           "  <Actions Context=\"Author\">\n"
           "    <Exec>\n"
           "      <Command>" + Escaped(command) + "</Command>\n"
           "      <Arguments>" + std::string(kSyncSwitch) + "</Arguments>\n"
           "    </Exec>\n"
           "  </Actions>\n"
           "</Task>\n";
}

namespace {

constexpr const char* kOnText = "Your drives are now seen by programs run as administrator too.";
constexpr const char* kAlreadyOnText = "Your drives are already seen by programs run as administrator too.";
constexpr const char* kOffText = "Your drives are no longer seen by programs run as administrator.";
constexpr const char* kAlreadyOffText = "Your drives are not seen by programs run as administrator; nothing to turn off.";
constexpr const char* kRefusedText = "Nothing was changed: running as administrator was refused.";
constexpr const char* kFailedText = "Nothing was changed: the drives for programs run as administrator could not be set up.";

Result Elevate(bool on)
{
    auto& session = os::Current().session;
    const auto code = session.RunElevated(session.ExePath(), std::string(kSetUpSwitch) + (on ? " on" : " off"));
    if (!code)
        return {2, kRefusedText};
    if (*code != 0)
        return {2, kFailedText};
    return {0, on ? kOnText : kOffText};
}

}  // namespace

Result TurnOn()
{
    if (!Offered())
        return {1, kNotOfferedText};
    if (IsOn()) {
        // The list written again, should it have gone: the task is there.
        if (WriteList())
            os::Current().tasks.Run(TaskName());
        return {1, kAlreadyOnText};
    }
    Result result = Elevate(true);
    if (result.exitCode == 0 && WriteList())
        os::Current().tasks.Run(TaskName());
    return result;
}

Result TurnOff()
{
    if (!Offered())
        return {1, kNotOfferedText};
    auto& files = os::Current().files;
    if (!IsOn()) {
        if (ListThere() && WhereItRuns() == Place::Normal)
            files.RemoveFile(ListPath());
        return {1, kAlreadyOffText};
    }
    Result result = Elevate(false);
    if (result.exitCode == 0 && WhereItRuns() == Place::Normal) {
        if (ListThere())
            files.RemoveFile(ListPath());
        files.RemoveFolder(os::Current().session.LocalAppData() + "\\Tavrik");  // when nothing else is kept there
    }
    return result;
}

int SetUp(bool on)
{
    auto& system = os::Current();
    auto& files = system.files;
    const std::string sid = system.session.UserSid();
    if (!IsSid(sid))
        return 2;
    const std::string folder = ProtectedFolder(), copy = CopyPath(), mark = folder + kCopyMark;
    const auto existing = system.tasks.Find(TaskName());
    if (existing && !IsOurTask(*existing))
        return 2;  // a task of that name someone else made

    if (!on) {
        Log log;
        Apply({}, log);
        if (modFiles::FileExists(LogPath()))
            files.RemoveFile(LogPath());
        if (existing && !system.tasks.Remove(TaskName()))
            return 2;
        // The copy stays while another user's drives still use it.
        if (files.RemoveFolder(RecordsFolder()) && modFiles::FileExists(mark)) {
            files.RemoveFile(copy);
            files.RemoveFile(mark);
            files.RemoveFolder(folder);
        }
        return 0;
    }

    // The task must run a file the user's own programs cannot replace: the
    // program installed there, or a copy put there now.
    const bool installedThere = SamePath(system.session.ExePath(), copy) ||
                                (modFiles::FileExists(copy) && !modFiles::FileExists(mark));
    const bool madeFolder = !modFiles::IsDirectory(folder);
    const bool madeCopy = !installedThere && !modFiles::FileExists(copy);
    const auto undo = [&] {
        if (madeCopy) {
            files.RemoveFile(copy);
            files.RemoveFile(mark);
        }
        files.RemoveFolder(RecordsFolder());
        if (madeFolder)
            files.RemoveFolder(folder);
        return 2;
    };
    if (!files.MakeFolder(folder))
        return undo();
    if (!installedThere && !(files.CopyOver(system.session.ExePath(), copy) && files.WriteLines(mark, {sid})))
        return undo();
    if (!files.MakeFolder(RecordsFolder()) || !system.tasks.Register(TaskName(), TaskXml(sid, copy)))
        return undo();
    return 0;
}

void Mirror()
{
    if (WhereItRuns() != Place::Normal || !ListThere())
        return;
    if (WriteList())
        os::Current().tasks.Run(TaskName());
}

std::string Sync()
{
    if (!IsSid(os::Current().session.UserSid()))
        return "no user";
    Log log;
    if (const auto wanted = ReadWanted(log))
        Apply(*wanted, log);
    const std::string line = log.Line();
    KeepLog(line);
    return line;
}

}  // namespace modElevated
