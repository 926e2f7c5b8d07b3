#pragma once

#include <cstdint>

#include "ui/decode/bitmap.h"
#include "ui/surface.h"

namespace quemira::ui {

// Smooth resampling averages the source area under each pixel when an axis
// shrinks and interpolates between neighbours when it grows; plain resampling
// drops or repeats whole pixels, which is all a screen of 16 bits a pixel or
// fewer can show without banding anyway.
enum class Resampling { smooth, plain };

// The screen's colour depth decides this once, at start-up; smooth until then.
void set_resampling(Resampling resampling);
Resampling resampling();

// One channel of a straight-alpha pixel laid over the background, truncated
// the way the picture box has always shown translucent pictures.
constexpr std::uint8_t blend(std::uint8_t value, std::uint8_t alpha, std::uint8_t background) {
  return static_cast<std::uint8_t>((alpha * value + (255 - alpha) * background) / 255);
}

// Lays the image over the background and stretches it over the whole surface,
// keeping the surface's width and height and not the image's aspect ratio.
// A bitmap whose pixel buffer does not match its size leaves the surface as
// it was.
void stretch(const decode::Bitmap& image, Rgb background, Resampling resampling, Surface& surface);

}  // namespace quemira::ui
