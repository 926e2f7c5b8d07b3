#include <FL/Fl.H>

#include <optional>

#include "app/game_state.h"
#include "app/out_of_memory.h"
#include "core/fatal_error.h"
#include "game/turn.h"
#include "library/refresh.h"
#include "ui/main_window.h"
#include "ui/main_window_view.h"
#include "ui/toolkit_pictures.h"
#include "ui/toolkit_platform.h"

namespace {

using namespace quemira;

// The toolkit calls this when it cannot go on, which before the event loop
// means the window cannot be made (no display to open, above all).
[[noreturn]] void window_not_created(const char*, ...) {
  core::fatal_error(std::nullopt, "载入启动窗口失败", "start-up: main window");
}

void bind_handlers(app::GameState& state, ui::MainWindow& window) {
  window.按钮2.clicked = [&] { library::refresh(state, window); };
  window.按钮1.clicked = [&] { game::start(window); };
  window.按钮3.clicked = [&] { game::confirm(state, window); };
  for (ui::Label* selector : {&window.标签选择1, &window.标签选择2, &window.标签选择3,
                              &window.标签选择4})
    selector->double_clicked = [&window, selector] { game::select_row(window, *selector); };
  for (ui::Label* selector : {&window.标签选择5, &window.标签选择6, &window.标签选择7,
                              &window.标签选择8})
    selector->double_clicked = [&window, selector] { game::select_column(window, *selector); };
}

}  // namespace

int main() {
  app::end_with_fatal_box_when_out_of_memory();
  Fl::fatal = window_not_created;
  Fl::background(ui::button_face.red, ui::button_face.green, ui::button_face.blue);
  ui::use_toolkit_for_pictures();

  // Released when main returns, which is the clean-up at exit; a fatal error
  // ends the program without it.
  app::GameState state;
  ui::MainWindow window;
  bind_handlers(state, window);

  ui::MainWindowView view(window);
  ui::use_toolkit_platform(view);
  app::window_created(state, window);
  view.show();

  Fl::run();
  return 0;
}
