#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/animation_timer.h"
#include "ui/decode/bitmap.h"
#include "ui/decode/gif.h"
#include "ui/surface.h"

namespace quemira::ui {

// Plays a GIF into a picture box's surface, frame after frame and loop after
// loop, for as long as it lives. It holds the canvas, one frame and the area
// that frame's disposal may have to put back; the reader fetches the frames
// again from the stored bytes on every loop.
class GifAnimation {
 public:
  // Composes the first frame onto a canvas of the background colour, shows it
  // on the surface and schedules the next; nothing when the first frame
  // cannot be read. frame_shown is told of every later frame.
  static std::unique_ptr<GifAnimation> start(std::unique_ptr<decode::GifReader> reader,
                                             Rgb background, Surface& surface,
                                             std::function<void()> frame_shown);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

 private:
  // A canvas rectangle and the pixels it held before a frame was drawn on it.
  struct SavedArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
  };

  GifAnimation(std::unique_ptr<decode::GifReader> reader, decode::Bitmap canvas, Rgb background,
               Surface& surface, std::function<void()> frame_shown);

  std::optional<decode::GifFrame> next_frame();
  void advance();
  void start_loop();
  void show(const decode::GifFrame& frame);
  void compose(const decode::GifFrame& frame);
  SavedArea save(const decode::GifFrame& frame) const;
  void put_back(const SavedArea& area);

  std::unique_ptr<decode::GifReader> reader_;
  decode::Bitmap canvas_;
  Rgb background_;
  Surface& surface_;
  std::function<void()> frame_shown_;
  std::optional<SavedArea> put_back_next_;
  std::unique_ptr<AnimationTimer> timer_;
};

}  // namespace quemira::ui
