// What a screen reader gets of a form, in-process through oleacc as a reader
// asks for it: the label a list is named by, a press only where a person could
// press, and the system's own interfaces beside the program's answers.
#include "os/LazyImport_win.h"
#include "ui/App.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "widgets/LabelMenuWindow.h"
#include "widgets/XPButtonWindow.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <utility>

namespace {

class ReadForm : public ui::Form {
public:
    ReadForm() : ui::Form(Design())
    {
        lblLetters.Caption("&Letters");
        lblLetters.Move(0, 0, 1200, 300);
        for (ui::Label* hidden : {&lblHidden, &lblHiddenToo}) {
            hidden->Caption("Hidden");
            hidden->Move(0, 300, 1200, 300);
            hidden->Visible(false);
        }
        lstLetters.Move(0, 600, 1500, 900);
        button.Move(1800, 600, 1185, 450);
        cmdBack.Caption("&Back");
        cmdBack.Move(0, 1500, 900, 300);
        lstAfterButton.Move(1800, 1200, 1500, 450);
        menu.Move(1800, 0, 0, 0);
        menu.Item().Caption("&File");
        button.Button().Caption("&Go on");
        lblName.Caption("&Name");
        lblName.Move(0, 1800, 900, 300);
        txtName.Move(900, 1800, 900, 300);
    }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Read";
        design.ClientWidth = 3600;
        design.ClientHeight = 2400;
        return design;
    }
    // Made in this order, so each window follows the one before it.
    ui::Label lblLetters{*this, "lblLetters"};
    ui::Label lblHidden{*this, "lblHidden"};
    ui::Label lblHiddenToo{*this, "lblHiddenToo"};
    ui::ListBox lstLetters{*this, "lstLetters"};
    XPButtonWindow button{*this, "XPButton1"};
    ui::CommandButton cmdBack{*this, "cmdBack"};
    ui::ListBox lstAfterButton{*this, "lstAfterButton"};
    LabelMenuWindow menu{*this, "LbMenu1"};
    ui::Label lblName{*this, "lblName"};
    ui::TextBox txtName{*this, "txtName"};
};

// The object a reader gets for a window's client area; released with the holder.
class ReaderObject {
public:
    explicit ReaderObject(HWND window, LONG part = OBJID_CLIENT)
    {
        static auto* fromWindow =
            os::LazyImport<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll", "AccessibleObjectFromWindow");
        if (fromWindow)
            fromWindow(window, static_cast<DWORD>(part), __uuidof(IAccessible),
                       reinterpret_cast<void**>(&m_Object));
    }
    ~ReaderObject()
    {
        if (m_Object)
            m_Object->Release();
    }
    ReaderObject(const ReaderObject&) = delete;
    ReaderObject& operator=(const ReaderObject&) = delete;
    IAccessible* operator->() const { return m_Object; }
    explicit operator bool() const { return m_Object != nullptr; }

private:
    IAccessible* m_Object = nullptr;
};

