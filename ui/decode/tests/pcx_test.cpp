#include <gtest/gtest.h>

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

constexpr std::size_t bits_at = 3, planes_at = 65;

struct Window {
  std::uint16_t x_min, y_min, x_max, y_max;
};

// A run-length encoded PCX; a 256-colour palette, when given, follows the
// codes behind its marker byte.
std::vector<std::uint8_t> hand_made_pcx(std::uint8_t bits, std::uint8_t planes, Window window,
                                        std::uint16_t bytes_per_line,
                                        const std::vector<std::uint8_t>& codes,
                                        const std::vector<Colour>& palette = {}) {
  ByteWriter file;
  file.u8(0x0A).u8(5).u8(1).u8(bits);
  file.u16(window.x_min).u16(window.y_min).u16(window.x_max).u16(window.y_max);
  file.zeros(4 + 48 + 1).u8(planes).u16(bytes_per_line).zeros(60);
  file.bytes(codes);
  if (!palette.empty()) {
    file.u8(0x0C);
    for (std::size_t i = 0; i < 256; ++i) {
      const Colour colour = i < palette.size() ? palette[i] : Colour{};
      file.u8(colour[0]).u8(colour[1]).u8(colour[2]);
    }
  }
  return file.result();
}

class PcxTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pictures_.made()); }

  imagemagick::TestPictures pictures_;
};

TEST_F(PcxTest, DecodesPaletteAndTrueColourAsImageMagickDoes) {
  struct Case {
    std::string name;
    std::vector<std::string> options;
    std::uint8_t planes;
  };
  const Case cases[] = {
      {"palette.pcx", {"-type", "Palette"}, 1},
      {"true.pcx", {"-type", "TrueColor"}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = pictures_.write(c.name, c.options);
    ASSERT_GT(file.size(), 128u);
    ASSERT_EQ(file[bits_at], 8);
    ASSERT_EQ(file[planes_at], c.planes);
    EXPECT_TRUE(
        imagemagick::same_pixels(decode_pcx(file), imagemagick::rgba(pictures_.path(c.name))));
  }
}

TEST_F(PcxTest, MonochromeSetBitsAreWhite) {
  // ImageMagick writes a 1-bit PCX only from a two-colour picture.
  pictures_.write("mono.bmp", {"-monochrome"});
  const auto file = pictures_.write("mono.pcx", {}, "", pictures_.path("mono.bmp"));
  ASSERT_EQ(file[bits_at], 1);
  ASSERT_EQ(file[planes_at], 1);
  // NOTE: ImageMagick 6 writes and reads 1-bit PCX with set bits black, the
  // reverse of the format's monochrome convention that other readers keep,
  // so our picture is the negative of its reading.
  auto negative = imagemagick::rgba(pictures_.path("mono.pcx"));
  ASSERT_TRUE(negative);
  for (std::size_t i = 0; i < negative->rgba.size(); ++i)
    if (i % 4 != 3) negative->rgba[i] = 255 - negative->rgba[i];
  EXPECT_TRUE(imagemagick::same_pixels(decode_pcx(file), negative));

  // Ten pixels from two bytes a line, the second byte's low bits unused.
  EXPECT_TRUE(imagemagick::same_pixels(
      decode_pcx(hand_made_pcx(1, 1, {0, 0, 9, 0}, 2, {0xB0, 0x40})),
      opaque(10, 1, {white, black, white, white, black, black, black, black, black, white})));
}

TEST(Pcx, ScanLines) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> file;
    Bitmap expected;
  };
  const Case cases[] = {
      {"one run fills both lines of all three planes",
       hand_made_pcx(8, 3, {0, 0, 2, 1}, 4, {0xC0 | 24, 128}),
       opaque(3, 2, {grey, grey, grey, grey, grey, grey})},
      {"a run past the last line is cut there",
       hand_made_pcx(8, 3, {0, 0, 2, 1}, 4, {0xC0 | 63, 128}),
       opaque(3, 2, {grey, grey, grey, grey, grey, grey})},
      {"planes hold red, green and blue; padding is not shown",
       hand_made_pcx(8, 3, {0, 0, 1, 0}, 4,
                     {0xC1, 255, 0, 0xC1, 0xC7, 0,  // red; bytes of 0xC0 up only as runs
                      0, 0, 0xC1, 255, 0,           // green
                      0, 0xC1, 255, 0, 0}),         // blue
       opaque(2, 1, {red, blue})},
      {"the window need not start at zero; literal bytes of 0xC0 and above come as runs",
       hand_made_pcx(8, 1, {2, 7, 4, 8}, 4, {0, 1, 0xC1, 0xC8, 9, 0xC4, 2}, {red, green, blue}),
       opaque(3, 2, {red, green, black, blue, blue, blue})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(imagemagick::same_pixels(decode_pcx(c.file), c.expected));
  }
}

TEST(Pcx, RefusesWhatItCannotReadSafely) {
  const std::vector<std::uint8_t> one_grey_pixel = {0xC3, 128};
  const auto valid = hand_made_pcx(8, 3, {0, 0, 0, 0}, 1, one_grey_pixel);
  ASSERT_TRUE(decode_pcx(valid));
  auto changed = [&](std::size_t offset, std::uint8_t value) {
    auto bytes = valid;
    bytes[offset] = value;
    return bytes;
  };
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"header cut short", std::vector<std::uint8_t>(valid.begin(), valid.begin() + 100)},
      {"not made by the format's maker", changed(0, 0x0B)},
      {"version after 5", changed(1, 6)},
      {"not run-length encoded", changed(2, 0)},
      {"4 planes", changed(planes_at, 4)},
      {"4 bits a pixel", hand_made_pcx(4, 1, {0, 0, 0, 0}, 1, {0})},
      {"right edge before the left", hand_made_pcx(8, 3, {5, 0, 4, 0}, 1, one_grey_pixel)},
      {"bottom edge above the top", hand_made_pcx(8, 3, {0, 5, 0, 4}, 1, one_grey_pixel)},
      {"lines too short for the width", hand_made_pcx(1, 1, {0, 0, 16, 0}, 2, {0, 0, 0})},
      {"codes end before the last line", hand_made_pcx(8, 3, {0, 0, 0, 1}, 1, {0xC3, 128, 1, 2})},
      {"far too few codes for the picture",
       hand_made_pcx(8, 3, {0, 0, 999, 999}, 1000, one_grey_pixel)},
      {"256-colour palette without its marker",
       [] {
         auto bytes = hand_made_pcx(8, 1, {0, 0, 0, 0}, 1, {0}, {red});
         bytes[bytes.size() - 769] = 0;
         return bytes;
       }()},
      {"no room for a 256-colour palette", hand_made_pcx(8, 1, {0, 0, 0, 0}, 1, {0})},
      {"scan lines too long for the pixel cap",
       hand_made_pcx(8, 3, {0, 0, 0, 65534}, 65535, one_grey_pixel)},
      {"picture too large", hand_made_pcx(8, 3, {0, 0, 65534, 1099}, 65535, one_grey_pixel)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(decode_pcx(c.bytes));
  }
}

TEST_F(PcxTest, EveryTruncationIsSafe) {
  for (const std::string name : {"palette.pcx", "true.pcx"}) {
    SCOPED_TRACE(name);
    const auto file =
        pictures_.write(name, {"-type", name == "true.pcx" ? "TrueColor" : "Palette"});
    ASSERT_TRUE(decode_pcx(file));
    for (std::size_t length = 0; length < file.size(); ++length)
      decode_pcx(Bytes(file.data(), length));
  }
}

}  // namespace
}  // namespace quemira::ui::decode
