// The skinned frame on real windows under Wine: adoption by border style, the
// host's region, menu labels, maximize and border resizing, schemes, and the
// client-area helpers.
#include "frame/TamselXPFormWindow.h"
#include "ui/App.h"
#include "ui/Form.h"
#include "ui/RunLengthPicture.h"
#include "ui/Scale.h"
#include "ui/WinUtil_win.h"

#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

ui::FormDesign Design(int borderStyle, bool minButton, bool maxButton)
{
    ui::FormDesign design;
    design.Caption = "Skinned";
    design.ClientWidth = 6030;
    design.ClientHeight = 4380;
    design.BorderStyle = borderStyle;
    design.MinButton = minButton;
    design.MaxButton = maxButton;
    return design;
}

class Host : public ui::Form {
public:
    Host(int borderStyle, bool minButton, bool maxButton, bool autoLoad = true)
        : ui::Form(Design(borderStyle, minButton, maxButton))
    {
        list.Move(90, 1740, 1500, 600);
        frame.Move(0, 0, 6030, 4380);
        ui::PropertyBag design;
        design.WriteString("Caption", "Skinned", "");
        design.WriteBool("AutoLoad", autoLoad, false);
        design.WriteLong("Theme", 2, 0);
        frame.ReadProperties(design);
    }
    // As the program's windows do, when asked: the form takes the frame's size
    // on every resize.
    bool fitsToFrame = false;
    void Form_Resize() override
    {
        if (fitsToFrame)
            Move(Left(), Top(), frame.Width(), frame.Height());
    }
    ui::ListBox list{*this, "list"};
    TamselXPFormWindow frame{*this, "TamselXPForm1"};
    ui::Menu mnuFile{*this, "mnuFile", "&File"};
    ui::Menu mnuFileOpen{*this, "mnuFileOpen", "&Open", &mnuFile};
    ui::Menu mnuEdit{*this, "mnuEdit", "&Edit"};
    ui::Menu mnuOther{*this, "mnuOther", "&Other"};
};

HWND W(const ui::Form& form) { return ui::win::H(form.hWnd()); }

// Every pixel a window paints, read back through WM_PRINTCLIENT, row by row.
class Printed {
public:
    explicit Printed(HWND window)
    {
        RECT r{};
        GetClientRect(window, &r);
        width = r.right;
        height = r.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const ui::win::MemoryDc dc;
        const ui::win::GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const ui::win::Selection selected(dc.Get(), bitmap.Get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        m_Pixels.assign(pixels, pixels + width * height);
        for (std::uint32_t& pixel : m_Pixels)
            pixel &= 0xFFFFFF;
    }
    // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return m_Pixels[static_cast<std::size_t>(y * width + x)]; }
    const std::vector<std::uint32_t>& Pixels() const { return m_Pixels; }
    int width = 0, height = 0;

private:
    std::vector<std::uint32_t> m_Pixels;
};

// In high contrast the frame is drawn in the system's colours for window
// frames: the title band in the caption colour of an active or an inactive
// window, the borders in the border colour, outlined in the frame colour.
TEST(SkinnedFrame, InHighContrastTheFrameIsInTheSystemsColours)
{
    test::DropPendingQuit();
    const test::SwitchedServices highContrast(true);
    Host host(ui::vbSizable, true, true);
    host.Show();
    ui::DoEvents();
    ASSERT_TRUE(host.frame.Adopted());
    HWND frame = ui::win::H(host.frame.hWnd());
    const auto colour = [](int index) { return static_cast<std::uint32_t>(GetSysColor(index)); };
    const auto rgb = [](std::uint32_t bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); };
    SetActiveWindow(W(host));
    {
        const Printed printed(frame);
        EXPECT_EQ(printed.At(printed.width * 3 / 5, 2), rgb(colour(COLOR_ACTIVECAPTION)));
        EXPECT_EQ(printed.At(2, printed.height / 2), rgb(colour(COLOR_ACTIVEBORDER)));
        EXPECT_EQ(printed.At(printed.width / 2, printed.height - 2), rgb(colour(COLOR_ACTIVEBORDER)));
        EXPECT_EQ(printed.At(0, printed.height / 2), rgb(colour(COLOR_WINDOWFRAME)));
        // The menu strip's separator in the menus' text colour.
        HWND strip = FindWindowExW(frame, nullptr, L"TavrikFramePane", L"Menu bar");
        ASSERT_NE(strip, nullptr);
        const test::Canvas canvas(100, 40);
        SendMessageW(strip, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        EXPECT_EQ(canvas.At(10, host.DisplayScale().TwipsToPixelsY(345)), GetSysColor(COLOR_MENUTEXT));
    }
    Host other(ui::vbFixedSingle, false, false, false);
    ASSERT_TRUE(test::ShowPlain(other));
    SetActiveWindow(W(other));
    ASSERT_NE(GetActiveWindow(), W(host));
    const Printed printed(frame);
    EXPECT_EQ(printed.At(printed.width * 3 / 5, 2), rgb(colour(COLOR_INACTIVECAPTION)));
    // The caption is in the inactive caption's text colour, none of it in the active one's.
    ASSERT_NE(colour(COLOR_INACTIVECAPTIONTEXT), colour(COLOR_CAPTIONTEXT));
    int inactiveText = 0, activeText = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < printed.width / 2; ++x) {
            inactiveText += printed.At(x, y) == rgb(colour(COLOR_INACTIVECAPTIONTEXT));
            activeText += printed.At(x, y) == rgb(colour(COLOR_CAPTIONTEXT));
        }
    EXPECT_GT(inactiveText, 10);
    EXPECT_EQ(activeText, 0);
    other.Unload();
    host.Unload();
}

