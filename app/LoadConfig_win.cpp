// The exe's load configuration. Its one setting of ours: every DLL the exe
// imports, and every DLL those import in turn, is looked for in System32
// alone, before any of the program's code runs. Without it a DLL of a system
// name planted beside the exe (in a Downloads folder, or the per-user folder
// the log-on start runs from) would be loaded for a system DLL that is no
// known DLL of Windows (version.dll, msimg32.dll). Windows 10 (1607) on read
// the flags; older systems skip them, and the program's own loads go through
// LOAD_LIBRARY_SEARCH_SYSTEM32 everywhere.
#include <windows.h>

#include <cstddef>

namespace {

// The system's layout of the directory up to the dependent-load flags, which
// this toolchain's headers still call Reserved1. The directory reaches no
// further: no security cookie (the compiler's own stack guard is used) and no
// handler table.
struct LoadConfig {
    DWORD Size;
    DWORD TimeDateStamp;
    WORD MajorVersion;
    WORD MinorVersion;
    DWORD GlobalFlagsClear;
    DWORD GlobalFlagsSet;
    DWORD CriticalSectionDefaultTimeout;
    ULONG_PTR DeCommitFreeBlockThreshold;
    ULONG_PTR DeCommitTotalFreeThreshold;
    ULONG_PTR LockPrefixTable;
    ULONG_PTR MaximumAllocationSize;
    ULONG_PTR VirtualMemoryThreshold;
    // A pointer-sized field and a DWORD in 64 bits, two DWORDs in 32, in an
    // order that differs between the two; both zero here.
    ULONG_PTR ProcessAffinityMaskOrHeapFlags;
    DWORD ProcessHeapFlagsOrAffinityMask;
    WORD CSDVersion;
    WORD DependentLoadFlags;
};
static_assert(offsetof(LoadConfig, DependentLoadFlags) == offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, Reserved1));

}  // namespace

// The linker points the image's load-configuration entry at this name.
extern "C" const LoadConfig _load_config_used = {
    offsetof(LoadConfig, DependentLoadFlags) + sizeof(WORD), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    LOAD_LIBRARY_SEARCH_SYSTEM32,
};
