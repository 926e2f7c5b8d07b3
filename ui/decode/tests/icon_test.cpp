#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/decode/decoders.h"
#include "ui/decode/tests/byte_writer.h"
#include "ui/decode/tests/imagemagick.h"

namespace quemira::ui::decode {
namespace {

using Rgba = std::array<std::uint8_t, 4>;

constexpr std::size_t type_at = 2;
constexpr std::size_t first_entry_at = 6, entry_size = 16;

struct Entry {
  std::uint8_t width;
  std::uint8_t colour_count;
  std::vector<std::uint8_t> image;
};

// An icon file: the directory, then each entry's image in order.
std::vector<std::uint8_t> icon_file(const std::vector<Entry>& entries) {
  ByteWriter file;
  file.u16(0).u16(1).u16(static_cast<std::uint16_t>(entries.size()));
  auto offset = static_cast<std::uint32_t>(first_entry_at + entry_size * entries.size());
  for (const Entry& entry : entries) {
    const auto size = static_cast<std::uint32_t>(entry.image.size());
    file.u8(entry.width).u8(entry.width).u8(entry.colour_count).u8(0).u16(1).u16(32);
    file.u32(size).u32(offset);
    offset += size;
  }
  for (const Entry& entry : entries) file.bytes(entry.image);
  return file.result();
}

// A one-row 32-bit DIB entry; `mask` is its one row of mask bits.
std::vector<std::uint8_t> dib_row_32(const std::vector<Rgba>& pixels, std::uint8_t mask) {
  ByteWriter dib;
  dib.u32(40).u32(static_cast<std::uint32_t>(pixels.size())).u32(2).u16(1).u16(32).u32(0);
  dib.zeros(20);
  for (const Rgba& pixel : pixels) dib.u8(pixel[2]).u8(pixel[1]).u8(pixel[0]).u8(pixel[3]);
  return dib.u8(mask).zeros(3).result();
}

// A 1x1 opaque 24-bit DIB entry of one colour.
std::vector<std::uint8_t> dib_pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  ByteWriter dib;
  dib.u32(40).u32(1).u32(2).u16(1).u16(24).u32(0).zeros(20);
  return dib.u8(blue).u8(green).u8(red).u8(0).zeros(4).result();
}

Bitmap bitmap(int width, int height, const std::vector<Rgba>& pixels) {
  Bitmap result{width, height, {}};
  for (const Rgba& pixel : pixels)
    result.rgba.insert(result.rgba.end(), pixel.begin(), pixel.end());
  return result;
}

class IconTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pictures_.made()); }

  // An icon of the test picture at several sizes, each reduced to its number
  // of colours.
  std::vector<std::uint8_t> several_sizes(
      const std::string& name, const std::vector<std::pair<std::string, int>>& size_colours) {
    std::vector<std::string> arguments;
    for (const auto& [size, colours] : size_colours)
      arguments.insert(arguments.end(), {"(", pictures_.source(), "-resize", size + "!", "-colors",
                                         std::to_string(colours), ")"});
    arguments.push_back(pictures_.path(name));
    EXPECT_TRUE(imagemagick::convert(arguments));
    return imagemagick::read_bytes(pictures_.path(name));
  }

  imagemagick::TestPictures pictures_;
};

TEST_F(IconTest, ShowsTheEntryTheDirectoryRuleChooses) {
  // 48x48 and 32x32 of 16 colours, 16x16 of 2, 24x24 of 200: the 32x32 one.
  const auto palettes =
      several_sizes("palettes.ico", {{"48x48", 16}, {"32x32", 16}, {"16x16", 2}, {"24x24", 200}});
  ASSERT_EQ(palettes[first_entry_at + entry_size], 32);
  ASSERT_EQ(palettes[first_entry_at + entry_size + 2], 16);
  EXPECT_TRUE(imagemagick::same_pixels(decode_icon(palettes),
                                       imagemagick::rgba(pictures_.path("palettes.ico[1]"))));

  // 32-bit images list no colour count, so the last entry is shown.
  const auto true_colour = pictures_.write("true.ico", {"-define", "icon:auto-resize=48,32,16"});
  EXPECT_TRUE(imagemagick::same_pixels(decode_icon(true_colour),
                                       imagemagick::rgba(pictures_.path("true.ico[2]"))));

  // A cursor is an icon with another type.
  auto cursor = palettes;
  put_u16(cursor, type_at, 2);
  EXPECT_TRUE(imagemagick::same_pixels(decode_icon(cursor),
                                       imagemagick::rgba(pictures_.path("palettes.ico[1]"))));
}

