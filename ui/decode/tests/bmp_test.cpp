#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/decode/decoders.h"
#include "ui/decode/tests/byte_writer.h"
#include "ui/decode/tests/imagemagick.h"
#include "ui/decode/tests/opaque_pixels.h"

namespace quemira::ui::decode {
namespace {

constexpr std::size_t info_header_at = 14;
constexpr std::size_t width_at = 18, height_at = 22, bits_at = 28, compression_at = 30;

enum Compression : std::uint32_t { rgb = 0, rle8 = 1, rle4 = 2 };

// A BMP with a 40-byte info header whose colours-used field counts the
// palette; the pixels follow the palette unless an offset is given.
std::vector<std::uint8_t> hand_made_bmp(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                        Compression compression, const std::vector<Colour>& palette,
                                        const std::vector<std::uint8_t>& pixels,
                                        std::optional<std::uint32_t> pixel_offset = {}) {
  const auto palette_end = static_cast<std::uint32_t>(14 + 40 + palette.size() * 4);
  ByteWriter file;
  file.u8('B').u8('M').u32(0).u32(0).u32(pixel_offset.value_or(palette_end));
  file.u32(40).u32(width).u32(height).u16(1).u16(bits).u32(compression);
  file.u32(0).u32(0).u32(0).u32(static_cast<std::uint32_t>(palette.size())).u32(0);
  for (const Colour& colour : palette) file.u8(colour[2]).u8(colour[1]).u8(colour[0]).u8(0);
  return file.bytes(pixels).result();
}

class BmpTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pictures_.made()); }

  std::optional<Bitmap> expected(const std::string& name) const {
    return imagemagick::rgba(pictures_.path(name));
  }

  imagemagick::TestPictures pictures_;
};

TEST_F(BmpTest, DecodesEveryDepthAndHeaderAsImageMagickDoes) {
  struct Case {
    std::string name;
    std::vector<std::string> options;
    std::string format;
    // What the fixture must be, so that a change in ImageMagick's writer
    // cannot quietly leave a layout untested.
    std::uint32_t header_size;
    std::uint16_t bits;
    std::uint32_t compression;
  };
  const Case cases[] = {
      {"1bit.bmp", {"-monochrome"}, "BMP", 108, 1, 0},
      {"4bit.bmp", {"-colors", "16", "-compress", "None"}, "BMP", 124, 4, 0},
      {"8bit.bmp", {"-type", "Palette", "-compress", "None"}, "BMP", 124, 8, 0},
      {"rle8.bmp", {"-type", "Palette", "-compress", "RLE"}, "BMP", 124, 8, 1},
      {"565.bmp", {"-define", "bmp:subtype=RGB565"}, "BMP", 124, 16, 3},
      {"555.bmp", {"-define", "bmp:subtype=RGB555"}, "BMP", 124, 16, 3},
      {"24bit.bmp", {"-type", "TrueColor"}, "BMP", 124, 24, 0},
      {"32bit.bmp", {"-alpha", "on"}, "BMP", 124, 32, 3},
      {"info8.bmp", {"-type", "Palette", "-compress", "None"}, "BMP3", 40, 8, 0},
      {"info24.bmp", {"-type", "TrueColor"}, "BMP3", 40, 24, 0},
      {"core4.bmp", {"-colors", "16"}, "BMP2", 12, 4, 0},
      {"core24.bmp", {"-type", "TrueColor"}, "BMP2", 12, 24, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = pictures_.write(c.name, c.options, c.format);
    ASSERT_GT(file.size(), 54u);
    ASSERT_EQ(get_u32(file, info_header_at), c.header_size);
    const std::size_t bits_offset = c.header_size == 12 ? 24 : bits_at;
    ASSERT_EQ(file[bits_offset], c.bits);
    if (c.header_size > 12) {
      ASSERT_EQ(get_u32(file, compression_at), c.compression);
    }
    EXPECT_TRUE(imagemagick::same_pixels(decode_bmp(file), expected(c.name)));
  }
}

// The same pixels stored another way must decode to the same picture.
TEST_F(BmpTest, ReadsEveryInfoHeaderSizeAndRowOrder) {
  const auto with_masks = pictures_.write("565.bmp", {"-define", "bmp:subtype=RGB565"});
  const auto true_colour = pictures_.write("24bit.bmp", {"-type", "TrueColor"});
  const auto with_alpha = pictures_.write("32bit.bmp", {"-alpha", "on"});
  const auto five_five_five = pictures_.write("555.bmp", {"-define", "bmp:subtype=RGB555"});
  constexpr std::size_t v5_header_size = 124;

  // The header cut to `size` bytes; a 40-byte header keeps its three colour
  // masks after itself instead.
  auto with_header_size = [&](std::vector<std::uint8_t> file, std::uint32_t size) {
    const std::size_t pixels = get_u32(file, 10);
    std::vector<std::uint8_t> header(
        file.begin() + info_header_at,
        file.begin() + info_header_at + std::min<std::size_t>(size, v5_header_size));
    if (size == 40 && get_u32(file, compression_at) == 3)
      header.insert(header.end(), file.begin() + 54, file.begin() + 66);
    put_u32(header, 0, size);
    std::vector<std::uint8_t> result(info_header_at + header.size());
    std::copy(file.begin(), file.begin() + info_header_at, result.begin());
    std::copy(header.begin(), header.end(), result.begin() + info_header_at);
    put_u32(result, 10, static_cast<std::uint32_t>(result.size()));
    result.insert(result.end(), file.begin() + static_cast<std::ptrdiff_t>(pixels), file.end());
    return result;
  };
  auto top_down = [](std::vector<std::uint8_t> file) {
    const std::size_t pixels = get_u32(file, 10);
    const std::size_t width = get_u32(file, width_at), height = get_u32(file, height_at);
    const std::size_t stride = (width * file[bits_at] + 31) / 32 * 4;
    for (std::size_t row = 0; row < height / 2; ++row)
      std::swap_ranges(file.begin() + pixels + row * stride,
                       file.begin() + pixels + (row + 1) * stride,
                       file.begin() + pixels + (height - 1 - row) * stride);
    put_u32(file, height_at, static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)));
    return file;
  };
  // Without bit fields, 16-bit pixels are 5-5-5 and 32-bit ones 8-8-8 with
  // a fourth byte that many writers leave zero.
  auto plain = [](std::vector<std::uint8_t> file) {
    put_u32(file, compression_at, 0);
    return file;
  };
  auto unused_fourth_byte = [&](std::vector<std::uint8_t> file) {
    file = plain(file);
    for (std::size_t i = get_u32(file, 10) + 3; i < file.size(); i += 4) file[i] = 0;
    return file;
  };

  struct Case {
    std::string name;
    std::vector<std::uint8_t> file;
    std::string original;
  };
  const Case cases[] = {
      {"40-byte header, masks after it", with_header_size(with_masks, 40), "565.bmp"},
      {"52-byte header", with_header_size(with_masks, 52), "565.bmp"},
      {"56-byte header", with_header_size(with_masks, 56), "565.bmp"},
      {"108-byte header", with_header_size(with_masks, 108), "565.bmp"},
      {"64-byte OS/2 header", with_header_size(true_colour, 64), "24bit.bmp"},
      {"top-down 24-bit", top_down(true_colour), "24bit.bmp"},
      {"top-down 16-bit", top_down(with_masks), "565.bmp"},
      {"16-bit without masks", plain(five_five_five), "555.bmp"},
      {"32-bit, fourth byte zero", unused_fourth_byte(with_alpha), "32bit.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(imagemagick::same_pixels(decode_bmp(c.file), expected(c.original)));
  }
}