TEST(ScreenReader, ReadsShownLabelsAndPressesOnlyWhatAPersonCould)
{
    test::DropPendingQuit();
    ReadForm form;
    ASSERT_TRUE(test::ShowPlain(form));

    // A list is named by the shown label before it, as Windows reads it; the
    // hidden ones between are nothing on screen.
    const ui::AccessibleFace list = form.lstLetters.Accessible(form.lstLetters.hWnd());
    EXPECT_EQ(list.name, "Letters");
    EXPECT_EQ(list.accessKey, 'l');
    // Only a label names a list or a box: a button before one is no label of it.
    const ui::AccessibleFace unlabelled = form.lstAfterButton.Accessible(form.lstAfterButton.hWnd());
    EXPECT_EQ(unlabelled.name, "");
    EXPECT_EQ(unlabelled.accessKey, 0);
    const ui::AccessibleFace box = form.txtName.Accessible(form.txtName.hWnd());
    EXPECT_EQ(box.name, "Name");
    EXPECT_EQ(box.accessKey, 'n');

    HWND button = ui::win::H(form.button.hWnd());
    const ReaderObject object(button);
    ASSERT_TRUE(object);
    int clicks = 0;
    form.button.Button().Click = [&] { ++clicks; };
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    // What a reader reads of the program's own controls, in the words Windows
    // uses; the window around the control's client area stays the system's.
    struct Read {
        HWND window;
        const wchar_t *name, *shortcut, *action;
        LONG role;
    };
    for (const Read& read : {Read{button, L"Go on", L"Alt+G", L"Press", ROLE_SYSTEM_PUSHBUTTON},
                             Read{ui::win::H(form.menu.hWnd()), L"File", L"Alt+F", L"Execute", ROLE_SYSTEM_MENUITEM}}) {
        SCOPED_TRACE(testing::Message() << read.name);
        const ReaderObject reader(read.window);
        ASSERT_TRUE(reader);
        BSTR said = nullptr;
        for (const auto& [ask, expected] :
             {std::pair{&IAccessible::get_accName, read.name}, std::pair{&IAccessible::get_accKeyboardShortcut, read.shortcut},
              std::pair{&IAccessible::get_accDefaultAction, read.action}}) {
            ASSERT_EQ((reader.operator->()->*ask)(self, &said), S_OK);
            EXPECT_STREQ(said, expected);
            SysFreeString(said);
        }
        VARIANT role{};
        ASSERT_EQ(reader->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, read.role);
        // (Wine's window object knows no role at all; Windows' says "window".)
        const ReaderObject frame(read.window, OBJID_WINDOW);
        ASSERT_TRUE(frame);
        role = VARIANT{};
        if (SUCCEEDED(frame->get_accRole(self, &role))) {
            EXPECT_EQ(role.lVal, ROLE_SYSTEM_WINDOW);
        }
    }
    {
        // With no caption, the button has no name of its own to say: it is
        // read as the system reads its window, whose text follows the caption.
        form.button.Button().Caption("");
        EXPECT_EQ(GetWindowTextLengthW(button), 0);
        static auto* createStandard =
            os::LazyImport<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
        IAccessible* standard = nullptr;
        ASSERT_EQ(createStandard(button, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard)), S_OK);
        BSTR ours = nullptr, system = nullptr;
        EXPECT_EQ(object->get_accName(self, &ours), standard->get_accName(self, &system));
        EXPECT_STREQ(ours, system);
        SysFreeString(ours);
        SysFreeString(system);
        // Nor can a reader set its name or value, any more than the system's.
        BSTR typed = SysAllocString(L"typed");
        for (const auto put : {&IAccessible::put_accName, &IAccessible::put_accValue})
            EXPECT_EQ((object.operator->()->*put)(self, typed), (standard->*put)(self, typed));
        SysFreeString(typed);
        // A child the window does not have, or one named by no number, has none
        // of the button's actions, nor its role or access key.
        form.button.Button().Caption("&Go on");
        for (const VARTYPE kind : {VT_I4, VT_EMPTY}) {
            VARIANT child{};
            child.vt = kind;
            child.lVal = kind == VT_I4 ? 1 : CHILDID_SELF;
            for (const auto ask : {&IAccessible::get_accDefaultAction, &IAccessible::get_accKeyboardShortcut}) {
                EXPECT_EQ((object.operator->()->*ask)(child, &ours), (standard->*ask)(child, &system)) << kind;
                EXPECT_STREQ(ours, system);
                SysFreeString(ours);
                SysFreeString(system);
            }
            VARIANT ourRole{}, systemRole{};
            EXPECT_EQ(object->get_accRole(child, &ourRole), standard->get_accRole(child, &systemRole)) << kind;
            EXPECT_EQ(std::pair(ourRole.vt, ourRole.lVal), std::pair(systemRole.vt, systemRole.lVal)) << kind;
        }
        standard->Release();
    }
    for (const bool enabled : {false, true}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        form.button.Button().Enabled(enabled);
        const HRESULT pressed = object->accDoDefaultAction(self);
        // The press comes once the reader's call is answered: a click that
        // opens a window must not hold the reader.
        EXPECT_EQ(clicks, 0);
        test::RunQueue();
        EXPECT_EQ(SUCCEEDED(pressed), enabled);
        EXPECT_EQ(clicks, enabled ? 1 : 0);
    }

    // A reader that scripts the object asks for it as a dispatch interface.
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    dispatch->Release();
    // The system's interfaces a reader walks children and finds the window
    // with answer for the button's window.
    IEnumVARIANT* children = nullptr;
    EXPECT_EQ(object->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children)), S_OK);
    if (children)
        children->Release();
    IOleWindow* oleWindow = nullptr;
    ASSERT_EQ(object->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&oleWindow)), S_OK);
    HWND found = nullptr;
    EXPECT_EQ(oleWindow->GetWindow(&found), S_OK);
    EXPECT_EQ(found, button);
    oleWindow->Release();
    form.Unload();
    test::DropPendingQuit();
}

