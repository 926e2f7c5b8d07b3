#include "ui/picture_box.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ui/decode/tests/imagemagick.h"
#include "ui/main_window.h"
#include "ui/manual_animation_clock.h"

namespace quemira::ui {
namespace {

namespace im = decode::imagemagick;
using core::ByteData;

Rgb pixel(const Surface& surface, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * surface.width + x) * 3;
  return {surface.rgb[i], surface.rgb[i + 1], surface.rgb[i + 2]};
}

bool only(const Surface& surface, Rgb colour) {
  for (int y = 0; y < surface.height; ++y) {
    for (int x = 0; x < surface.width; ++x) {
      if (pixel(surface, x, y) != colour) return false;
    }
  }
  return true;
}

ByteData bytes(const std::string& text) { return ByteData(text.begin(), text.end()); }

ByteData truncated(ByteData data, std::size_t size) {
  data.resize(size);
  return data;
}

// An image file that ImageMagick writes from raw pixels: RGBA, or RGB for an
// image without alpha.
ByteData image_file(const im::Folder& folder, int width, int height,
                    const std::vector<std::uint8_t>& pixels, const std::string& format) {
  const bool alpha = pixels.size() == static_cast<std::size_t>(width) * height * 4;
  im::write_bytes(folder / "pixels", pixels);
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  EXPECT_TRUE(
      im::convert({"-size", size, "-depth", "8", (alpha ? "rgba:" : "rgb:") + folder / "pixels",
                   format + ":" + folder / "image"}));
  return im::read_bytes(folder / "image");
}

class PictureBoxTest : public testing::Test {
 protected:
  void count_changes(PictureBox& box) {
    box.on_change([this] { ++changes; });
  }

