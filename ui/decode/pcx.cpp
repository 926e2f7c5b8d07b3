#include <algorithm>
#include <vector>

#include "ui/decode/byte_reader.h"
#include "ui/decode/decoders.h"

namespace quemira::ui::decode {
namespace {

constexpr std::size_t header_size = 128;
constexpr std::uint8_t manufacturer = 0x0A;
constexpr std::uint8_t newest_version = 5;
constexpr std::uint8_t run_length_encoding = 1;
// A 256-colour image keeps its palette at the very end: a marker byte, then
// 256 red, green, blue triples.
constexpr std::uint8_t palette_marker = 0x0C;
constexpr std::size_t palette_size = 768;

enum class Kind { palette, true_colour, monochrome };

// The run-length coded scan lines, one line (all its planes) at a time. A run
// may go on into the next line, as some writers let it, but never past the
// bytes of the image.
class ScanLines {
 public:
  ScanLines(Bytes encoded, std::size_t line_size) : reader_(encoded), line_(line_size) {}

  // The next line, or nothing when the data end before it does.
  const std::vector<std::uint8_t>* next() {
    for (std::size_t filled = 0; filled < line_.size();) {
      if (run_ == 0) {
        const std::uint8_t code = reader_.u8();
        if ((code & 0xC0) == 0xC0) {
          run_ = code & 0x3F;
          value_ = reader_.u8();
        } else {
          run_ = 1;
          value_ = code;
        }
        if (reader_.failed()) return nullptr;
      }
      const std::size_t count = std::min(run_, line_.size() - filled);
      std::fill_n(line_.begin() + static_cast<std::ptrdiff_t>(filled), count, value_);
      filled += count;
      run_ -= count;
    }
    return &line_;
  }

 private:
  ByteReader reader_;
  std::vector<std::uint8_t> line_;
  std::size_t run_ = 0;
  std::uint8_t value_ = 0;
};

}  // namespace

std::optional<Bitmap> decode_pcx(Bytes data) {
  ByteReader reader(data);
  const std::uint8_t maker = reader.u8();
  const std::uint8_t version = reader.u8();
  const std::uint8_t encoding = reader.u8();
  const std::uint8_t bits = reader.u8();
  const std::int64_t x_min = reader.u16(), y_min = reader.u16();
  const std::int64_t x_max = reader.u16(), y_max = reader.u16();
  reader.skip(4 + 48 + 1);  // resolution, 16-colour palette, reserved
  const std::uint8_t planes = reader.u8();
  const std::size_t bytes_per_line = reader.u16();
  if (reader.failed() || data.size() < header_size || maker != manufacturer ||
      version > newest_version || encoding != run_length_encoding)
    return std::nullopt;

  Kind kind;
  if (bits == 8 && planes == 1)
    kind = Kind::palette;
  else if (bits == 8 && planes == 3)
    kind = Kind::true_colour;
  else if (bits == 1 && planes == 1)
    kind = Kind::monochrome;
  else
    return std::nullopt;

  // The window's corners are both inside it.
  const std::int64_t width = x_max - x_min + 1, height = y_max - y_min + 1;
  if (width <= 0 || height <= 0) return std::nullopt;
  if (static_cast<std::int64_t>(bytes_per_line) * 8 < width * bits) return std::nullopt;
  const std::size_t line_size = bytes_per_line * planes;
  // Padding beyond the width still has to be decoded: bound it like pixels.
  if (line_size > max_decoded_bytes / static_cast<std::size_t>(height)) return std::nullopt;

  Bytes encoded = data.subspan(header_size);
  Bytes palette;
  if (kind == Kind::palette) {
    if (encoded.size() < palette_size + 1) return std::nullopt;
    if (data[data.size() - palette_size - 1] != palette_marker) return std::nullopt;
    palette = data.last(palette_size);
    encoded = encoded.first(encoded.size() - palette_size - 1);
  }
  // A two-byte code yields at most 63 bytes: codes too few for every line
  // are refused before the picture is allocated.
  if (line_size * static_cast<std::size_t>(height) > encoded.size() / 2 * 63 + 1)
    return std::nullopt;
  auto bitmap = make_bitmap(width, height);
  if (!bitmap) return std::nullopt;

  ScanLines lines(encoded, line_size);
  std::uint8_t* out = bitmap->rgba.data();
  for (std::int64_t y = 0; y < height; ++y) {
    const auto* line = lines.next();
    if (!line) return std::nullopt;
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x, out += 4) {
      switch (kind) {
        case Kind::palette:
          std::copy_n(palette.begin() + (*line)[x] * 3, 3, out);
          break;
        case Kind::true_colour:
          for (std::size_t plane = 0; plane < 3; ++plane)
            out[plane] = (*line)[plane * bytes_per_line + x];
          break;
        case Kind::monochrome:
          std::fill_n(out, 3, ((*line)[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0);
          break;
      }
      out[3] = 255;
    }
  }
  return bitmap;
}

}  // namespace quemira::ui::decode
