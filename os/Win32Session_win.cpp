// The session the program runs in and the Task Scheduler, through Win32: the
// process token, the known folders, ShellExecuteEx's "runas", and the Task
// Scheduler 2.0 objects (ole32 and oleaut32 loaded when first needed).
#include "AccessRule.h"
#include "LazyImport_win.h"
#include "Owned.h"
#include "WideText_win.h"
#include "Win32Session.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <taskschd.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <vector>

namespace os {

namespace {

using win::Narrow;
using win::Wide;

void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;

template <typename Info>
bool TokenInfo(HANDLE token, TOKEN_INFORMATION_CLASS kind, Info& info)
{
    DWORD bytes = 0;
    return GetTokenInformation(token, kind, &info, sizeof info, &bytes) != FALSE;
}

KernelHandle OwnToken()
{
    HANDLE token = nullptr;
    return KernelHandle(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ? token : nullptr);
}

KernelHandle LinkedToken(HANDLE token)
{
    TOKEN_LINKED_TOKEN linked{};
    return KernelHandle(token && TokenInfo(token, TokenLinkedToken, linked) ? linked.LinkedToken : nullptr);
}

std::string LogonIdOf(HANDLE token)
{
    TOKEN_STATISTICS statistics{};
    if (!token || !TokenInfo(token, TokenStatistics, statistics))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx%08lx", static_cast<unsigned long>(statistics.AuthenticationId.HighPart),
                  static_cast<unsigned long>(statistics.AuthenticationId.LowPart));
    return text;
}

// A known folder as Windows keeps it for the machine or the user, never from
// the environment, which the user's own programs may set.
std::string KnownFolder(REFKNOWNFOLDERID id)
{
    static auto* known = LazyImport<decltype(SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    static auto* release = LazyImport<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    PWSTR path = nullptr;
    if (!known || !release || FAILED(known(id, KF_FLAG_DONT_VERIFY, nullptr, &path)))
        return {};
    const std::string folder = Narrow(path);
    release(path);
    return folder;
}

void FreeLocal(void* memory) { LocalFree(memory); }
using LocalMemory = Owned<void*, FreeLocal>;

static_assert(kChangeRights == (FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD | DELETE |
                               WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL));

// NT SERVICE\TrustedInstaller, which owns Windows' own files.
constexpr const wchar_t* kInstallerServiceSid = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

// Everything Windows says of this token of one kind, whatever its size.
std::vector<BYTE> TokenData(HANDLE token, TOKEN_INFORMATION_CLASS kind)
{
    DWORD bytes = 0;
    GetTokenInformation(token, kind, nullptr, 0, &bytes);
    std::vector<BYTE> data(bytes);
    if (!bytes || !GetTokenInformation(token, kind, data.data(), bytes, &bytes))
        data.clear();
    return data;
}

// Who may change what only administrators should: the Administrators group,
// the system, the installer service, and this user when an administrator
// (in either of UAC's tokens: the limited one keeps the group, deny-only).
class Administrators {
public:
    Administrators()
    {
        ConvertStringSidToSidW(kInstallerServiceSid, &m_InstallerService);
        const KernelHandle token = OwnToken();
        if (!token)
            return;
        m_User = TokenData(token.Get(), TokenUser);
        const auto groups = TokenData(token.Get(), TokenGroups);
        if (groups.empty())
            return;
        const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
        for (DWORD i = 0; i < list->GroupCount; ++i)
            m_UserIsOne = m_UserIsOne || IsWellKnownSid(list->Groups[i].Sid, WinBuiltinAdministratorsSid);
    }
    ~Administrators() { LocalFree(m_InstallerService); }
    Administrators(const Administrators&) = delete;
    Administrators& operator=(const Administrators&) = delete;

    bool Include(PSID sid) const
    {
        if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || IsWellKnownSid(sid, WinLocalSystemSid) ||
            (m_InstallerService && EqualSid(sid, m_InstallerService)))
            return true;
        return m_UserIsOne && !m_User.empty() && EqualSid(sid, reinterpret_cast<const TOKEN_USER*>(m_User.data())->User.Sid);
    }

private:
    PSID m_InstallerService = nullptr;
    std::vector<BYTE> m_User;
    bool m_UserIsOne = false;
};

}  // namespace

Elevation ElevationOf(void* token)
{
    TOKEN_ELEVATION_TYPE type{};
    if (!token || !TokenInfo(token, TokenElevationType, type))
        return Elevation::Default;
    return type == TokenElevationTypeLimited ? Elevation::Limited
           : type == TokenElevationTypeFull  ? Elevation::Full
                                             : Elevation::Default;
}

