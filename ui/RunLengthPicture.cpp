#include "RunLengthPicture.h"

namespace ui {

std::optional<RunLengthPicture> DecodeRunLength(std::span<const unsigned char> bytes)
{
    std::size_t at = 0;
    const auto take16 = [&](int& value) {
        if (bytes.size() - at < 2)
            return false;
        value = bytes[at] | (bytes[at + 1] << 8);
        at += 2;
        return true;
    };
    if (bytes.size() < 8 || bytes[0] != 'T' || bytes[1] != 'V' || bytes[2] != 'P' || bytes[3] != '1')
        return std::nullopt;
    at = 4;
    RunLengthPicture picture;
    if (!take16(picture.width) || !take16(picture.height) || picture.width == 0 || picture.height == 0)
        return std::nullopt;
    const auto width = static_cast<std::size_t>(picture.width);
    picture.pixels.reserve(width * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        if (at >= bytes.size())
            return std::nullopt;
        const unsigned char op = bytes[at++];
        if (op == 0 && y > 0) {
            const std::size_t above = picture.pixels.size() - width;
            for (std::size_t x = 0; x < width; ++x)
                picture.pixels.push_back(picture.pixels[above + x]);
            continue;
        }
        int runs = 0;
        if (op != 1 || !take16(runs))
            return std::nullopt;
        std::size_t filled = 0;
        for (int i = 0; i < runs; ++i) {
            if (bytes.size() - at < 4)
                return std::nullopt;
            const std::size_t length = bytes[at] + 1u;
            const std::uint32_t colour = bytes[at + 1] | (bytes[at + 2] << 8) | (static_cast<std::uint32_t>(bytes[at + 3]) << 16);
            at += 4;
            if (filled + length > width)
                return std::nullopt;
            picture.pixels.insert(picture.pixels.end(), length, colour);
            filled += length;
        }
        if (filled != width)
            return std::nullopt;
    }
    if (at != bytes.size())
        return std::nullopt;
    return picture;
}

}  // namespace ui
