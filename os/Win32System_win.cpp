// The real system: the Win32 calls behind the engine's interfaces. Every call
// is the wide one; the engine's UTF-8 text is converted here and in the
// toolkit's *_win.cpp files, nowhere else.
#include "LazyImport_win.h"
#include "Owned.h"
#include "Text.h"
#include "System.h"
#include "SystemPath.h"
#include "WideText_win.h"
#include "Win32Session.h"
#include "Win32System.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <map>
#include <utility>

namespace os {

namespace {

using win::Narrow;
using win::Wide;

std::u16string_view U16(std::wstring_view text) { return {reinterpret_cast<const char16_t*>(text.data()), text.size()}; }
std::wstring W(std::u16string_view text) { return {text.begin(), text.end()}; }

// A path Windows takes beyond MAX_PATH: made absolute, then marked "\\?\"
// (or "\\?\UNC\" for a network path), which lifts the limit to 32767
// characters; `added` says which mark the caller did not write. Shorter paths
// go as they are, normalised by Windows as always.
struct SystemPathForm {
    std::wstring path;
    paths::Mark added = paths::Mark::None;
};

SystemPathForm MarkedSystemPath(const std::string& path)
{
    std::wstring wide = Wide(path.substr(0, path.find('\0')));
    if (!paths::NeedsLongForm(U16(wide)))
        return {wide};
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {wide};
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return {wide};
    full.resize(length);
    const auto marked = paths::LongForm(U16(full));
    return marked.added == paths::Mark::None ? SystemPathForm{wide} : SystemPathForm{W(marked.path), marked.added};
}

std::wstring SystemPath(const std::string& path) { return MarkedSystemPath(path).path; }

// A system answer back in the form it was asked in.
std::string FromSystemPath(std::wstring_view answer, paths::Mark added)
{
    return Narrow(W(paths::Unmarked(U16(answer), added)));
}

// Copies text and its NUL into a caller's buffer of capacity bytes. Returns
// the length stored, or the size needed (and leaves the buffer alone) when
// it does not fit.
std::uint32_t CopyOut(const std::string& text, char* buffer, std::uint32_t capacity)
{
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);
    if (!buffer || capacity < needed)
        return needed;
    std::memcpy(buffer, text.c_str(), needed);
    return needed - 1;
}

// A file or a search that did not open is INVALID_HANDLE_VALUE, not null.
HANDLE NoFile() { return INVALID_HANDLE_VALUE; }
void CloseFile(HANDLE file) { CloseHandle(file); }
void EndSearch(HANDLE find) { FindClose(find); }

class FileHandle : public Owned<HANDLE, CloseFile, NoFile> {
public:
    using Owned::Owned;
    // Closing is where a delayed write can still fail, so its result counts.
    bool Close() { return CloseHandle(Detach()) != FALSE; }
};

using FindHandle = Owned<HANDLE, EndSearch, NoFile>;

// Another program (a virus scanner, a backup or sync tool) may hold a list
// file for a moment: an open or a move it refuses for that reason is tried
// again for about a second before it counts as failed.
constexpr int kTries = 10;
constexpr DWORD kPauseBetweenTries = 100;  // ms

bool HeldByAnother(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

HANDLE OpenRetried(const std::wstring& path, DWORD access, DWORD share, DWORD disposition)
{
    for (int tries = 1;; ++tries) {
        HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || tries == kTries || !HeldByAnother(GetLastError()))
            return file;
        Sleep(kPauseBetweenTries);
    }
}

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
        // A long target is bound as Windows allows it: by its "\\?\" form, which
        // the name space stores as the same "\??\" path.
        const bool raw = (flags & DDD_RAW_TARGET_PATH) != 0;
        const std::wstring wideTarget = target ? (raw ? Wide(target) : SystemPath(target)) : std::wstring();
        return DefineDosDeviceW(flags, Wide(deviceName).c_str(), target ? wideTarget.c_str() : nullptr) != FALSE;
    }

    std::uint32_t Query(const char* deviceName, char* buffer, std::uint32_t capacity) override
    {
        // A reply in UTF-8 is never shorter than in UTF-16 units, so a reply
        // that fits the caller's bytes fits as many units.
        std::wstring reply(capacity, L'\0');
        const DWORD count = QueryDosDeviceW(Wide(deviceName).c_str(), reply.data(), capacity);
        if (count == 0)
            return 0;
        const auto text = paths::FittedReply(U16(std::wstring_view(reply.data(), count)), capacity);
        if (!text) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(buffer, text->data(), text->size());
        return static_cast<std::uint32_t>(text->size());
    }

    std::uint32_t LastError() const override { return GetLastError(); }

    std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) override
    {
        // Drive roots are ASCII: one unit is one byte.
        std::wstring drives(length + 1, L'\0');
        const DWORD count = GetLogicalDriveStringsW(length, drives.data());
        if (count == 0 || count > length)
            return count;
        const std::string text = Narrow(std::wstring_view(drives.data(), count + 1));
        std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), length + 1));
        return static_cast<std::uint32_t>(text.size() - 1);
    }
};

