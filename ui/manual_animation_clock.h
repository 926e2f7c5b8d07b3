#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/animation_timer.h"

namespace quemira::ui {

// Animation timers that fire only when time is moved on by hand: the picture
// renderer shows a GIF at a chosen moment with them, and tests time frames.
// While the clock exists every new animation timer is one of its, so it must
// outlive the picture boxes that play under it.
class ManualAnimationClock {
 public:
  ManualAnimationClock();
  ~ManualAnimationClock();
  ManualAnimationClock(const ManualAnimationClock&) = delete;
  ManualAnimationClock& operator=(const ManualAnimationClock&) = delete;

  // Moves time on, firing every timer that falls due on the way in the order
  // they fall due; a timer started by a callback fires too if it falls due in
  // time.
  void advance(int milliseconds);
  std::int64_t now() const { return now_; }

 private:
  class Timer;
  struct Pending {
    const Timer* timer;
    std::int64_t due;
    std::function<void()> callback;
  };

  void schedule(const Timer* timer, int milliseconds, std::function<void()> callback);
  void cancel(const Timer* timer);

  std::int64_t now_ = 0;
  std::vector<Pending> pending_;
  AnimationTimerFactory replaced_;
};

}  // namespace quemira::ui