TEST(SkinnedFrame, AFixedFormWithAMinimizeBoxIsAdopted)
{
    test::DropPendingQuit();
    Host host(ui::vbFixedSingle, true, false);
    host.Show();
    ui::DoEvents();
    ASSERT_TRUE(host.frame.Adopted());
    const LONG style = GetWindowLongW(W(host), GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_DLGFRAME | WS_BORDER | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    // The window menu's Minimize works while the frame shows its button, and
    // only then.
    ASSERT_TRUE(host.frame.ShowMinimize());
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    host.frame.ShowMinimize(false);
    EXPECT_FALSE(GetWindowLongW(W(host), GWL_STYLE) & WS_MINIMIZEBOX);
    host.frame.ShowMinimize(true);
    EXPECT_TRUE(GetWindowLongW(W(host), GWL_STYLE) & WS_MINIMIZEBOX);
    RECT window{}, client{};
    GetWindowRect(W(host), &window);
    GetClientRect(W(host), &client);
    EXPECT_EQ(client.right, window.right - window.left);  // no border or caption left

    EXPECT_EQ(host.Width(), 6030);
    EXPECT_EQ(host.frame.Width(), host.Width());
    EXPECT_EQ(host.frame.Height(), host.Height());
    EXPECT_TRUE(host.frame.ShowMinimize());
    EXPECT_TRUE(host.frame.ShowMaximize());
    EXPECT_FALSE(host.frame.EnableMaximize());
    EXPECT_EQ(host.frame.MaximizeButton.Button().Picture(), (CaptionPicture{CaptionPictureSet::CbMax, 10}));
    EXPECT_EQ(host.frame.PictureIndex() / 2, 2);  // the silver pictures

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(W(host), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 4, 0));
    EXPECT_TRUE(PtInRegion(region, 5, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 5));
    DeleteObject(region);

    // Menus not tagged for the frame stay where they were; the strip's place
    // is no part of the frame then, but shows the form through it.
    EXPECT_EQ(host.frame.MenuLabelCount(), 0u);
    EXPECT_FALSE(host.frame.MenuStripVisible());
    RECT strip{};
    GetWindowRect(ui::win::H(host.frame.MenuStrip()), &strip);
    MapWindowPoints(nullptr, ui::win::H(host.frame.hWnd()), reinterpret_cast<POINT*>(&strip), 2);
    HRGN pieces = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(ui::win::H(host.frame.hWnd()), pieces), ERROR);
    EXPECT_FALSE(PtInRegion(pieces, (strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2));
    DeleteObject(pieces);
    host.Unload();
}

