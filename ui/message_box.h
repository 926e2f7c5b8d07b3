#pragma once

#include "core/platform.h"
#include "core/text.h"

namespace quemira::ui {

// A box with a title, a text, an optional stop icon and one OK button, owned
// by no window and modal for all of the program's windows. Returns when the
// player has closed it by OK, Enter, Esc or its close box.
void show_message_box(const core::Text& title, const core::Text& text, core::BoxIcon icon);

}  // namespace quemira::ui
