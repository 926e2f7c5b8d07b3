#include "ui/toolkit_pictures.h"

#include <FL/Fl.H>

#include <functional>
#include <memory>
#include <utility>

#include "ui/animation_timer.h"
#include "ui/stretch.h"

namespace quemira::ui {

namespace {

// Timeouts run on the user-interface thread, between events, so a frame is
// never composed while a handler or a repaint runs.
class ToolkitAnimationTimer : public AnimationTimer {
 public:
  ~ToolkitAnimationTimer() override { cancel(); }

  void start(int milliseconds, std::function<void()> callback) override {
    cancel();
    callback_ = std::move(callback);
    Fl::add_timeout(milliseconds / 1000.0, &fire, this);
  }

  void cancel() override { Fl::remove_timeout(&fire, this); }

 private:
  static void fire(void* timer) {
    // The callback usually starts this timer again, which replaces callback_.
    auto callback = std::move(static_cast<ToolkitAnimationTimer*>(timer)->callback_);
    callback();
  }

  std::function<void()> callback_;
};

}  // namespace

void use_toolkit_for_pictures() {
  set_animation_timer_factory([] { return std::make_unique<ToolkitAnimationTimer>(); });
  // The toolkit picks a visual of eight bits a channel only where the screen
  // has more than 16 bits a pixel.
  set_resampling(Fl::visual(FL_RGB8) ? Resampling::smooth : Resampling::plain);
}

}  // namespace quemira::ui
