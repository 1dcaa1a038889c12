#include "SimMachine.h"

#include "SimText.h"

#include <cctype>
#include <span>
#include <string>

namespace sim {

namespace {
std::string FoldedKey(const std::string& key) { return LowerCase(key); }
}  // namespace

bool SimRegistry::KeyExists(const std::string& key) { return m_Keys.count(FoldedKey(key)) != 0; }

std::optional<std::string> SimRegistry::ReadString(const std::string& key, const std::string& name)
{
    const auto found = m_Keys.find(FoldedKey(key));
    if (found == m_Keys.end())
        return std::nullopt;
    const auto value = found->second.find(FoldedKey(name));
    if (value == found->second.end())
        return std::nullopt;
    return value->second;
}

bool SimRegistry::WriteString(const std::string& key, const std::string& name, const std::string& value)
{
    if (refuseWrites || key.empty())
        return false;
    const std::string folded = FoldedKey(key);
    for (auto at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1))
        m_Keys[folded.substr(0, at)];
    m_Keys[folded][FoldedKey(name)] = value;
    return true;
}

bool SimRegistry::DeleteKey(const std::string& key)
{
    const std::string folded = FoldedKey(key);
    const auto found = m_Keys.find(folded);
    if (refuseWrites || found == m_Keys.end())
        return false;
    const auto below = m_Keys.lower_bound(folded + '\\');
    if (below != m_Keys.end() && below->first.starts_with(folded + '\\'))
        return false;  // keys below it: left, as RegDeleteKey leaves them
    m_Keys.erase(found);
    return true;
}

void SimListBoxes::SetTabStops(ui::WindowHandle listWindow, int count, const std::int32_t* stops)
{
    Call call{listWindow, {}};
    for (int i = 0; i < count; ++i)
        call.stops.push_back(stops[i]);
    calls.push_back(std::move(call));
}

std::optional<std::string> SimShellDialogs::BrowseForFolder(ui::WindowHandle owner, const std::string& title,
                                                            std::uint32_t flags)
{
    ++calls;
    lastOwner = owner;
    lastTitle = title;
    lastFlags = flags;
    return answer;
}

int SimShellDialogs::ShowMessage(ui::WindowHandle, const std::string& prompt, const std::string& title,
                                 std::uint32_t flags)
{
    messages.push_back({prompt, title, flags});
    if (messageAnswer)
        return messageAnswer(messages.back());
    constexpr std::uint32_t kButtons = 0xF, kOkOnly = 0;
    constexpr int kOk = 1, kCancel = 2;
    return (flags & kButtons) == kOkOnly ? kOk : kCancel;
}

bool SimShellDialogs::OpenFolder(ui::WindowHandle, const std::string& path)
{
    if (refuse)
        return false;
    opened.push_back(path);
    return true;
}

bool SimShellDialogs::CopyText(ui::WindowHandle, const std::string& text)
{
    if (refuse)
        return false;
    clipboard = text;
    return true;
}

std::optional<std::uintptr_t> SimTimers::Set(ui::WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                             ui::TimerTarget& target)
{
    ++sets;
    lastPeriod = period;
    if (failNextSet) {
        failNextSet = false;
        return std::nullopt;
    }
    const std::uintptr_t actual = window ? id : m_NextId++;
    Remove(window, actual);  // the same window and identifier replace a timer, as SetTimer does
    m_Timers.push_back({window, actual, period ? period : 1, m_Now + (period ? period : 1), &target});
    return actual;
}

bool SimTimers::Kill(ui::WindowHandle window, std::uintptr_t id)
{
    ++kills;
    return Remove(window, id);
}

bool SimTimers::Remove(ui::WindowHandle window, std::uintptr_t id)
{
    for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it) {
        if (it->window == window && it->id == id) {
            m_Timers.erase(it);
            return true;
        }
    }
    return false;
}

