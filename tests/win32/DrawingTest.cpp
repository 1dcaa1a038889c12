// What the toolkit and the menu-drawing control paint themselves, read back
// pixel by pixel from a memory DC, in the design's colours and in high contrast.
#include "ctxHookMenu.h"
#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Services.h"
#include "widgets/LabelMenuWindow.h"
#include "widgets/XPButtonWindow.h"

#include "ImportPatch.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace {

using test::Canvas;

class Sheet : public ui::Form {
public:
    Sheet() : ui::Form(ui::FormDesign{}) {}
    ui::Shape shape{*this, "shape"};
    ui::Line line{*this, "line"};
    ui::Frame frame{*this, "frame"};
    ui::Image image{*this, "image"};
    ui::Menu mnuPop{*this, "mnuPop", "Pop"};
    ui::Menu mnuPopGo{*this, "mnuPopGo", "&Go", &mnuPop};
    ctxHookMenu hook{*this, "hook"};
};

TEST(Drawing, ShapeAndLinePaintTheirColoursInPixels)
{
    Sheet sheet;
    sheet.shape.Move(60, 300, 300, 150);  // 4,20 to 24,30 at 15 twips a pixel
    sheet.shape.BorderColor = 0x808080;
    sheet.shape.FillColor = 0xE0E0E0;
    sheet.shape.Filled = true;
    sheet.line.X1 = 0;
    sheet.line.Y1 = 600;
    sheet.line.X2 = 450;
    sheet.line.Y2 = 600;
    sheet.line.BorderColor = 0x0000FF;

    Canvas canvas(40, 50);
    sheet.shape.PaintOn(ui::win::ToHandle(canvas.Dc()));
    sheet.line.PaintOn(ui::win::ToHandle(canvas.Dc()));
    EXPECT_EQ(canvas.At(4, 20), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(canvas.At(23, 29), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(canvas.At(10, 25), RGB(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(canvas.At(24, 25), RGB(0xFF, 0xFF, 0xFF));  // right edge exclusive
    EXPECT_EQ(canvas.At(3, 25), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(canvas.At(0, 40), RGB(0xFF, 0x00, 0x00));
    EXPECT_EQ(canvas.At(29, 40), RGB(0xFF, 0x00, 0x00));
    EXPECT_EQ(canvas.At(30, 40), RGB(0xFF, 0xFF, 0xFF));

    {
        // In high contrast the shape's border is the system's window text.
        const test::SwitchedServices highContrast(true);
        Canvas contrast(40, 50);
        sheet.shape.PaintOn(ui::win::ToHandle(contrast.Dc()));
        EXPECT_EQ(contrast.At(4, 20), GetSysColor(COLOR_WINDOWTEXT));
    }

    // What paints itself on the form paints nothing while hidden.
    sheet.frame.Move(60, 300, 300, 150);
    sheet.frame.Caption = "F";
    sheet.image.Picture = 900;  // the test program's icon
    sheet.image.Move(60, 300, 480, 480);
    for (ui::Control* control : {static_cast<ui::Control*>(&sheet.shape), static_cast<ui::Control*>(&sheet.frame),
                                 static_cast<ui::Control*>(&sheet.image)}) {
        for (const bool visible : {true, false}) {
            control->Visible(visible);
            Canvas painted(40, 50);
            control->PaintOn(ui::win::ToHandle(painted.Dc()));
            EXPECT_EQ(painted.Count(RECT{0, 0, 40, 50}, RGB(0xFF, 0xFF, 0xFF)) < 40 * 50, visible)
                << control->Name() << (visible ? " shown" : " hidden");
        }
    }
}

// A picture is drawn from the icon's own image for its size at the form's
// DPI, not from the design's size stretched.
TEST(Drawing, AnImageIsDrawnFromTheIconsImageForItsSize)
{
    for (const int dpi : {144, 192}) {
        const test::ScopedScreenDpi screen(dpi);
        Sheet sheet;
        sheet.image.Picture = 900;
        sheet.image.PictureSize = 32;
        const int side = 32 * dpi / 96;
        Canvas painted(side, side), expected(side, side);
        sheet.image.PaintOn(ui::win::ToHandle(painted.Dc()));
        const HICON own = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(900), IMAGE_ICON, side, side, 0));
        ASSERT_NE(own, nullptr);
        DrawIconEx(expected.Dc(), 0, 0, own, side, side, 0, nullptr, DI_NORMAL);
        DestroyIcon(own);
        int differing = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                differing += painted.At(x, y) != expected.At(x, y);
        EXPECT_EQ(differing, 0) << dpi;
    }
}

// Every item of every style, in each state and scheme, pinned pixel for pixel
// (one fingerprint per picture bar style).
TEST(Drawing, EveryHookedMenuItemStaysAsDrawn)
{
    Sheet sheet;
    sheet.Load();
    using V = ctxHookMenu::Variant;
    ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kActive, true));
    sheet.hook.ItemPicture("mnuPopGo", 900);
    HMENU popup = CreatePopupMenu();
    const UINT go = static_cast<UINT>(sheet.mnuPopGo.ControlId());
    AppendMenuW(popup, MF_STRING, go, L"&Go\tCtrl+G");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 0x7002, L"Go on and &on");
    SetMenuDefaultItem(popup, 0x7002, FALSE);
    HWND window = ui::win::H(sheet.hWnd());
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    for (const auto& [bar, expected] :
         {std::pair{0, 0x2cc984e1935cbeadull}, {1, 0xa2e2855b66a28b1dull}, {2, 0xa9d0f45755343029ull}}) {
        test::Fingerprint drawn;
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kBarStyle, std::int32_t{bar}));
        for (const bool gradients : {true, false}) {
            const std::vector<V> colours{V{0xFFFFFF}, V{0xF0F0F0}, V{0x0000FF}, V{0x00FFFF}, V{0x00FF00},
                                         V{0},        V{0xFF0000}, V{0xFFFFFF}, V{0},        V{0x808080},
                                         V{0xE0E0E0}, V{0x101010}, V{0},        V{gradients}, V{gradients}};
            ASSERT_TRUE(sheet.hook.Invoke(ctxHookMenu::kSetColors, colours));
            for (const std::int32_t selection : {0, 1, 2})
                for (const bool highContrast : {false, true})
                    for (const UINT state : {0u, UINT{ODS_SELECTED}, UINT{ODS_GRAYED}, UINT{ODS_SELECTED | ODS_GRAYED}})
                        for (const UINT id : {go, 0u, 0x7002u}) {
                            ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kSelectionStyle, selection));
                            const test::SwitchedServices services(highContrast);
                            MEASUREITEMSTRUCT measure{};
                            measure.CtlType = ODT_MENU;
                            measure.itemID = id;
                            SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
                            const RECT item{0, 0, 140, static_cast<LONG>(measure.itemHeight)};
                            Canvas canvas(item.right, item.bottom);
                            DRAWITEMSTRUCT draw{};
                            draw.CtlType = ODT_MENU;
                            draw.itemID = id;
                            draw.itemState = state;
                            draw.hDC = canvas.Dc();
                            draw.rcItem = item;
                            SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
                            drawn.Add(measure.itemWidth);
                            canvas.AddTo(drawn, item);
                        }
        }
        EXPECT_EQ(drawn.Value(), expected) << "bar style " << bar << " now draws as " << drawn.Hex();
    }
    DestroyMenu(popup);
}

