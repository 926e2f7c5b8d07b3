#pragma once

// Expected pictures of opaque formats, written as a list of colours.

#include <array>
#include <cstdint>
#include <vector>

#include "ui/decode/bitmap.h"

namespace quemira::ui::decode {

using Colour = std::array<std::uint8_t, 3>;  // red, green, blue

inline constexpr Colour black{0, 0, 0}, white{255, 255, 255}, grey{128, 128, 128}, red{255, 0, 0},
    green{0, 255, 0}, blue{0, 0, 255};

// A picture of these colours, top row first, every pixel opaque.
inline Bitmap opaque(int width, int height, const std::vector<Colour>& colours) {
  Bitmap bitmap{width, height, {}};
  for (const Colour& colour : colours)
    bitmap.rgba.insert(bitmap.rgba.end(), {colour[0], colour[1], colour[2], 255});
  return bitmap;
}

}  // namespace quemira::ui::decode
