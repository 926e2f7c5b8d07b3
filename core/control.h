#pragma once

#include <functional>
#include <utility>

namespace quemira::core {

// The state every control of the main window shares: whether it is shown.
// The control's state lives here, not in a toolkit widget, so that handlers
// run without a display; a view registers to hear of every change.
class Control {
 public:
  explicit Control(bool visible) : visible_(visible) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  bool visible() const { return visible_; }
  void show() { set_visible(true); }
  void hide() { set_visible(false); }

  void on_change(std::function<void()> listener) { listener_ = std::move(listener); }

 protected:
  ~Control() = default;
  void changed() const {
    if (listener_) listener_();
  }

 private:
  void set_visible(bool visible) {
    visible_ = visible;
    changed();
  }

  bool visible_;
  std::function<void()> listener_;
};

}  // namespace quemira::core
