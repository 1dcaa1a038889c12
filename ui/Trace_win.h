#pragma once
// A Win32 call that failed and that the program goes on without (a picture
// not drawn, a font left as the system's) leaves one line in the debugger's
// output in a debug build: under Wine 8, WINEDEBUG=warn+seh shows it (older
// Wines: +debugstr). Release builds leave nothing, not even the text.
#include <windows.h>

namespace ui::win {

#ifdef NDEBUG
inline void TraceFailure(const char*) {}
#else
inline void TraceFailure(const char* call)
{
    const DWORD error = GetLastError();
    wchar_t line[128];
    wsprintfW(line, L"Tavrik: %hs failed, error %lu\n", call, error);
    OutputDebugStringW(line);
    SetLastError(error);  // the caller may still read it
}
#endif

// The call's result, traced when it reports a failure (null, zero or FALSE).
template <typename Result>
Result Traced(Result result, const char* call)
{
    if (!result)
        TraceFailure(call);
    return result;
}

}  // namespace ui::win
