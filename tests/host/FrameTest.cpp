// The skinned frame's layout, region and scheme pictures, as numbers.
#include "frame/FrameLayout.h"
#include "frame/FrameRegion.h"
#include "frame/FrameThemes.h"
#include "ui/RunLengthPicture.h"
#include "widgets/CaptionFace.h"
#include "tests/support/Fingerprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <tuple>

namespace {

using frame::PieceRect;

frame::LayoutInput Frame(double width, double height)
{
    frame::LayoutInput in;
    in.widthTwips = width;
    in.heightTwips = height;
    return in;
}

TEST(FrameLayout, PiecesOfAnOrdinaryWindow)
{
    const auto out = frame::Repos(Frame(6120, 4815));  // 408 x 321 pixels
    EXPECT_EQ(out.TitleLeft, (PieceRect{0, 0, 10, 30}));
    EXPECT_EQ(out.Title, (PieceRect{10, 0, 388, 30}));
    EXPECT_EQ(out.TitleRight, (PieceRect{398, 0, 10, 30}));
    EXPECT_EQ(out.Left, (PieceRect{0, 30, 4, 287}));
    EXPECT_EQ(out.Right, (PieceRect{404, 30, 4, 287}));
    EXPECT_EQ(out.Bottom, (PieceRect{4, 317, 400, 4}));
    EXPECT_EQ(out.BottomLeft, (PieceRect{0, 317, 4, 4}));
    EXPECT_EQ(out.BottomRight, (PieceRect{404, 317, 4, 4}));
    EXPECT_EQ(out.CloseButton, (PieceRect{381, 4.5f, 21, 21}));
    EXPECT_EQ(out.MaximizeButton.left, 358);
    EXPECT_EQ(out.Minimizebutton.left, 335);
    EXPECT_EQ(out.TitleIcon, (PieceRect{6, 7, 16, 16}));
    EXPECT_EQ(out.Caption1.left, 25);
    EXPECT_FLOAT_EQ(out.Caption1.top, 7.25f);  // (30 - 13) / 2 - 9 + 9.75 - 2
    EXPECT_EQ(out.Caption1.width, 335 - 22 - 10);
    EXPECT_EQ(out.pICmenu.left, 4);
    EXPECT_EQ(out.pICmenu.top, 30);
    EXPECT_EQ(out.pICmenu.width, 400);
    EXPECT_EQ(out.menuLineX2Twips, 6000);
    EXPECT_EQ(out.resize, (frame::ResizeArgs{450, 4305, 6000}));
    EXPECT_EQ(out.PicMainTop, 30);
}

TEST(FrameLayout, ASmallFrameGrowsToTheMinimumFirst)
{
    const auto out = frame::Repos(Frame(1000, 400));
    EXPECT_EQ(out.widthTwips, 1695);
    EXPECT_EQ(out.heightTwips, 615);
    EXPECT_EQ(out.BottomRight, (PieceRect{109, 37, 4, 4}));
    EXPECT_EQ(out.resize, (frame::ResizeArgs{450, 105, 1575}));
}

TEST(FrameLayout, TheCaptionReachesToTheFirstVisibleButton)
{
    auto in = Frame(6120, 4815);
    in.minimizeVisible = false;
    EXPECT_EQ(frame::Repos(in).Caption1.width, 358 - 22 - 10);
    in.maximizeVisible = false;
    EXPECT_EQ(frame::Repos(in).Caption1.width, 381 - 22 - 10);
    EXPECT_EQ(frame::Repos(in).MaximizeButton.left, 358);  // hidden buttons keep their slots
}

TEST(FrameLayout, WithoutTheIconTheCaptionMovesLeftButItsWidthFollowsTheIcon)
{
    auto in = Frame(6120, 4815);
    in.iconVisible = false;
    auto out = frame::Repos(in);
    EXPECT_FLOAT_EQ(out.Caption1.left, 6.5f);
    EXPECT_EQ(out.Caption1.width, 335 - 22 - 10);
    in.minimizeVisible = false;
    out = frame::Repos(in);
    EXPECT_EQ(out.Caption1.width, 358 - 4 - 10);
}

TEST(FrameLayout, MenuStripWiderEndsAndOversizedFrames)
{
    auto in = Frame(6120, 4815);
    in.menuVisible = true;
    auto out = frame::Repos(in);
    EXPECT_EQ(out.resize, (frame::ResizeArgs{810, 3945, 6000}));
    EXPECT_EQ(out.PicMainTop, 54);

    in.titleLeftWidth = 15;  // the silver ends
    in.titleRightWidth = 16;
    out = frame::Repos(in);
    EXPECT_EQ(out.Title, (PieceRect{15, 0, 408 - 31, 30}));
    EXPECT_EQ(out.TitleRight.left, 392);

    out = frame::Repos(Frame(40000, 50000));
    EXPECT_EQ(out.resize.IsHeight, 32767);
    EXPECT_EQ(out.resize.IsWidth, 32767);
    EXPECT_EQ(frame::ToEventInteger(-40000), -32768);
    EXPECT_EQ(frame::ToEventInteger(2.5), 2);  // halves to even
}

// At 144 and 192 DPI every frame figure is the design's times 1.5 and 2,
// rounded to whole pixels, while the twips the host is told stay the design's.
TEST(FrameLayout, EveryFigureScalesWithTheWindowsDpi)
{
    auto in = Frame(6120, 4815);
    in.twipsPerPixelX = in.twipsPerPixelY = 7.5;  // 192 DPI: 816 x 642 pixels
    auto out = frame::Repos(in);
    EXPECT_EQ(out.TitleLeft, (PieceRect{0, 0, 20, 60}));
    EXPECT_EQ(out.Right, (PieceRect{808, 60, 8, 574}));
    EXPECT_EQ(out.Bottom, (PieceRect{8, 634, 800, 8}));
    EXPECT_EQ(out.CloseButton, (PieceRect{762, 9, 42, 42}));
    EXPECT_EQ(out.Minimizebutton.left, 670);
    EXPECT_EQ(out.TitleIcon, (PieceRect{12, 14, 32, 32}));
    EXPECT_EQ(out.Caption1.left, 50);
    EXPECT_FLOAT_EQ(out.Caption1.top, 14.5f);
    EXPECT_EQ(out.Caption1.width, 670 - 44 - 20);
    in.iconVisible = false;
    EXPECT_FLOAT_EQ(frame::Repos(in).Caption1.left, 13.0f);  // the border and 2.5 design pixels
    in.iconVisible = true;
    EXPECT_EQ(out.menuLineX2Twips, 6000);
    EXPECT_EQ(out.resize, (frame::ResizeArgs{450, 4305, 6000}));
    EXPECT_EQ(out.PicMainTop, 60);

    in.twipsPerPixelX = in.twipsPerPixelY = 10;  // 144 DPI: 612 x 481.5 pixels
    in.menuVisible = true;
    out = frame::Repos(in);
    EXPECT_EQ(out.TitleLeft, (PieceRect{0, 0, 15, 45}));
    EXPECT_EQ(out.CloseButton, (PieceRect{612 - 6 - 32 - 3, 6.5f, 32, 32}));  // 31.5 rounds up
    EXPECT_EQ(out.TitleIcon, (PieceRect{9, 11, 24, 24}));
    EXPECT_EQ(out.resize, (frame::ResizeArgs{810, 3945, 6000}));  // the strip is 36 pixels, 360 twips
    EXPECT_EQ(out.pICmenu, (PieceRect{6, 45, 600, 36}));
    EXPECT_EQ(out.PicMainTop, 81);
}

bool Inside(const std::vector<frame::RegionRect>& rects, int x, int y)
{
    for (const auto& r : rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

TEST(FrameRegion, TopCornersRoundedBottomSquare)
{
    const auto size = frame::AtLeastMinimum({1000, 400});
    EXPECT_EQ(size.width, 1695);
    EXPECT_EQ(size.height, 615);
    for (const auto& [asked, width, height] : {std::tuple{frame::TwipSize{1000, 5000}, 1695, 5000},
                                               {frame::TwipSize{5000, 400}, 5000, 615}}) {  // each side on its own
        EXPECT_EQ(frame::AtLeastMinimum(asked).width, width);
        EXPECT_EQ(frame::AtLeastMinimum(asked).height, height);
    }
    const auto rects = frame::RegionRects(size, 15, 15);  // 113 x 41 pixels
    EXPECT_EQ(rects[0], (frame::RegionRect{5, 0, 108, 1}));
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[5], (frame::RegionRect{0, 5, 113, 41}));
    for (auto [x, y] : {std::pair{0, 0}, {4, 0}, {2, 1}, {1, 2}, {0, 3}, {0, 4}, {112, 0}, {108, 0}, {110, 1},
                        {111, 2}, {112, 3}, {112, 4}})
        EXPECT_FALSE(Inside(rects, x, y)) << x << "," << y;
    for (auto [x, y] : {std::pair{5, 0}, {107, 0}, {3, 1}, {0, 5}, {112, 5}, {0, 40}, {112, 40}})
        EXPECT_TRUE(Inside(rects, x, y)) << x << "," << y;
}

TEST(FrameRegion, EdgesRoundHalvesToEven)
{
    // At 120 DPI: 141.5 x 83.5 pixels goes up, 142.5 x 82.5 down; the top row is 6 pixels shorter each
    // side (the design's 5, scaled).
    for (const auto& [size, right, bottom, top] : {std::tuple{frame::TwipSize{1698, 1002}, 142, 84, 136},
                                                   {frame::TwipSize{1710, 990}, 142, 82, 136}}) {
        const auto rects = frame::RegionRects(size, 12, 12);
        EXPECT_EQ(rects.back().right, right) << size.width;
        EXPECT_EQ(rects.back().bottom, bottom) << size.width;
        EXPECT_EQ(rects[0].right, top) << size.width;
    }
}

TEST(FrameRegion, TheCornersProfileScalesWithTheDpi)
{
    const auto rects = frame::RegionRects({6120, 4815}, 7.5, 7.5);  // 816 x 642 pixels at 192 DPI
    ASSERT_EQ(rects.size(), 11u);                                   // ten rows of profile, then the rest
    for (auto [y, cut] : {std::pair{0, 10}, {1, 10}, {2, 6}, {3, 6}, {4, 4}, {6, 2}, {9, 2}})
        EXPECT_EQ(rects[static_cast<std::size_t>(y)], (frame::RegionRect{cut, y, 816 - cut, y + 1})) << y;
    EXPECT_EQ(rects.back(), (frame::RegionRect{0, 10, 816, 642}));
    EXPECT_EQ(frame::CornerCut(10, 7.5), 0);
}

TEST(FrameThemes, IndicesColoursAndSizes)
{
    EXPECT_EQ(frame::ThemeIndex(0, true), 0);
    EXPECT_EQ(frame::ThemeIndex(1, false), 3);
    EXPECT_EQ(frame::ThemeIndex(2, true), 4);
    EXPECT_EQ(frame::ThemeIndex(2, false), 5);
    EXPECT_FALSE(frame::ThemeIndex(3, true));
    EXPECT_FALSE(frame::ThemeIndex(-1, true));
    EXPECT_EQ(frame::CaptionColor(2, true), 0x000000u);
    EXPECT_EQ(frame::CaptionColor(2, false), 0xC0C0C0u);
    EXPECT_EQ(frame::CaptionColor(0, false), 0xFFFFFFu);
    EXPECT_EQ(frame::CaptionColor(3, true), 0xFFFFFFu);
    EXPECT_EQ(frame::PieceSize(2, 4), (frame::PictureSize{15, 30}));
    EXPECT_EQ(frame::PieceSize(3, 4), (frame::PictureSize{16, 30}));
    EXPECT_EQ(frame::PieceSize(4, 1), (frame::PictureSize{4, 182}));
    EXPECT_EQ(frame::PieceSize(9, 0), (frame::PictureSize{}));
}

// Width and height from a BMP file's header; 0 x 0 when it cannot be read.
frame::PictureSize BitmapSize(const std::string& path, int& bitsPerPixel)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[30] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'B' || header[1] != 'M')
        return {};
    const auto number = [&](int at) {
        return static_cast<int>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24);
    };
    bitsPerPixel = header[28] | header[29] << 8;
    return {number(18), number(22)};
}