TEST(SkinnedFrame, TaggedMenusBecomeLabelsAndASizableFormResizes)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true);
    host.mnuFile.Tag("MainMenu");
    host.mnuEdit.Tag("MAINMENU");
    host.mnuEdit.Enabled(false);
    host.mnuOther.Tag("MAIN MENU");
    host.mnuFileOpen.Tag("MainMenu");  // in a menu: it stays there
    std::int16_t reportedTop = 0;
    host.frame.resize = [&](std::int16_t& IsTop, std::int16_t&, std::int16_t&) { reportedTop = IsTop; };
    host.Show();
    ui::DoEvents();

    ASSERT_EQ(host.frame.MenuLabelCount(), 2u);
    EXPECT_TRUE(host.frame.MenuStripVisible());
    auto& file = host.frame.MenuLabel(1);
    auto& edit = host.frame.MenuLabel(2);
    EXPECT_EQ(file.Item().Caption(), "&File");
    EXPECT_EQ(file.Left(), 60);
    EXPECT_EQ(edit.Left(), 60 + file.Width());
    EXPECT_EQ(file.Top(), 45);
    EXPECT_FALSE(edit.Item().Enabled());
    EXPECT_FALSE(host.mnuFile.Visible());
    EXPECT_FALSE(host.mnuEdit.Visible());
    EXPECT_TRUE(host.mnuOther.Visible());
    EXPECT_EQ(reportedTop, 810);  // under the menu strip
    EXPECT_TRUE(host.frame.ShowMinimize());
    EXPECT_TRUE(host.frame.EnableMaximize());

    // Pulling the right border 30 pixels out widens the form by 450 twips at the release.
    const int width = host.Width();
    HWND frameWindow = ui::win::H(host.frame.hWnd());
    RECT r{};
    GetWindowRect(frameWindow, &r);
    const int x = r.right - r.left - 2, y = 100;
    SetCursorPos(r.left + x, r.top + y);
    SendMessageW(frameWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SetCursorPos(r.left + x + 30, r.top + y);
    SendMessageW(frameWindow, WM_LBUTTONUP, 0, MAKELPARAM(x + 30, y));
    EXPECT_EQ(host.Width(), width + 450);
    EXPECT_EQ(host.frame.Width(), host.Width());

    // The caption buttons are named for what they do, as a screen reader reads them.
    const auto nameOf = [](ControlButtonWindow& button) {
        wchar_t text[16] = {};
        GetWindowTextW(ui::win::H(button.hWnd()), text, 16);
        return std::wstring(text);
    };
    EXPECT_EQ(nameOf(host.frame.Minimizebutton), L"Minimize");
    EXPECT_EQ(nameOf(host.frame.MaximizeButton), L"Maximize");
    EXPECT_EQ(nameOf(host.frame.CloseButton), L"Close");
    // Maximized and restored, it is where and as large as it was, also a form
    // that fits itself to the frame.
    host.fitsToFrame = true;
    host.Move(900, 1200, host.Width(), host.Height());
    const auto bounds = [&] { return std::array{host.Left(), host.Top(), host.Width(), host.Height()}; };
    const auto before = bounds();
    host.frame.MaxBtnClick();
    EXPECT_EQ(host.WindowState(), ui::vbMaximized);
    EXPECT_EQ(host.frame.Width(), host.Width());
    EXPECT_EQ(host.frame.MaximizeButton.Accessible(host.frame.MaximizeButton.hWnd()).name, "Restore");
    host.frame.MaxBtnClick();
    EXPECT_EQ(host.WindowState(), ui::vbNormal);
    EXPECT_EQ(bounds(), before);

    // A double-click on the title band toggles too; one on the caption buttons' band ends does not.
    SendMessageW(frameWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 15));
    EXPECT_EQ(host.WindowState(), ui::vbMaximized);
    SendMessageW(frameWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 15));
    EXPECT_EQ(host.WindowState(), ui::vbNormal);
    host.frame.EnableMaximize(false);
    SendMessageW(frameWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 15));
    EXPECT_EQ(host.WindowState(), ui::vbNormal);  // the title form asks for EnableMaximize
    host.Unload();
    for (const ui::Control* piece : {static_cast<ui::Control*>(&file), static_cast<ui::Control*>(&edit),
                                     static_cast<ui::Control*>(&host.frame.CloseButton)})
        EXPECT_FALSE(piece->hWnd());  // closed, no piece keeps a window handle
}

// A frame whose window, caption buttons, panes or menu labels Windows refuses
// as its form is loaded again is not made at all, and neither is its form;
// loaded once Windows agrees, it has every piece.
TEST(SkinnedFrame, AFrameMissingAnyOfItsWindowsIsNotMade)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true);
    host.mnuFile.Tag("MainMenu");
    host.mnuEdit.Tag("MainMenu");
    ASSERT_TRUE(host.Show());
    ui::DoEvents();
    ASSERT_EQ(host.frame.MenuLabelCount(), 2u);
    host.Unload();
    const std::pair<const wchar_t*, const wchar_t*> refusals[] = {
        {L"TavrikFrame", nullptr}, {L"TavrikCaptionButton", nullptr}, {L"TavrikFramePane", L"Window contents"},
        {L"TavrikMenuItem", L"&Edit"}};
    for (const auto& [refused, text] : refusals) {
        SCOPED_TRACE(os::win::Narrow(refused));
        test::DropPendingQuit();
        {
            const test::RefusedWindows hook(refused, text);
            ASSERT_TRUE(hook);
            EXPECT_FALSE(host.Load());
            EXPECT_FALSE(host.frame.hWnd());
        }
        ASSERT_TRUE(host.Load());
        EXPECT_EQ(host.frame.MenuLabelCount(), 2u);
        EXPECT_TRUE(host.frame.MenuLabel(2).hWnd() && host.frame.CloseButton.hWnd());
        host.Unload();
    }
    test::DropPendingQuit();
}

