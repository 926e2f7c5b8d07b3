#include <algorithm>

#include "ui/decode/dib.h"

namespace quemira::ui::decode {
namespace {

constexpr std::uint16_t icon_type = 1;
constexpr std::uint16_t cursor_type = 2;

struct DirectoryEntry {
  std::uint8_t width = 0;
  std::uint8_t colour_count = 0;
  std::uint64_t size = 0;
  std::uint64_t offset = 0;
};

bool preferred(const DirectoryEntry& entry) {
  return entry.width == 32 && entry.colour_count >= 16;
}

// The entry shown: the first 32-pixel-wide image of 16 to 255 colours, else
// the last one listed. Nothing when the directory is empty or cut short.
std::optional<DirectoryEntry> choose_entry(ByteReader& reader, std::uint16_t count) {
  std::optional<DirectoryEntry> first_preferred, last;
  for (std::uint16_t i = 0; i < count; ++i) {
    DirectoryEntry entry;
    entry.width = reader.u8();
    reader.u8();  // height
    entry.colour_count = reader.u8();
    reader.skip(5);  // reserved; planes or hot spot x; bit count or hot spot y
    entry.size = reader.u32();
    entry.offset = reader.u32();
    if (reader.failed()) return std::nullopt;
    if (!first_preferred && preferred(entry)) first_preferred = entry;
    last = entry;
  }
  return first_preferred ? first_preferred : last;
}

bool any_alpha(const Bitmap& bitmap) {
  for (std::size_t i = 3; i < bitmap.rgba.size(); i += 4)
    if (bitmap.rgba[i] != 0) return true;
  return false;
}

bool has_png_signature(Bytes image) {
  static constexpr std::uint8_t signature[] = {0x89, 'P', 'N', 'G'};
  return image.size() >= 4 && std::equal(signature, signature + 4, image.begin());
}

// A DIB entry: the colour image, then a 1-bit mask of the same size whose set
// bits are transparent; the header's height counts both.
std::optional<Bitmap> decode_dib_entry(Bytes image) {
  ByteReader reader(image);
  auto header = dib::read_header(reader);
  if (!header || header->compression == dib::rle8 || header->compression == dib::rle4)
    return std::nullopt;
  header->height /= 2;
  if (header->height == 0) return std::nullopt;
  const auto palette = dib::read_palette(reader, *header, reader.remaining());
  const Bytes colours = image.subspan(reader.position());
  auto bitmap = dib::decode_uncompressed(*header, palette, colours);
  if (!bitmap) return std::nullopt;

  const std::uint64_t colour_bytes =
      dib::row_stride(header->width, header->bits) * static_cast<std::uint64_t>(header->height);
  const std::uint64_t mask_stride = dib::row_stride(header->width, 1);
  const Bytes mask = colours.subspan(colour_bytes);
  if (mask_stride * static_cast<std::uint64_t>(header->height) > mask.size()) return std::nullopt;

  // Images with an alpha channel carry their transparency there, but some
  // writers leave it all zero and rely on the mask alone.
  const bool alpha_in_use = header->masks[3] != 0 && any_alpha(*bitmap);
  if (alpha_in_use) return bitmap;
  const auto width = static_cast<std::size_t>(header->width);
  for (std::int64_t stored_row = 0; stored_row < header->height; ++stored_row) {
    const auto row = mask.subspan(static_cast<std::size_t>(stored_row * mask_stride), mask_stride);
    std::uint8_t* alpha =
        bitmap->rgba.data() +
        static_cast<std::size_t>(dib::bitmap_row(*header, stored_row)) * width * 4 + 3;
    for (std::size_t x = 0; x < width; ++x, alpha += 4)
      *alpha = (row[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
  }
  return bitmap;
}

}  // namespace

std::optional<Bitmap> decode_icon(Bytes data) {
  ByteReader reader(data);
  const std::uint16_t reserved = reader.u16();
  const std::uint16_t type = reader.u16();
  const std::uint16_t count = reader.u16();
  if (reader.failed() || reserved != 0 || (type != icon_type && type != cursor_type))
    return std::nullopt;
  const auto entry = choose_entry(reader, count);
  if (!entry || entry->offset > data.size() || entry->size > data.size() - entry->offset)
    return std::nullopt;
  const Bytes image = data.subspan(entry->offset, entry->size);
  return has_png_signature(image) ? decode_png(image) : decode_dib_entry(image);
}

}  // namespace quemira::ui::decode
