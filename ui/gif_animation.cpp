#include "ui/gif_animation.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

#include "ui/stretch.h"

namespace quemira::ui {

namespace {

// A frame without a delay still stays long enough to be seen.
constexpr int zero_delay_milliseconds = 50;

int delay_milliseconds(const decode::GifFrame& frame) {
  return frame.delay_centiseconds > 0 ? frame.delay_centiseconds * 10 : zero_delay_milliseconds;
}

bool disposal_puts_back(const decode::GifFrame& frame) {
  return frame.disposal == 2 || frame.disposal == 3;
}

// The reader clips frames to the logical screen; a frame that still reaches
// outside the canvas, or whose pixels do not match its size, would make us
// write out of bounds, so it ends the frames like unreadable data does.
bool fits(const decode::GifFrame& frame, const decode::Bitmap& canvas) {
  return frame.left >= 0 && frame.top >= 0 && frame.width >= 0 && frame.height >= 0 &&
         frame.width <= canvas.width - frame.left && frame.height <= canvas.height - frame.top &&
         frame.rgba.size() == static_cast<std::size_t>(frame.width) * frame.height * 4;
}

void fill(decode::Bitmap& canvas, Rgb colour) {
  for (std::size_t i = 0; i < canvas.rgba.size(); i += 4) {
    canvas.rgba[i] = colour.red;
    canvas.rgba[i + 1] = colour.green;
    canvas.rgba[i + 2] = colour.blue;
    canvas.rgba[i + 3] = 255;
  }
}

std::size_t canvas_offset(const decode::Bitmap& canvas, int left, int top) {
  return (static_cast<std::size_t>(top) * canvas.width + left) * 4;
}

}  // namespace

std::unique_ptr<GifAnimation> GifAnimation::start(std::unique_ptr<decode::GifReader> reader,
                                                  Rgb background, Surface& surface,
                                                  std::function<void()> frame_shown) {
  if (!reader) return nullptr;
  auto canvas = decode::make_bitmap(reader->screen_width(), reader->screen_height());
  if (!canvas) return nullptr;
  std::unique_ptr<GifAnimation> animation(new GifAnimation(
      std::move(reader), std::move(*canvas), background, surface, std::move(frame_shown)));
  animation->start_loop();
  const auto first = animation->next_frame();
  if (!first) return nullptr;
  animation->show(*first);
  return animation;
}

GifAnimation::GifAnimation(std::unique_ptr<decode::GifReader> reader, decode::Bitmap canvas,
                           Rgb background, Surface& surface, std::function<void()> frame_shown)
    : reader_(std::move(reader)),
      canvas_(std::move(canvas)),
      background_(background),
      surface_(surface),
      frame_shown_(std::move(frame_shown)),
      timer_(make_animation_timer()) {}

GifAnimation::~GifAnimation() { timer_->cancel(); }

std::optional<decode::GifFrame> GifAnimation::next_frame() {
  auto frame = reader_->next_frame();
  if (frame && !fits(*frame, canvas_)) return std::nullopt;
  return frame;
}

// After the last frame the animation starts over, whatever loop count the
// file asks for. A frame that cannot be read, or had, ends the animation on
// the frame shown last.
void GifAnimation::advance() {
  try {
    auto frame = next_frame();
    if (!frame) {
      if (!reader_->rewind()) return;
      start_loop();
      frame = next_frame();
      if (!frame) return;
    }
    show(*frame);
  } catch (const std::bad_alloc&) {
    return;
  }
  frame_shown_();
}

void GifAnimation::start_loop() {
  fill(canvas_, background_);
  put_back_next_.reset();
}

void GifAnimation::show(const decode::GifFrame& frame) {
  compose(frame);
  stretch(canvas_, background_, resampling(), surface_);
  timer_->start(delay_milliseconds(frame), [this] { advance(); });
}

// NOTE: disposal 2 (restore to background) plays like 3 (restore to
// previous): both put back what the frame covered. The game's animations have
// always looked this way, so keep it.
void GifAnimation::compose(const decode::GifFrame& frame) {
  if (put_back_next_) put_back(*put_back_next_);
  put_back_next_.reset();
  if (disposal_puts_back(frame)) put_back_next_ = save(frame);

  for (int y = 0; y < frame.height; ++y) {
    const std::uint8_t* from = frame.rgba.data() + static_cast<std::size_t>(y) * frame.width * 4;
    std::uint8_t* to = canvas_.rgba.data() + canvas_offset(canvas_, frame.left, frame.top + y);
    for (int x = 0; x < frame.width; ++x, from += 4, to += 4) {
      if (from[3] == 0) continue;
      std::copy(from, from + 3, to);
    }
  }
}

GifAnimation::SavedArea GifAnimation::save(const decode::GifFrame& frame) const {
  SavedArea area{frame.left, frame.top, frame.width, frame.height, {}};
  const std::size_t row_bytes = static_cast<std::size_t>(frame.width) * 4;
  area.rgba.reserve(row_bytes * frame.height);
  for (int y = 0; y < frame.height; ++y) {
    const auto row = canvas_.rgba.begin() + canvas_offset(canvas_, frame.left, frame.top + y);
    area.rgba.insert(area.rgba.end(), row, row + row_bytes);
  }
  return area;
}

void GifAnimation::put_back(const SavedArea& area) {
  const std::size_t row_bytes = static_cast<std::size_t>(area.width) * 4;
  for (int y = 0; y < area.height; ++y) {
    const auto row = area.rgba.begin() + y * row_bytes;
    std::copy(row, row + row_bytes,
              canvas_.rgba.begin() + canvas_offset(canvas_, area.left, area.top + y));
  }
}

}  // namespace quemira::ui
