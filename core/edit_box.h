#pragma once

#include "core/control.h"
#include "core/text.h"

namespace quemira::core {

// An edit box as the game uses it: a text store, whether the player sees it
// or not.
class EditBox : public Control {
 public:
  EditBox(Text text, bool visible) : Control(visible), text_(std::move(text)) {}

  // The whole current text, line breaks included.
  const Text& text() const { return text_; }
  void set_text(Text text) {
    text_ = std::move(text);
    changed();
  }
  // Inserts at the end, where the caret then stands.
  void append(const Text& text) {
    text_ += text;
    changed();
  }

 private:
  Text text_;
};

}  // namespace quemira::core