// The pixels of a 24-bit bottom-up BMP, top row first, as 0x00RRGGBB.
std::vector<std::uint32_t> BitmapPixels(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
    const auto number = [&](std::size_t at) {
        return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
    };
    const int offset = number(10), width = number(18), height = number(22);
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint32_t> pixels;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(offset + y * stride + x * 3);
            pixels.push_back(bytes[at] | bytes[at + 1] << 8 | static_cast<std::uint32_t>(bytes[at + 2]) << 16);
        }
    return pixels;
}

// Every piece of every set is the size the layout gives it at that scale, the
// title ends' cut corners are the window region's there, and the 100 % set is
// the BMPs pixel for pixel.
TEST(FrameThemes, TheScaledSetsFitTheLayoutAndTheRegion)
{
    constexpr std::uint32_t kMagenta = 0xFF00FF;  // outside the window
    for (const int percent : {100, 125, 150, 175, 200}) {
        const double scale = percent / 100.0;
        const auto px = [&](int design) { return static_cast<int>(design * scale + 0.5); };
        for (int list = 1; list <= 8; ++list) {
            for (int index = 0; index < 6; ++index) {
                const std::string path = std::string(TAVRIK_SOURCE_DIR) + "/frame/res/Image" + std::to_string(list) +
                                         "_" + std::to_string(index) + "@" + std::to_string(percent) + ".tvp";
                std::ifstream file(path, std::ios::binary);
                const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
                const auto picture = ui::DecodeRunLength(bytes);
                ASSERT_TRUE(picture) << path;
                const auto [w, h] = frame::PieceSize(list, index);
                const frame::PictureSize expected = list == 1             ? frame::PictureSize{w, px(h)}
                                                    : list <= 3           ? frame::PictureSize{px(w), px(h)}
                                                    : list <= 5           ? frame::PictureSize{px(w), h}
                                                    : list == 6           ? frame::PictureSize{w, px(h)}
                                                                          : frame::PictureSize{px(w), px(h)};
                EXPECT_EQ((frame::PictureSize{picture->width, picture->height}), expected) << path;
                if (percent == 100) {
                    EXPECT_EQ(picture->pixels, BitmapPixels(std::string(TAVRIK_SOURCE_DIR) + "/frame/res/Image" +
                                                            std::to_string(list) + "_" + std::to_string(index) +
                                                            ".bmp"))
                        << path;
                }
                if (list != frame::kTitleLeftList && list != frame::kTitleRightList)
                    continue;
                for (int y = 0; y < picture->height; ++y) {
                    int cut = 0;
                    for (int i = 0; i < picture->width; ++i) {
                        const int x = list == frame::kTitleLeftList ? i : picture->width - 1 - i;
                        if (picture->pixels[static_cast<std::size_t>(y * picture->width + x)] != kMagenta)
                            break;
                        ++cut;
                    }
                    EXPECT_EQ(cut, frame::CornerCut(y, 15 / scale)) << path << " row " << y;
                }
            }
        }
    }
    for (auto [dpi, set] : {std::pair{72, 100}, {96, 100}, {97, 125}, {120, 125}, {144, 150}, {168, 175}, {192, 200},
                            {240, 200}})
        EXPECT_EQ(frame::PictureSetFor(dpi), set) << dpi;
}

