// The portable pieces under the windows: the property bag, twips, colours as
// drawn, the help text and the folder dialog's caller.
#include "SimMachineFixture.h"
#include "app/HelpText.h"
#include "app/modBrowse.h"
#include "ui/Palette.h"
#include "ui/PropertyBag.h"
#include "ui/Scale.h"

namespace {

// Fonts grow with the DPI; MS Sans Serif, drawn from bitmaps up to 24 pixels,
// turns to its outline design beyond, where the bitmaps would stop growing.
TEST(Scale, FontsAtEveryDpi)
{
    struct Case {
        const char* face;
        double points;
        int dpi, pixels;
        const char* made;
    };
    const Case cases[] = {
        {"MS Sans Serif", 8.25, 96, 11, "MS Sans Serif"},   {"MS Sans Serif", 8.25, 192, 22, "MS Sans Serif"},
        {"MS Sans Serif", 18, 96, 24, "MS Sans Serif"},     {"MS Sans Serif", 9.75, 192, 26, "Microsoft Sans Serif"},
        {"MS Sans Serif", 8.25, 240, 28, "Microsoft Sans Serif"}, {"Tahoma", 12, 192, 32, "Tahoma"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::FontPixels(c.points, c.dpi), c.pixels) << c.points << " at " << c.dpi;
        EXPECT_EQ(ui::FaceAtDpi(c.face, c.points, c.dpi), c.made) << c.points << " at " << c.dpi;
    }
}

// Every text the windows draw reads, whatever the scheme: a system colour
// beside a fixed one is drawn as the design had it, high contrast gives every
// surface the system's pair, and nothing enabled reads below 4.5:1.
TEST(Palette, TextsReadInEveryScheme)
{
    constexpr ui::Color beige = 0xD8E9EC, white = 0xFFFFFF, black = 0, lightBlue = 15651521, greyed = 0x92A1A1;
    const auto highContrastBlack = [](sim::SimPalette& p, bool on) {
        p.highContrast = on;
        p.colors[15] = p.colors[5] = p.colors[4] = black;  // faces, windows, menus
        p.colors[18] = p.colors[8] = p.colors[7] = white;  // their texts
    };
    const auto lowContrastWindows = [](sim::SimPalette& p, bool) { p.colors[8] = 0xC0C0C0; };
    const auto designScheme = [](sim::SimPalette&, bool) {};
    struct Case {
        const char* what;
        void (*scheme)(sim::SimPalette&, bool);
        bool highContrast;
        ui::Color text, back;
        ui::Surface surface;
        bool enabled;
        ui::TextColors drawn;
    };
    const Case cases[] = {
        {"label in the design scheme", designScheme, false, ui::vbButtonText, beige, ui::Surface::Face, true, {black, beige}},
        {"label, black scheme, contrast not on (Wine)", highContrastBlack, false, ui::vbButtonText, beige,
         ui::Surface::Face, true, {black, beige}},
        {"label in high contrast", highContrastBlack, true, ui::vbButtonText, beige, ui::Surface::Face, true,
         {ui::vbButtonText, ui::vbButtonFace}},
        {"disabled label in high contrast", highContrastBlack, true, ui::vbButtonText, beige, ui::Surface::Face,
         false, {ui::SystemColor(17), ui::vbButtonFace}},
        {"lit menu item in high contrast", highContrastBlack, true, ui::vbButtonText, lightBlue,
         ui::Surface::Highlight, true, {ui::SystemColor(14), ui::SystemColor(13)}},
        {"list in the user's scheme", highContrastBlack, false, ui::vbWindowText, ui::vbWindowBackground,
         ui::Surface::Window, true, {ui::vbWindowText, ui::vbWindowBackground}},
        {"list whose scheme reads badly", lowContrastWindows, false, ui::vbWindowText, ui::vbWindowBackground,
         ui::Surface::Window, true, {black, ui::vbWindowBackground}},
        {"fixed white text on the system face", designScheme, false, white, ui::vbButtonFace, ui::Surface::Face,
         true, {black, ui::DesignRgb(15)}},
        {"a greyed XP button keeps its grey", designScheme, false, greyed, 0xEAF4F5, ui::Surface::Face, false,
         {greyed, 0xEAF4F5}},
    };
    for (const Case& c : cases) {
        sim::SimPalette palette;
        c.scheme(palette, c.highContrast);
        const ui::TextColors drawn = ui::Readable(c.text, c.back, c.surface, c.enabled, palette);
        EXPECT_EQ(drawn.text, c.drawn.text) << c.what;
        EXPECT_EQ(drawn.back, c.drawn.back) << c.what;
    }
    sim::SimPalette palette;
    EXPECT_EQ(ui::Backdrop(beige, ui::Surface::Face, palette), beige);
    palette.highContrast = true;
    EXPECT_EQ(ui::Backdrop(beige, ui::Surface::Menu, palette), ui::SystemColor(4));
    EXPECT_NEAR(ui::ContrastRatio(white, ui::DesignRgb(15)), 1.2, 0.05);  // white on the XP face
    // The design's table ends with the menu bar (30); an index outside it is black.
    EXPECT_EQ(ui::DesignRgb(30), beige);
    for (const int index : {-1, 31, 255})
        EXPECT_EQ(ui::DesignRgb(index), black) << index;
    EXPECT_DOUBLE_EQ(ui::ContrastRatio(black, white), 21.0);
}

TEST(PropertyBag, DefaultsAreNotStoredAndMissingKeysReadAsDefaults)
{
    ui::PropertyBag bag;
    bag.WriteBool("AutoLoad", true, false);
    bag.WriteLong("Theme", 2, 0);
    bag.WriteString("Caption", "Ombrilo", "");
    bag.WriteBool("ShowIcon", true, true);
    bag.WriteLong("Theme", 0, 0);  // back to the default: the entry goes
    bag.WriteString("Tip", "", "Hello");  // emptied on purpose: stored, and read back empty
    EXPECT_EQ(bag.ReadString("Tip", "Hello"), "");
    EXPECT_EQ(bag.Count(), 3u);
    EXPECT_FALSE(bag.Contains("Theme"));
    EXPECT_EQ(bag.ReadLong("Theme", 2), 2);
    EXPECT_TRUE(bag.ReadBool("ShowIcon", true));
    EXPECT_TRUE(bag.ReadBool("AutoLoad", false));
    EXPECT_EQ(bag.ReadString("Caption", ""), "Ombrilo");
    EXPECT_EQ(bag.ReadString("AutoLoad", "x"), "x");  // a value of another type reads as the default
    // Numbers and truth values read as each other, as older forms stored them: any number but 0 is true.
    for (const std::int32_t number : {-1, 1, 2}) {
        bag.WriteLong("Flag", number, 0);
        EXPECT_TRUE(bag.ReadBool("Flag", false)) << number;
    }
    EXPECT_EQ(bag.ReadLong("AutoLoad", 0), -1);
}

TEST(PropertyBag, TextRoundTripKeepsTypesAndAwkwardStrings)
{
    ui::PropertyBag bag;
    bag.WriteBool("AutoLoad", true, false);
    bag.WriteLong("BackColor", -2147483633, 0);
    bag.WriteString("Caption", "Say \"hi\" \\ there = yes: no", "");
    const std::string text = bag.ToText();
    EXPECT_NE(text.find("AutoLoad = Boolean:-1\r\n"), std::string::npos);

    const auto back = ui::PropertyBag::FromText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ToText(), text);
    const auto spaced = ui::PropertyBag::FromText("\r\n" + text + "\n\r\n");  // blank lines are skipped
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->ToText(), text);
    EXPECT_EQ(back->ReadLong("BackColor", 0), -2147483633);
    EXPECT_EQ(back->ReadString("Caption", ""), "Say \"hi\" \\ there = yes: no");
    EXPECT_EQ(back->ReadLong("AutoLoad", 0), -1);
}

