// Makes a system call fail where the system will not fail it on demand (a
// close that reports a delayed write error, a path that grew between two
// calls): while an ImportPatch lives, every call this test program makes to
// one imported function, from whichever DLL, goes to a stand-in instead.
#pragma once

#include "os/LazyImport_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace test {

// Any function, as the address an import slot holds.
struct StandIn {
    template <class F>
    StandIn(F* function) : address(reinterpret_cast<void*>(function))
    {
    }
    void* address;
};

class ImportPatch {
public:
    ImportPatch(const char* function, StandIn standIn)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* from = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             from->Name && !m_Slot; ++from) {
            const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + from->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + from->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0) {
                    m_Slot = reinterpret_cast<void**>(&slots->u1.Function);
                    break;
                }
            }
        }
        if (!m_Slot) {
            ADD_FAILURE() << "this program does not import " << function;
            return;
        }
        m_Original = *m_Slot;
        Put(standIn.address);
    }
    ~ImportPatch()
    {
        if (m_Slot)
            Put(m_Original);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

private:
    void Put(void* target)
    {
        DWORD was = 0;
        VirtualProtect(m_Slot, sizeof *m_Slot, PAGE_READWRITE, &was);
        *m_Slot = target;
        VirtualProtect(m_Slot, sizeof *m_Slot, was, &was);
    }

    void** m_Slot = nullptr;
    void* m_Original = nullptr;
};

// While it lives, no window's procedure can be replaced, as that of another
// process's window cannot be: SetWindowLongPtr refuses GWLP_WNDPROC alone.
class SubclassingRefused {
public:
    SubclassingRefused() : m_Patch(kSetter, Refuse) {}

private:
    static constexpr const char* kSetter = sizeof(void*) == 8 ? "SetWindowLongPtrW" : "SetWindowLongW";
    static LONG_PTR WINAPI Refuse(HWND window, int index, LONG_PTR value)
    {
        static auto* real = os::LoadedImport<decltype(SetWindowLongPtrW)>(L"user32.dll", kSetter);
        if (index != GWLP_WNDPROC)
            return real(window, index, value);
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }

    ImportPatch m_Patch;
};

}  // namespace test
