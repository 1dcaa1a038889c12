#pragma once
// Functions of DLLs that only some starts need (the folder dialog, visual
// styles, the path test): each DLL is loaded on its first use, so a start that
// never needs it, such as removing a binding, does not pay for loading it.
#include <windows.h>

namespace platform {

// The function `name` of `dll` as a pointer of the given function type, or null
// when the DLL or the function is missing. Cache the result where it is used.
template <typename Function>
Function* LazyImport(const char* dll, const char* name)
{
    HMODULE module = LoadLibraryA(dll);  // kept for the life of the program
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace platform
