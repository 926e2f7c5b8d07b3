#pragma once

#include <memory>

#include "core/byte_data.h"
#include "core/control.h"
#include "ui/gif_animation.h"
#include "ui/surface.h"

namespace quemira::ui {

// Stores the undecoded bytes of one picture, exactly as set, and shows the
// image they hold stretched over the area inside its border. The image is
// decoded once per set picture, straight to the size of that area.
class PictureBox : public core::Control {
 public:
  PictureBox(int inner_width, int inner_height, Rgb background, bool visible);

  void set_picture(const core::ByteData& data);
  // A new copy; memory refused for it ends the program like any new value.
  core::ByteData get_picture() const { return picture_; }

  // What the area inside the border shows now. A GIF starts playing the first
  // time its box is painted.
  const Surface& paint();

  int inner_width() const { return surface_.width; }
  int inner_height() const { return surface_.height; }
  Rgb background() const { return background_; }

 private:
  void fill_background();
  void show_picture();

  core::ByteData picture_;
  Rgb background_;
  Surface surface_;
  bool animation_due_ = false;
  std::unique_ptr<GifAnimation> animation_;
};

}  // namespace quemira::ui
