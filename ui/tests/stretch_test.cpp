#include "ui/stretch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace quemira::ui {
namespace {

using decode::Bitmap;

Bitmap opaque(int width, int height, const std::vector<Rgb>& pixels) {
  Bitmap image{width, height, {}};
  for (const Rgb& p : pixels) image.rgba.insert(image.rgba.end(), {p.red, p.green, p.blue, 255});
  return image;
}

Surface stretched(const Bitmap& image, int width, int height, Resampling resampling,
                  Rgb background = white) {
  Surface surface{width, height, {}};
  stretch(image, background, resampling, surface);
  return surface;
}

Rgb pixel(const Surface& surface, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * surface.width + x) * 3;
  return {surface.rgb[i], surface.rgb[i + 1], surface.rgb[i + 2]};
}

TEST(Blend, TruncatesTowardsTheBackground) {
  struct Case {
    int value, alpha, background, expected;
  };
  const Case cases[] = {
      {200, 255, 255, 200},  // opaque keeps its colour
      {0, 0, 255, 255},      // transparent takes white
      {0, 0, 240, 240},      // or button face
      {0, 128, 255, 127},    // 127 x 255 / 255
      {100, 128, 240, 169},  // 43280 / 255 = 169.7
      {255, 1, 240, 240},    // 61215 / 255 = 240.05
      {10, 200, 255, 62},    // 16025 / 255 = 62.8
      {255, 254, 0, 254},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(blend(c.value, c.alpha, c.background), c.expected)
        << c.value << " at alpha " << c.alpha << " over " << c.background;
  }
}

TEST(Stretch, BlendsEachPixelBeforeScaling) {
  // Opaque red beside transparent black, squeezed into one pixel over white:
  // blending first averages red with white; scaling first would darken it.
  Bitmap image{2, 1, {255, 0, 0, 255, 0, 0, 0, 0}};
  EXPECT_EQ(pixel(stretched(image, 1, 1, Resampling::smooth), 0, 0), (Rgb{255, 128, 128}));

  // At the image's own size nothing but the blend happens, in either mode.
  Bitmap translucent{1, 1, {100, 10, 250, 128}};
  for (Resampling mode : {Resampling::smooth, Resampling::plain}) {
    EXPECT_EQ(pixel(stretched(translucent, 1, 1, mode, button_face), 0, 0), (Rgb{169, 124, 245}));
  }
}

// A picture of 1000 by 200 fills a cell: left half red, right half blue,
// green 255 in the lower half, so the dividing lines fall mid-cell.
TEST(Stretch, WideImageFillsACell) {
  std::vector<Rgb> pixels;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 1000; ++x) {
      pixels.push_back({static_cast<std::uint8_t>(x < 500 ? 255 : 0),
                        static_cast<std::uint8_t>(y < 100 ? 0 : 255),
                        static_cast<std::uint8_t>(x < 500 ? 0 : 255)});
    }
  }
  const Bitmap image = opaque(1000, 200, pixels);

  struct Spot {
    Resampling mode;
    int x, y;
    Rgb expected;
  };
  const Spot spots[] = {
      {Resampling::smooth, 0, 0, {255, 0, 0}},
      {Resampling::smooth, 112, 127, {0, 255, 255}},
      // Column 56 covers source columns 495.6 to 504.4: half red, half blue.
      {Resampling::smooth, 56, 0, {128, 0, 128}},
      {Resampling::smooth, 55, 63, {255, 0, 0}},
      {Resampling::smooth, 57, 64, {0, 255, 255}},
      // Plain resampling takes source column x * 1000 / 113: 495, then 504.
      {Resampling::plain, 56, 63, {255, 0, 0}},
      {Resampling::plain, 57, 63, {0, 0, 255}},
      {Resampling::plain, 56, 64, {255, 255, 0}},
      {Resampling::plain, 112, 127, {0, 255, 255}},
  };
  for (const Spot& spot : spots) {
    const Surface surface = stretched(image, 113, 128, spot.mode);
    ASSERT_EQ(surface.rgb.size(), 113u * 128u * 3u);
    EXPECT_EQ(pixel(surface, spot.x, spot.y), spot.expected)
        << (spot.mode == Resampling::smooth ? "smooth" : "plain") << " at " << spot.x << ","
        << spot.y;
  }
}

