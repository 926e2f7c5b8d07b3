#include "ui/picture_box.h"

#include <new>
#include <optional>

#include "ui/decode/decoders.h"
#include "ui/stretch.h"

namespace quemira::ui {

namespace {

// JPEG decodes straight to about the box's size; every other format decodes
// whole and is stretched down afterwards.
std::optional<decode::Bitmap> decode_still(decode::Format format, decode::Bytes bytes,
                                           const Surface& surface) {
  using decode::Format;
  switch (format) {
    case Format::bmp:
      return decode::decode_bmp(bytes);
    case Format::jpeg:
      return decode::decode_jpeg(bytes, surface.width, surface.height);
    case Format::png:
      return decode::decode_png(bytes);
    case Format::icon:
    case Format::cursor:
      return decode::decode_icon(bytes);
    case Format::pcx:
      return decode::decode_pcx(bytes);
    case Format::gif:
    case Format::none:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

PictureBox::PictureBox(int inner_width, int inner_height, Rgb background, bool visible)
    : Control(visible), background_(background), surface_{inner_width, inner_height, {}} {
  fill_background();
}

void PictureBox::set_picture(const core::ByteData& data) {
  // The animation reads the stored bytes, so it stops before they change.
  animation_.reset();
  animation_due_ = false;
  try {
    picture_ = data;
  } catch (const std::bad_alloc&) {
    picture_ = core::ByteData();
  }
  fill_background();
  if (!picture_.empty()) show_picture();
  changed();
}

const Surface& PictureBox::paint() {
  if (animation_due_) {
    animation_due_ = false;
    try {
      animation_ = GifAnimation::start(decode::GifReader::open(picture_), background_, surface_,
                                       [this] { changed(); });
    } catch (const std::bad_alloc&) {
      animation_.reset();
      fill_background();
    }
  }
  return surface_;
}

// Only the box-sized result is kept: the decoded pixels go as soon as they
// have been stretched.
void PictureBox::show_picture() {
  const decode::Format format = decode::recognise(picture_);
  if (format == decode::Format::gif) {
    animation_due_ = true;
    return;
  }
  try {
    const auto image = decode_still(format, picture_, surface_);
    if (image) stretch(*image, background_, resampling(), surface_);
  } catch (const std::bad_alloc&) {
    fill_background();
  }
}

void PictureBox::fill_background() {
  surface_.rgb.resize(static_cast<std::size_t>(surface_.width) * surface_.height * 3);
  for (std::size_t i = 0; i < surface_.rgb.size(); i += 3) {
    surface_.rgb[i] = background_.red;
    surface_.rgb[i + 1] = background_.green;
    surface_.rgb[i + 2] = background_.blue;
  }
}

}  // namespace quemira::ui
