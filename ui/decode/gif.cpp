#include "ui/decode/gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace quemira::ui::decode {

namespace {

struct Source {
  Bytes data;
  std::size_t position = 0;
};

// giflib pulls its input through this; a short count tells it the data ended.
int read_source(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto& source = *static_cast<Source*>(gif->UserData);
  const std::size_t count =
      std::min(static_cast<std::size_t>(std::max(wanted, 0)), source.data.size() - source.position);
  std::memcpy(buffer, source.data.data() + source.position, count);
  source.position += count;
  return static_cast<int>(count);
}

struct CloseGif {
  void operator()(GifFileType* gif) const {
    int error = 0;
    // Closing frees giflib's memory whatever it reports; there is nothing
    // left to decide from its result.
    static_cast<void>(DGifCloseFile(gif, &error));
  }
};
using GifFile = std::unique_ptr<GifFileType, CloseGif>;

// The graphic control values in force for the next image block.
struct GraphicControl {
  int delay_centiseconds = 0;
  int disposal = 0;
  int transparent_index = NO_TRANSPARENT_COLOR;
};

// The screen row that each stored row of an interlaced image belongs to:
// every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
int interlaced_row(int stored_row, int height) {
  constexpr int starts[] = {0, 4, 2, 1};
  constexpr int steps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int rows_in_pass =
        height > starts[pass] ? (height - starts[pass] + steps[pass] - 1) / steps[pass] : 0;
    if (stored_row < rows_in_pass) return starts[pass] + stored_row * steps[pass];
    stored_row -= rows_in_pass;
  }
  return -1;
}

class LibraryGifReader final : public GifReader {
 public:
  explicit LibraryGifReader(Bytes data) : source_{data} {}

  bool open() {
    source_.position = 0;
    control_ = {};
    int error = 0;
    gif_.reset(DGifOpen(&source_, read_source, &error));
    finished_ = !gif_ || !rgba_size(gif_->SWidth, gif_->SHeight);
    if (finished_) return false;
    screen_width_ = gif_->SWidth;
    screen_height_ = gif_->SHeight;
    return true;
  }

  int screen_width() const override { return screen_width_; }
  int screen_height() const override { return screen_height_; }

  std::optional<GifFrame> next_frame() override {
    if (finished_) return std::nullopt;
    auto frame = read_until_frame();
    if (!frame) finished_ = true;
    return frame;
  }

  bool rewind() override { return open(); }

 private:
  std::optional<GifFrame> read_until_frame() {
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      // A zero byte, or anything else that is not a record, fails here too.
      if (DGifGetRecordType(gif_.get(), &type) != GIF_OK) return std::nullopt;
      switch (type) {
        case IMAGE_DESC_RECORD_TYPE:
          return read_frame();
        case EXTENSION_RECORD_TYPE:
          if (!read_extension()) return std::nullopt;
          break;
        default:
          return std::nullopt;
      }
    }
  }

  // Only graphic control extensions matter; comments, plain text and
  // application blocks (the loop count among them) are read past.
  bool read_extension() {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif_.get(), &code, &block) != GIF_OK) return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block) {
      GraphicsControlBlock control{};
      // A malformed one is ignored and the values before it stay in force.
      if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
        control_ = {control.DelayTime, control.DisposalMode, control.TransparentColor};
      }
    }
    while (block) {
      if (DGifGetExtensionNext(gif_.get(), &block) != GIF_OK) return false;
    }
    return true;
  }

  std::optional<GifFrame> read_frame() {
    if (DGifGetImageDesc(gif_.get()) != GIF_OK) return std::nullopt;
    const GifImageDesc& image = gif_->Image;
    const ColorMapObject* colours = image.ColorMap ? image.ColorMap : gif_->SColorMap;
    if (!colours || !rgba_size(image.Width, image.Height)) return std::nullopt;

    GifFrame frame;
    frame.delay_centiseconds = control_.delay_centiseconds;
    frame.disposal = control_.disposal;
    const int left = std::min(image.Left, screen_width_);
    const int top = std::min(image.Top, screen_height_);
    const int right = std::min(image.Left + image.Width, screen_width_);
    const int bottom = std::min(image.Top + image.Height, screen_height_);
    // A frame wholly off the screen stays in the sequence, empty, for its
    // delay.
    const bool visible = left < right && top < bottom;
    if (visible) {
      frame.left = left;
      frame.top = top;
      frame.width = right - left;
      frame.height = bottom - top;
      frame.rgba.resize(std::size_t{4} * frame.width * frame.height);
    }

    // Every row is read even when none of it shows, so that the stream
    // stands at the next block afterwards.
    line_.resize(image.Width);
    for (int stored_row = 0; stored_row < image.Height; ++stored_row) {
      if (DGifGetLine(gif_.get(), line_.data(), image.Width) != GIF_OK) return std::nullopt;
      const int y =
          image.Top + (image.Interlace ? interlaced_row(stored_row, image.Height) : stored_row);
      if (!visible || y < top || y >= bottom) continue;
      auto* out = frame.rgba.data() + std::size_t{4} * frame.width * (y - top);
      for (int x = left; x < right; ++x, out += 4) put_pixel(out, line_[x - image.Left], *colours);
    }
    return frame;
  }

  // An index past the colour map shows opaque black instead of whatever lies
  // beyond the map.
  void put_pixel(std::uint8_t* out, GifPixelType index, const ColorMapObject& colours) const {
    if (index == control_.transparent_index) return;  // the frame starts all zeros
    if (index < colours.ColorCount) {
      const GifColorType& colour = colours.Colors[index];
      out[0] = colour.Red;
      out[1] = colour.Green;
      out[2] = colour.Blue;
    }
    out[3] = 255;
  }

  Source source_;
  GifFile gif_;
  GraphicControl control_;
  std::vector<GifPixelType> line_;
  int screen_width_ = 0;
  int screen_height_ = 0;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<GifReader> GifReader::open(Bytes data) {
  auto reader = std::make_unique<LibraryGifReader>(data);
  if (!reader->open()) return nullptr;
  return reader;
}

}  // namespace quemira::ui::decode