TEST(SkinnedFrame, SchemesCaptionColourAndPieces)
{
    test::DropPendingQuit();
    Host host(ui::vbFixedSingle, false, false);
    host.Show();
    ui::DoEvents();
    EXPECT_FALSE(host.frame.ShowMinimize());
    EXPECT_FALSE(host.frame.ShowMaximize());
    EXPECT_TRUE(host.frame.SetFormActiveStyle(false));
    EXPECT_EQ(host.frame.CaptionColor(), 0xC0C0C0u);
    EXPECT_EQ(host.frame.CloseButton.Button().Picture(), (CaptionPicture{CaptionPictureSet::CbClose, 8}));
    host.frame.ColorScheme(0);
    EXPECT_EQ(host.frame.PictureIndex(), 0);
    EXPECT_EQ(host.frame.CurrentLayout().TitleLeft.width, 10);
    EXPECT_EQ(host.frame.CaptionColor(), 0xFFFFFFu);
    host.frame.ColorScheme(2);
    EXPECT_EQ(host.frame.CurrentLayout().TitleLeft.width, 15);
    EXPECT_EQ(host.frame.CurrentLayout().TitleRight.width, 16);
    host.frame.ColorScheme(3);  // no pictures: the caption turns white, nothing else changes
    EXPECT_FALSE(host.frame.SetFormActiveStyle(true));
    EXPECT_EQ(host.frame.CaptionColor(), 0xFFFFFFu);
    EXPECT_EQ(host.frame.PictureIndex(), 4);

    // A form that is not sizable ignores double-clicks on its title.
    SendMessageW(ui::win::H(host.frame.hWnd()), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 15));
    EXPECT_EQ(host.WindowState(), ui::vbNormal);

    host.frame.Caption("Renamed");
    wchar_t text[64] = {};
    GetWindowTextW(W(host), text, 64);
    EXPECT_STREQ(text, L"Renamed");
    host.Unload();
}

// A control made after the menus is outside the frame's container.
class LateHost : public Host {
public:
    LateHost() : Host(ui::vbFixedSingle, false, false) { late.Move(90, 2500, 900, 300); }
    ui::Label late{*this, "late"};
};

