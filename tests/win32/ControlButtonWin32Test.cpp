// The caption button's window under Wine: it paints the chosen frame of its
// strip, keeps its size, and turns real mouse input into looks and clicks.
#include "ui/App.h"
#include "ui/Form.h"
#include "widgets/CaptionFace.h"
#include "widgets/ControlButtonWindow.h"

#include "WindowTestSupport.h"

#include "ui/WinUtil_win.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

namespace {

class Bar : public ui::Form {
public:
    Bar() : ui::Form(Design()) { button.Move(150, 150, 0, 0); }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Bar";
        design.ClientWidth = 1500;
        design.ClientHeight = 900;
        design.BorderStyle = ui::vbBSNone;
        return design;
    }
    ControlButtonWindow button{*this, "CloseButton"};
};

// The pixel (x, y) of frame `index` of a strip, straight from the resource.
COLORREF StripPixel(const wchar_t* strip, int index, int x, int y)
{
    const ui::win::GdiObject<HBITMAP> bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), strip, IMAGE_BITMAP, 0, 0, 0)));
    const ui::win::MemoryDc dc;
    const ui::win::Selection select(dc.Get(), bitmap.Get());
    return GetPixel(dc.Get(), index * 21 + x, y);
}

TEST(CaptionButtonWindow, PaintsTheChosenFrameAndKeepsItsSize)
{
    Bar bar;
    bar.Show();
    ui::DoEvents();
    EXPECT_EQ(bar.button.Width(), 315);
    bar.button.Move(300, 150, 2000, 50);
    EXPECT_EQ(bar.button.Height(), 315);
    RECT r{};
    GetWindowRect(ui::win::H(bar.button.hWnd()), &r);
    EXPECT_EQ(r.right - r.left, 21);

    bar.button.Button().ButtonStyle(2);
    for (std::int32_t theme : {0, 1, 2}) {
        bar.button.Button().Theme(theme);
        const int index = bar.button.Button().Picture().index;
        for (auto [x, y] : {std::pair{10, 10}, std::pair{6, 6}, std::pair{0, 0}, std::pair{20, 15}})
            EXPECT_EQ(test::PrintedPixel(bar.button.hWnd(), 21, 21, x, y), StripPixel(L"CBCLOSE", index, x, y))
                << theme << " " << x;
    }
    bar.button.Button().Enabled(false);
    EXPECT_EQ(test::PrintedPixel(bar.button.hWnd(), 21, 21, 10, 10), StripPixel(L"CBMAX", 10, 10, 10));
    bar.button.Button().Refresh();  // painted at once, nothing left for the queue
    EXPECT_FALSE(GetUpdateRect(ui::win::H(bar.button.hWnd()), nullptr, FALSE));
    bar.Unload();
}

// In high contrast the buttons are the system's own caption buttons, every
// pixel as DrawFrameControl draws them: each glyph, greyed while disabled,
// pushed while held with the pointer on it.
TEST(CaptionButtonWindow, InHighContrastTheSystemDrawsThem)
{
    test::DropPendingQuit();
    const test::SwitchedServices highContrast(true);
    Bar bar;
    bar.Show();
    ui::DoEvents();
    HWND window = ui::win::H(bar.button.hWnd());
    struct Case {
        std::int32_t style;
        bool enabled, held, over;
        UINT glyph;
        bool maximized = false;
    };
    // Held, it shows pushed while the pointer is on it, as a press let go
    // there would click. The maximize button of a maximized window restores it.
    for (const Case& c : {Case{0, true, false, true, DFCS_CAPTIONMIN}, Case{1, true, false, true, DFCS_CAPTIONMAX},
                          Case{2, true, false, true, DFCS_CAPTIONCLOSE}, Case{3, true, false, true, DFCS_CAPTIONRESTORE},
                          Case{2, false, false, true, DFCS_CAPTIONCLOSE | DFCS_INACTIVE},
                          Case{0, true, true, true, DFCS_CAPTIONMIN | DFCS_PUSHED},
                          Case{0, true, true, false, DFCS_CAPTIONMIN},
                          Case{1, true, false, true, DFCS_CAPTIONRESTORE, true}}) {
        SCOPED_TRACE(std::to_string(c.style) + (c.enabled ? "" : " disabled") + (c.held ? " held" : "") +
                     (c.over ? "" : " off it") + (c.maximized ? " maximized" : ""));
        if (c.maximized)
            ShowWindow(ui::win::H(bar.hWnd()), SW_MAXIMIZE);
        RECT r{};
        GetWindowRect(window, &r);
        SetCursorPos(r.left + (c.over ? 10 : 300), r.top + 10);
        bar.button.Button().ButtonStyle(c.style);
        bar.button.Enabled(c.enabled);
        if (c.held)
            SetCapture(window);
        const test::Canvas system(21, 21);
        RECT all{0, 0, 21, 21};
        DrawFrameControl(system.Dc(), &all, DFC_CAPTION, c.glyph);
        const test::Canvas painted(21, 21);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.Dc()), PRF_CLIENT);
        if (c.held)
            ReleaseCapture();
        int differ = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x)
                differ += painted.At(x, y) != system.At(x, y);
        EXPECT_EQ(differ, 0);
        // The window's text, which a screen reader reads, names the glyph.
        static const wchar_t* const names[] = {L"Minimize", L"Maximize", L"Close", L"Restore"};
        wchar_t text[16] = {};
        GetWindowTextW(window, text, 16);
        EXPECT_STREQ(text, names[c.style]);
        EXPECT_EQ(bar.button.Accessible(bar.button.hWnd()).name, c.maximized ? "Restore" : os::win::Narrow(names[c.style]));
    }
    bar.Unload();
}

