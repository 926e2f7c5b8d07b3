#pragma once

#include <FL/Fl_Window.H>

namespace quemira::ui {

// Puts the toolkit behind the program's platform seams: the message box,
// the event pump and the wait cursor over the main window.
void use_toolkit_platform(Fl_Window& main_window);

}  // namespace quemira::ui
