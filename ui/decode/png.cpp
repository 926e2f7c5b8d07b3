#include <png.h>

#include <algorithm>

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

std::uint32_t big_endian_u32(Bytes bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// libpng allocates a chunk's buffer from the length the chunk claims before
// it reads it, so a few hundred bytes could ask for gigabytes. Every chunk up
// to IEND must lie inside the data before libpng sees any of it.
bool chunks_fit(Bytes data) {
  constexpr std::size_t signature = 8, empty_chunk = 12;  // length, type, CRC
  std::size_t position = signature;
  while (data.size() - position >= empty_chunk) {
    const std::uint32_t length = big_endian_u32(data.subspan(position, 4));
    if (length > data.size() - position - empty_chunk) return false;
    const Bytes type = data.subspan(position + 4, 4);
    position += empty_chunk + length;
    if (std::equal(type.begin(), type.end(), "IEND")) return true;
  }
  return false;
}

}  // namespace

std::optional<Bitmap> decode_png(Bytes data) {
  if (data.size() < 8 || !chunks_fit(data)) return std::nullopt;
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
