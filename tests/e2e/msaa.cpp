// Reads another program's windows as a screen reader does: through oleacc, from
// outside the program, one accessible object per window.
//   msaa dump "<caption>"    the top-level window and every child, one line each
//   msaa check "<caption>"   the same, and exit code 1 when a control a screen
//                            reader meets is nameless, carries a code name, or
//                            is a button of the program's own that does not
//                            answer as a push button (a menu-strip item as a
//                            menu item of a menu bar)
//   msaa press "<caption>" "<name>"   the default action of the child so named
// Lines:  object <class> role <n> state <hex> name <text> action <text> key <text>
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Narrow(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

struct Reading {
    std::wstring className;
    bool got = false;  // an object was had at all
    long role = 0;
    long state = 0;
    std::wstring name, action, key;
};

using Getter = HRESULT(STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::wstring Text(IAccessible* object, Getter get)
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::wstring out;
    if ((object->*get)(self, &text) == S_OK && text)
        out = text;
    SysFreeString(text);
    return out;
}

long Number(IAccessible* object, HRESULT(STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*))
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT value{};
    if ((object->*get)(self, &value) == S_OK && value.vt == VT_I4)
        return value.lVal;
    VariantClear(&value);
    return 0;
}

Reading Read(HWND window)
{
    Reading reading;
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    reading.className = className;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return reading;
    reading.got = true;
    reading.role = Number(object, &IAccessible::get_accRole);
    reading.state = Number(object, &IAccessible::get_accState);
    reading.name = Text(object, &IAccessible::get_accName);
    reading.action = Text(object, &IAccessible::get_accDefaultAction);
    reading.key = Text(object, &IAccessible::get_accKeyboardShortcut);
    object->Release();
    return reading;
}

// A name made of one word with a capital inside it ("PicMain", "cmdOk") is the
// name a control has in the code, not one a person reads. A path is read as
// the path it is, whatever its folders are called.
bool IsCodeName(const std::wstring& name)
{
    if (name.find_first_of(L" \\:") != std::wstring::npos)
        return false;
    for (std::size_t i = 1; i < name.size(); ++i)
        if (iswlower(name[i - 1]) && iswupper(name[i]))
            return true;
    return false;
}

struct Walk {
    std::vector<std::string> faults;
    void Fault(const Reading& reading, const char* what)
    {
        faults.push_back(Narrow(reading.className) + " \"" + Narrow(reading.name) + "\": " + what);
    }
};

void Print(const Reading& r)
{
    std::printf("object %s role %ld state %lx name %s action %s key %s\n", Narrow(r.className).c_str(), r.role,
                static_cast<unsigned long>(r.state), Narrow(r.name).c_str(), Narrow(r.action).c_str(),
                Narrow(r.key).c_str());
}

void Judge(HWND window, const Reading& r, Walk& walk)
{
    if (!r.got) {
        walk.Fault(r, "no accessible object");
        return;
    }
    if (r.name.empty())
        walk.Fault(r, "no name");
    else if (IsCodeName(r.name))
        walk.Fault(r, "a code name");
    const std::wstring& c = r.className;
    if ((c == L"TavrikCaptionButton" || c == L"TavrikXPButton") && r.role != ROLE_SYSTEM_PUSHBUTTON)
        walk.Fault(r, "a button that is no push button");
    if (c == L"TavrikXPButton" && r.action != L"Press")
        walk.Fault(r, "a push button whose default action is not Press");
    if (c == L"TavrikMenuItem") {
        if (r.role != ROLE_SYSTEM_MENUITEM)
            walk.Fault(r, "a menu-strip item that is no menu item");
        if (Read(GetParent(window)).role != ROLE_SYSTEM_MENUBAR)
            walk.Fault(r, "a menu item outside a menu bar");
    }
}

struct Context {
    Walk* walk;
    bool judge;
};

struct Search {
    const wchar_t* name;
    HWND found;
};

BOOL CALLBACK Find(HWND child, LPARAM data)
{
    auto& search = *reinterpret_cast<Search*>(data);
    if (IsWindowVisible(child) && Read(child).name == search.name) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

// The child's default action, as a reader's user asks for it: 0 when done.
int Press(HWND window, const wchar_t* name)
{
    Search search{name, nullptr};
    EnumChildWindows(window, Find, reinterpret_cast<LPARAM>(&search));
    IAccessible* object = nullptr;
    if (!search.found || FAILED(AccessibleObjectFromWindow(search.found, static_cast<DWORD>(OBJID_CLIENT),
                                                           __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
        return 1;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const HRESULT result = object->accDoDefaultAction(self);
    object->Release();
    return result == S_OK ? 0 : 1;
}

BOOL CALLBACK Visit(HWND child, LPARAM data)
{
    auto& context = *reinterpret_cast<Context*>(data);
    if (!IsWindowVisible(child))
        return TRUE;  // what is not on the screen is not met
    const Reading reading = Read(child);
    Print(reading);
    if (context.judge)
        Judge(child, reading, *context.walk);
    return TRUE;
}

HWND FindVisible(const wchar_t* caption)
{
    for (HWND window = FindWindowW(nullptr, caption); window; window = FindWindowExW(nullptr, window, nullptr, caption))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool press = argc == 4 && std::wcscmp(argv[1], L"press") == 0;
    if (!press && (argc < 3 || (std::wcscmp(argv[1], L"dump") != 0 && std::wcscmp(argv[1], L"check") != 0))) {
        std::fprintf(stderr, "usage: msaa dump|check \"<caption>\" | press \"<caption>\" \"<name>\"\n");
        return 2;
    }
    HWND window = FindVisible(argv[2]);
    if (!window) {
        std::fprintf(stderr, "msaa: no window \"%s\"\n", Narrow(argv[2]).c_str());
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (press) {
        const int pressed = Press(window, argv[3]);
        CoUninitialize();
        return pressed;
    }
    Walk walk;
    Context context{&walk, std::wcscmp(argv[1], L"check") == 0};
    const Reading top = Read(window);
    Print(top);
    if (context.judge && top.name.empty())
        walk.Fault(top, "no name");
    EnumChildWindows(window, Visit, reinterpret_cast<LPARAM>(&context));
    for (const std::string& fault : walk.faults)
        std::printf("FAULT %s\n", fault.c_str());
    CoUninitialize();
    return walk.faults.empty() ? 0 : 1;
}