TEST(Drawing, HookedMenuItemsDrawBarSelectionAndText)
{
    Sheet sheet;
    sheet.Load();
    using V = ctxHookMenu::Variant;
    {
        // Turned on while its window refuses it, the hook stays off until it
        // is turned on again.
        const test::SubclassingRefused refused;
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kActive, true));
    }
    ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kActive, true));
    ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kBarStyle, std::int32_t{2}));
    ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kSelectionStyle, std::int32_t{2}));
    const std::vector<V> colours{V{std::int32_t{0xFFFFFF}}, V{std::int32_t{0xFFFFFF}}, V{std::int32_t{0x0000FF}},
                                 V{std::int32_t{0x0000FF}}, V{std::int32_t{0x00FF00}}, V{std::int32_t{0}},
                                 V{std::int32_t{0x00FF00}}, V{std::int32_t{0xFFFFFF}}, V{std::int32_t{0}},
                                 V{std::int32_t{0x808080}}, V{std::int32_t{0xE0E0E0}}, V{std::int32_t{0}},
                                 V{std::int32_t{0}}, V{true}, V{true}};
    // The colours are fifteen values, no more and no fewer.
    for (const std::size_t count : {14u, 16u}) {
        auto wrong = colours;
        wrong.resize(count, V{true});
        EXPECT_FALSE(sheet.hook.Invoke(ctxHookMenu::kSetColors, wrong)) << count;
    }
    ASSERT_TRUE(sheet.hook.Invoke(ctxHookMenu::kSetColors, colours));

    // The hook learns the item's caption as the menu opens; a separator has none.
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(sheet.mnuPopGo.ControlId()), L"&Go");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    HWND window = ui::win::H(sheet.hWnd());
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(popup, 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = static_cast<UINT>(sheet.mnuPopGo.ControlId());
    EXPECT_TRUE(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemHeight, 22u);
    EXPECT_GT(measure.itemWidth, 24u + 8u);
    MEASUREITEMSTRUCT separator{};
    separator.CtlType = ODT_MENU;
    EXPECT_TRUE(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&separator)));
    EXPECT_EQ(separator.itemHeight, 7u);
    // The default item (what a double click does) is bold, as Windows shows
    // it: wider than the same caption plain.
    HMENU twice = CreatePopupMenu();
    for (const UINT id : {0x7001u, 0x7002u})
        AppendMenuW(twice, MF_STRING, id, L"Go on and on");
    SetMenuDefaultItem(twice, 0x7002, FALSE);
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(twice), 0);
    const auto width = [&](UINT id) {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = id;
        SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
        return item.itemWidth;
    };
    EXPECT_GT(width(0x7002), width(0x7001));
    DestroyMenu(twice);
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

    sheet.hook.ItemPicture("mnuPopGo", 900);  // the item's own, whatever the form's first control
    Canvas canvas(120, 22);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = measure.itemID;
    draw.itemState = ODS_SELECTED;
    draw.hDC = canvas.Dc();
    draw.rcItem = RECT{0, 0, 120, 22};
    EXPECT_TRUE(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 0));          // the selection's frame
    EXPECT_EQ(canvas.At(118, 20), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(60, 2), RGB(0, 0xFF, 0));      // its gradient starts at the selection colour
    EXPECT_EQ(canvas.At(0, 10), RGB(0xFF, 0, 0));      // the bar shows at the very left
    const RECT textArea{32, 5, 80, 18};                // some dark text right of the bar
    EXPECT_GT(canvas.Count(textArea, RGB(0, 0, 0)), 0);

    // Unselected, the item's picture shows on the bar.
    Canvas unselected(120, 22);
    draw.itemState = 0;
    draw.hDC = unselected.Dc();
    EXPECT_TRUE(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_GT(16 * 16 - unselected.Count(RECT{4, 3, 20, 19}, RGB(0xFF, 0, 0)), 16);
    int top = 22, bottom = -1;  // in the middle of the item's height
    for (int y = 0; y < 22; ++y)
        if (unselected.Count(RECT{0, y, 24, y + 1}, RGB(0xFF, 0, 0)) < 24) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    EXPECT_EQ(std::pair(top, bottom), std::pair(3, 18));

    // A greyed item is drawn in the grey given, unselected; in high contrast
    // every item is in the system's menu colours, the bar too.
    for (const bool highContrast : {false, true}) {
        SCOPED_TRACE(highContrast ? "high contrast" : "design colours");
        test::SwitchedServices services(highContrast);
        Canvas greyed(120, 22);
        draw.itemState = ODS_GRAYED;
        draw.hDC = greyed.Dc();
        EXPECT_TRUE(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
        const COLORREF menu = GetSysColor(COLOR_MENU);
        EXPECT_EQ(greyed.At(60, 2), highContrast ? menu : RGB(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(greyed.At(0, 10), highContrast ? menu : RGB(0xFF, 0, 0));
        const COLORREF grey = highContrast ? GetSysColor(COLOR_GRAYTEXT) : RGB(0x80, 0x80, 0x80);
        EXPECT_GT(greyed.Count(textArea, grey), 0);
        EXPECT_EQ(greyed.Count(textArea, RGB(0, 0, 0)), 0);
    }
    {
        // Selected in high contrast: the selection's text on the selection.
        test::SwitchedServices services(true);
        Canvas selected(120, 22);
        draw.itemState = ODS_SELECTED;
        draw.hDC = selected.Dc();
        EXPECT_TRUE(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
        EXPECT_GT(selected.Count(textArea, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    }

    // The bar and the selection as their styles say (both now red or green
    // to blue); a greyed item is never drawn selected; a selection without a
    // style is the system's.
    auto graded = colours;
    graded[3] = V{std::int32_t{0xFF0000}};
    graded[6] = V{std::int32_t{0xFF0000}};
    ASSERT_TRUE(sheet.hook.Invoke(ctxHookMenu::kSetColors, graded));
    const struct {
        const char* what;
        std::int32_t bar, selection;
        UINT state;
        int x, y;
        COLORREF colour;
    } looks[] = {
        {"no bar", 0, 2, 0, 0, 10, RGB(0xFF, 0xFF, 0xFF)},
        {"a plain bar", 1, 2, 0, 22, 10, RGB(0xFF, 0, 0)},
        {"a graded bar", 2, 2, 0, 22, 10, RGB(12, 0, 243)},
        {"a plain selection", 2, 1, ODS_SELECTED, 60, 19, RGB(0, 0xFF, 0)},
        {"a graded selection", 2, 2, ODS_SELECTED, 60, 19, RGB(0, 14, 241)},
        {"greyed and selected", 2, 2, ODS_SELECTED | ODS_GRAYED, 60, 2, RGB(0xFF, 0xFF, 0xFF)},
        {"the system's selection", 2, 0, ODS_SELECTED, 60, 2, GetSysColor(COLOR_HIGHLIGHT)},
        {"greyed, under the system's selection", 2, 0, ODS_SELECTED | ODS_GRAYED, 60, 2, RGB(0xFF, 0xFF, 0xFF)},
    };
    for (const auto& look : looks) {
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kBarStyle, look.bar));
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kSelectionStyle, look.selection));
        Canvas drawn(120, 22);
        draw.itemState = look.state;
        draw.hDC = drawn.Dc();
        SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        EXPECT_EQ(drawn.At(look.x, look.y), look.colour) << look.what;
    }
    // With its grading turned off in the colours, a graded selection is plain.
    auto flat = graded;
    flat[14] = V{false};
    ASSERT_TRUE(sheet.hook.Invoke(ctxHookMenu::kSetColors, flat));
    ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kSelectionStyle, std::int32_t{2}));
    Canvas plain(120, 22);
    draw.itemState = ODS_SELECTED;
    draw.hDC = plain.Dc();
    SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(plain.At(60, 19), RGB(0, 0xFF, 0));

    DestroyMenu(popup);
    sheet.Unload();
}

