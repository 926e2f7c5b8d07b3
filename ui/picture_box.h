#pragma once

#include <cstdint>
#include <vector>

#include "core/byte_data.h"
#include "core/control.h"

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

// Stores the undecoded bytes of one picture, exactly as set, and shows the
// image they hold stretched over the area inside its border.
class PictureBox : public core::Control {
 public:
  PictureBox(int inner_width, int inner_height, Rgb background, bool visible);

  void set_picture(const core::ByteData& data);
  core::ByteData get_picture() const { return picture_; }

  // What the area inside the border shows now.
  const Surface& paint();

  int inner_width() const { return surface_.width; }
  int inner_height() const { return surface_.height; }
  Rgb background() const { return background_; }

 private:
  void fill_background();

  core::ByteData picture_;
  Rgb background_;
  Surface surface_;
};

}  // namespace quemira::ui