bool OnlyAdministratorsChangeBy(const void* securityDescriptor)
{
    auto* descriptor = const_cast<void*>(securityDescriptor);
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL defaulted = FALSE, present = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted))
        return false;
    const Administrators administrators;
    std::optional<std::vector<AccessEntry>> entries;
    if (present && dacl) {  // no list at all lets everyone do anything
        entries.emplace();
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace))
                return false;
            const auto* header = static_cast<const ACE_HEADER*>(ace);
            AccessEntry entry;
            entry.kind = header->AceType == ACCESS_ALLOWED_ACE_TYPE  ? AccessEntry::Kind::Allow
                         : header->AceType == ACCESS_DENIED_ACE_TYPE ? AccessEntry::Kind::Deny
                                                                     : AccessEntry::Kind::Other;
            entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
            if (entry.kind != AccessEntry::Kind::Other) {
                // An allowed and a denied entry share their layout.
                auto* basic = static_cast<ACCESS_ALLOWED_ACE*>(ace);
                entry.rights = basic->Mask;
                entry.administrator = administrators.Include(&basic->SidStart);
            }
            entries->push_back(entry);
        }
    }
    return OnlyAdministratorsChange(owner && administrators.Include(owner), entries);
}

namespace {

class TokenSession : public Session {
public:
    Elevation TokenElevation() override { return ElevationOf(OwnToken().Get()); }

    bool LinkedTokenElsewhere() override { return InAnotherSession(LogonId(), LinkedLogonId()); }

    std::string LogonId() override { return LogonIdOf(OwnToken().Get()); }

    std::string LinkedLogonId() override
    {
        const KernelHandle token = OwnToken();
        return LogonIdOf(LinkedToken(token.Get()).Get());
    }

    std::string UserSid() override
    {
        const KernelHandle token = OwnToken();
        alignas(TOKEN_USER) BYTE buffer[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
        DWORD bytes = 0;
        if (!token || !GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &bytes))
            return {};
        LPWSTR text = nullptr;
        if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
            return {};
        const std::string sid = Narrow(text);
        LocalFree(text);
        return sid;
    }

    std::string LocalAppData() override { return KnownFolder(FOLDERID_LocalAppData); }
    std::string AppData() override { return KnownFolder(FOLDERID_RoamingAppData); }
    std::string ProgramFiles() override { return KnownFolder(FOLDERID_ProgramFiles); }
    std::string ProgramData() override { return KnownFolder(FOLDERID_ProgramData); }

    bool AdministratorsOnly(const std::string& path) override
    {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (GetNamedSecurityInfoW(Wide(path).c_str(), SE_FILE_OBJECT,
                                  OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                  nullptr, &descriptor) != ERROR_SUCCESS)
            return false;
        const LocalMemory kept(descriptor);
        return OnlyAdministratorsChangeBy(descriptor);
    }

    bool MakeAdministratorsFolder(const std::string& path) override
    {
        // Owned by the Administrators group; the system and administrators
        // may do anything, users read, and nothing is inherited from above.
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
                L"O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)", SDDL_REVISION_1, &descriptor,
                nullptr))
            return false;
        const LocalMemory kept(descriptor);
        const std::wstring folder = Wide(path);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        if (!CreateDirectoryW(folder.c_str(), &attributes) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        // A folder someone made before: its rights are set through a handle
        // of the folder itself, never through a link someone put in its place.
        HANDLE opened = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL | WRITE_DAC | WRITE_OWNER, 0,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
        const KernelHandle handle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
        BY_HANDLE_FILE_INFORMATION information{};
        if (!handle || !GetFileInformationByHandle(handle.Get(), &information) ||
            !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return false;
        PSID owner = nullptr;
        PACL dacl = nullptr;
        BOOL present = FALSE, defaulted = FALSE;
        if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
            !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted))
            return false;
        return SetSecurityInfo(handle.Get(), SE_FILE_OBJECT,
                               OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                   PROTECTED_DACL_SECURITY_INFORMATION,
                               owner, nullptr, dacl, nullptr) == ERROR_SUCCESS;
    }

    char SystemDrive() override
    {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
        return length > 0 && length < MAX_PATH && folder[0] < 0x80 ? static_cast<char>(folder[0]) : 'C';
    }

    std::string BootLetters() override
    {
        std::string letters;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\DOS Devices", 0,
                          KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return letters;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD length = 256;
            if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            const wchar_t letter = name[0] & ~0x20;  // upper case, for A to Z
            if (length == 2 && name[1] == L':' && letter >= L'A' && letter <= L'Z')
                letters += static_cast<char>(letter);
        }
        RegCloseKey(key);
        return letters;
    }

    std::string ExePath() override
    {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0)
                return {};
            if (length < path.size()) {
                path.resize(length);
                return Narrow(path);
            }
            path.resize(path.size() * 2);
        }
    }

    std::optional<int> RunElevated(const std::string& exe, const std::string& arguments) override
    {
        static auto* execute = LazyImport<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
        if (!execute)
            return std::nullopt;
        const std::wstring file = Wide(exe), parameters = Wide(arguments);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        info.hwnd = GetActiveWindow();  // the prompt comes up over the window that asked
        info.lpVerb = L"runas";
        info.lpFile = file.c_str();
        info.lpParameters = parameters.c_str();
        info.nShow = SW_HIDE;
        if (!execute(&info) || !info.hProcess)
            return std::nullopt;  // refused (ERROR_CANCELLED) or not started
        const KernelHandle process(info.hProcess);
        // The step takes a moment; one that never ends is taken as failed.
        DWORD code = 2;
        if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &code))
            return 2;
        return static_cast<int>(code);
    }
};

