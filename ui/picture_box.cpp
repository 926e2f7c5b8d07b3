#include "ui/picture_box.h"

namespace quemira::ui {

PictureBox::PictureBox(int inner_width, int inner_height, Rgb background, bool visible)
    : Control(visible), background_(background), surface_{inner_width, inner_height, {}} {
  fill_background();
}

void PictureBox::set_picture(const core::ByteData& data) {
  picture_ = data;
  fill_background();
  changed();
}

const Surface& PictureBox::paint() { return surface_; }

void PictureBox::fill_background() {
  surface_.rgb.resize(static_cast<std::size_t>(surface_.width) * surface_.height * 3);
  for (std::size_t i = 0; i < surface_.rgb.size(); i += 3) {
    surface_.rgb[i] = background_.red;
    surface_.rgb[i + 1] = background_.green;
    surface_.rgb[i + 2] = background_.blue;
  }
}

}  // namespace quemira::ui