TEST(SkinnedFrame, ClientAreaHelpersAndClose)
{
    test::DropPendingQuit();
    LateHost host;
    host.Show();
    ui::DoEvents();
    EXPECT_EQ(host.frame.NChildForm(), 0);
    host.frame.CloseChildForm();
    EXPECT_EQ(host.frame.NChildForm(), 0);

    const int left = host.list.Left(), top = host.list.Top();
    host.frame.ContainerCheck();
    host.frame.ContainerCheck();
    EXPECT_EQ(host.list.Left(), left + 150);
    EXPECT_EQ(host.list.Top(), top + 900);
    EXPECT_EQ(host.late.Top(), 2500);

    EXPECT_EQ(host.frame.GetCompName().size(), std::string(host.frame.GetCompName().c_str()).size());
    EXPECT_FALSE(host.frame.GetCompName().empty());
    EXPECT_EQ(host.frame.DefaultBackgroundColor(), "14215660");

    // A child form's pane is on the frame's back colour, the menu strip on the menus'.
    host.frame.HaveChild(true);
    host.frame.SetMDIPosition(0, 3000, 1500);
    host.frame.BackColor(RGB(200, 10, 10));
    host.frame.MenuBackColor(RGB(10, 200, 10));
    for (const auto& [name, colour] :
         {std::pair{L"Window contents", RGB(200, 10, 10)}, {L"Menu bar", RGB(10, 200, 10)}}) {
        HWND pane = FindWindowExW(ui::win::H(host.frame.hWnd()), nullptr, L"TavrikFramePane", name);
        ASSERT_NE(pane, nullptr);
        const test::Canvas canvas(100, 40);
        SendMessageW(pane, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        EXPECT_EQ(canvas.At(2, 2), colour);
    }

    host.frame.CloseButton.Button().PicMain_Click();  // CloseActive off: only this window closes
    EXPECT_FALSE(host.Loaded());
}

// Pixel x of the first row of a scheme's border picture, as 0xRRGGBB. Each
// border picture is one row repeated down the side.
std::uint32_t BorderPixel(const wchar_t* list, int index, int x)
{
    const std::wstring name = std::wstring(L"IMAGE") + list + L"_" + std::to_wstring(index);
    const ui::win::GdiObject<HBITMAP> bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
    const ui::win::MemoryDc dc;
    const ui::win::Selection select(dc.Get(), bitmap.Get());
    const COLORREF c = GetPixel(dc.Get(), x, 0);
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// In every scheme and variant each side border shows its own picture (the two
// are mirror images), and no transparent key colour shows inside the window.
TEST(SkinnedFrame, InEverySchemeAndVariantTheSidesAreRightAndNoKeyColourShows)
{
    test::DropPendingQuit();
    Host host(ui::vbFixedSingle, true, false);
    host.Show();
    ui::DoEvents();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(W(host), region), ERROR);
    // And every pixel of the frame, its icon too, stays as drawn.
    host.frame.Icon(900);
    for (const auto& [scheme, pinned] :
         {std::pair{0, 0x4bc30d8016f21030ull}, {1, 0x799e795c44741d9dull}, {2, 0x872c4e0a7677d141ull}}) {
        host.frame.ColorScheme(scheme);
        test::Fingerprint drawn;
        for (bool active : {true, false}) {
            host.frame.SetFormActiveStyle(active);
            const Printed printed(ui::win::H(host.frame.hWnd()));
            drawn.AddAll(printed.Pixels());
            int magenta = 0;
            for (int y = 0; y < printed.height; ++y)
                for (int x = 0; x < printed.width; ++x)
                    if (printed.At(x, y) == 0xFF00FF && PtInRegion(region, x, y))
                        ++magenta;
            EXPECT_EQ(magenta, 0) << "scheme " << scheme << (active ? " active" : " inactive");
            const int index = host.frame.PictureIndex(), y = printed.height / 2;
            for (int x = 0; x < 4; ++x) {
                EXPECT_EQ(printed.At(x, y), BorderPixel(L"4", index, x)) << "left, scheme " << scheme << " x " << x;
                EXPECT_EQ(printed.At(printed.width - 4 + x, y), BorderPixel(L"5", index, x))
                    << "right, scheme " << scheme << " x " << x;
            }
        }
        EXPECT_EQ(drawn.Value(), pinned) << "scheme " << scheme << " now draws as " << drawn.Hex();
    }
    DeleteObject(region);
    host.Unload();
}

// How wide the caption's dark pixels spread across the title band.
int CaptionInkWidth(const TamselXPFormWindow& frame)
{
    const Printed printed(ui::win::H(frame.hWnd()));
    const auto& l = frame.CurrentLayout();
    int first = -1, last = -1;
    for (int x = static_cast<int>(l.Caption1.left) - 2; x < static_cast<int>(l.Minimizebutton.left); ++x)
        for (int y = 3; y < 28; ++y) {
            const std::uint32_t c = printed.At(x, y);
            if ((c >> 16 & 0xFF) < 0x60 && (c >> 8 & 0xFF) < 0x60 && (c & 0xFF) < 0x60) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
    return first < 0 ? 0 : last - first + 1;
}

int TextWidth(HFONT font, const char* text)
{
    const ui::win::MemoryDc dc;
    const ui::win::Selection selected(dc.Get(), font);
    SIZE size{};
    const std::wstring wide = os::win::Wide(text);
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

TEST(SkinnedFrame, TheCaptionIsInTheHostsFontUnlessTheDesignSaysOtherwise)
{
    test::DropPendingQuit();
    Host host(ui::vbFixedSingle, true, false);
    host.Show();
    ui::DoEvents();
    const char caption[] = "Skinned window caption";
    host.frame.Caption(caption);
    EXPECT_EQ(host.frame.Font(), host.Font());
    const int inHostFont = TextWidth(ui::win::Font(host.FontFor(host.Font())), caption);
    const ui::FontSpec other{"Trebuchet MS", 9.75, true};
    const int inOther = TextWidth(ui::win::Font(host.FontFor(other)), caption);
    ASSERT_GT(std::abs(inOther - inHostFont), 6);  // the two can be told apart by their width
    EXPECT_NEAR(CaptionInkWidth(host.frame), inHostFont, 3);
    host.frame.Font(other);
    EXPECT_NEAR(CaptionInkWidth(host.frame), inOther, 3);
    host.Unload();
}

TEST(SkinnedFrame, EveryBorderStyleLosesItsSystemFrame)
{
    for (int style : {ui::vbBSNone, ui::vbSizable, ui::vbFixedDialog}) {
        test::DropPendingQuit();
        Host host(style, false, false);
        host.Show();
        ui::DoEvents();
        ASSERT_TRUE(host.frame.Adopted());
        EXPECT_FALSE(GetWindowLongW(W(host), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) << style;
        RECT window{}, client{};
        GetWindowRect(W(host), &window);
        GetClientRect(W(host), &client);
        EXPECT_EQ(client.right, window.right - window.left) << style;  // no side borders (the menu bar stays)
        EXPECT_EQ(host.frame.Height(), host.Height()) << style;
        host.Unload();
    }
}

// A form that takes the frame's size on every resize, as the program's windows do.
class FittingHost : public Host {
public:
    using Host::Host;
    int lastScaleWidth = 0, lastScaleHeight = 0;

protected:
    void Form_Resize() override
    {
        Move(Left(), Top(), frame.Width(), frame.Height());
        lastScaleWidth = ScaleWidth();
        lastScaleHeight = ScaleHeight();
    }
};

int g_HiddenMoves = 0;

LRESULT CALLBACK CountHiddenMoves(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGED && !IsWindowVisible(window)) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
            ++g_HiddenMoves;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// The adoption moves and resizes the hidden form several times over, and the
// form fits itself back to the frame each time; the window itself is moved
// at most once, and ends where the form was laid out, with the size its
// resize handler last saw.
TEST(SkinnedFrame, AHiddenFormIsLaidOutWithOneMoveOfItsWindow)
{
    for (int style : {ui::vbFixedSingle, ui::vbBSNone, ui::vbSizable, ui::vbFixedDialog}) {
        test::DropPendingQuit();
        FittingHost host(style, true, false);
        ASSERT_TRUE(host.Load());
        g_HiddenMoves = 0;
        SetWindowSubclass(W(host), CountHiddenMoves, 1, 0);
        host.Show();
        ui::DoEvents();
        RemoveWindowSubclass(W(host), CountHiddenMoves, 1);
        ASSERT_TRUE(host.frame.Adopted());
        EXPECT_LE(g_HiddenMoves, 1) << style;
        RECT window{}, client{};
        GetWindowRect(W(host), &window);
        GetClientRect(W(host), &client);
        EXPECT_EQ(host.frame.DisplayScale().PixelsToTwipsX(window.right - window.left), host.frame.Width()) << style;
        EXPECT_EQ(host.frame.DisplayScale().PixelsToTwipsY(window.bottom - window.top), host.frame.Height()) << style;
        EXPECT_EQ(host.lastScaleWidth, host.frame.DisplayScale().PixelsToTwipsX(client.right)) << style;
        EXPECT_EQ(host.lastScaleHeight, host.frame.DisplayScale().PixelsToTwipsY(client.bottom)) << style;
        host.Unload();
    }
}

int g_FrameChanges = 0;

LRESULT CALLBACK CountFrameChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED))
        ++g_FrameChanges;
    return DefSubclassProc(window, message, wParam, lParam);
}

// The frame sets its window's region each time it lays itself out, and the
// button each time it is drawn: a window is given a region only when it is a
// new one, for each new one costs the window system a frame change.
TEST(SkinnedFrame, AWindowIsGivenARegionOnlyWhenItIsANewOne)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    SetWindowSubclass(window, CountFrameChanges, 1, 0);
    const struct {
        RECT box;
        bool changes;
    } steps[] = {{{0, 0, 90, 40}, true}, {{0, 0, 90, 40}, false}, {{0, 0, 80, 40}, true}, {{0, 0, 80, 40}, false}};
    for (const auto& step : steps) {
        g_FrameChanges = 0;
        ui::win::SetWindowRegion(window, CreateRectRgn(step.box.left, step.box.top, step.box.right, step.box.bottom));
        EXPECT_EQ(g_FrameChanges > 0, step.changes) << step.box.right;
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(window, region), ERROR);
        RECT box{};
        GetRgnBox(region, &box);
        DeleteObject(region);
        EXPECT_TRUE(EqualRect(&box, &step.box)) << step.box.right;
    }
    RemoveWindowSubclass(window, CountFrameChanges, 1);
    DestroyWindow(window);
}

