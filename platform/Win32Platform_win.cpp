// The real platform: the ANSI Win32 calls behind the engine's interfaces.
#include "LazyImport_win.h"
#include "LineText.h"
#include "Platform.h"
#include "Win32Platform.h"
#include "ui/App.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <map>
#include <utility>

namespace platform {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_Handle(handle) {}
    ~FileHandle()
    {
        if (Valid())
            CloseHandle(m_Handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return m_Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_Handle; }
    // Closing is where a delayed write can still fail, so its result counts.
    bool Close()
    {
        const bool ok = CloseHandle(m_Handle) != FALSE;
        m_Handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_Handle;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : m_Handle(handle) {}
    ~FindHandle()
    {
        if (m_Handle != INVALID_HANDLE_VALUE)
            FindClose(m_Handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

bool WriteAll(HANDLE file, std::string_view data)
{
    while (!data.empty()) {
        DWORD written = 0;
        const DWORD chunk = data.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(data.size());
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0)
            return false;
        data.remove_prefix(written);
    }
    return true;
}

class Win32DosDevices : public DosDevices {
public:
    bool Define(std::uint32_t flags, const char* deviceName, const char* target) override
    {
        return DefineDosDeviceA(flags, deviceName, target) != FALSE;
    }
    std::uint32_t Query(const char* deviceName, char* buffer, std::uint32_t capacity) override
    {
        return QueryDosDeviceA(deviceName, buffer, capacity);
    }
    std::uint32_t LastError() const override { return GetLastError(); }
    std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) override
    {
        return GetLogicalDriveStringsA(length, buffer);
    }
};

// Our names for the system's values, checked where both are in sight.
static_assert(DEFINE_RAW_TARGET == DDD_RAW_TARGET_PATH && DEFINE_REMOVE == DDD_REMOVE_DEFINITION &&
              DEFINE_EXACT_MATCH == DDD_EXACT_MATCH_ON_REMOVE && DEFINE_NO_BROADCAST == DDD_NO_BROADCAST_SYSTEM);
static_assert(kTimerMessage == WM_TIMER);
static_assert(ERROR_CODE_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND && ERROR_CODE_ACCESS_DENIED == ERROR_ACCESS_DENIED &&
              ERROR_CODE_INSUFFICIENT_BUFFER == ERROR_INSUFFICIENT_BUFFER);
static_assert(ATTR_READONLY == FILE_ATTRIBUTE_READONLY && ATTR_HIDDEN == FILE_ATTRIBUTE_HIDDEN &&
              ATTR_SYSTEM == FILE_ATTRIBUTE_SYSTEM && ATTR_DIRECTORY == FILE_ATTRIBUTE_DIRECTORY);

class Win32CodePage : public CodePage {
public:
    std::string LowerCase(std::string_view text) override
    {
        std::string out(text);
        if (!out.empty())
            CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
        return out;
    }
};

class Win32FileSystem : public FileSystem {
public:
    std::uint32_t ShortPathName(const char* path, char* buffer, std::uint32_t capacity) override
    {
        return GetShortPathNameA(path, buffer, capacity);
    }

    bool IsDirectoryPath(const char* path) override
    {
        static auto* isDirectory = LazyImport<decltype(PathIsDirectoryA)>("shlwapi.dll", "PathIsDirectoryA");
        return isDirectory && isDirectory(path) != FALSE;
    }

    LookupResult Lookup(const char* path, std::uint32_t attributes) override
    {
        LookupResult result;
        if (path == nullptr || *path == '\0') {
            result.error = true;
            return result;
        }
        // Hidden, system and directory entries match only when asked for, as a
        // BASIC Dir does; plain files always.
        const DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
        WIN32_FIND_DATAA entry{};
        FindHandle find(FindFirstFileA(path, &entry));
        if (find.Get() == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            result.error = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NO_MORE_FILES;
            return result;
        }
        do {
            if ((entry.dwFileAttributes & special & ~attributes) == 0) {
                result.name = entry.cFileName;
                return result;
            }
        } while (FindNextFileA(find.Get(), &entry));
        return result;
    }

    std::optional<std::vector<std::string>> ReadLines(const std::string& path, std::size_t maxBytes) override
    {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return std::nullopt;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) > maxBytes)
            return std::nullopt;
        std::string content;
        char chunk[8192];
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr))
                return std::nullopt;
            if (read == 0)
                break;
            content.append(chunk, read);
            if (content.size() > maxBytes)  // grew while we read
                return std::nullopt;
        }
        return SplitLines(content);
    }

    bool AppendLine(const std::string& path, const std::string& text) override
    {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid())
            return false;
        std::string data;
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0) {
            LARGE_INTEGER last{};
            last.QuadPart = size.QuadPart - 1;
            char ending = 0;
            DWORD read = 0;
            if (SetFilePointerEx(file.Get(), last, nullptr, FILE_BEGIN) &&
                ReadFile(file.Get(), &ending, 1, &read, nullptr) && read == 1 && ending != '\n' && ending != '\r')
                data = "\r\n";
        }
        data += text;
        data += "\r\n";
        const bool written = WriteAll(file.Get(), data);
        return file.Close() && written;
    }

    bool WriteLines(const std::string& path, const std::vector<std::string>& lines) override
    {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file.Valid())
            return false;
        const bool written = WriteAll(file.Get(), JoinLines(lines)) && FlushFileBuffers(file.Get());
        return file.Close() && written;
    }

    bool MoveOver(const std::string& from, const std::string& to) override
    {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != FALSE; }

    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override
    {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
        return attributes;
    }

    bool WriteAttributes(const std::string& path, std::uint32_t attributes) override
    {
        // FILE_ATTRIBUTE_NORMAL is the only way to say "none".
        return SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }
};

