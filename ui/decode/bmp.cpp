#include <algorithm>

#include "ui/decode/dib.h"

namespace quemira::ui::decode {
namespace {

// Run-length encoded rows (RLE8 and RLE4): every code writes within the
// bitmap or not at all, and the codes end at the data's end as at an
// end-of-bitmap code. Pixels that no code reaches stay opaque black.
class RleDecoder {
 public:
  RleDecoder(const dib::Header& header, const std::vector<dib::Colour>& palette, Bitmap& bitmap)
      : header_(header), palette_(palette), bitmap_(bitmap) {}

  void decode(Bytes codes) {
    ByteReader reader(codes);
    while (stored_row_ < header_.height) {
      const std::uint8_t count = reader.u8();
      const std::uint8_t value = reader.u8();
      if (reader.failed()) return;
      if (count > 0) {
        // A run: one index, or in RLE4 two indices taking turns; the part
        // past the line end is dropped.
        const int nibbles[2] = {value >> 4, value & 0x0F};
        for (int i = 0; i < count; ++i, ++x_)
          put(header_.compression == dib::rle8 ? value : nibbles[i % 2]);
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x_ = 0;
          ++stored_row_;
          break;
        case 1:  // end of bitmap
          return;
        case 2:  // delta: move right and up (down the stored rows)
          x_ += reader.u8();
          stored_row_ += reader.u8();
          break;
        default:  // absolute run of `value` indices, padded to an even byte count
          absolute(reader, value);
      }
    }
  }

 private:
  void absolute(ByteReader& reader, int count) {
    const std::size_t byte_count =
        header_.compression == dib::rle8 ? count : (static_cast<std::size_t>(count) + 1) / 2;
    const auto indices = reader.bytes(std::min(byte_count, reader.remaining()));
    for (int i = 0; i < count; ++i, ++x_) {
      const std::size_t byte = header_.compression == dib::rle8 ? i : i / 2;
      if (byte >= indices.size()) return;
      put(header_.compression == dib::rle8 ? indices[byte]
                                           : (i % 2 ? indices[byte] & 0x0F : indices[byte] >> 4));
    }
    if (byte_count % 2) reader.skip(1);
  }

  void put(std::size_t index) {
    if (stored_row_ >= header_.height || x_ >= header_.width) return;
    const auto pixel =
        static_cast<std::size_t>(dib::bitmap_row(header_, stored_row_) * header_.width + x_) * 4;
    const dib::Colour colour = dib::palette_colour(palette_, index);
    std::copy(colour.begin(), colour.end(), bitmap_.rgba.begin() + pixel);
  }

  const dib::Header& header_;
  const std::vector<dib::Colour>& palette_;
  Bitmap& bitmap_;
  std::int64_t x_ = 0;
  std::int64_t stored_row_ = 0;
};

}  // namespace

std::optional<Bitmap> decode_bmp(Bytes data) {
  ByteReader reader(data);
  if (reader.u8() != 'B' || reader.u8() != 'M') return std::nullopt;
  reader.skip(8);  // file size, reserved
  const std::uint32_t pixel_offset = reader.u32();
  auto header = dib::read_header(reader);
  if (!header) return std::nullopt;
  // A BMP is an opaque colour image: the fourth byte of a 32-bit pixel is
  // not transparency here.
  header->masks[3] = 0;

  // NOTE: some writers leave the pixel offset at zero or pointing into the
  // headers; the pixels then follow the palette.
  const std::size_t palette_start = reader.position();
  const std::uint64_t pixel_start =
      pixel_offset >= palette_start
          ? pixel_offset
          : palette_start + header->palette_entries * header->palette_entry_size;
  if (pixel_start > data.size()) return std::nullopt;
  const auto palette = dib::read_palette(reader, *header, pixel_start - palette_start);
  const Bytes pixels = data.subspan(pixel_start);

  if (header->compression != dib::rle8 && header->compression != dib::rle4)
    return dib::decode_uncompressed(*header, palette, pixels);
  auto bitmap = make_bitmap(header->width, header->height);
  if (!bitmap) return std::nullopt;
  for (std::size_t i = 3; i < bitmap->rgba.size(); i += 4) bitmap->rgba[i] = 255;
  RleDecoder(*header, palette, *bitmap).decode(pixels);
  return bitmap;
}

}  // namespace quemira::ui::decode
