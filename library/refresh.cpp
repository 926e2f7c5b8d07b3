#include "library/refresh.h"

#include <algorithm>

#include "core/file_read.h"
#include "core/platform.h"
#include "core/program_directory.h"
#include "library/folder_listing.h"
#include "library/image_collection.h"
#include "library/line_choice.h"

namespace quemira::library {

namespace {

// A refresh takes no input until it ends, so it shows that it is busy.
class WaitCursor {
 public:
  WaitCursor() { core::platform().show_wait_cursor(true); }
  ~WaitCursor() { core::platform().show_wait_cursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

void reset_question_view(ui::MainWindow& window) {
  for (ui::Label* selector : window.selectors()) selector->hide();
  window.标签3.hide();
  window.按钮1.show();
  window.按钮3.hide();
  window.编辑框3.hide();
  window.编辑框3.set_text("");
  window.图片框17.hide();
}

void reset_board(ui::MainWindow& window) {
  for (ui::PictureBox* cell : window.cells()) cell->set_picture({});
  for (ui::PictureBox* cell : window.cells()) cell->show();
  window.标签1.show();
  window.标签2.show();
}

// Path k goes to cell k, also when an earlier file could not be read.
void fill_board(const app::GameState& state) {
  const std::int32_t filled = std::min(state.image_list.count(), state.cell_table.count());
  for (std::int32_t k = 1; k <= filled; ++k)
    state.cell_table.element(k)->set_picture(core::read_whole_file(state.image_list.element(k)));
}

}  // namespace

void refresh(app::GameState& state, ui::MainWindow& window) {
  refresh_from(core::concat(core::program_directory(), "/图片/"), state, window);
}

void refresh_from(const core::Text& picture_root, app::GameState& state, ui::MainWindow& window) {
  const WaitCursor busy;
  reset_question_view(window);
  const std::optional<core::List<core::Text>> folders = list_picture_folders(picture_root, window);
  // An event handled during the listing closed the window: nothing of it is
  // ours to touch any more.
  if (!folders) return;
  for (std::int32_t i = 1; i <= folders->count(); ++i)
    window.编辑框1.append(core::concat(folders->element(i), "\r\n"));
  const core::Text chosen_folder = choose_line(window.编辑框1.text(), "\r\n");
  reset_board(window);
  state.image_list = collect_images(chosen_folder, state.cell_table.count());
  fill_board(state);
  state.image_list = {};
}

}  // namespace quemira::library