  ManualAnimationClock clock;
  PictureBox cell{cell_inner_width, cell_inner_height, white, true};
  PictureBox target{target_inner_width, target_inner_height, button_face, false};
  im::Folder folder;
  int changes = 0;
};

TEST_F(PictureBoxTest, KeepsExactlyTheBytesSetWhetherOrNotTheyAreAnImage) {
  const ByteData pictures[] = {
      bytes("这不是一张图片\r\n"),
      {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A},  // too short to be anything
      {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},  // a GIF that ends in its header
      truncated(image_file(folder, 8, 8, std::vector<std::uint8_t>(256, 90), "jpg"), 40),
      {},
  };
  count_changes(cell);
  cell.set_picture(image_file(folder, 1, 1, {1, 2, 3, 255}, "png"));
  for (const ByteData& picture : pictures) {
    cell.set_picture(picture);
    EXPECT_EQ(cell.get_picture(), picture);
    EXPECT_TRUE(only(cell.paint(), white));
  }
  EXPECT_EQ(changes, 1 + static_cast<int>(std::size(pictures)));
}

TEST_F(PictureBoxTest, GetPictureGivesIndependentCopies) {
  const ByteData picture = image_file(folder, 2, 2, std::vector<std::uint8_t>(16, 200), "png");
  cell.set_picture(picture);
  ByteData first = cell.get_picture();
  const ByteData second = cell.get_picture();
  EXPECT_EQ(first, second);
  EXPECT_NE(first.data(), second.data());
  first[0] ^= 0xFF;
  first.clear();
  EXPECT_EQ(cell.get_picture(), picture);
}

TEST_F(PictureBoxTest, TranslucentPngIsLaidOverTheBoxBackground) {
  // Opaque red, (100, 10, 250) at alpha 128, fully transparent.
  const ByteData png =
      image_file(folder, 3, 1, {255, 0, 0, 255, 100, 10, 250, 128, 0, 0, 0, 0}, "png32");

  struct Case {
    Rgb background;
    Rgb translucent;
  };
  for (const Case& c : {Case{white, {177, 132, 252}}, Case{button_face, {169, 124, 245}}}) {
    PictureBox actual_size(3, 1, c.background, true);
    actual_size.set_picture(png);
    const Surface& shown = actual_size.paint();
    EXPECT_EQ(pixel(shown, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixel(shown, 1, 0), c.translucent);
    EXPECT_EQ(pixel(shown, 2, 0), c.background);
  }

  cell.set_picture(png);
  target.set_picture(png);
  EXPECT_EQ(pixel(cell.paint(), 0, 127), (Rgb{255, 0, 0}));
  EXPECT_EQ(pixel(cell.paint(), 112, 127), white);
  EXPECT_EQ(pixel(target.paint(), 0, 245), (Rgb{255, 0, 0}));
  EXPECT_EQ(pixel(target.paint(), 229, 245), button_face);
}

TEST_F(PictureBoxTest, EveryStillFormatFillsTheWholeBox) {
  const std::vector<std::uint8_t> rgb = [] {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 32 * 32; ++i) pixels.insert(pixels.end(), {200, 60, 30});
    return pixels;
  }();
  ByteData cursor = image_file(folder, 32, 32, rgb, "ico");
  cursor[2] = 2;  // a cursor is an icon with another type word

  struct Case {
    std::string name;
    ByteData picture;
    int tolerance;
  };
  const Case cases[] = {
      {"bmp", image_file(folder, 32, 32, rgb, "bmp"), 0},
      {"jpeg", image_file(folder, 32, 32, rgb, "jpg"), 4},
      {"png", image_file(folder, 32, 32, rgb, "png"), 0},
      {"icon", image_file(folder, 32, 32, rgb, "ico"), 0},
      {"cursor", cursor, 0},
      {"pcx", image_file(folder, 32, 32, rgb, "pcx"), 0},
  };
  for (const Case& c : cases) {
    for (PictureBox* box : {&cell, &target}) {
      box->set_picture(c.picture);
      const Surface& shown = box->paint();
      const std::pair<int, int> spots[] = {
          {0, 0}, {shown.width - 1, shown.height - 1}, {shown.width / 2, shown.height / 2}};
      for (const auto& [x, y] : spots) {
        const Rgb p = pixel(shown, x, y);
        EXPECT_NEAR(p.red, 200, c.tolerance) << c.name << " at " << x << "," << y;
        EXPECT_NEAR(p.green, 60, c.tolerance) << c.name << " at " << x << "," << y;
        EXPECT_NEAR(p.blue, 30, c.tolerance) << c.name << " at " << x << "," << y;
      }
    }
  }
}

// Two frames, red then blue, with a loop count of one that is not obeyed.
ByteData red_blue_gif(const im::Folder& folder, int delay) {
  // Without +dither ImageMagick spends a second quantising two colours.
  EXPECT_TRUE(im::convert({"-delay", std::to_string(delay), "-loop", "1", "-size", "4x4", "xc:red",
                           "xc:blue", "+dither", "-colors", "2", folder / "anim.gif"}));
  return im::read_bytes(folder / "anim.gif");
}

TEST_F(PictureBoxTest, GifPlaysFromItsFirstPaintForEver) {
  constexpr Rgb red{255, 0, 0};
  constexpr Rgb blue{0, 0, 255};
  struct Case {
    int delay;
    int milliseconds;
  };
  for (const Case& c : {Case{0, 50}, Case{10, 100}}) {
    cell.set_picture(red_blue_gif(folder, c.delay));
    count_changes(cell);
    EXPECT_TRUE(only(cell.paint(), red)) << "delay " << c.delay;
    clock.advance(c.milliseconds - 1);
    EXPECT_EQ(changes, 0) << "delay " << c.delay;
    clock.advance(1);
    EXPECT_TRUE(only(cell.paint(), blue)) << "delay " << c.delay;
    clock.advance(c.milliseconds);
    EXPECT_TRUE(only(cell.paint(), red)) << "delay " << c.delay;
    clock.advance(10 * c.milliseconds);
    EXPECT_EQ(changes, 12) << "delay " << c.delay;
    cell.on_change(nullptr);
    changes = 0;
  }
}

TEST_F(PictureBoxTest, HiddenBoxGoesOnPlaying) {
  target.set_picture(red_blue_gif(folder, 10));
  target.show();
  target.paint();
  target.hide();
  count_changes(target);
  clock.advance(100);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(only(target.paint(), (Rgb{0, 0, 255})));
}

TEST_F(PictureBoxTest, NewPictureStopsTheAnimation) {
  cell.set_picture(red_blue_gif(folder, 10));
  cell.paint();
  count_changes(cell);
  cell.set_picture(bytes("not a picture"));
  clock.advance(1000);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(only(cell.paint(), white));

  auto short_lived = std::make_unique<PictureBox>(10, 10, white, true);
  short_lived->set_picture(red_blue_gif(folder, 10));
  short_lived->paint();
  short_lived.reset();
  clock.advance(1000);
}

}  // namespace
}  // namespace quemira::ui
