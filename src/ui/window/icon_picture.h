#pragma once

#include <array>
#include <cstdint>

namespace corvandel {

// The program's icon, a small calculator, is one set of filled rectangles on a square grid of
// 16 units. The window icon, the installed pictures and the scalable drawing are all made from
// it, so they cannot drift apart.
inline constexpr int icon_grid = 16;

struct IconRectangle {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // 0xRRGGBB, fully opaque; the rest of the grid is transparent.
    std::uint32_t rgb = 0;
};

// In painting order: the body, the display, then the keys row by row, the last one being the
// equals key.
inline constexpr std::array<IconRectangle, 11> icon_rectangles{{
    {2, 0, 12, 16, 0x2e3b4e},
    {4, 2, 8, 3, 0xb8e09a},
    {4, 7, 2, 2, 0xe8e8e8},
    {7, 7, 2, 2, 0xe8e8e8},
    {10, 7, 2, 2, 0xe8e8e8},
    {4, 10, 2, 2, 0xe8e8e8},
    {7, 10, 2, 2, 0xe8e8e8},
    {10, 10, 2, 2, 0xe8e8e8},
    {4, 13, 2, 2, 0xe8e8e8},
    {7, 13, 2, 2, 0xe8e8e8},
    {10, 13, 2, 2, 0xf0a030},
}};

}  // namespace corvandel
