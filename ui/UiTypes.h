#pragma once
// Plain types shared by the window toolkit and its users, with no Win32 types.
#include <compare>
#include <cstdint>
#include <string>

namespace ui {

// A system handle the portable code holds without Win32 types. Each kind is a
// type of its own, so that a DC is never handed where a window is asked for;
// the *_win.cpp files turn them into HWND, HDC, ... and back (WinUtil_win.h).
// The empty handle is none.
template <typename Kind>
class TypedHandle {
public:
    constexpr TypedHandle() = default;
    constexpr explicit TypedHandle(std::uintptr_t value) : m_Value(value) {}
    constexpr std::uintptr_t Value() const { return m_Value; }
    constexpr explicit operator bool() const { return m_Value != 0; }
    constexpr auto operator<=>(const TypedHandle&) const = default;

private:
    std::uintptr_t m_Value = 0;
};

using WindowHandle = TypedHandle<struct WindowKind>;
using DcHandle = TypedHandle<struct DcKind>;
using GdiHandle = TypedHandle<struct GdiKind>;  // a brush, font, pen, bitmap or region
using Color = std::uint32_t;    // 0x00BBGGRR, or 0x80000000 + n for system colour n

constexpr Color SystemColor(int index) { return 0x80000000u + static_cast<Color>(index); }
constexpr bool IsSystemColor(Color color) { return (color & 0x80000000u) != 0; }
constexpr Color vbMenuBar = SystemColor(4);
constexpr Color vbButtonFace = SystemColor(15);
constexpr Color vbWindowBackground = SystemColor(5);
constexpr Color vbWindowFrame = SystemColor(6);
constexpr Color vbWindowText = SystemColor(8);
constexpr Color vbButtonText = SystemColor(18);

// Key codes of key events.
constexpr int vbKeyReturn = 13;
constexpr int vbKeyEscape = 27;
constexpr int vbKeyDelete = 46;
constexpr int vbKeyF2 = 113;

// Mouse event arguments: Button bits, Shift bits.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Border styles of a form.
constexpr int vbBSNone = 0;
constexpr int vbFixedSingle = 1;
constexpr int vbSizable = 2;
constexpr int vbFixedDialog = 3;

// Window states.
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;

// Message box styles and answers.
constexpr int vbOKOnly = 0;
constexpr int vbYesNoCancel = 3;
constexpr int vbCritical = 16;
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Why a form is being unloaded: its close box or Alt+F4, the program, or the
// end of the Windows session.
constexpr int vbFormControlMenu = 0;
constexpr int vbFormCode = 1;
constexpr int vbAppWindows = 2;

struct FontSpec {
    std::string Name = "MS Sans Serif";
    double Size = 8.25;  // points
    bool Bold = false;
    bool Italic = false;
    int Charset = 0;  // 0 ANSI, 255 OEM
    bool operator==(const FontSpec&) const = default;
};

}  // namespace ui
