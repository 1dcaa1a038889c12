#pragma once
// Functions of DLLs that only some starts need (the folder dialog, visual
// styles, the path test): each DLL is loaded on its first use, so a start that
// never needs it, such as removing a binding, does not pay for loading it.
//
// Every such DLL comes from the system folder only. The program is started from
// folders anyone can drop a file into (Downloads, the per-user folder the log-on
// start runs from); a DLL of the same name there must never run inside it.
#include <windows.h>

#include <string>

namespace os {

// The function `name` of a module, as a pointer of the given function type, or
// null when the module or the function is missing.
template <typename Function>
Function* ImportFrom(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same from a DLL the program has loaded already (one it imports): no
// load, no search.
template <typename Function>
Function* LoadedImport(const wchar_t* dll, const char* name)
{
    return ImportFrom<Function>(GetModuleHandleW(dll), name);
}

// Limits the search of every later load, the system's own included, to the
// system folder. Called first thing in WinMain, before anything loads a DLL.
// False on a system that has no such setting (Windows 7 before its 2011 update);
// the loads below are safe there all the same.
inline bool LimitDllSearchToSystemFolder()
{
    const auto set = LoadedImport<BOOL WINAPI(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
    return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

// A system DLL by its bare name, searched for in the system folder alone. The
// bare name still lets the program's manifest pick its version (common
// controls 6). Where the search flag is unknown, the full system path is
// named instead.
inline HMODULE LoadSystemLibrary(const wchar_t* dll)
{
    if (HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + dll;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Wine's own DLLs resolve the DLLs they load late by the old search order,
// which still looks beside the program whatever the search is limited to: its
// common controls load ole32 so. A DLL loaded from the system folder before
// them is found loaded instead. Windows limits those loads itself; there this
// does nothing.
inline void LoadBeforeWinesOwnLateLoads(const wchar_t* dll)
{
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (wine)
        LoadSystemLibrary(dll);
}

// The function `name` of `dll` as a pointer of the given function type, or null
// when the DLL or the function is missing. Cache the result where it is used.
template <typename Function>
Function* LazyImport(const wchar_t* dll, const char* name)
{
    return ImportFrom<Function>(LoadSystemLibrary(dll), name);  // the DLL kept for the life of the program
}

}  // namespace os