// Only a whole, well-formed picture is read; anything else is none.
TEST(FrameThemes, ARunLengthPictureIsReadOnlyWhole)
{
    using Bytes = std::vector<unsigned char>;
    const Bytes good = {'T', 'V', 'P', '1', 3, 0, 2, 0, 1, 2, 0, 0, 1, 2, 3, 1, 9, 9, 9, 0};
    const auto picture = ui::DecodeRunLength(good);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixels, (std::vector<std::uint32_t>{0x030201, 0x090909, 0x090909, 0x030201, 0x090909, 0x090909}));
    const Bytes bad[] = {
        {'T', 'V', 'P', '2', 3, 0, 2, 0, 1, 1, 0, 2, 1, 2, 3, 0},  // another format
        {'T', 'V', 'P', '1', 3, 0, 2, 0, 0},                       // the row above, before any row
        {'T', 'V', 'P', '1', 3, 0, 2, 0, 0, 1, 1, 0, 2, 1, 2, 3},  // the same, and a whole row after it
        {'T', 'V', 'P', '1', 3, 0, 1, 0, 1, 1, 0, 3, 1, 2, 3},     // a run past the row's end
        {'T', 'V', 'P', '1', 3, 0, 1, 0, 1, 1, 0, 1, 1, 2, 3},     // a row short of its width
        {'T', 'V', 'P', '1', 3, 0, 2, 0, 1, 1, 0, 2, 1, 2, 3},     // a row missing
        {'T', 'V', 'P', '1', 3, 0, 1, 0, 1, 1, 0, 2, 1, 2, 3, 7},  // bytes after the last row
        {'T', 'V', 'P', '1', 3, 0, 1, 0, 1, 1, 0, 2, 1, 2},        // cut inside a run
        {'T', 'V', 'P', '1', 3, 0, 1, 0, 1, 1},                    // cut inside a row's count of runs
    };
    for (const Bytes& bytes : bad)
        EXPECT_FALSE(ui::DecodeRunLength(bytes)) << &bytes - bad;
}