// Whatever the program's own controls do not say for themselves (where they
// are, their parent and neighbours, their state, value and help, what is
// under a point) a reader hears as the system says it of their windows.
TEST(ScreenReader, WhatTheControlsDoNotSayThemselvesIsTheSystemsAnswer)
{
    test::DropPendingQuit();
    ReadForm form;
    ASSERT_TRUE(test::ShowPlain(form));
    static auto* createStandard =
        os::LazyImport<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const auto text = [](HRESULT result, BSTR said) {
        std::string answer = std::to_string(result) + (said ? " " + os::win::Narrow(said) : "");
        SysFreeString(said);
        return answer;
    };
    const auto kind = [](HRESULT result, VARIANT& answer) {  // and lets the answer go
        const std::string said = std::to_string(result) + " " + std::to_string(answer.vt) +
                                 (answer.vt == VT_I4 ? " " + std::to_string(answer.lVal) : "");
        VariantClear(&answer);
        return said;
    };
    const std::pair<const char*, std::function<std::string(IAccessible*)>> asks[] = {
        {"parent", [](IAccessible* a) {
             IDispatch* parent = nullptr;
             const HRESULT result = a->get_accParent(&parent);
             if (parent)
                 parent->Release();
             return std::to_string(result) + (parent ? " one" : " none");
         }},
        {"child count", [](IAccessible* a) {
             LONG count = -1;
             return std::to_string(a->get_accChildCount(&count)) + " " + std::to_string(count);
         }},
        {"child", [&](IAccessible* a) {
             IDispatch* child = nullptr;
             const HRESULT result = a->get_accChild(self, &child);
             if (child)
                 child->Release();
             return std::to_string(result);
         }},
        {"value", [&](IAccessible* a) { BSTR said = nullptr; return text(a->get_accValue(self, &said), said); }},
        {"description",
         [&](IAccessible* a) {
             BSTR said = nullptr;
             return text(a->get_accDescription(self, &said), said);
         }},
        {"help", [&](IAccessible* a) { BSTR said = nullptr; return text(a->get_accHelp(self, &said), said); }},
        {"help topic", [&](IAccessible* a) {
             BSTR file = nullptr;
             LONG topic = 0;
             return text(a->get_accHelpTopic(&file, self, &topic), file) + " " + std::to_string(topic);
         }},
        {"state", [&](IAccessible* a) { VARIANT state{}; return kind(a->get_accState(self, &state), state); }},
        {"focus", [&](IAccessible* a) { VARIANT focus{}; return kind(a->get_accFocus(&focus), focus); }},
        {"selection", [&](IAccessible* a) { VARIANT chosen{}; return kind(a->get_accSelection(&chosen), chosen); }},
        {"location", [&](IAccessible* a) {
             LONG left = 0, top = 0, width = 0, height = 0;
             const HRESULT result = a->accLocation(&left, &top, &width, &height, self);
             return std::to_string(result) + " " + std::to_string(left) + "," + std::to_string(top) + " " +
                    std::to_string(width) + "x" + std::to_string(height);
         }},
        {"next", [&](IAccessible* a) {
             VARIANT next{};
             const HRESULT result = a->accNavigate(NAVDIR_NEXT, self, &next);
             const std::string answer = std::to_string(result) + " " + std::to_string(next.vt);
             VariantClear(&next);
             return answer;
         }},
        {"hit", [&](IAccessible* a) {
             LONG left = 0, top = 0, width = 0, height = 0;
             a->accLocation(&left, &top, &width, &height, self);
             VARIANT hit{};
             return kind(a->accHitTest(left + width / 2, top + height / 2, &hit), hit);
         }},
    };
    for (const HWND window : {ui::win::H(form.button.hWnd()), ui::win::H(form.menu.hWnd())}) {
        const ReaderObject ours(window);
        ASSERT_TRUE(ours);
        IAccessible* standard = nullptr;
        ASSERT_EQ(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard)),
                  S_OK);
        for (const auto& [what, ask] : asks)
            EXPECT_EQ(ask(ours.operator->()), ask(standard)) << what;
        standard->Release();
    }
    form.Unload();
    test::DropPendingQuit();
}

}  // namespace