TEST(PropertyBag, FontsRoundTripWithTheirCharacterSet)
{
    ui::PropertyBag bag;
    const ui::FontSpec terminal{"Terminal, \"OEM\"", 8.29, true, false, 255};  // 8.29 * 100 is 828.999... in binary: kept as 829
    bag.WriteFont("Font", terminal, ui::FontSpec{});
    bag.WriteFont("Same", ui::FontSpec{}, ui::FontSpec{});
    EXPECT_FALSE(bag.Contains("Same"));
    const auto back = ui::PropertyBag::FromText(bag.ToText());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ReadFont("Font", ui::FontSpec{}), terminal);
    EXPECT_EQ(back->ReadFont("Missing", terminal), terminal);
    for (const char* text : {"F = Font:0,0,0,0,\"x\"\r\n", "F = Font:825,2,0,0,\"x\"\r\n",
                             "F = Font:825,0,0,256,\"x\"\r\n", "F = Font:825,0,0,0,x\r\n", "F = Font:825,0,0\r\n"})
        EXPECT_FALSE(ui::PropertyBag::FromText(text)) << text;
}

TEST(PropertyBag, BrokenTextIsRefusedWhole)
{
    for (const char* text : {"Theme = Long:two\r\n", "Theme Long:2\r\n", "AutoLoad = Boolean:1\r\n",
                             "Caption = String:\"open\r\n", "Caption = String:\"a\"b\"\r\n", "X = Float:1.5\r\n",
                             "Caption = String:\"ends escaped\\\"\r\n",
                             " = Long:1\r\n"})
        EXPECT_FALSE(ui::PropertyBag::FromText(text)) << text;
    const auto empty = ui::PropertyBag::FromText("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Count(), 0u);
}

// A window's scale: 15 twips a pixel at the design's 96 DPI, conversions to
// the nearest unit, and the design's pixel figures grown with the DPI.
TEST(Scale, ConversionsRoundToTheNearestUnit)
{
    const ui::Scale design;
    EXPECT_EQ(design.TwipsPerPixelX(), ui::kDesignTwipsPerPixel);
    EXPECT_EQ(design.TwipsToPixelsX(6030), 402);
    EXPECT_EQ(design.TwipsToPixelsY(1740), 116);
    EXPECT_EQ(design.TwipsToPixelsX(22), 1);
    EXPECT_EQ(design.TwipsToPixelsX(-75), -5);
    EXPECT_EQ(design.PixelsToTwipsY(41), 615);
    EXPECT_EQ(design.Pixels(21), 21);
    const ui::Scale larger(120, 144);
    EXPECT_EQ(larger.TwipsToPixelsX(6030), 503);
    EXPECT_EQ(larger.TwipsToPixelsY(6030), 603);
    EXPECT_EQ(larger.Pixels(21), 32);  // 31.5, halves away from zero
    EXPECT_EQ(ui::Scale(0, -1), design);  // a nonsense reading is the design's
}

TEST(HelpText, FourteenLinesEachEndedByCrLf)
{
    // Run as administrator in a session of its own, one sentence more says so.
    const std::string elevated = HelpText(true);
    EXPECT_EQ(elevated.substr(0, HelpText().size()), HelpText());
    EXPECT_NE(elevated.find("only programs run as\r\n   administrator see"), std::string::npos);

    const std::string text = HelpText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "     :" + std::string(26, ' ') + ":");
    EXPECT_EQ(lines[2], "   " + std::string(32, '.'));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[7], "   ");
    EXPECT_EQ(lines[12], "   ");
    EXPECT_EQ(lines[11], "   with the switch /ini.");
    EXPECT_EQ(lines[13].substr(0, 3), "   ");
    EXPECT_NE(lines[13][3], ' ');
}

class Browse : public SimMachineTest {};

TEST_F(Browse, FolderDialogAnswersAndCancels)
{
    machine.shell.answer = "C:\\Data";
    EXPECT_EQ(modBrowse::BrowseForFolder("Folder to mount.", ui::WindowHandle{0x42}, false), "C:\\Data");
    EXPECT_EQ(machine.shell.lastTitle, std::string("Folder to mount.\0", 17));
    EXPECT_EQ(machine.shell.lastFlags, 0x43u);
    EXPECT_EQ(machine.shell.lastOwner, ui::WindowHandle{0x42});
    EXPECT_EQ(modBrowse::BrowseForFolder("t", {}, true), "C:\\Data\\");
    machine.shell.answer = "D:\\";
    EXPECT_EQ(modBrowse::BrowseForFolder("t", {}, true), "D:\\");
    machine.shell.answer.reset();
    EXPECT_EQ(modBrowse::BrowseForFolder("t", {}, true), "");
}

}  // namespace
