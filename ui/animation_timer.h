#pragma once

#include <functional>
#include <memory>

namespace quemira::ui {

// Schedules the next frame of one animation on the user-interface thread, so
// that composing a frame never overlaps a repaint or a handler.
class AnimationTimer {
 public:
  virtual ~AnimationTimer() = default;
  // Calls back once, after that many milliseconds; replaces any call still
  // pending.
  virtual void start(int milliseconds, std::function<void()> callback) = 0;
  // The pending call, if any, never comes.
  virtual void cancel() = 0;
};

using AnimationTimerFactory = std::function<std::unique_ptr<AnimationTimer>()>;

// The toolkit installs its timers at start-up. Until then timers never fire,
// so an animation holds its first frame. Gives back the factory it replaces.
AnimationTimerFactory set_animation_timer_factory(AnimationTimerFactory factory);
std::unique_ptr<AnimationTimer> make_animation_timer();

}  // namespace quemira::ui
