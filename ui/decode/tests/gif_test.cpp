#include "ui/decode/gif.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <sstream>

#include "ui/decode/tests/byte_writer.h"
#include "ui/decode/tests/imagemagick.h"

namespace quemira::ui::decode {
namespace {

namespace im = imagemagick;

std::vector<GifFrame> all_frames(GifReader& reader) {
  std::vector<GifFrame> frames;
  while (auto frame = reader.next_frame()) frames.push_back(std::move(*frame));
  return frames;
}

Bitmap as_bitmap(const GifFrame& frame) { return {frame.width, frame.height, frame.rgba}; }

// What ImageMagick knows of one frame, its pixels with the colour of fully
// transparent ones cleared, since only their alpha means anything.
struct ExpectedFrame {
  int left = 0, top = 0, delay = 0, disposal = 0;
  std::optional<Bitmap> pixels;
};

std::vector<ExpectedFrame> imagemagick_frames(const std::string& path) {
  const std::map<std::string, int> disposals = {
      {"Undefined", 0}, {"None", 1}, {"Background", 2}, {"Previous", 3}};
  std::vector<ExpectedFrame> frames;
  std::istringstream lines(im::run("identify", {"-format", "%X %Y %T %D\n", path}).value_or(""));
  std::string disposal;
  for (ExpectedFrame frame; lines >> frame.left >> frame.top >> frame.delay >> disposal;) {
    frame.disposal = disposals.at(disposal);
    frame.pixels = im::rgba(path + "[" + std::to_string(frames.size()) + "]");
    if (frame.pixels) {
      for (std::size_t i = 0; i < frame.pixels->rgba.size(); i += 4) {
        if (frame.pixels->rgba[i + 3] == 0) std::fill_n(frame.pixels->rgba.begin() + i, 3, 0);
      }
    }
    frames.push_back(frame);
  }
  return frames;
}

void expect_frames_match_imagemagick(const std::string& path) {
  const auto bytes = im::read_bytes(path);
  const auto reader = GifReader::open(bytes);
  ASSERT_TRUE(reader);
  const auto frames = all_frames(*reader);
  const auto expected = imagemagick_frames(path);
  ASSERT_EQ(frames.size(), expected.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(frames[i].left, expected[i].left);
    EXPECT_EQ(frames[i].top, expected[i].top);
    EXPECT_EQ(frames[i].delay_centiseconds, expected[i].delay);
    EXPECT_EQ(frames[i].disposal, expected[i].disposal);
    EXPECT_TRUE(im::same_pixels(as_bitmap(frames[i]), expected[i].pixels));
  }
}

TEST(GifReader, AnimationMatchesImageMagickFrameByFrame) {
  im::Folder folder;
  const std::string path = folder / "animation.gif";
  // A full opaque frame, then one with two transparent pixels whose area
  // goes back to the background, then one that restores what it covered.
  ASSERT_TRUE(im::convert({"-dispose", "None",
                           "-delay",   "20",
                           "-size",    "40x30",
                           "xc:blue",  //
                           "-dispose", "Background",
                           "-delay",   "7",
                           "-page",    "+5+4",  //
                           "(",        "-size",
                           "10x8",     "xc:red",
                           "-alpha",   "set",
                           "-fill",    "none",  //
                           "-draw",    "color 1,1 point",
                           "-draw",    "color 2,1 point",
                           ")",  //
                           "-dispose", "Previous",
                           "-delay",   "0",
                           "-page",    "+20+10",  //
                           "(",        "-size",
                           "6x6",      "xc:none",
                           "-fill",    "yellow",
                           "-draw",    "rectangle 0,0 2,5",
                           ")",        "-loop",
                           "0",        path}));
  expect_frames_match_imagemagick(path);
}

TEST(GifReader, InterlacedAndGif87aMatchImageMagick) {
  im::Folder folder;
  ASSERT_TRUE(im::make_test_picture(folder / "source.png"));
  const std::vector<std::vector<std::string>> variants = {
      {"-interlace", "GIF", "GIF:" + folder / "interlaced.gif"},
      {"GIF87:" + folder / "old.gif"},
  };
  for (const auto& options : variants) {
    std::vector<std::string> arguments{folder / "source.png"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    ASSERT_TRUE(im::convert(arguments));
    const std::string path = options.back().substr(options.back().find(':') + 1);
    SCOPED_TRACE(path);
    expect_frames_match_imagemagick(path);
  }
}

using Colour = std::array<std::uint8_t, 3>;
constexpr Colour red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255},
    yellow{255, 255, 0}, cyan{0, 255, 255};

// GIF files written block by block. Image data uses a code size of 2, so
// pixel values run from 0 to 3, and a clear code before every pair of
// pixels keeps every code a plain pixel value three bits wide.
class HandMadeGif {
 public:
  HandMadeGif(int width, int height, const std::vector<Colour>& global_colours = {}) {
    for (char c : std::string("GIF89a")) file_.u8(c);
    file_.u16(width).u16(height);
    file_.u8(global_colours.empty() ? 0x00 : 0xF0 | size_bits(global_colours)).u8(0).u8(0);
    colours(global_colours);
  }

