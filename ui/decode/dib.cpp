#include "ui/decode/dib.h"

#include <algorithm>
#include <bit>

namespace quemira::ui::decode::dib {
namespace {

constexpr std::uint32_t core_header_size = 12;
constexpr std::uint32_t info_header_size = 40;
// OS/2's second header: the 40-byte layout plus fields of its own, and a
// compression numbering that differs from 3 onwards.
constexpr std::uint32_t os2_header_size = 64;

bool known_header_size(std::uint32_t size) {
  return size == core_header_size || size == info_header_size || size == 52 || size == 56 ||
         size == os2_header_size || size == 108 || size == 124;
}

bool readable(int bits, std::uint32_t compression) {
  switch (compression) {
    case rgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case rle8:
      return bits == 8;
    case rle4:
      return bits == 4;
    case bitfields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

// One colour channel of a 16- or 32-bit pixel, found by its mask.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        width_(mask ? std::bit_width(mask >> shift_) : 0) {}

  // The channel widened or narrowed to 8 bits. A narrow channel repeats its
  // bits downwards, so its largest value becomes 255 (5-bit 31 gives 255).
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (width_ == 0) return 0;
    const std::uint32_t value = (pixel & mask_) >> shift_;
    if (width_ >= 8) return static_cast<std::uint8_t>(value >> (width_ - 8));
    std::uint32_t widened = value << (8 - width_);
    for (int filled = width_; filled < 8; filled += width_) widened |= widened >> width_;
    return static_cast<std::uint8_t>(widened);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int width_;
};

}  // namespace

std::optional<Header> read_header(ByteReader& reader) {
  const std::size_t start = reader.position();
  const std::uint32_t size = reader.u32();
  if (!known_header_size(size)) return std::nullopt;
  Header header;
  if (size == core_header_size) {
    header.width = reader.u16();
    header.height = reader.u16();
    reader.u16();  // planes
    header.bits = reader.u16();
    header.palette_entry_size = 3;
    if (header.bits == 16 || header.bits == 32) return std::nullopt;
  } else {
    header.width = reader.i32();
    header.height = reader.i32();
    reader.u16();  // planes
    header.bits = reader.u16();
    header.compression = reader.u32();
    reader.skip(12);  // image size, resolution
    const std::uint32_t colours_used = reader.u32();
    reader.u32();  // important colours
    header.palette_entries = colours_used;
    if (size == os2_header_size && header.compression > rle4) return std::nullopt;
    if (size == info_header_size && header.compression == bitfields) {
      for (int i = 0; i < 3; ++i) header.masks[i] = reader.u32();
    } else if (size != os2_header_size && size > info_header_size) {
      for (int i = 0; i < 3; ++i) header.masks[i] = reader.u32();
      if (size > 52) header.masks[3] = reader.u32();
    }
  }
  const std::size_t header_end = start + size;
  if (reader.position() < header_end) reader.skip(header_end - reader.position());
  if (reader.failed()) return std::nullopt;

  if (!readable(header.bits, header.compression)) return std::nullopt;
  if (header.width <= 0 || header.height == 0) return std::nullopt;
  if (header.height < 0) {
    header.top_down = true;
    header.height = -header.height;
  }
  if (header.bits <= 8 && (header.palette_entries == 0 || size == core_header_size))
    header.palette_entries = std::uint64_t{1} << header.bits;
  if (header.compression == rgb && header.bits == 16) header.masks = {0x7C00, 0x03E0, 0x001F, 0};
  if (header.compression == rgb && header.bits == 32)
    header.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  return header;
}

std::vector<Colour> read_palette(ByteReader& reader, const Header& header, std::size_t available) {
  // No index of an 8-bit pixel reaches past 256 entries.
  const std::uint64_t entries = std::min<std::uint64_t>(
      {header.bits <= 8 ? header.palette_entries : 0, 256,
       std::min(available, reader.remaining()) / header.palette_entry_size});
  std::vector<Colour> palette;
  palette.reserve(entries);
  for (std::uint64_t i = 0; i < entries; ++i) {
    const auto entry = reader.bytes(header.palette_entry_size);
    palette.push_back({entry[2], entry[1], entry[0]});
  }
  return palette;
}

std::optional<Bitmap> decode_uncompressed(const Header& header, const std::vector<Colour>& palette,
                                          Bytes pixels) {
  // The size is checked before the data so that the stride product cannot
  // overflow, and the data before allocating so that a short file claiming a
  // huge picture costs nothing.
  if (!rgba_size(header.width, header.height)) return std::nullopt;
  const std::uint64_t stride = row_stride(header.width, header.bits);
  if (stride * static_cast<std::uint64_t>(header.height) > pixels.size()) return std::nullopt;
  auto bitmap = make_bitmap(header.width, header.height);
  if (!bitmap) return std::nullopt;

  const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]),
      alpha(header.masks[3]);
  const bool has_alpha = header.masks[3] != 0;
  const auto width = static_cast<std::size_t>(header.width);
  for (std::int64_t stored_row = 0; stored_row < header.height; ++stored_row) {
    const auto row = pixels.subspan(static_cast<std::size_t>(stored_row) * stride, stride);
    std::uint8_t* out =
        bitmap->rgba.data() + static_cast<std::size_t>(bitmap_row(header, stored_row)) * width * 4;
    for (std::size_t x = 0; x < width; ++x, out += 4) {
      if (header.bits <= 8) {
        const std::size_t bit = x * static_cast<std::size_t>(header.bits);
        const int shift = 8 - header.bits - static_cast<int>(bit % 8);
        const std::size_t index = (row[bit / 8] >> shift) & ((1u << header.bits) - 1);
        const Colour colour = palette_colour(palette, index);
        out[0] = colour[0];
        out[1] = colour[1];
        out[2] = colour[2];
        out[3] = 255;
      } else if (header.bits == 24) {
        out[0] = row[x * 3 + 2];
        out[1] = row[x * 3 + 1];
        out[2] = row[x * 3];
        out[3] = 255;
      } else {
        const std::size_t bytes = static_cast<std::size_t>(header.bits) / 8;
        std::uint32_t pixel = 0;
        for (std::size_t i = 0; i < bytes; ++i)
          pixel |= std::uint32_t{row[x * bytes + i]} << (8 * i);
        out[0] = red(pixel);
        out[1] = green(pixel);
        out[2] = blue(pixel);
        out[3] = has_alpha ? alpha(pixel) : 255;
      }
    }
  }
  return bitmap;
}

}  // namespace quemira::ui::decode::dib