// Each border of a sizable form shows the pointer of its sizing; clicks on
// them change nothing.
TEST(SkinnedFrame, ClicksOnTheBordersOfASizableFormChangeNothing)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true);
    host.Show();
    ui::DoEvents();
    RECT before{};
    GetWindowRect(W(host), &before);
    HWND frameWindow = ui::win::H(host.frame.hWnd());
    RECT frame{};
    GetWindowRect(frameWindow, &frame);
    const int bottom = (frame.bottom - frame.top) - 2, right = frame.right - frame.left - 2;
    struct Point {
        int x, y;
        LPCWSTR cursor;
    };
    for (auto [x, y, cursor] : {Point{200, bottom, IDC_SIZENS}, Point{1, 100, IDC_SIZEWE}, Point{right, 100, IDC_SIZEWE},
                                Point{1, bottom, IDC_SIZENESW}, Point{right, bottom, IDC_SIZENWSE}}) {
        SetCursorPos(frame.left + x, frame.top + y);
        SendMessageW(frameWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(frameWindow), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, cursor)) << x << "," << y;
        PostMessageW(frameWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(frameWindow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        test::Pump(20);
    }
    RECT after{};
    GetWindowRect(W(host), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(host.frame.Height(), host.Height());
    host.Unload();
}

TEST(SkinnedFrame, TheButtonsDoNothingBeforeAdoption)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true, false);
    host.Show();
    ui::DoEvents();
    ASSERT_FALSE(host.frame.Adopted());
    for (ControlButtonWindow* button : {&host.frame.Minimizebutton, &host.frame.MaximizeButton}) {
        button->Button().PicMain_Click();
        ui::DoEvents();
        EXPECT_EQ(host.WindowState(), ui::vbNormal) << button->Name();
    }
    host.frame.CloseButton.Button().PicMain_Click();
    EXPECT_TRUE(host.Loaded());
    host.Unload();
}