  HandMadeGif& control(int delay, int disposal, int transparent = -1) {
    file_.u8(0x21).u8(0xF9).u8(4).u8(disposal << 2 | (transparent >= 0 ? 1 : 0));
    file_.u16(delay).u8(transparent >= 0 ? transparent : 0).u8(0);
    return *this;
  }

  HandMadeGif& extension(std::uint8_t label, const std::string& data) {
    file_.u8(0x21).u8(label).u8(static_cast<std::uint8_t>(data.size()));
    for (char c : data) file_.u8(c);
    file_.u8(0);
    return *this;
  }

  HandMadeGif& image(int left, int top, int width, int height,
                     const std::vector<std::uint8_t>& pixels,
                     const std::vector<Colour>& local_colours = {}) {
    file_.u8(0x2C).u16(left).u16(top).u16(width).u16(height);
    file_.u8(local_colours.empty() ? 0x00 : 0x80 | size_bits(local_colours));
    colours(local_colours);
    file_.u8(2);
    std::vector<std::uint8_t> codes;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      if (i % 2 == 0) codes.push_back(4);  // clear
      codes.push_back(pixels[i]);
    }
    codes.push_back(5);  // end of information
    std::vector<std::uint8_t> packed((codes.size() * 3 + 7) / 8);
    for (std::size_t i = 0; i < codes.size(); ++i) {
      for (int bit = 0; bit < 3; ++bit) {
        const std::size_t at = i * 3 + bit;
        if ((codes[i] >> bit) & 1) packed[at / 8] |= 1 << (at % 8);
      }
    }
    for (std::size_t i = 0; i < packed.size(); i += 255) {
      const std::size_t count = std::min<std::size_t>(255, packed.size() - i);
      file_.u8(static_cast<std::uint8_t>(count));
      file_.bytes(std::vector<std::uint8_t>(packed.begin() + i, packed.begin() + i + count));
    }
    file_.u8(0);
    return *this;
  }

  HandMadeGif& byte(std::uint8_t value) {
    file_.u8(value);
    return *this;
  }
  std::vector<std::uint8_t> trailer() { return byte(0x3B).bytes(); }
  std::vector<std::uint8_t> bytes() const { return file_.result(); }

 private:
  // Colour tables hold 2 to the power (bits + 1) entries.
  static std::uint8_t size_bits(const std::vector<Colour>& table) {
    std::uint8_t bits = 0;
    while ((2u << bits) < table.size()) ++bits;
    return bits;
  }
  void colours(const std::vector<Colour>& table) {
    for (const Colour& colour : table) file_.u8(colour[0]).u8(colour[1]).u8(colour[2]);
  }

  ByteWriter file_;
};

std::vector<std::uint8_t> rgba(std::initializer_list<std::array<std::uint8_t, 4>> pixels) {
  std::vector<std::uint8_t> bytes;
  for (const auto& pixel : pixels) bytes.insert(bytes.end(), pixel.begin(), pixel.end());
  return bytes;
}

constexpr std::array<std::uint8_t, 4> clear{0, 0, 0, 0};
std::array<std::uint8_t, 4> opaque(Colour colour) { return {colour[0], colour[1], colour[2], 255}; }

struct Placed {
  int left, top, width, height, delay, disposal;
  std::vector<std::uint8_t> rgba;
};

void expect_frame(const std::optional<GifFrame>& frame, const Placed& expected) {
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->left, expected.left);
  EXPECT_EQ(frame->top, expected.top);
  EXPECT_EQ(frame->width, expected.width);
  EXPECT_EQ(frame->height, expected.height);
  EXPECT_EQ(frame->delay_centiseconds, expected.delay);
  EXPECT_EQ(frame->disposal, expected.disposal);
  EXPECT_EQ(frame->rgba, expected.rgba);
}

