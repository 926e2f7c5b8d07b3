#pragma once

#include <cstdint>
#include <vector>

namespace quemira::ui {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb white{255, 255, 255};
// The face colour of buttons and dialogs: the window's background.
inline constexpr Rgb button_face{240, 240, 240};

// The pixels inside a box's border, three bytes (red, green, blue) a pixel,
// rows top to bottom.
struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

}  // namespace quemira::ui
