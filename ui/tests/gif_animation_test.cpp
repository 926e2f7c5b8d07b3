#include "ui/gif_animation.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/manual_animation_clock.h"

namespace quemira::ui {
namespace {

using decode::GifFrame;

struct Rgba {
  std::uint8_t red, green, blue, alpha;
};
constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba green{0, 255, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};
constexpr Rgba clear{9, 9, 9, 0};

GifFrame frame(int left, std::vector<Rgba> pixels, int delay = 1, int disposal = 0) {
  GifFrame f{left, 0, static_cast<int>(pixels.size()), 1, {}, delay, disposal};
  for (const Rgba& p : pixels) f.rgba.insert(f.rgba.end(), {p.red, p.green, p.blue, p.alpha});
  return f;
}

// Hands out frames from a list, as the reader would from a file.
class ScriptedGif : public decode::GifReader {
 public:
  ScriptedGif(std::vector<GifFrame> frames, int& rewinds)
      : frames_(std::move(frames)), rewinds_(rewinds) {}
  int screen_width() const override { return 3; }
  int screen_height() const override { return 1; }
  std::optional<GifFrame> next_frame() override {
    if (next_ == frames_.size()) return std::nullopt;
    return frames_[next_++];
  }
  bool rewind() override {
    next_ = 0;
    ++rewinds_;
    return true;
  }

 private:
  std::vector<GifFrame> frames_;
  std::size_t next_ = 0;
  int& rewinds_;
};

// The surface has the logical screen's size, so it shows the canvas as is.
class GifAnimationTest : public testing::Test {
 protected:
  std::unique_ptr<GifAnimation> play(std::vector<GifFrame> frames) {
    return GifAnimation::start(std::make_unique<ScriptedGif>(std::move(frames), rewinds), white,
                               surface, [this] { ++frames_shown; });
  }

  std::vector<Rgb> shown() const {
    std::vector<Rgb> pixels;
    for (std::size_t i = 0; i < surface.rgb.size(); i += 3) {
      pixels.push_back({surface.rgb[i], surface.rgb[i + 1], surface.rgb[i + 2]});
    }
    return pixels;
  }

  ManualAnimationClock clock;
  Surface surface{3, 1, {}};
  int frames_shown = 0;
  int rewinds = 0;
};

constexpr Rgb r{255, 0, 0};
constexpr Rgb g{0, 255, 0};
constexpr Rgb b{0, 0, 255};
constexpr Rgb w = white;

TEST_F(GifAnimationTest, HoldsEachFrameForItsDelayAndLoopsWithoutEnd) {
  const auto animation = play({frame(0, {red, red, red}, 0), frame(0, {blue, blue, blue}, 10),
                               frame(0, {green, green, green}, 3)});
  ASSERT_NE(animation, nullptr);
  EXPECT_EQ(shown(), (std::vector<Rgb>{r, r, r}));

  struct Step {
    int milliseconds;
    int frames_shown;
    Rgb colour;
  };
  const Step steps[] = {
      {49, 0, r}, {1, 1, b},  // no delay: 50 ms
      {99, 1, b}, {1, 2, g},  // 10 hundredths: 100 ms
      {29, 2, g}, {1, 3, r},  // past the last frame, the first again
      {50, 4, b}, {100, 5, g}, {30, 6, r},
  };
  for (const Step& step : steps) {
    clock.advance(step.milliseconds);
    EXPECT_EQ(frames_shown, step.frames_shown) << "at " << clock.now() << " ms";
    if (frames_shown == step.frames_shown) {
      EXPECT_EQ(shown()[0], step.colour);
    }
  }
  EXPECT_EQ(rewinds, 2);
}

TEST_F(GifAnimationTest, EachLoopStartsOnAFreshCanvas) {
  const auto animation = play({frame(0, {red}), frame(1, {blue})});
  clock.advance(10);
  EXPECT_EQ(shown(), (std::vector<Rgb>{r, b, w}));
  clock.advance(10);
  EXPECT_EQ(shown(), (std::vector<Rgb>{r, w, w}));
}

TEST_F(GifAnimationTest, DisposalTwoAndThreePutBackWhatTheFrameCovered) {
  struct Case {
    int disposal;
    std::vector<Rgb> after_next_frame;
  };
  const Case cases[] = {
      {0, {g, r, b}},
      {1, {g, r, b}},
      {2, {g, g, b}},
      {3, {g, g, b}},
  };
  for (const Case& c : cases) {
    const auto animation =
        play({frame(0, {green, green, green}), frame(1, {red}, 1, c.disposal), frame(2, {blue})});
    clock.advance(10);
    EXPECT_EQ(shown(), (std::vector<Rgb>{g, r, g})) << "disposal " << c.disposal;
    clock.advance(10);
    EXPECT_EQ(shown(), c.after_next_frame) << "disposal " << c.disposal;
  }
}

TEST_F(GifAnimationTest, TransparentPixelsLeaveTheCanvas) {
  const auto animation = play({frame(0, {green, green, green}), frame(0, {red, clear, blue})});
  clock.advance(10);
  EXPECT_EQ(shown(), (std::vector<Rgb>{r, g, b}));
}

TEST_F(GifAnimationTest, NoReadableFirstFrameMeansNoAnimation) {
  GifFrame short_of_pixels = frame(0, {red, red});
  short_of_pixels.rgba.resize(4);
  const std::vector<GifFrame> firsts[] = {
      {},
      {frame(2, {red, red})},  // reaches past the screen
      {short_of_pixels},
  };
  for (const auto& first : firsts) EXPECT_EQ(play(first), nullptr);
}

TEST_F(GifAnimationTest, AStoppedAnimationShowsNoMoreFrames) {
  auto animation = play({frame(0, {red}), frame(0, {blue})});
  animation.reset();
  clock.advance(1000);
  EXPECT_EQ(frames_shown, 0);
}

}  // namespace
}  // namespace quemira::ui
