#include "SimPlatform.h"

#include <span>
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

int SimShellDialogs::ShowMessage(WindowHandle, const std::string& prompt, const std::string& title,
                                 std::uint32_t flags)
{
    messages.push_back({prompt, title, flags});
    return 1;  // OK
}

std::optional<std::uintptr_t> SimTimers::Set(WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                             TimerTarget& target)
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

bool SimTimers::Kill(WindowHandle window, std::uintptr_t id)
{
    ++kills;
    return Remove(window, id);
}

bool SimTimers::Remove(WindowHandle window, std::uintptr_t id)
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
    tick.target->OnSystemTick(tick.window, kTimerMessage, tick.id, m_Now);
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

bool SimCursorWindows::CursorPos(ScreenPoint& point)
{
    point = cursor;
    return cursorKnown;
}

WindowHandle SimCursorWindows::WindowAt(ScreenPoint point)
{
    for (const auto& area : windows)
        if (point.x >= area.left && point.x < area.right && point.y >= area.top && point.y < area.bottom)
            return area.window;
    return 0;
}

namespace {

// Upper-case letters outside ASCII and their lower-case partners.
struct CasePair {
    unsigned char upper, lower;
};
constexpr CasePair kWestern[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
constexpr CasePair kCentralEuropean[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
                                         {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}};

bool IsLeadByte(unsigned page, unsigned char c)
{
    if (page == 932)
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (page == 936)
        return c >= 0x81 && c <= 0xFE;
    return false;
}

}  // namespace

std::string SimCodePage::LowerCase(std::string_view text)
{
    std::string out(text);
    const bool singleByte = page == 1252 || page == 1250;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(page, c)) {
            ++i;  // the trail byte is half of one character, whatever it looks like
            continue;
        }
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 0x20);
            continue;
        }
        if (!singleByte)
            continue;
        // Both pages keep their accented capitals in 0xC0-0xDE, 0x20 below the small ones.
        if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            out[i] = static_cast<char>(c + 0x20);
            continue;
        }
        for (const auto& pair : page == 1250 ? std::span<const CasePair>(kCentralEuropean) : std::span<const CasePair>(kWestern))
            if (pair.upper == c)
                out[i] = static_cast<char>(pair.lower);
    }
    return out;
}

SimMachine::SimMachine() { AddDisk('C', 1); }

void SimMachine::AddDisk(char letter, int volumeNumber)
{
    const std::string device = "\\Device\\HarddiskVolume" + std::to_string(volumeNumber);
    files.AddVolume(device);
    dos.AddDisk(letter, device);
}

}  // namespace platform
