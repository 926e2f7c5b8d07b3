#include "ui/app_icon.h"

#include <algorithm>
#include <cmath>

namespace quemira::ui {

namespace {

struct Colour {
  double r, g, b;
};

// Coverage of a rounded square of half-width `half` and corner `radius`
// centred at (cx, cy), for the pixel centre (x, y): 1 inside, 0 outside,
// a one-pixel soft edge between.
double rounded_square(double x, double y, double cx, double cy, double half, double radius) {
  const double dx = std::max(std::abs(x - cx) - (half - radius), 0.0);
  const double dy = std::max(std::abs(y - cy) - (half - radius), 0.0);
  const double outside = std::hypot(dx, dy) - radius;
  return std::clamp(0.5 - outside, 0.0, 1.0);
}

double disc(double x, double y, double cx, double cy, double radius) {
  return std::clamp(radius + 0.5 - std::hypot(x - cx, y - cy), 0.0, 1.0);
}

Colour mix(Colour under, Colour over, double coverage) {
  return {under.r + (over.r - under.r) * coverage, under.g + (over.g - under.g) * coverage,
          under.b + (over.b - under.b) * coverage};
}

}  // namespace

std::vector<std::uint8_t> app_icon_pixels(int size) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4);
  const double s = size / 32.0;  // drawn on a 32-unit grid
  const Colour white{250, 250, 250}, gold{255, 190, 40}, red{225, 60, 60}, green{40, 170, 90},
      violet{130, 80, 200}, navy{30, 40, 90};
  const double tile_centres[] = {10.5, 21.5};
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      const double x = (px + 0.5) / s, y = (py + 0.5) / s;
      const double body = rounded_square(x, y, 16, 16, 15.5, 5);
      Colour c{40 + 40 * y / 32, 110 + 60 * y / 32, 220};
      for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
          const double cx = tile_centres[column], cy = tile_centres[row];
          const bool picked = row == 1 && column == 1;
          c = mix(c, picked ? gold : white, rounded_square(x, y, cx, cy, 4.8, 1.5));
          const Colour motif = picked ? navy : row == 0 ? (column == 0 ? red : green) : violet;
          const double mark = picked ? disc(x, y, cx, cy, 2.6) - disc(x, y, cx, cy, 1.3)
                                     : disc(x, y, cx, cy, 2.4);
          c = mix(c, motif, std::clamp(mark, 0.0, 1.0));
        }
      }
      std::uint8_t* p = &pixels[(static_cast<std::size_t>(py) * size + px) * 4];
      p[0] = static_cast<std::uint8_t>(c.r);
      p[1] = static_cast<std::uint8_t>(c.g);
      p[2] = static_cast<std::uint8_t>(c.b);
      p[3] = static_cast<std::uint8_t>(std::lround(body * 255));
    }
  }
  return pixels;
}

std::array<const Fl_RGB_Image*, 3>& app_icons() {
  static const std::array<std::vector<std::uint8_t>, 3> pixels = {
      app_icon_pixels(48), app_icon_pixels(32), app_icon_pixels(16)};
  static std::array<const Fl_RGB_Image*, 3> images = {
      new Fl_RGB_Image(pixels[0].data(), 48, 48, 4), new Fl_RGB_Image(pixels[1].data(), 32, 32, 4),
      new Fl_RGB_Image(pixels[2].data(), 16, 16, 4)};
  return images;
}

}  // namespace quemira::ui