// The program draws the caption buttons' faces as the strips' generator does:
// at 100 % every frame of every strip comes out as the strip holds it, give or
// take one step of rounding per channel.
TEST(FrameThemes, CaptionFacesAreDrawnAsTheStripsHoldThem)
{
    const std::pair<CaptionPictureSet, const char*> strips[] = {{CaptionPictureSet::CbMin, "CbMin"},
                                                                 {CaptionPictureSet::CbMax, "CbMax"},
                                                                 {CaptionPictureSet::CbRestore, "CbRestore"},
                                                                 {CaptionPictureSet::CbClose, "CbClose"}};
    for (const auto& [set, name] : strips) {
        const std::string path = std::string(TAVRIK_SOURCE_DIR) + "/widgets/res/" + name + ".bmp";
        const std::vector<std::uint32_t> strip = BitmapPixels(path);
        const int frames = static_cast<int>(strip.size() / (21 * 21));
        ASSERT_EQ(frames, PictureCount(set)) << path;
        for (int index = 0; index < frames; ++index) {
            const std::vector<std::uint32_t> face = DrawCaptionFace(set, index, 21);
            ASSERT_EQ(face.size(), 21u * 21u);
            int worst = 0;
            for (int y = 0; y < 21; ++y)
                for (int x = 0; x < 21; ++x) {
                    const std::uint32_t a = face[static_cast<std::size_t>(y * 21 + x)];
                    const std::uint32_t b = strip[static_cast<std::size_t>(y * frames * 21 + index * 21 + x)];
                    for (const int shift : {0, 8, 16})
                        worst = std::max(worst, std::abs(static_cast<int>(a >> shift & 255) -
                                                         static_cast<int>(b >> shift & 255)));
                }
            EXPECT_LE(worst, 1) << name << " frame " << index;
        }
    }
    EXPECT_TRUE(DrawCaptionFace(CaptionPictureSet::CbMin, 12, 21).empty());  // past the strip
    EXPECT_EQ(DrawCaptionFace(CaptionPictureSet::CbClose, 0, 42).size(), 42u * 42u);
}

