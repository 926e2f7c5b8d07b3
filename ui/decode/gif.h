#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ui/decode/decoders.h"

namespace quemira::ui::decode {

// One GIF image block as it lands on the logical screen: already clipped to
// the screen, pixels in RGBA with alpha 0 where the transparent index stood.
struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  int delay_centiseconds = 0;
  int disposal = 0;
};

// Reads a GIF's frames one at a time, in file order, straight from the stored
// bytes, so a playing animation never holds more than one frame.
class GifReader {
 public:
  // Nothing when the header or logical screen cannot be read or is too large.
  static std::unique_ptr<GifReader> open(Bytes data);
  virtual ~GifReader() = default;

  virtual int screen_width() const = 0;
  virtual int screen_height() const = 0;
  // The next frame, or nothing at the trailer, at a zero byte in place of a
  // block, or at data that cannot be read.
  virtual std::optional<GifFrame> next_frame() = 0;
  // Back to the first frame; graphic control values start afresh.
  virtual bool rewind() = 0;
};

}  // namespace quemira::ui::decode