TEST(Icon, ChoiceRule) {
  // Entry i is a single pixel of grey level i, so the grey shows the choice.
  struct Case {
    std::string name;
    std::vector<std::pair<int, int>> width_colours;
    std::uint8_t chosen;
  };
  const Case cases[] = {
      {"first 32-wide entry of 16 colours", {{16, 16}, {32, 16}, {32, 16}}, 1},
      {"255 colours still count", {{32, 255}, {32, 16}}, 0},
      {"too few colours: the last entry", {{32, 15}, {32, 0}, {48, 16}}, 2},
      {"a width of 256 is not 32", {{0, 16}, {16, 2}}, 1},
      {"a single entry", {{16, 2}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Entry> entries;
    for (std::uint8_t i = 0; i < c.width_colours.size(); ++i)
      entries.push_back({static_cast<std::uint8_t>(c.width_colours[i].first),
                         static_cast<std::uint8_t>(c.width_colours[i].second), dib_pixel(i, i, i)});
    EXPECT_TRUE(imagemagick::same_pixels(decode_icon(icon_file(entries)),
                                         bitmap(1, 1, {{c.chosen, c.chosen, c.chosen, 255}})));
  }
}

TEST_F(IconTest, TransparencyFromTheMaskOrTheAlphaChannel) {
  // A 16-colour icon whose mask ImageMagick leaves clear, given a pattern:
  // 37 pixels take 5 bytes a mask row, padded to 8.
  auto masked = pictures_.write("masked.ico", {"-colors", "16"});
  const std::size_t mask_size = 8 * 23;
  ASSERT_EQ(masked[first_entry_at + 6], 4);  // bits a pixel
  for (std::size_t i = 0; i < mask_size; ++i)
    masked[masked.size() - mask_size + i] = i % 8 < 5 ? 0xA5 : 0;
  imagemagick::write_bytes(pictures_.path("masked.ico"), masked);
  EXPECT_TRUE(imagemagick::same_pixels(decode_icon(masked),
                                       imagemagick::rgba(pictures_.path("masked.ico"))));

  // A 32-bit icon of a half-transparent picture keeps its alpha channel.
  ASSERT_FALSE(pictures_
                   .write("alpha.png", {"-alpha", "set", "-channel", "A", "-fx",
                                        "i<18 ? 1 : (j<10 ? 0 : 0.5)", "+channel"})
                   .empty());
  const auto alpha = pictures_.write("alpha.ico", {}, "", pictures_.path("alpha.png"));
  EXPECT_TRUE(
      imagemagick::same_pixels(decode_icon(alpha), imagemagick::rgba(pictures_.path("alpha.ico"))));

  // An alpha channel of zeros means the writer relied on the mask alone.
  const Rgba red{255, 0, 0, 0}, blue{0, 0, 255, 0};
  EXPECT_TRUE(
      imagemagick::same_pixels(decode_icon(icon_file({{2, 0, dib_row_32({red, blue}, 0x80)}})),
                               bitmap(2, 1, {{255, 0, 0, 0}, {0, 0, 255, 255}})));
  // Once any pixel has alpha, the mask no longer counts.
  const Rgba half_red{255, 0, 0, 128};
  EXPECT_TRUE(
      imagemagick::same_pixels(decode_icon(icon_file({{2, 0, dib_row_32({half_red, blue}, 0xC0)}})),
                               bitmap(2, 1, {half_red, blue})));
}

TEST_F(IconTest, PngEntryShowsAtItsOwnSize) {
  // The directory says 16x16; the PNG inside is 37x23 and wins.
  const auto png = pictures_.write("entry.png", {"-depth", "8"});
  EXPECT_TRUE(imagemagick::same_pixels(decode_icon(icon_file({{16, 0, png}})),
                                       imagemagick::rgba(pictures_.path("entry.png"))));
}

TEST(Icon, RefusesWhatItCannotReadSafely) {
  const auto valid = icon_file({{1, 0, dib_pixel(1, 2, 3)}});
  ASSERT_TRUE(decode_icon(valid));
  auto changed16 = [&](std::size_t offset, std::uint16_t value) {
    auto bytes = valid;
    put_u16(bytes, offset, value);
    return bytes;
  };
  auto changed32 = [&](std::size_t offset, std::uint32_t value) {
    auto bytes = valid;
    put_u32(bytes, offset, value);
    return bytes;
  };
  constexpr std::size_t size_at = first_entry_at + 8, offset_at = first_entry_at + 12;
  const std::size_t image_at = first_entry_at + entry_size;
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"no entries", changed16(4, 0)},
      {"directory cut short", changed16(4, 2)},
      {"reserved field set", changed16(0, 1)},
      {"neither icon nor cursor", changed16(type_at, 3)},
      {"entry past the end", changed32(offset_at, static_cast<std::uint32_t>(valid.size()))},
      {"entry one byte too long",
       changed32(size_at, static_cast<std::uint32_t>(valid.size() - image_at + 1))},
      {"offset and size wrap around",
       [&] {
         auto bytes = changed32(offset_at, 0xFFFFFFF0);
         put_u32(bytes, size_at, 0x20);
         return bytes;
       }()},
      {"mask missing", std::vector<std::uint8_t>(valid.begin(), valid.end() - 1)},
      {"image of no rows", changed32(image_at + 8, 1)},
      {"PNG signature on other bytes", icon_file({{1, 0, {0x89, 'P', 'N', 'G', 0, 0, 0, 0}}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(decode_icon(c.bytes));
  }
}

TEST_F(IconTest, EveryTruncationIsSafe) {
  const auto palettes = several_sizes("palettes.ico", {{"32x32", 16}, {"7x5", 2}});
  ASSERT_EQ(palettes[first_entry_at + 2], 16);
  // The chosen first entry is all there or nothing is shown.
  const std::size_t chosen_end =
      get_u32(palettes, first_entry_at + 12) + get_u32(palettes, first_entry_at + 8);
  for (std::size_t length = 0; length < palettes.size(); ++length)
    ASSERT_EQ(decode_icon(Bytes(palettes.data(), length)).has_value(), length >= chosen_end)
        << length;

  // A PNG entry cut short, its size cut with it.
  const auto png = imagemagick::read_bytes(pictures_.source());
  for (std::size_t length = 0; length < png.size(); ++length)
    decode_icon(icon_file({{0, 0, {png.begin(), png.begin() + length}}}));
}

}  // namespace
}  // namespace quemira::ui::decode
