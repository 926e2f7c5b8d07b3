#include "ui/toolkit_platform.h"

#include <FL/Fl.H>

#include "core/platform.h"
#include "ui/message_box.h"

namespace quemira::ui {

void use_toolkit_platform(Fl_Window& main_window) {
  core::Platform& platform = core::platform();
  platform.message_box = show_message_box;
  platform.process_pending_events = [] { Fl::check(); };
  // A refresh can run nested in another's event pump: the cursor stays busy
  // until the outermost one ends.
  platform.show_wait_cursor = [&main_window, depth = 0](bool busy) mutable {
    depth += busy ? 1 : -1;
    main_window.cursor(depth > 0 ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
    Fl::flush();
  };
}

}  // namespace quemira::ui