// Our names for the system's values, checked where both are in sight.
static_assert(DEFINE_RAW_TARGET == DDD_RAW_TARGET_PATH && DEFINE_REMOVE == DDD_REMOVE_DEFINITION &&
              DEFINE_EXACT_MATCH == DDD_EXACT_MATCH_ON_REMOVE && DEFINE_NO_BROADCAST == DDD_NO_BROADCAST_SYSTEM);
static_assert(ERROR_CODE_FILE_NOT_FOUND == ERROR_FILE_NOT_FOUND && ERROR_CODE_ACCESS_DENIED == ERROR_ACCESS_DENIED &&
              ERROR_CODE_INSUFFICIENT_BUFFER == ERROR_INSUFFICIENT_BUFFER);
static_assert(ATTR_READONLY == FILE_ATTRIBUTE_READONLY && ATTR_HIDDEN == FILE_ATTRIBUTE_HIDDEN &&
              ATTR_SYSTEM == FILE_ATTRIBUTE_SYSTEM && ATTR_DIRECTORY == FILE_ATTRIBUTE_DIRECTORY);

class Win32CodePage : public CodePage {
public:
    std::string FromAnsi(std::string_view bytes) override
    {
        if (bytes.empty())
            return {};
        const int size = static_cast<int>(bytes.size());
        const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
        std::wstring wide(units, L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), units);
        return Narrow(wide);
    }

    std::optional<std::string> ToAnsi(std::string_view text) override
    {
        if (text.empty())
            return std::string();
        const std::wstring wide = Wide(text);
        const int units = static_cast<int>(wide.size());
        // No best-fit stand-ins ("a" for "ä"): a name that changes is another folder.
        // A machine whose ANSI page is UTF-8 knows neither flag nor default character.
        const bool utf8 = GetACP() == CP_UTF8;
        const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        BOOL* defaulted = utf8 ? nullptr : &usedDefault;
        const int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), units, nullptr, 0, nullptr, defaulted);
        if (size == 0 || usedDefault)
            return std::nullopt;
        std::string bytes(size, '\0');
        WideCharToMultiByte(CP_ACP, flags, wide.data(), units, bytes.data(), size, nullptr, defaulted);
        // Only what reads back as the same text is the text.
        if (usedDefault || FromAnsi(bytes) != Narrow(wide))
            return std::nullopt;
        return bytes;
    }

    std::string LowerCase(std::string_view text) override
    {
        std::wstring wide = Wide(text);
        if (!wide.empty())
            CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
        return Narrow(wide);
    }
};

class Win32FileSystem : public FileSystem {
public:
    std::uint32_t ShortPathName(const char* path, char* buffer, std::uint32_t capacity) override
    {
        if (!path)
            return 0;
        const auto [asked, added] = MarkedSystemPath(path);
        // Each call walks the whole path, a directory lookup per name: asked
        // once with room for the usual path, again only for a longer one.
        std::wstring shortForm(MAX_PATH, L'\0');
        DWORD length = GetShortPathNameW(asked.c_str(), shortForm.data(), MAX_PATH);
        if (length >= MAX_PATH) {  // too long: the room it needs
            shortForm.assign(length, L'\0');
            length = GetShortPathNameW(asked.c_str(), shortForm.data(), length);
            if (length >= shortForm.size())
                return 0;
        }
        if (length == 0)
            return 0;
        shortForm.resize(length);
        return CopyOut(FromSystemPath(shortForm, added), buffer, capacity);
    }

