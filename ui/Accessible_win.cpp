// The wrapper a control's window answers WM_GETOBJECT with, and the label
// rule. Everything it needs of OLE is loaded on the first request, so a program
// no screen reader looks at never loads it.
#include "Accessible_win.h"
#include "Trace_win.h"
#include "WinUtil_win.h"

#include "os/LazyImport_win.h"
#include "os/Text.h"
#include "os/WideText_win.h"

#include <oleacc.h>

namespace ui::win {

namespace {

using os::LazyImport;
using os::win::Narrow;
using os::win::Wide;

// Asks the window for its face (lParam: the face to fill, wParam 0), or
// presses it (wParam kPress), from the wrapper. A registered message, as
// standard controls' private messages may use any number of their own.
UINT FaceMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Tavrik.AccessibleFace");
    return message;
}
constexpr WPARAM kPress = 1;

AccessibleFace FaceOf(HWND window)
{
    AccessibleFace face;
    if (IsWindow(window))
        SendMessageW(window, FaceMessage(), 0, reinterpret_cast<LPARAM>(&face));
    return face;
}

HRESULT Answer(const std::wstring& text, BSTR* out)
{
    static auto* allocate = LazyImport<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    *out = allocate ? allocate(text.c_str()) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

LONG RoleOf(AccessibleFace::Role role)
{
    switch (role) {
    case AccessibleFace::Role::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleFace::Role::MenuBar: return ROLE_SYSTEM_MENUBAR;
    case AccessibleFace::Role::MenuItem: return ROLE_SYSTEM_MENUITEM;
    case AccessibleFace::Role::Standard: break;
    }
    return 0;
}

// The system's object for the window, with what the control says over it. It
// asks the window each time, so what it says follows the control (a caption
// changed, a window maximized); once the window is gone it is the system's.
class FacedObject final : public IAccessible {
public:
    FacedObject(HWND window, IAccessible* standard) : m_Window(window), m_Standard(standard) {}
    FacedObject(const FacedObject&) = delete;
    FacedObject& operator=(const FacedObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // What a reader walks the children with and finds the window by are
        // the system's own, about the same window: handed on as they are.
        if (IsEqualIID(iid, __uuidof(IEnumVARIANT)) || IsEqualIID(iid, __uuidof(IOleWindow)))
            return m_Standard->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_References)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_References);
        if (left == 0) {
            m_Standard->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: the system's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_Standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_Standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_Standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* wrongArgument) override
    {
        return m_Standard->Invoke(id, iid, locale, flags, parameters, result, exception, wrongArgument);
    }

    // IAccessible: the control's word where it has one, else the system's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (IsSelf(child) && name)
            if (const AccessibleFace face = FaceOf(m_Window); !face.name.empty())
                return Answer(Wide(face.name), name);
        return m_Standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (IsSelf(child) && role)
            if (const LONG own = RoleOf(FaceOf(m_Window).role)) {
                role->vt = VT_I4;
                role->lVal = own;
                return S_OK;
            }
        return m_Standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        if (IsSelf(child) && shortcut)
            if (const char key = FaceOf(m_Window).accessKey)
                return Answer(std::wstring(L"Alt+") + static_cast<wchar_t>(text::UpperChar(key)), shortcut);
        return m_Standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (IsSelf(child) && action)
            if (const AccessibleFace face = FaceOf(m_Window); face.pressable)
                return Answer(face.role == AccessibleFace::Role::MenuItem ? L"Execute" : L"Press", action);
        return m_Standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (IsSelf(child) && FaceOf(m_Window).pressable) {
            if (!IsWindowEnabled(m_Window))
                return E_FAIL;
            // Pressed once this request has been answered, as a click would
            // come: a press that opens a window must not hold the reader.
            return PostMessageW(m_Window, FaceMessage(), kPress, 0) ? S_OK : E_FAIL;
        }
        return m_Standard->accDoDefaultAction(child);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_Standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return m_Standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_Standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_Standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return m_Standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_Standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return m_Standard->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_Standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_Standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_Standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return m_Standard->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return m_Standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_Standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return m_Standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return m_Standard->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_Standard->put_accValue(child, value);
    }

private:
    HWND m_Window;
    IAccessible* m_Standard;
    LONG m_References = 1;
};

// COM on the window's thread, which the reader's calls come in through, from
// the first request on for the life of the program.
bool ComStarted()
{
    static const bool started = [] {
        static auto* start = LazyImport<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (!start)
            return false;
        const HRESULT result = start(nullptr, COINIT_APARTMENTTHREADED);
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return started;
}

std::optional<LRESULT> AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFace& face)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || face.IsStandard() || !ComStarted())
        return std::nullopt;
    static auto* createStandard =
        LazyImport<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    static auto* toResult = LazyImport<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    if (!createStandard || !toResult)
        return std::nullopt;
    IAccessible* standard = nullptr;
    if (FAILED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard) {
        TraceFailure("CreateStdAccessibleObject");  // the system's own answer is read instead
        return std::nullopt;
    }
    auto* object = new FacedObject(window, standard);
    const LRESULT result = toResult(__uuidof(IAccessible), wParam, object);
    object->Release();  // the reader's reference keeps it from here on
    if (FAILED(static_cast<HRESULT>(result)))
        return std::nullopt;
    return result;
}

}  // namespace

std::optional<LRESULT> AccessibilityMessage(Control& control, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETOBJECT)
        return AnswerGetObject(window, wParam, lParam, control.Accessible(ToHandle(window)));
    if (message != FaceMessage())
        return std::nullopt;
    if (wParam == kPress)
        control.AccessiblePress();
    else if (lParam)
        *reinterpret_cast<AccessibleFace*>(lParam) = control.Accessible(ToHandle(window));
    return 1;
}

LabelText LabelBefore(HWND window)
{
    HWND before = GetWindow(window, GW_HWNDPREV);
    while (before && !IsWindowVisible(before))
        before = GetWindow(before, GW_HWNDPREV);
    wchar_t className[16] = {};
    if (!before || !GetClassNameW(before, className, 16) || lstrcmpiW(className, L"Static") != 0)
        return {};
    const int length = GetWindowTextLengthW(before);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(before, caption.data(), length + 1)));
    const std::string text = Narrow(caption);
    return LabelText{text::WithoutAccessMarks(text), text::AccessKeyOf(text)};
}

}  // namespace ui::win

namespace ui {

AccessibleFace Control::Accessible(WindowHandle) const
{
    AccessibleFace face;
    face.name = m_AccessibleName;
    if (!face.name.empty() || !m_hWnd)
        return face;
    // Boxes and lists show no name of their own: their label names them, as
    // Windows reads them; Wine's reader does not, so the rule is kept here.
    wchar_t className[16] = {};
    GetClassNameW(win::H(m_hWnd), className, 16);
    if (lstrcmpiW(className, L"ListBox") == 0 || lstrcmpiW(className, L"ComboBox") == 0 ||
        lstrcmpiW(className, L"Edit") == 0) {
        const win::LabelText label = win::LabelBefore(win::H(m_hWnd));
        face.name = label.text;
        face.accessKey = label.accessKey;
    }
    return face;
}

}  // namespace ui
