#pragma once

// The device-independent bitmap that a BMP file wraps in a file header and an
// icon stores once per image: an info header, optional colour masks, a
// palette and rows of pixels, bottom row first unless the height is negative.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/decode/byte_reader.h"
#include "ui/decode/decoders.h"

namespace quemira::ui::decode::dib {

enum Compression : std::uint32_t { rgb = 0, rle8 = 1, rle4 = 2, bitfields = 3 };

struct Header {
  std::int64_t width = 0;
  // Always positive; top_down records the sign it had.
  std::int64_t height = 0;
  bool top_down = false;
  int bits = 0;
  std::uint32_t compression = rgb;
  // Palette entries the file holds; the core header's palette always has
  // 1 << bits entries of 3 bytes, the later headers' ones 4 bytes.
  std::uint64_t palette_entries = 0;
  std::size_t palette_entry_size = 4;
  // Red, green, blue and alpha masks of 16- and 32-bit pixels (alpha 0 when
  // the pixels have none).
  std::array<std::uint32_t, 4> masks{};
};

using Colour = std::array<std::uint8_t, 3>;  // red, green, blue

// Reads the info header at the reader's position and the colour masks that a
// 40-byte header keeps after itself, leaving the reader on the palette.
// Nothing for a header, bit depth or compression this program does not read.
std::optional<Header> read_header(ByteReader& reader);

// The palette at the reader's position, read no further than `available`
// bytes: a palette cut short just has fewer colours.
std::vector<Colour> read_palette(ByteReader& reader, const Header& header, std::size_t available);

// The colour of a palette index; an index past the palette is black.
inline Colour palette_colour(const std::vector<Colour>& palette, std::size_t index) {
  return index < palette.size() ? palette[index] : Colour{0, 0, 0};
}

// Bytes per stored row: rows are padded to four bytes.
inline std::uint64_t row_stride(std::int64_t width, int bits) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
}

// The bitmap row that the file's n-th stored row fills.
inline std::int64_t bitmap_row(const Header& header, std::int64_t stored_row) {
  return header.top_down ? stored_row : header.height - 1 - stored_row;
}

// Decodes uncompressed or bit-field pixels, which must all be present in
// `pixels`. Alpha comes from the alpha mask where there is one, else 255.
std::optional<Bitmap> decode_uncompressed(const Header& header, const std::vector<Colour>& palette,
                                          Bytes pixels);

}  // namespace quemira::ui::decode::dib