    bool IsDirectoryPath(const char* path) override
    {
        // A path that is not a network one is a directory exactly when its
        // attributes say so; asking kernel32 spares loading shlwapi at start.
        if (path && !(path[0] == '\\' && path[1] == '\\')) {
            const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
            return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
        static auto* isDirectory = LazyImport<decltype(PathIsDirectoryW)>(L"shlwapi.dll", "PathIsDirectoryW");
        return path && isDirectory && isDirectory(SystemPath(path).c_str()) != FALSE;
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
        WIN32_FIND_DATAW entry{};
        FindHandle find(FindFirstFileW(SystemPath(path).c_str(), &entry));
        if (!find) {
            const DWORD error = GetLastError();
            result.error = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NO_MORE_FILES;
            return result;
        }
        do {
            if ((entry.dwFileAttributes & special & ~attributes) == 0) {
                result.name = Narrow(entry.cFileName);
                return result;
            }
        } while (FindNextFileW(find.Get(), &entry));
        return result;
    }

    std::optional<std::vector<std::string>> ReadLines(const std::string& path, std::size_t maxBytes) override
    {
        // A list is read before it is written back: a moment's hold is waited
        // out here too, or the write after it would never come.
        FileHandle file(OpenRetried(SystemPath(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
        if (!file)
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
        return text::SplitLines(content);
    }

    bool AppendLine(const std::string& path, const std::string& text) override
    {
        // Readers may share it; no other writer may.
        FileHandle file(OpenRetried(SystemPath(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS));
        LARGE_INTEGER size{};
        if (!file || !GetFileSizeEx(file.Get(), &size))
            return false;
        std::string data;
        if (size.QuadPart > 0) {
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
        const LARGE_INTEGER end{};
        if (SetFilePointerEx(file.Get(), end, nullptr, FILE_END) && WriteAll(file.Get(), data) &&
            FlushFileBuffers(file.Get()))
            return file.Close();
        // A line cut short (a full disk) would stay for good: the file goes back
        // to the length it had.
        if (SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN))
            SetEndOfFile(file.Get());
        return false;
    }

    bool WriteLines(const std::string& path, const std::vector<std::string>& lines) override
    {
        FileHandle file(OpenRetried(SystemPath(path), GENERIC_WRITE, 0, CREATE_ALWAYS));
        if (!file)
            return false;
        const bool written = WriteAll(file.Get(), text::JoinLines(lines)) && FlushFileBuffers(file.Get());
        return file.Close() && written;
    }

    bool MoveOver(const std::string& from, const std::string& to) override
    {
        const std::wstring source = SystemPath(from), target = SystemPath(to);
        for (int tries = 1;; ++tries) {
            if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            // A file held open without delete sharing refuses to be replaced,
            // as "access denied" or as a sharing violation.
            const DWORD error = GetLastError();
            if (tries == kTries || !(HeldByAnother(error) || error == ERROR_ACCESS_DENIED))
                return false;
            Sleep(kPauseBetweenTries);
        }
    }

    bool RemoveFile(const std::string& path) override { return DeleteFileW(SystemPath(path).c_str()) != FALSE; }

    // Copied beside the target and moved over it: never a half-copied file.
    bool CopyOver(const std::string& from, const std::string& to) override
    {
        const std::string temporary = to + ".new";
        if (!CopyFileW(SystemPath(from).c_str(), SystemPath(temporary).c_str(), FALSE))
            return false;
        if (MoveOver(temporary, to))
            return true;
        RemoveFile(temporary);
        return false;
    }

    bool MakeFolder(const std::string& path) override
    {
        const std::wstring folder = SystemPath(path);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return true;
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool RemoveFolder(const std::string& path) override { return RemoveDirectoryW(SystemPath(path).c_str()) != FALSE; }

    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override
    {
        const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
        return attributes;
    }

    bool WriteAttributes(const std::string& path, std::uint32_t attributes) override
    {
        // FILE_ATTRIBUTE_NORMAL is the only way to say "none".
        return SetFileAttributesW(SystemPath(path).c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }

    std::string FinalPath(const std::string& path) override
    {
        const std::wstring asked = SystemPath(path);
        // Opened for no access at all: even a file another program holds
        // without sharing tells where it is.
        FileHandle file(CreateFileW(asked.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file)
            return path;
        const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
        const DWORD needed = GetFinalPathNameByHandleW(file.Get(), nullptr, 0, flags);
        if (needed == 0)
            return path;
        std::wstring resolved(needed, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(file.Get(), resolved.data(), needed, flags);
        if (length == 0 || length >= needed)
            return path;
        resolved.resize(length);
        // The answer always carries the long-path mark, which the program
        // adds only where a path needs it.
        const bool network = resolved.starts_with(L"\\\\?\\UNC\\");
        return FromSystemPath(resolved, network ? paths::Mark::Network : paths::Mark::Drive);
    }

    std::string FullPath(const std::string& path) override
    {
        const std::wstring wide = Wide(path.substr(0, path.find('\0')));
        if (wide.empty())
            return {};
        const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (needed == 0)
            return {};
        std::wstring full(needed, L'\0');
        const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
        if (length == 0 || length >= needed)
            return {};
        full.resize(length);
        return Narrow(full);
    }

    std::unique_ptr<FileLock> Lock(const std::string& path) override;
};

// Each call opens what it needs and closes it again: a handful of keys, touched
// as a drive is bound or removed.
class Win32Registry : public Registry {
public:
    bool KeyExists(const std::string& key) override
    {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        RegCloseKey(opened);
        return true;
    }

    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override
    {
        const std::wstring path = Wide(key), value = Wide(name);
        DWORD bytes = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
            ERROR_SUCCESS)
            return std::nullopt;
        text.resize(wcsnlen(text.c_str(), text.size()));
        return Narrow(text);
    }

    bool WriteString(const std::string& key, const std::string& name, const std::string& value) override
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                            nullptr, &opened, nullptr) != ERROR_SUCCESS)
            return false;
        const std::wstring text = Wide(value);
        const LONG set = RegSetValueExW(opened, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(opened);
        return set == ERROR_SUCCESS;
    }

    bool DeleteKey(const std::string& key) override
    {
        return RegDeleteKeyW(HKEY_CURRENT_USER, Wide(key).c_str()) == ERROR_SUCCESS;
    }
};

// Explorer is told through shell32, loaded on the first drive to tell of. The
// notification is posted, never sent: no other program can hold the caller.
class Win32ShellNotify : public ShellNotify {
public:
    void DriveAdded(char letter) override { Tell(SHCNE_DRIVEADD, letter); }
    void DriveRemoved(char letter) override { Tell(SHCNE_DRIVEREMOVED, letter); }
    void DriveChanged(char letter) override { Tell(SHCNE_UPDATEITEM, letter); }

private:
    static void Tell(LONG event, char letter)
    {
        static auto* notify = LazyImport<decltype(SHChangeNotify)>(L"shell32.dll", "SHChangeNotify");
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        if (notify)
            notify(event, SHCNF_PATHW, root, nullptr);
    }
};

void ReleaseAndClose(HANDLE mutex)
{
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

// One named mutex per list file, named after the file's full path, so that
// every copy of the program this user runs takes turns with it. A copy that
// ended while holding it hands it on (an abandoned mutex is owned all the same).
class Win32FileLock : public FileLock {
public:
    explicit Win32FileLock(HANDLE mutex) : m_Mutex(mutex) {}

private:
    Owned<HANDLE, ReleaseAndClose> m_Mutex;
};

// Long enough for another copy to read and write back a list of a megabyte.
constexpr DWORD kLockWait = 5000;  // ms

std::unique_ptr<FileLock> Win32FileSystem::Lock(const std::string& path)
{
    std::wstring full = SystemPath(FinalPath(path));
    wchar_t buffer[MAX_PATH];
    DWORD length = GetFullPathNameW(full.c_str(), MAX_PATH, buffer, nullptr);
    if (length > 0 && length < MAX_PATH)
        full.assign(buffer, length);
    if (!full.empty())
        CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    // A mutex name holds no backslash and is at most MAX_PATH long: the path
    // goes in as a 64-bit FNV-1a hash of its units.
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : full) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    wsprintfW(name, L"Local\\Tavrik.ListFile.%08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    if (!mutex)
        return nullptr;
    const DWORD waited = WaitForSingleObject(mutex, kLockWait);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<Win32FileLock>(mutex);
}

}  // namespace

System& Win32()
{
    static Win32DosDevices dos;
    static Win32FileSystem files;
    static Win32CodePage codePage;
    static Win32Registry registry;
    static Win32ShellNotify shell;
    static System system{dos, files, codePage, registry, shell, Win32Session(), Win32Tasks()};
    return system;
}

}  // namespace os