// Menu rows are at least the design's 22 pixels times DPI/96, and never
// shorter than their text, made for that DPI, and the design's margins.
TEST(Drawing, HookedMenuRowsGrowWithTheDpi)
{
    for (const int dpi : {96, 144, 192}) {
        test::ScopedScreenDpi screen(dpi);
        Sheet sheet;
        sheet.Load();
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kActive, true));
        ASSERT_TRUE(sheet.hook.SetProperty(ctxHookMenu::kUseFont, true));
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(sheet.mnuPopGo.ControlId()), L"&Go");
        HWND window = ui::win::H(sheet.hWnd());
        SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = static_cast<UINT>(sheet.mnuPopGo.ControlId());
        SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));

        const ui::win::WindowDc dc(window);
        ui::win::GdiObject<HFONT> font(ui::win::CreateFontFor(sheet.hook.MenuFont, dpi));
        const ui::win::Selection select(dc.Get(), font.Get());
        RECT text{0, 0, 0, 0};
        DrawTextW(dc.Get(), L"Go", -1, &text, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_GE(measure.itemHeight, static_cast<UINT>(22 * dpi / 96)) << dpi;
        EXPECT_GE(measure.itemHeight, static_cast<UINT>(text.bottom + 9 * dpi / 96)) << dpi;
        DestroyMenu(popup);
        sheet.Unload();
    }
}

