#pragma once
// The program's run-length pictures: the frame's pieces drawn for scales past
// 100 %, whose rows are runs of one colour and often repeat the row above, kept
// small this way in the exe ("TVP1", width and height as 16-bit little-endian
// numbers, then each row as 0, the row above again, or as 1, a 16-bit count of
// runs and each run as its length less one and its B, G, R).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ui {

struct RunLengthPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top-down
};

// The picture, or nothing when the bytes are not a whole, well-formed one.
std::optional<RunLengthPicture> DecodeRunLength(std::span<const unsigned char> bytes);

}  // namespace ui
