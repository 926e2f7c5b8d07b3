#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quemira::ui::decode {

// Decoded pixels: rows top to bottom, four bytes a pixel in the order red,
// green, blue, alpha (straight, not premultiplied). Opaque formats set alpha
// to 255.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// No decoder makes a pixel buffer larger than this: a bigger image counts as
// a failed decode rather than a way to exhaust memory.
inline constexpr std::size_t max_decoded_bytes = std::size_t{256} << 20;

// The byte count of a width x height RGBA buffer, or nothing when either side
// is not positive or the buffer would pass max_decoded_bytes.
inline std::optional<std::size_t> rgba_size(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  if (width > static_cast<std::int64_t>(max_decoded_bytes / 4) / height) return std::nullopt;
  return static_cast<std::size_t>(width * height * 4);
}

// A zeroed bitmap of that size, or nothing when the size is refused.
inline std::optional<Bitmap> make_bitmap(std::int64_t width, std::int64_t height) {
  const auto size = rgba_size(width, height);
  if (!size) return std::nullopt;
  return Bitmap{static_cast<int>(width), static_cast<int>(height), std::vector<std::uint8_t>(*size)};
}

}  // namespace quemira::ui::decode
