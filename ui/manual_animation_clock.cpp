#include "ui/manual_animation_clock.h"

#include <algorithm>
#include <utility>

namespace quemira::ui {

class ManualAnimationClock::Timer : public AnimationTimer {
 public:
  explicit Timer(ManualAnimationClock& clock) : clock_(clock) {}
  ~Timer() override { cancel(); }
  void start(int milliseconds, std::function<void()> callback) override {
    clock_.schedule(this, milliseconds, std::move(callback));
  }
  void cancel() override { clock_.cancel(this); }

 private:
  ManualAnimationClock& clock_;
};

ManualAnimationClock::ManualAnimationClock()
    : replaced_(set_animation_timer_factory([this] { return std::make_unique<Timer>(*this); })) {}

ManualAnimationClock::~ManualAnimationClock() { set_animation_timer_factory(std::move(replaced_)); }

void ManualAnimationClock::advance(int milliseconds) {
  const std::int64_t until = now_ + milliseconds;
  for (;;) {
    // Pending calls stay in the order they were started, so of two due at
    // the same moment the earlier started fires first.
    const auto next =
        std::min_element(pending_.begin(), pending_.end(),
                         [](const Pending& a, const Pending& b) { return a.due < b.due; });
    if (next == pending_.end() || next->due > until) break;
    now_ = next->due;
    std::function<void()> callback = std::move(next->callback);
    pending_.erase(next);
    callback();
  }
  now_ = until;
}

void ManualAnimationClock::schedule(const Timer* timer, int milliseconds,
                                    std::function<void()> callback) {
  cancel(timer);
  pending_.push_back({timer, now_ + milliseconds, std::move(callback)});
}

void ManualAnimationClock::cancel(const Timer* timer) {
  std::erase_if(pending_, [timer](const Pending& p) { return p.timer == timer; });
}

}  // namespace quemira::ui
