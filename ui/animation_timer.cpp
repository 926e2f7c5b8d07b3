#include "ui/animation_timer.h"

#include <utility>

namespace quemira::ui {

namespace {

class IdleTimer : public AnimationTimer {
 public:
  void start(int, std::function<void()>) override {}
  void cancel() override {}
};

AnimationTimerFactory& installed_factory() {
  static AnimationTimerFactory installed = [] { return std::make_unique<IdleTimer>(); };
  return installed;
}

}  // namespace

AnimationTimerFactory set_animation_timer_factory(AnimationTimerFactory factory) {
  return std::exchange(installed_factory(), std::move(factory));
}

std::unique_ptr<AnimationTimer> make_animation_timer() { return installed_factory()(); }

}  // namespace quemira::ui
