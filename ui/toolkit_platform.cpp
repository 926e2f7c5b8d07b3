#include "ui/toolkit_platform.h"

#include <FL/Fl.H>

#include "core/platform.h"
#include "ui/message_box.h"

namespace quemira::ui {

void use_toolkit_platform(Fl_Window& main_window) {
  core::Platform& platform = core::platform();
  platform.message_box = show_message_box;
  platform.process_pending_events = [] { Fl::check(); };
  platform.show_wait_cursor = [&main_window](bool busy) {
    main_window.cursor(busy ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
    Fl::flush();
  };
}

}  // namespace quemira::ui
