#pragma once

#include <functional>

#include "core/control.h"
#include "core/text.h"

namespace quemira::ui {

// A label's caption never changes while the game runs; the selector labels
// report double-clicks to the game.
class Label : public core::Control {
 public:
  Label(core::Text caption, bool visible) : Control(visible), caption_(std::move(caption)) {}
  const core::Text& caption() const { return caption_; }

  std::function<void()> double_clicked;

 private:
  core::Text caption_;
};

class Button : public core::Control {
 public:
  Button(core::Text caption, bool visible) : Control(visible), caption_(std::move(caption)) {}
  const core::Text& caption() const { return caption_; }

  std::function<void()> clicked;

 private:
  core::Text caption_;
};

}  // namespace quemira::ui