// The frame's windows: a client area disabled before they exist is made so;
// a hidden icon is not drawn; the form is on top only while asked; the strip
// reads as a menu bar; and only the client area's own clicks are the client
// area's.
TEST(SkinnedFrame, ItsWindowsKeepTheirStateAndTheirOwnClicks)
{
    test::DropPendingQuit();
    Host host(ui::vbFixedSingle, false, false);
    host.frame.Enabled(false);
    ASSERT_TRUE(test::ShowPlain(host));
    HWND client = ui::win::H(host.frame.Hwnd()), strip = ui::win::H(host.frame.MenuStrip());
    EXPECT_FALSE(IsWindowEnabled(client));
    host.frame.Enabled(true);
    EXPECT_TRUE(IsWindowEnabled(client));

    for (const bool onTop : {true, false}) {
        host.frame.FormOnTop(host.hWnd(), onTop);
        EXPECT_EQ((GetWindowLongPtrW(W(host), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, onTop);
    }

    // A hidden icon is not drawn: the title band is as with no icon at all.
    host.frame.Icon(900);
    host.frame.ShowIcon(false);
    const Printed hiddenIcon(ui::win::H(host.frame.hWnd()));
    host.frame.Icon(0);
    const Printed noIcon(ui::win::H(host.frame.hWnd()));
    int unlike = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            unlike += hiddenIcon.At(x, y) != noIcon.At(x, y);
    EXPECT_EQ(unlike, 0);

    // A picture for the client area is drawn there, not on the menu strip.
    const auto erased = [](HWND pane) {
        const test::Canvas canvas(60, 30);
        SendMessageW(pane, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.At(3, 3);
    };
    const COLORREF plainStrip = erased(strip), plainClient = erased(client);
    host.frame.Picture(902);
    EXPECT_EQ(erased(strip), plainStrip);
    EXPECT_NE(erased(client), plainClient);
    host.frame.Picture(0);

    const ui::AccessibleFace bar = host.frame.Accessible(host.frame.MenuStrip());
    EXPECT_EQ(bar.role, ui::AccessibleFace::Role::MenuBar);
    EXPECT_EQ(bar.name, "Menu bar");

    int clicks = 0, doubleClicks = 0, downs = 0, moves = 0;
    host.frame.Click = [&] { ++clicks; };
    host.frame.DblClick = [&] { ++doubleClicks; };
    host.frame.MouseDown = [&](int, int, float, float) { ++downs; };
    int held = -1;
    host.frame.MouseMove = [&](int Button, int, float, float) {
        ++moves;
        if (Button)
            held = Button;
    };
    for (HWND pane : {strip, client}) {
        PostMessageW(pane, WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(5, 5));
        PostMessageW(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        test::RunQueue();
        EXPECT_EQ(doubleClicks, pane == client ? 1 : 0);
        EXPECT_EQ(clicks, pane == client ? 1 : 0);
        EXPECT_EQ(downs, pane == client ? 1 : 0);
        EXPECT_EQ(moves > 0, pane == client);
    }
    EXPECT_EQ(held, ui::vbLeftButton | ui::vbMiddleButton);  // the buttons held as it moved
    host.Unload();
    test::DropPendingQuit();
}

// Moved to a screen of twice the DPI, the frame draws the ends of its title
// band from the pictures made for 200 %, pixel for pixel, and its menu labels
// take the new scale with the rest of it.
TEST(SkinnedFrame, AtAnotherDpiThePiecesAndMenuLabelsAreThatDpis)
{
    test::DropPendingQuit();
    const test::ScopedScreenDpi designDpi(96);
    Host host(ui::vbSizable, true, true);
    host.mnuFile.Tag("MainMenu");
    host.Show();
    ui::DoEvents();
    ASSERT_EQ(host.frame.MenuLabelCount(), 1u);
    HWND label = ui::win::H(host.frame.MenuLabel(1).hWnd());
    const auto pixelSize = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return std::pair{static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
    };
    const auto [labelWidth, labelHeight] = pixelSize(label);

    RECT before{};
    GetWindowRect(W(host), &before);
    static RECT suggested;
    suggested = RECT{before.left, before.top, before.left + 2 * (before.right - before.left),
                     before.top + 2 * (before.bottom - before.top)};
    PostMessageW(W(host), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    test::RunQueue();
    ASSERT_EQ(host.DisplayScale().DpiY(), 192);
    const auto& item = host.frame.MenuLabel(1);
    EXPECT_EQ(pixelSize(label), (std::pair{host.DisplayScale().TwipsToPixelsX(item.Width()),
                                           host.DisplayScale().TwipsToPixelsY(item.Height())}));
    EXPECT_GT(pixelSize(label).second, labelHeight * 3 / 2);
    EXPECT_GT(pixelSize(label).first, labelWidth);
    // The strip's separator line 345 twips down, at this DPI's 46 pixels.
    HWND strip = ui::win::H(host.frame.MenuStrip());
    RECT stripRect{};
    GetClientRect(strip, &stripRect);
    ASSERT_GT(stripRect.bottom, 46);
    const test::Canvas stripDrawn(stripRect.right, stripRect.bottom);
    SendMessageW(strip, WM_ERASEBKGND, reinterpret_cast<WPARAM>(stripDrawn.Dc()), 0);
    std::vector<int> lineRows;
    for (int y = 0; y < stripRect.bottom; ++y)
        if (stripDrawn.At(2, y) == RGB(0xC0, 0xC0, 0xC0))
            lineRows.push_back(y);
    EXPECT_EQ(lineRows, std::vector<int>{46});

    // The title band's left end in silver, active, as drawn for 200 % (the
    // design's picture doubled differs from it in 224 of these pixels).
    host.frame.ColorScheme(2);
    host.frame.SetFormActiveStyle(true);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"IMAGE2_4_200", MAKEINTRESOURCEW(256));
    ASSERT_TRUE(found);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const auto picture = ui::DecodeRunLength(std::span(bytes, SizeofResource(module, found)));
    ASSERT_TRUE(picture);
    ASSERT_EQ(static_cast<int>(host.frame.CurrentLayout().TitleLeft.width), picture->width);
    const Printed printed(ui::win::H(host.frame.hWnd()));
    int unlike = 0;
    for (int y = 0; y < picture->height; ++y)
        for (int x = 0; x < 20; ++x)
            unlike += printed.At(x, y) != picture->pixels[static_cast<std::size_t>(y * picture->width + x)];
    EXPECT_EQ(unlike, 0);
    host.Unload();
}

// The end of a border drag restyles the window: its frame is worked out
// again, and it stays where it was among the other windows, not raised over
// the one the user works in, nor activated.
TEST(SkinnedFrame, ARestyleRedoesTheFrameAndNeitherRaisesNorActivates)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true);
    host.Show();
    ui::DoEvents();
    ASSERT_TRUE(host.frame.Adopted());
    HWND other = CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(other);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    const auto otherIsAbove = [&] {
        for (HWND w = GetWindow(W(host), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == other)
                return true;
        return false;
    };
    ASSERT_TRUE(otherIsAbove());
    {
        const test::MessageCounter frames(W(host), WM_NCCALCSIZE);
        FormAsFrameHost asHost(host);
        asHost.Restyle(asHost.Bounds(), true);  // where it is: nothing but the frame to redo
        EXPECT_GT(frames.Count(), 0);
    }
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_TRUE(otherIsAbove());
    DestroyWindow(other);
    host.Unload();
}

// A border drag ends with the release of its own button while the frame
// still has the mouse: another button's press and release on the border
// leave it going, and once the mouse was taken away (another window captured
// it, or a cancelled mode let it go) the release moves nothing.
TEST(SkinnedFrame, ADragEndsWithItsOwnReleaseUnlessTheMouseWasTakenAway)
{
    test::DropPendingQuit();
    Host host(ui::vbSizable, true, true);
    host.Show();
    ui::DoEvents();
    HWND frameWindow = ui::win::H(host.frame.hWnd());
    enum class Between { RightRelease, CaptureTaken, ModeCancelled };
    const struct {
        const char* what;
        Between between;
        int grows;  // twips, at the left button's release
    } cases[] = {{"a right press and release between", Between::RightRelease, 450},
                 {"the mouse taken away", Between::CaptureTaken, 0},
                 {"the mode cancelled (a window came up)", Between::ModeCancelled, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int width = host.Width();
        RECT r{};
        GetWindowRect(frameWindow, &r);
        const int x = r.right - r.left - 2, y = 100;
        SetCursorPos(r.left + x, r.top + y);
        PostMessageW(frameWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        test::RunQueue();
        ASSERT_EQ(GetCapture(), frameWindow);
        if (c.between == Between::CaptureTaken) {
            HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            SetCapture(other);
            ReleaseCapture();
            DestroyWindow(other);
        } else if (c.between == Between::ModeCancelled) {
            PostMessageW(frameWindow, WM_CANCELMODE, 0, 0);
        } else {
            PostMessageW(frameWindow, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(x, y));
            PostMessageW(frameWindow, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(x, y));
        }
        SetCursorPos(r.left + x + 30, r.top + y);
        PostMessageW(frameWindow, WM_LBUTTONUP, 0, MAKELPARAM(x + 30, y));
        test::RunQueue();
        EXPECT_EQ(host.Width(), width + c.grows);
        EXPECT_NE(GetCapture(), frameWindow);
    }
    host.Unload();
}

}  // namespace