// Above 100 % no strip holds the faces to compare with: each set's faces at
// 125, 150 and 200 % are pinned instead.
TEST(FrameThemes, CaptionFacesAtLargerScalesStayAsDrawn)
{
    const std::pair<CaptionPictureSet, std::uint64_t> pinned[] = {
        {CaptionPictureSet::CbMin, 0x56ab45ffe677f6ed},
        {CaptionPictureSet::CbMax, 0xea1fa464ec5602c5},
        {CaptionPictureSet::CbRestore, 0xffd3ab8133681376},
        {CaptionPictureSet::CbClose, 0x8ba384293bfc2949}};
    for (const auto& [set, expected] : pinned) {
        test::Fingerprint drawn;
        for (const int size : {26, 32, 42})
            for (int index = 0; index < PictureCount(set); ++index)
                drawn.AddAll(DrawCaptionFace(set, index, size));
        EXPECT_EQ(drawn.Value(), expected) << "set " << static_cast<int>(set) << " now draws as " << drawn.Hex();
    }
}

// Every icon holds its design size and that size at 125, 150, 175 and 200 %,
// which the program asks for at those scales.
TEST(FrameThemes, EveryIconIsDrawnForEveryScale)
{
    const std::pair<const char*, std::vector<int>> icons[] = {
        {"Tavrik", {16, 32}}, {"emblem", {64}},     {"mount", {32}},        {"setup", {32}},      {"help", {32}},
        {"add", {16}},        {"menu_mount", {16}}, {"menu_unmount", {16}}, {"menu_clear", {16}},
    };
    for (const auto& [name, designs] : icons) {
        const std::string path = std::string(TAVRIK_SOURCE_DIR) + "/app/res/" + name + ".ico";
        std::ifstream file(path, std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
        ASSERT_GE(bytes.size(), 6u) << path;
        std::set<int> sizes;
        for (std::size_t i = 0; i < static_cast<std::size_t>(bytes[4] | bytes[5] << 8); ++i)
            sizes.insert(bytes[6 + 16 * i] == 0 ? 256 : bytes[6 + 16 * i]);
        for (const int design : designs)
            for (const int percent : {100, 125, 150, 175, 200})
                EXPECT_TRUE(sizes.count((design * percent + 50) / 100)) << path << " " << design << " at " << percent;
    }
}

TEST(FrameThemes, TheDrawnPicturesHaveTheSizesTheLayoutExpects)
{
    for (int list = 1; list <= 8; ++list) {
        for (int index = 0; index < 6; ++index) {
            const std::string path = std::string(TAVRIK_SOURCE_DIR) + "/frame/res/Image" + std::to_string(list) + "_" +
                                     std::to_string(index) + ".bmp";
            int bits = 0;
            EXPECT_EQ(BitmapSize(path, bits), frame::PieceSize(list, index)) << path;
            EXPECT_EQ(bits, 24) << path;
        }
    }
}

}  // namespace