// Grey ramps along one axis, stretched along the same axis, row and column.
TEST(Stretch, SmallRampsInBothAxes) {
  struct Case {
    std::vector<std::uint8_t> source;
    Resampling mode;
    std::vector<std::uint8_t> expected;
  };
  const Case cases[] = {
      // Enlarged: pixel centres 0.25 source pixels apart from the ends.
      {{0, 255}, Resampling::smooth, {0, 64, 191, 255}},
      {{0, 255}, Resampling::plain, {0, 0, 255, 255}},
      // Shrunk: each pixel averages 1.5 source pixels.
      {{0, 90, 255}, Resampling::smooth, {30, 200}},
      {{0, 90, 255}, Resampling::plain, {0, 90}},
  };
  for (const Case& c : cases) {
    std::vector<Rgb> greys;
    for (std::uint8_t v : c.source) greys.push_back({v, v, v});
    const int from = static_cast<int>(c.source.size());
    const int to = static_cast<int>(c.expected.size());
    const Surface row = stretched(opaque(from, 1, greys), to, 1, c.mode);
    const Surface column = stretched(opaque(1, from, greys), 1, to, c.mode);
    for (int i = 0; i < to; ++i) {
      const Rgb expected{c.expected[i], c.expected[i], c.expected[i]};
      EXPECT_EQ(pixel(row, i, 0), expected) << from << " to " << to << ", pixel " << i;
      EXPECT_EQ(pixel(column, 0, i), expected) << from << " to " << to << ", pixel " << i;
    }
  }
}

// The weights of one destination pixel along an axis, by the textbook
// definitions in floating point: the covered area when shrinking, distance
// between pixel centres when enlarging.
std::vector<double> reference_weights(int source, int destination, int d) {
  std::vector<double> weights(source, 0.0);
  const double scale = static_cast<double>(source) / destination;
  if (source == destination) {
    weights[d] = 1.0;
  } else if (destination < source) {
    const double start = d * scale;
    const double end = (d + 1) * scale;
    for (int s = 0; s < source; ++s) {
      const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
      if (overlap > 0) weights[s] = overlap / scale;
    }
  } else {
    const double centre = std::clamp((d + 0.5) * scale - 0.5, 0.0, source - 1.0);
    const int left = static_cast<int>(centre);
    const double right = centre - left;
    weights[left] += 1 - right;
    if (right > 0) weights[left + 1] += right;
  }
  return weights;
}

TEST(Stretch, SmoothMatchesFloatingPointReference) {
  struct Size {
    int width, height, to_width, to_height;
  };
  const Size sizes[] = {
      {1000, 200, 113, 128}, {7, 5, 113, 128},    {300, 40, 113, 128},  {113, 128, 113, 128},
      {1, 1, 230, 246},      {3, 3000, 230, 246}, {640, 480, 230, 246}, {231, 247, 230, 246},
  };
  std::mt19937 random(7);
  for (const Size& size : sizes) {
    Bitmap image{size.width, size.height, {}};
    image.rgba.resize(static_cast<std::size_t>(size.width) * size.height * 4);
    for (auto& byte : image.rgba) byte = static_cast<std::uint8_t>(random());
    const Surface surface =
        stretched(image, size.to_width, size.to_height, Resampling::smooth, button_face);

    int worst = 0;
    for (int y = 0; y < size.to_height; ++y) {
      const auto wy = reference_weights(size.height, size.to_height, y);
      for (int x = 0; x < size.to_width; ++x) {
        const auto wx = reference_weights(size.width, size.to_width, x);
        double sums[3] = {0, 0, 0};
        for (int sy = 0; sy < size.height; ++sy) {
          if (wy[sy] == 0) continue;
          for (int sx = 0; sx < size.width; ++sx) {
            if (wx[sx] == 0) continue;
            const std::uint8_t* p = &image.rgba[(std::size_t{0} + sy * size.width + sx) * 4];
            const Rgb over{blend(p[0], p[3], 240), blend(p[1], p[3], 240), blend(p[2], p[3], 240)};
            sums[0] += wy[sy] * wx[sx] * over.red;
            sums[1] += wy[sy] * wx[sx] * over.green;
            sums[2] += wy[sy] * wx[sx] * over.blue;
          }
        }
        const Rgb ours = pixel(surface, x, y);
        const int got[3] = {ours.red, ours.green, ours.blue};
        for (int c = 0; c < 3; ++c) {
          worst = std::max(worst, static_cast<int>(std::abs(got[c] - std::lround(sums[c]))));
        }
      }
    }
    EXPECT_LE(worst, 1) << size.width << "x" << size.height << " to " << size.to_width << "x"
                        << size.to_height;
  }
}

TEST(Stretch, BitmapWhosePixelsDoNotMatchItsSizeIsNotDrawn) {
  Surface surface{2, 2, std::vector<std::uint8_t>(12, 7)};
  stretch(Bitmap{1000, 1000, std::vector<std::uint8_t>(16, 255)}, white, Resampling::smooth,
          surface);
  EXPECT_EQ(surface.rgb, std::vector<std::uint8_t>(12, 7));
}

}  // namespace
}  // namespace quemira::ui