TEST(Bmp, PaletteOnlyAsLongAsTheFileHasIt) {
  // Two colours used: indices 2 and 255 are past the palette and show black.
  const auto bmp = hand_made_bmp(4, 1, 8, rgb, {red, green}, {0, 1, 2, 255});
  EXPECT_TRUE(imagemagick::same_pixels(decode_bmp(bmp), opaque(4, 1, {red, green, black, black})));

  // A 4-bit file whose pixel data start after only two of its sixteen
  // entries: the entries the offset cuts off are not read as colours.
  const auto bytes = [&] {
    auto file = hand_made_bmp(3, 1, 4, rgb, {red, green, blue}, {0x01, 0x20, 0, 0});
    put_u32(file, 46, 0);                // colours used: all sixteen
    put_u32(file, 10, 14 + 40 + 2 * 4);  // yet the pixels start after two
    file.erase(file.begin() + 14 + 40 + 2 * 4, file.begin() + 14 + 40 + 3 * 4);
    return file;
  }();
  EXPECT_TRUE(imagemagick::same_pixels(decode_bmp(bytes), opaque(3, 1, {red, green, black})));
}

TEST(Bmp, PixelOffsetInsideTheHeadersMeansPixelsAfterThePalette) {
  for (std::uint32_t offset : {0u, 14u, 53u}) {
    SCOPED_TRACE(offset);
    // Bottom row first.
    const auto bmp =
        hand_made_bmp(2, 2, 1, rgb, {white, blue}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}, offset);
    EXPECT_TRUE(
        imagemagick::same_pixels(decode_bmp(bmp), opaque(2, 2, {blue, white, white, blue})));
  }
}