template <typename Interface>
void ReleaseObject(Interface* object)
{
    object->Release();
}
template <typename Interface>
using ComObject = Owned<Interface*, ReleaseObject<Interface>>;

void FreeText(BSTR text);
using Text = Owned<BSTR, FreeText>;

void FreeText(BSTR text)
{
    static auto* release = LazyImport<decltype(SysFreeString)>(L"oleaut32.dll", "SysFreeString");
    if (release)
        release(text);
}

Text MakeText(const std::string& text)
{
    static auto* allocate = LazyImport<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    return Text(allocate ? allocate(Wide(text).c_str()) : nullptr);
}

VARIANT Empty()
{
    VARIANT value;
    std::memset(&value, 0, sizeof value);
    value.vt = VT_EMPTY;
    return value;
}

// The Task Scheduler's class, {0F87369F-A4E5-4CFC-BD3E-73E6154572DD}.
constexpr CLSID kTaskScheduler = {0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

// COM for the length of one call, and the scheduler's root folder.
class Scheduler {
public:
    Scheduler()
    {
        static auto* initialize = LazyImport<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        static auto* create = LazyImport<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        m_Initialized = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
        if (!create)
            return;
        ITaskService* service = nullptr;
        if (FAILED(create(kTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                          reinterpret_cast<void**>(&service))))
            return;
        m_Service.Reset(service);
        const VARIANT none = Empty();
        const Text root = MakeText("\\");
        ITaskFolder* folder = nullptr;
        if (root && SUCCEEDED(service->Connect(none, none, none, none)) &&
            SUCCEEDED(service->GetFolder(root.Get(), &folder)))
            m_Folder.Reset(folder);
    }
    ~Scheduler()
    {
        m_Folder.Reset();
        m_Service.Reset();
        static auto* uninitialize = LazyImport<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
        if (m_Initialized && uninitialize)
            uninitialize();
    }
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    ITaskFolder* Folder() const { return m_Folder.Get(); }
    ComObject<IRegisteredTask> Task(const std::string& name) const
    {
        IRegisteredTask* task = nullptr;
        const Text path = MakeText(name);
        if (!m_Folder || !path || FAILED(m_Folder.Get()->GetTask(path.Get(), &task)))
            return ComObject<IRegisteredTask>();
        return ComObject<IRegisteredTask>(task);
    }

private:
    bool m_Initialized = false;
    ComObject<ITaskService> m_Service;
    ComObject<ITaskFolder> m_Folder;
};

class SchedulerTasks : public Tasks {
public:
    bool Register(const std::string& name, const std::string& xml) override
    {
        const Scheduler scheduler;
        const Text path = MakeText(name), definition = MakeText(xml);
        if (!scheduler.Folder() || !path || !definition)
            return false;
        const VARIANT none = Empty();
        IRegisteredTask* task = nullptr;
        if (FAILED(scheduler.Folder()->RegisterTask(path.Get(), definition.Get(), TASK_CREATE_OR_UPDATE, none, none,
                                                    TASK_LOGON_INTERACTIVE_TOKEN, none, &task)))
            return false;
        if (task)
            task->Release();
        return true;
    }

    std::optional<std::string> Find(const std::string& name) override
    {
        const Scheduler scheduler;
        const auto task = scheduler.Task(name);
        BSTR xml = nullptr;
        if (!task || FAILED(task.Get()->get_Xml(&xml)) || !xml)
            return std::nullopt;
        const Text owned(xml);
        return Narrow(xml);
    }

    bool Run(const std::string& name) override
    {
        const Scheduler scheduler;
        const auto task = scheduler.Task(name);
        IRunningTask* running = nullptr;
        if (!task || FAILED(task.Get()->Run(Empty(), &running)))
            return false;
        if (running)
            running->Release();
        return true;
    }

    bool Remove(const std::string& name) override
    {
        const Scheduler scheduler;
        const Text path = MakeText(name);
        return scheduler.Folder() && path && SUCCEEDED(scheduler.Folder()->DeleteTask(path.Get(), 0));
    }
};

}  // namespace

Session& Win32Session()
{
    static TokenSession session;
    return session;
}

Tasks& Win32Tasks()
{
    static SchedulerTasks tasks;
    return tasks;
}

}  // namespace os