// A hook gone while its form stays takes itself off the form's window: the
// form's menus are the system's again, never measured by what is left of it.
TEST(Drawing, AHookGoneBeforeItsFormLeavesTheFormsMenusAlone)
{
    Sheet sheet;
    sheet.Load();
    HWND window = ui::win::H(sheet.hWnd());
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(sheet.mnuPopGo.ControlId()), L"&Go");
    auto late = std::make_unique<ctxHookMenu>(sheet, "late");
    ASSERT_TRUE(late->SetProperty(ctxHookMenu::kActive, true));
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    late.reset();
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = static_cast<UINT>(sheet.mnuPopGo.ControlId());
    SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, 0u);
    DestroyMenu(popup);
    sheet.Unload();
}

class Beige : public ui::Form {
public:
    Beige() : ui::Form(Design())
    {
        button.Move(150, 150, 1185, 765);
        label.Caption("Drive Letter");
        label.BackColor(kBeige);
        label.Move(150, 1050, 1500, 195);
        item.Move(1500, 150, 0, 0);
        item.Item().Caption("&File");
        item.Item().BackColor(LabelMenu::kHighlightColor);  // lit
    }
    static constexpr ui::Color kBeige = 0xD8E9EC;
    static ui::FormDesign Design()
    {
        ui::FormDesign design;
        design.Caption = "Beige";
        design.ClientWidth = 3000;
        design.ClientHeight = 1500;
        design.BorderStyle = ui::vbBSNone;
        design.BackColor = kBeige;
        return design;
    }
    XPButtonWindow button{*this, "XPButton1"};
    ui::Label label{*this, "Label1"};
    LabelMenuWindow item{*this, "LbMenu1"};
};

