// A form moved to a screen of another DPI (WM_DPICHANGED through the queue):
// every pixel figure of its controls and window follows the new scale, not
// the one it was made at nor the system's.
#include "ui/App.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/WinUtil_win.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr int kTestIcon = 900;  // in the tests' resources

class Sheet : public ui::Form {
public:
    Sheet() : ui::Form(Design())
    {
        cboPick.Move(120, 120, 1500, 315);
        cboPick.AddItems({"Alpha", "An item wider than its box, which widens it"});
        fraGroup.Move(2700, 300, 1500, 1200);
        fraGroup.Caption = "Group";
    }
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Sheet";
        design.ClientWidth = 4500;
        design.ClientHeight = 1800;
        design.Icon = kTestIcon;
        return design;
    }
    ui::ComboBox cboPick{*this, "cboPick"};
    ui::Frame fraGroup{*this, "fraGroup"};
};

int IconSide(HWND window, WPARAM which)
{
    return test::IconSide(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)));
}

// Where the frame's caption cell begins: its background is the only button
// face on a white sheet.
POINT CaptionCorner(const ui::Frame& frame, int width, int height)
{
    const test::Canvas canvas(width, height);
    frame.PaintOn(ui::win::ToHandle(canvas.Dc()));
    POINT corner{width, height};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.At(x, y) == GetSysColor(COLOR_BTNFACE)) {
                corner.x = std::min<LONG>(corner.x, x);
                corner.y = std::min<LONG>(corner.y, y);
            }
    return corner;
}

TEST(Scale, EveryPixelFigureFollowsTheWindowToAScreenOfAnotherDpi)
{
    test::DropPendingQuit();
    const test::ScopedScreenDpi designDpi(96);
    Sheet sheet;
    ASSERT_TRUE(test::ShowPlain(sheet));
    HWND window = ui::win::H(sheet.hWnd());
    RECT before{};
    GetWindowRect(window, &before);
    static RECT suggested;
    suggested = RECT{before.left, before.top, before.left + 2 * (before.right - before.left),
                     before.top + 2 * (before.bottom - before.top)};
    PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    test::RunQueue();
    const ui::Scale& scale = sheet.DisplayScale();
    ASSERT_EQ(scale.DpiY(), 192);
    // The window takes the place the system suggests for the new DPI.
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested));

    // The picker's drop-down list keeps its room at the new scale, widened
    // for its widest item as it is.
    HWND picker = ui::win::H(sheet.cboPick.hWnd());
    RECT box{}, dropped{};
    GetWindowRect(picker, &box);
    SendMessageW(picker, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    // (The box's own height is given to it with the list's: of the design's
    // 160 pixels doubled, less of it may show below the box.)
    EXPECT_GE(dropped.bottom - box.bottom, 320 - (box.bottom - box.top));

    // The frame's caption is inset from its corner by the design's 8 and 6 pixels, doubled.
    const POINT corner = CaptionCorner(sheet.fraGroup, 600, 300);
    EXPECT_EQ(corner.x, scale.TwipsToPixelsX(sheet.fraGroup.Left()) + 16);
    EXPECT_EQ(corner.y, scale.TwipsToPixelsY(sheet.fraGroup.Top()) - 12);

    // The window's icons drawn for their size at this DPI.
    EXPECT_EQ(IconSide(window, ICON_SMALL), 32);
    EXPECT_EQ(IconSide(window, ICON_BIG), 64);
    sheet.Unload();
    test::DropPendingQuit();
}

// A font is as large as asked at every DPI above the design's, also where
// the system's bitmap drawing of its face stops at a smaller size; where the
// bitmap face has a size near enough, it is kept. An OEM font stays fixed-pitch.
TEST(Scale, FontsAreTheSizeAskedAtEveryDpi)
{
    const ui::win::WindowDc screen(nullptr);
    const struct {
        int dpi;
        double points;
        bool bitmap;
    } asks[] = {{120, 8.25, true},  {120, 9.75, true},  {144, 8.25, true},
                {144, 9.75, false}, {192, 8.25, false}, {192, 9.75, false}};
    for (const auto& a : asks) {
        ui::FontSpec asked;
        asked.Size = a.points;
        const ui::win::GdiObject<HFONT> font(ui::win::CreateFontFor(asked, a.dpi));
        const ui::win::Selection select(screen.Get(), font.Get());
        TEXTMETRICW metrics{};
        ASSERT_TRUE(GetTextMetricsW(screen.Get(), &metrics));
        EXPECT_GE((metrics.tmHeight - metrics.tmInternalLeading) * 10, ui::FontPixels(a.points, a.dpi) * 9)
            << a.points << " points at " << a.dpi;
        EXPECT_EQ((metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0, a.bitmap)
            << a.points << " points at " << a.dpi;
    }
    // An OEM font keeps its columns whatever face stands in for one missing.
    ui::FontSpec oem;
    oem.Name = "No Such Face";
    oem.Charset = OEM_CHARSET;
    const ui::win::GdiObject<HFONT> font(ui::win::CreateFontFor(oem, 96));
    const ui::win::Selection select(screen.Get(), font.Get());
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(screen.Get(), &metrics));
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // the bit set means variable pitch
}

}  // namespace