// One file through every rule of reading frames: graphic control values
// hold until the next extension, other extensions are passed over, frames
// are clipped to the screen, and a rewind starts again from nothing.
TEST(GifReader, ReadsFramesByTheRules) {
  const auto bytes = HandMadeGif(4, 3, {red, green, blue, white})
                         .extension(0xFF, "NETSCAPE2.0")
                         .image(0, 0, 2, 1, {0, 3})
                         .control(10, 2, 3)
                         .image(1, 1, 2, 2, {0, 3, 1, 2})
                         .extension(0xFE, "a comment")
                         .image(3, 2, 2, 2, {3, 1, 0, 0})  // only its first pixel shows
                         .extension(0x01, "plain text, not drawn")
                         .control(0, 1)
                         .image(4, 0, 1, 1, {1})                     // wholly off the screen
                         .image(0, 2, 2, 1, {1, 3}, {yellow, cyan})  // 3 lies past its map
                         .trailer();
  const auto reader = GifReader::open(bytes);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->screen_width(), 4);
  EXPECT_EQ(reader->screen_height(), 3);

  const Placed first{0, 0, 2, 1, 0, 0, rgba({opaque(red), opaque(white)})};
  expect_frame(reader->next_frame(), first);
  expect_frame(reader->next_frame(),
               {1, 1, 2, 2, 10, 2, rgba({opaque(red), clear, opaque(green), opaque(blue)})});
  expect_frame(reader->next_frame(), {3, 2, 1, 1, 10, 2, rgba({clear})});
  expect_frame(reader->next_frame(), {0, 0, 0, 0, 0, 1, {}});
  expect_frame(reader->next_frame(), {0, 2, 2, 1, 0, 1, rgba({opaque(cyan), opaque({0, 0, 0})})});
  EXPECT_FALSE(reader->next_frame());
  EXPECT_FALSE(reader->next_frame());

  ASSERT_TRUE(reader->rewind());
  expect_frame(reader->next_frame(), first);
  EXPECT_EQ(all_frames(*reader).size(), 4u);
}

TEST(GifReader, StopsWhereTheFramesCannotGoOn) {
  const auto one_frame = [] {
    return HandMadeGif(2, 2, {red, green}).control(5, 1).image(0, 0, 1, 1, {1});
  };
  auto cut = one_frame().image(0, 0, 2, 2, {0, 1, 0, 1}).bytes();
  cut.resize(cut.size() - 3);
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"a zero byte in place of a block", one_frame().byte(0).image(0, 0, 1, 1, {0}).trailer()},
      {"a frame with neither colour map",
       HandMadeGif(2, 2).image(0, 0, 1, 1, {1}, {red, green}).image(0, 0, 1, 1, {1}).trailer()},
      {"a frame cut short", cut},
      {"the data ends after a frame", one_frame().bytes()},
      {"a frame too big to hold", one_frame().image(0, 0, 65535, 65535, {}).trailer()},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    const auto reader = GifReader::open(bytes);
    ASSERT_TRUE(reader);
    EXPECT_EQ(all_frames(*reader).size(), 1u);
    EXPECT_FALSE(reader->next_frame());
    ASSERT_TRUE(reader->rewind());
    EXPECT_EQ(all_frames(*reader).size(), 1u);
  }
}

TEST(GifReader, RefusesScreensItCannotHold) {
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"empty", {}},
      {"header alone", {'G', 'I', 'F', '8', '9', 'a'}},
      {"no width", HandMadeGif(0, 5, {red, green}).trailer()},
      {"past the pixel cap", HandMadeGif(65535, 65535, {red, green}).trailer()},
  };
  for (const auto& [what, bytes] : cases) EXPECT_FALSE(GifReader::open(bytes)) << what;
}

// Damage anywhere ends the frames early or changes pixels, but every frame
// handed out still lies on the screen with a buffer of its size.
TEST(GifReader, SurvivesEveryCutAndEveryFlippedByte) {
  const auto bytes = HandMadeGif(4, 3, {red, green, blue, white})
                         .control(10, 2, 3)
                         .image(1, 1, 3, 2, {0, 3, 1, 2, 2, 1})
                         .extension(0xFE, "note")
                         .image(0, 0, 4, 3, {0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 1, 1}, {cyan, yellow})
                         .trailer();
  const auto check = [](Bytes data) {
    const auto reader = GifReader::open(data);
    if (!reader) return;
    for (int pass = 0; pass < 2; ++pass) {
      for (const auto& frame : all_frames(*reader)) {
        EXPECT_LE(frame.left + frame.width, reader->screen_width());
        EXPECT_LE(frame.top + frame.height, reader->screen_height());
        EXPECT_EQ(frame.rgba.size(), std::size_t{4} * frame.width * frame.height);
      }
      if (!reader->rewind()) return;
    }
  };
  for (std::size_t size = 0; size <= bytes.size(); ++size) check(Bytes(bytes).first(size));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto damaged = bytes;
    damaged[i] ^= 0xFF;
    check(damaged);
  }
}

}  // namespace
}  // namespace quemira::ui::decode