// What the form paints of its windowless controls, and a menu label in each
// of its states, plain and in high contrast, pinned pixel for pixel.
TEST(Drawing, WindowlessControlsAndMenuLabelsStayAsDrawn)
{
    test::DropPendingQuit();
    Beige form;
    ASSERT_TRUE(test::ShowPlain(form));
    Sheet sheet;
    sheet.shape.Move(60, 90, 600, 300);
    sheet.shape.BorderColor = 0x2040C0;
    sheet.shape.FillColor = 0xC0E0F0;
    sheet.line.X1 = 30;
    sheet.line.Y1 = 450;
    sheet.line.X2 = 870;
    sheet.line.Y2 = 150;
    sheet.line.BorderColor = 0x008000;
    sheet.frame.Move(30, 30, 840, 540);
    sheet.frame.Caption = "Pick";
    sheet.image.Move(450, 150, 480, 480);
    sheet.image.Picture = 900;
    const std::pair<bool, std::uint64_t> pinned[] = {{false, 0x2c6a6d43d8cd001d}, {true, 0x23f0c94c1486e0aa}};
    for (const auto& [highContrast, expected] : pinned) {
        const test::SwitchedServices services(highContrast);
        test::Fingerprint drawn;
        for (const bool filled : {false, true}) {
            sheet.shape.Filled = filled;
            const Canvas canvas(64, 44);
            const ui::Control* const painted[] = {&sheet.frame, &sheet.shape, &sheet.line, &sheet.image};
            for (const ui::Control* control : painted)
                control->PaintOn(ui::win::ToHandle(canvas.Dc()));
            canvas.AddTo(drawn, RECT{0, 0, 64, 44});
        }
        auto& item = form.item.Item();
        for (const bool lit : {false, true})
            for (const bool enabled : {true, false})
                for (const int border : {ui::vbBSNone, ui::vbFixedSingle}) {
                    item.BackColor(lit ? LabelMenu::kHighlightColor : 0xFFFFFF);
                    item.Enabled(enabled);
                    form.item.BorderStyle(border);
                    RECT client{};
                    GetClientRect(ui::win::H(form.item.hWnd()), &client);
                    const Canvas canvas(client.right, client.bottom);
                    form.item.PaintOn(ui::win::ToHandle(canvas.Dc()));
                    canvas.AddTo(drawn, client);
                }
        EXPECT_EQ(drawn.Value(), expected)
            << (highContrast ? "in high contrast " : "") << "now draws as " << drawn.Hex();
    }
    form.Unload();
    test::DropPendingQuit();
}