bool SimTimers::FireNext(std::uint32_t limit)
{
    auto next = m_Timers.end();
    for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it)
        if (it->due <= limit && (next == m_Timers.end() || it->due < next->due))
            next = it;
    if (next == m_Timers.end())
        return false;
    m_Now = next->due;
    next->due += next->period;
    // The tick may kill or add timers: nothing of the entry is used after it.
    const Entry tick = *next;
    tick.target->OnSystemTick(tick.window, ui::kTimerMessage, tick.id, m_Now);
    return true;
}

void SimTimers::RunPendingEvents()
{
    if (!FireNext(m_Now) && !m_Timers.empty())
        FireNext(~std::uint32_t{0});
}

void SimTimers::Advance(std::uint32_t ms)
{
    const std::uint32_t end = m_Now + ms;
    while (FireNext(end)) {
    }
    m_Now = end;
}

bool SimCursorWindows::CursorPos(ui::ScreenPoint& point)
{
    point = cursor;
    return cursorKnown;
}

ui::WindowHandle SimCursorWindows::WindowAt(ui::ScreenPoint point)
{
    for (const auto& area : windows)
        if (point.x >= area.left && point.x < area.right && point.y >= area.top && point.y < area.bottom)
            return area.window;
    return {};
}

std::string SimCodePage::FromAnsi(std::string_view bytes) { return sim::FromAnsi(page, bytes); }

std::optional<std::string> SimCodePage::ToAnsi(std::string_view text) { return sim::ToAnsi(page, text); }

std::string SimCodePage::LowerCase(std::string_view text) { return sim::LowerCase(text); }

SimPalette::SimPalette()
{
    for (int i = 0; i < 31; ++i)
        colors[i] = ui::DesignRgb(i);
}

SimMachine::SimMachine()
{
    AddDisk('C', 1);
    session.files = &files;
    elevatedSession.files = &elevatedFiles;
    elevatedDos.administrator = true;
    elevatedSession.elevation = os::Elevation::Full;
}

void SimMachine::AddDisk(char letter, int volumeNumber)
{
    const std::string device = "\\Device\\HarddiskVolume" + std::to_string(volumeNumber);
    files.AddVolume(device);
    dos.AddDisk(letter, device);
    elevatedDos.AddDisk(letter, device);
}

void SimMachine::AddBootName(char letter, const std::string& folder)
{
    for (auto* space : {&dos, &elevatedDos})
        space->AddDisk(letter, "\\??\\" + folder);
    for (auto* side : {&session, &elevatedSession})
        side->bootLetters += letter;
}

void SimMachine::SplitToken()
{
    session.elevation = os::Elevation::Limited;
    elevatedSession.elevation = os::Elevation::Full;
    session.linkedElsewhere = elevatedSession.linkedElsewhere = true;
    session.logonId = elevatedSession.linkedLogonId = "0x3e7001";
    elevatedSession.logonId = session.linkedLogonId = "0x3e7002";
}

std::optional<int> SimSession::RunElevated(const std::string& exe, const std::string& arguments)
{
    prompts.push_back(arguments);
    return elevate ? elevate(exe, arguments) : std::nullopt;
}

namespace {

std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

}  // namespace

bool SimSession::AdministratorsOnly(const std::string& path) { return administratorsOnly.count(Folded(path)) > 0; }

bool SimSession::MakeAdministratorsFolder(const std::string& path)
{
    if (elevation == os::Elevation::Limited || !files || !files->MakeFolder(path))
        return false;
    administratorsOnly.insert(Folded(path));
    return true;
}

bool SimTasks::Register(const std::string& name, const std::string& xml)
{
    if (refuse)
        return false;
    tasks[Folded(name)] = xml;
    return true;
}

std::optional<std::string> SimTasks::Find(const std::string& name)
{
    const auto it = tasks.find(Folded(name));
    return it == tasks.end() ? std::nullopt : std::optional(it->second);
}

bool SimTasks::Run(const std::string& name)
{
    if (!tasks.count(Folded(name)))
        return false;
    ++runs;
    if (onRun)
        onRun(name);
    return true;
}

bool SimTasks::Remove(const std::string& name)
{
    return !refuse && tasks.erase(Folded(name)) > 0;
}

}  // namespace sim
