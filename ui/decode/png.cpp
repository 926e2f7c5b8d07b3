#include <png.h>

#include "ui/decode/decoders.h"

namespace quemira::ui::decode {

namespace {

// The simplified interface keeps its errors and warnings in the image
// struct instead of printing them; this frees what it holds on every path.
class PngImage {
 public:
  PngImage() {
    image_.version = PNG_IMAGE_VERSION;
    image_.opaque = nullptr;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

}  // namespace

std::optional<Bitmap> decode_png(Bytes data) {
  PngImage image;
  if (!png_image_begin_read_from_memory(image.get(), data.data(), data.size())) return std::nullopt;
  image.get()->format = PNG_FORMAT_RGBA;
  // Without this, 16-bit files lacking a gAMA or sRGB chunk are taken as
  // linear light and come out far too bright; every other tool reads them as
  // sRGB like their 8-bit siblings.
  image.get()->flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  auto bitmap = make_bitmap(image.get()->width, image.get()->height);
  if (!bitmap) return std::nullopt;
  if (!png_image_finish_read(image.get(), nullptr, bitmap->rgba.data(), 0, nullptr)) {
    return std::nullopt;
  }
  return bitmap;
}

}  // namespace quemira::ui::decode