// Above 96 DPI the face is drawn for the button's size from the strips' design,
// each size its own: a button at another scale never shows a face of the last.
TEST(CaptionButtonWindow, AtEveryScaleTheFaceIsDrawnForItsSize)
{
    for (const int dpi : {144, 192, 120}) {
        SCOPED_TRACE(dpi);
        const test::ScopedScreenDpi screen(dpi);
        Bar bar;
        bar.button.Button().ButtonStyle(2);
        bar.Show();
        ui::DoEvents();
        RECT client{};
        GetClientRect(ui::win::H(bar.button.hWnd()), &client);
        const int size = client.right;
        EXPECT_EQ(size, MulDiv(21, dpi, 96));
        const CaptionPicture shown = bar.button.Button().Picture();
        const std::vector<std::uint32_t> face = DrawCaptionFace(shown.set, shown.index, size);
        ASSERT_EQ(face.size(), static_cast<std::size_t>(size * size));
        const test::Canvas painted(size, size);
        SendMessageW(ui::win::H(bar.button.hWnd()), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.Dc()), PRF_CLIENT);
        int differ = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const std::uint32_t rgb = face[static_cast<std::size_t>(y * size + x)];
                differ += painted.At(x, y) != RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
            }
        EXPECT_EQ(differ, 0);
        bar.Unload();
    }
}

TEST(CaptionButtonWindow, RealMouseInputGivesHoverPressAndClick)
{
    test::DropPendingQuit();
    Bar bar;
    bar.Show();
    ui::DoEvents();
    HWND window = ui::win::H(bar.button.hWnd());
    RECT r{};
    GetWindowRect(window, &r);
    auto& button = bar.button.Button();
    int clicks = 0;
    button.Click = [&] { ++clicks; };

    SetCursorPos(r.left + 10, r.top + 10);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    test::Pump(60);
    EXPECT_EQ(button.Picture(), (CaptionPicture{CaptionPictureSet::CbMin, 1}));  // hover
    EXPECT_TRUE(button.Tracking());

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(button.Picture(), (CaptionPicture{CaptionPictureSet::CbMin, 2}));  // pressed
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 10));
    test::Pump(60);
    EXPECT_EQ(button.Picture(), (CaptionPicture{CaptionPictureSet::CbMin, 2}));  // still, moved while held
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(clicks, 1);

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));  // released off the button
    EXPECT_EQ(clicks, 1);
    // Nor is a press begun elsewhere and let go over the button.
    PostMessageW(ui::win::H(bar.hWnd()), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 40));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    test::RunQueue();
    EXPECT_EQ(clicks, 1);

    SetCursorPos(r.left + 200, r.top + 40);
    test::Pump(60);
    EXPECT_EQ(button.Picture(), (CaptionPicture{CaptionPictureSet::CbMin, 0}));
    EXPECT_FALSE(button.Tracking());
    bar.Unload();
}

// The pointer resting on a button keeps the hover poll ticking; a look that
// does not change is not painted again.
TEST(CaptionButtonWindow, APointerRestingOnItRepaintsNothing)
{
    test::DropPendingQuit();
    Bar bar;
    bar.Show();
    ui::DoEvents();
    HWND window = ui::win::H(bar.button.hWnd());
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos(r.left + 10, r.top + 10);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    test::Pump(60);
    ASSERT_TRUE(bar.button.Button().Tracking());
    {
        const test::MessageCounter paints(window, WM_PAINT);
        test::Pump(100);  // ten ticks of the poll
        EXPECT_EQ(paints.Count(), 0);
    }
    EXPECT_TRUE(bar.button.Button().Tracking());
    bar.Unload();
}

}  // namespace