class Win32ListBoxes : public ListBoxes {
public:
    void SetTabStops(WindowHandle listWindow, int count, const std::int32_t* stops) override
    {
        SendMessageA(reinterpret_cast<HWND>(listWindow), LB_SETTABSTOPS, static_cast<WPARAM>(count),
                     reinterpret_cast<LPARAM>(stops));
    }
};

// OLE on this thread for as long as the program runs, once it is needed.
class OleSession {
public:
    OleSession()
    {
        static auto* initialize = LazyImport<decltype(OleInitialize)>("ole32.dll", "OleInitialize");
        m_Started = initialize && SUCCEEDED(initialize(nullptr));
    }
    ~OleSession()
    {
        static auto* uninitialize = LazyImport<decltype(OleUninitialize)>("ole32.dll", "OleUninitialize");
        if (m_Started && uninitialize)
            uninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool m_Started = false;
};

class Win32ShellDialogs : public ShellDialogs {
public:
    std::optional<std::string> BrowseForFolder(WindowHandle owner, const std::string& title,
                                               std::uint32_t flags) override
    {
        static auto* browse = LazyImport<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
        static auto* pathOf = LazyImport<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
        static auto* freeItem = LazyImport<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
        // The dialog's new style needs an apartment on this thread; made on first
        // use, as OLE costs start-up time every other start would pay for nothing.
        static const OleSession ole;
        if (!browse || !pathOf || !freeItem)
            return std::nullopt;
        BROWSEINFOA info{};
        info.hwndOwner = reinterpret_cast<HWND>(owner);
        info.pidlRoot = nullptr;
        info.lpszTitle = title.c_str();
        info.ulFlags = flags;
        LPITEMIDLIST item = browse(&info);
        if (!item)
            return std::nullopt;
        std::string buffer(MAX_PATH, ' ');
        const BOOL ok = pathOf(item, buffer.data());
        freeItem(item);
        if (!ok)
            return std::string();
        return buffer.substr(0, buffer.find('\0'));
    }

    int ShowMessage(WindowHandle owner, const std::string& prompt, const std::string& title,
                    std::uint32_t flags) override
    {
        return MessageBoxA(reinterpret_cast<HWND>(owner), prompt.c_str(), title.c_str(), flags | MB_TASKMODAL);
    }
};

// Timer callbacks carry no context: the table finds the object from the window
// and identifier the system hands back.
class Win32Timers : public Timers {
public:
    std::optional<std::uintptr_t> Set(WindowHandle window, std::uintptr_t id, std::uint32_t period,
                                      TimerTarget& target) override
    {
        HWND hwnd = reinterpret_cast<HWND>(window);
        const UINT_PTR result = SetTimer(hwnd, id, period, &Win32Timers::Callback);
        if (!result)
            return std::nullopt;
        // A window's timer keeps the id asked for; SetTimer then only says "done".
        const std::uintptr_t actual = hwnd ? id : result;
        Targets()[{window, actual}] = &target;
        return actual;
    }

    bool Kill(WindowHandle window, std::uintptr_t id) override
    {
        Targets().erase({window, id});
        return KillTimer(reinterpret_cast<HWND>(window), id) != FALSE;
    }

    void RunPendingEvents() override
    {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
            WaitMessage();
        ui::DoEvents();
    }

private:
    static std::map<std::pair<WindowHandle, std::uintptr_t>, TimerTarget*>& Targets()
    {
        static std::map<std::pair<WindowHandle, std::uintptr_t>, TimerTarget*> targets;
        return targets;
    }

    static void CALLBACK Callback(HWND window, UINT message, UINT_PTR id, DWORD time)
    {
        const auto it = Targets().find({reinterpret_cast<WindowHandle>(window), id});
        if (it != Targets().end())
            it->second->OnSystemTick(reinterpret_cast<WindowHandle>(window), message, id, time);
    }
};

class Win32CursorWindows : public CursorWindows {
public:
    bool CursorPos(ScreenPoint& point) override
    {
        POINT at{};
        if (!GetCursorPos(&at))
            return false;
        point = ScreenPoint{at.x, at.y};
        return true;
    }
    WindowHandle WindowAt(ScreenPoint point) override
    {
        return reinterpret_cast<WindowHandle>(WindowFromPoint(POINT{point.x, point.y}));
    }
};

}  // namespace

Platform& Win32()
{
    static Win32DosDevices dos;
    static Win32FileSystem files;
    static Win32ListBoxes lists;
    static Win32ShellDialogs shell;
    static Win32Timers timers;
    static Win32CursorWindows cursor;
    static Win32CodePage codePage;
    static Platform platform{dos, files, lists, shell, timers, cursor, codePage};
    return platform;
}

}  // namespace platform