// High contrast turned on while the window is open: the system says so with
// WM_SYSCOLORCHANGE, and from then on the form, its labels, the XP button's
// kept drawing and a lit menu item are all in the system's colours.
TEST(Drawing, HighContrastTurnedOnRepaintsEverySurfaceInSystemColours)
{
    test::DropPendingQuit();
    test::SwitchedServices services(false);
    test::SwitchedPalette& palette = services.palette;
    Beige form;
    ASSERT_TRUE(test::ShowPlain(form));
    const auto labelColours = [&] {
        const test::Canvas canvas(1, 1);
        const auto brush = SendMessageW(ui::win::H(form.hWnd()), WM_CTLCOLORSTATIC,
                                        reinterpret_cast<WPARAM>(canvas.Dc()),
                                        reinterpret_cast<LPARAM>(ui::win::H(form.label.hWnd())));
        return std::pair{reinterpret_cast<HBRUSH>(brush), GetTextColor(canvas.Dc())};
    };
    const auto formBack = [&] {
        const test::Canvas canvas(200, 100);
        SendMessageW(ui::win::H(form.hWnd()), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.At(150, 90);
    };
    const COLORREF beige = ui::win::ToColorRef(Beige::kBeige);
    EXPECT_EQ(formBack(), beige);
    EXPECT_NE(test::PrintedPixel(form.button.hWnd(), 79, 51, 8, 8), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(labelColours().second, RGB(0, 0, 0));  // the design's text, whatever the system's is
    const HBRUSH formBrush = labelColours().first;
    form.label.Enabled(false);
    EXPECT_EQ(labelColours().first, formBrush);  // greyed, it still sits on the form's colour
    form.label.Enabled(true);

    palette.on = true;
    PostMessageW(ui::win::H(form.hWnd()), WM_SYSCOLORCHANGE, 0, 0);
    test::RunQueue();
    EXPECT_EQ(formBack(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(test::PrintedPixel(form.button.hWnd(), 79, 51, 8, 8), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(test::PrintedPixel(form.button.hWnd(), 79, 51, 40, 0), GetSysColor(COLOR_BTNTEXT));  // its frame
    EXPECT_EQ(labelColours(), std::pair(GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(test::PrintedPixel(form.item.hWnd(), 30, 18, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    form.Unload();
}

}  // namespace