// Run-length codes from the bottom row up; each case is 4x3 pixels of a
// palette of red, green, blue and white, and unwritten pixels stay black.
TEST(Bmp, RunLengthCodes) {
  struct Case {
    std::string name;
    Compression compression;
    std::vector<std::uint8_t> codes;
    std::vector<Colour> expected;  // top row first
  };
  const Case cases[] = {
      {"runs, end of line, end of bitmap",
       rle8,
       {2, 0, 2, 1, 0, 0, 4, 2, 0, 0, 1, 3, 0, 1},
       {white, black, black, black, blue, blue, blue, blue, red, red, green, green}},
      {"a run past the line end is clipped, not wrapped",
       rle8,
       {9, 1, 0, 0, 1, 3, 0, 1},
       {black, black, black, black, white, black, black, black, green, green, green, green}},
      {"a delta, then an absolute run padded to an even byte count",
       rle8,
       {0, 2, 1, 1, 0, 3, 1, 2, 3, 0, 0, 0, 2, 0, 0, 1},
       {red, red, black, black, black, green, blue, white, black, black, black, black}},
      {"codes that stop without an end code, mid absolute run",
       rle8,
       {0, 6, 3, 2},
       {black, black, black, black, black, black, black, black, white, blue, black, black}},
      {"RLE4 runs alternate two indices; absolute runs pack two a byte",
       rle4,
       {3, 0x12, 0, 0, 0, 3, 0x30, 0x20, 0, 1},
       {black, black, black, black, white, red, blue, black, green, blue, green, black}},
      {"a delta past the last row ends the picture",
       rle8,
       {1, 2, 0, 2, 0, 9, 4, 3},
       {black, black, black, black, black, black, black, black, blue, black, black, black}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bmp = hand_made_bmp(4, 3, c.compression == rle8 ? 8 : 4, c.compression,
                                   {red, green, blue, white}, c.codes);
    EXPECT_TRUE(imagemagick::same_pixels(decode_bmp(bmp), opaque(4, 3, c.expected)));
  }
}

TEST(Bmp, RefusesWhatItCannotReadSafely) {
  const auto whole = hand_made_bmp(2, 2, 24, rgb, {}, std::vector<std::uint8_t>(16));
  ASSERT_TRUE(decode_bmp(whole));
  auto changed = [&](std::size_t offset, std::uint32_t value) {
    auto bytes = whole;
    put_u32(bytes, offset, value);
    return bytes;
  };
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"no file header", std::vector<std::uint8_t>(whole.begin() + 2, whole.end())},
      {"truncated info header", std::vector<std::uint8_t>(whole.begin(), whole.begin() + 30)},
      {"unknown header size", changed(info_header_at, 20)},
      {"zero width", changed(width_at, 0)},
      {"negative width", changed(width_at, static_cast<std::uint32_t>(-2))},
      {"zero height", changed(height_at, 0)},
      {"huge size", changed(width_at, 0x7FFFFFFF)},
      {"huge size of a run-length picture", hand_made_bmp(60000, 60000, 8, rle8, {}, {0, 1})},
      {"pixels one byte short", std::vector<std::uint8_t>(whole.begin(), whole.end() - 1)},
      {"pixel offset past the end", changed(10, 1000)},
      {"2 bits a pixel", hand_made_bmp(4, 2, 2, rgb, {}, std::vector<std::uint8_t>(8))},
      {"RLE8 on 4-bit pixels", hand_made_bmp(4, 2, 4, rle8, {}, {0, 1})},
      {"bit fields on 24-bit pixels", changed(compression_at, 3)},
      {"embedded JPEG", changed(compression_at, 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(decode_bmp(c.bytes));
  }
}

TEST_F(BmpTest, EveryTruncationIsSafe) {
  struct Case {
    std::string name;
    std::vector<std::string> options;
    std::string format;
  };
  const Case uncompressed[] = {
      {"8bit.bmp", {"-type", "Palette", "-compress", "None"}, "BMP"},
      {"24bit.bmp", {"-type", "TrueColor"}, "BMP"},
      {"core4.bmp", {"-colors", "16"}, "BMP2"},
  };
  for (const Case& c : uncompressed) {
    SCOPED_TRACE(c.name);
    const auto file = pictures_.write(c.name, c.options, c.format);
    ASSERT_TRUE(decode_bmp(file));
    // Uncompressed pixels are all there or the file is refused.
    for (std::size_t length = 0; length < file.size(); ++length)
      ASSERT_FALSE(decode_bmp(Bytes(file.data(), length))) << length;
  }
  const auto rle = pictures_.write("rle8.bmp", {"-type", "Palette", "-compress", "RLE"});
  for (std::size_t length = 0; length <= rle.size(); ++length)
    decode_bmp(Bytes(rle.data(), length));
}

}  // namespace
}  // namespace quemira::ui::decode
