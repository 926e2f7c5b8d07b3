#include "game/turn.h"

#include "core/platform.h"
#include "core/random.h"

namespace quemira::game {

namespace {

// Shows one cell's picture enlarged and records where the first cell with the
// same bytes stands; with duplicates that is the earlier cell, not the drawn.
void choose_target(ui::MainWindow& window) {
  window.图片框17.show();
  const auto cells = window.cells();
  const std::int32_t target_cell = core::random_generator().random_number(1, 16);
  const core::ByteData target_picture = cells[target_cell - 1]->get_picture();
  window.图片框17.set_picture(target_picture);
  for (std::int32_t cell = 1; cell <= 16; ++cell) {
    if (window.图片框17.get_picture() == cells[cell - 1]->get_picture()) {
      window.编辑框2.set_text(app::cell_name(cell));
      return;
    }
  }
}

void append_caption_to_guess(ui::MainWindow& window, const ui::Label& selector) {
  window.编辑框3.set_text(core::concat(window.编辑框3.text(), selector.caption()));
}

}  // namespace

void start(ui::MainWindow& window) {
  window.按钮1.hide();
  window.标签3.show();
  for (ui::PictureBox* cell : window.cells()) cell->hide();
  window.标签1.hide();
  window.标签2.hide();
  choose_target(window);
  window.标签选择1.show();
  window.标签选择2.show();
  window.标签选择3.show();
  window.标签选择4.show();
  window.编辑框3.show();
}

void select_row(ui::MainWindow& window, const ui::Label& selector) {
  append_caption_to_guess(window, selector);
  window.标签选择1.hide();
  window.标签选择2.hide();
  window.标签选择3.hide();
  window.标签选择4.hide();
  window.标签选择5.show();
  window.标签选择6.show();
  window.标签选择7.show();
  window.标签选择8.show();
}

void select_column(ui::MainWindow& window, const ui::Label& selector) {
  append_caption_to_guess(window, selector);
  window.标签选择5.hide();
  window.标签选择6.hide();
  window.标签选择7.hide();
  window.标签选择8.hide();
  window.按钮3.show();
}

void confirm(app::GameState& state, ui::MainWindow& window) {
  state.guess_count += 1;
  const core::Text guess = window.编辑框3.text();
  const core::Text answer = window.编辑框2.text();
  if (core::compare(guess, answer) == 0) {
    core::platform().message_box("信息：", "恭喜你！猜对了", core::BoxIcon::none);
    state.right_count += 1;
  } else {
    core::platform().message_box("信息：", "猜错了", core::BoxIcon::none);
    state.wrong_count += 1;
  }
  app::update_running_caption(state, window);
  window.按钮3.hide();
}

}  // namespace quemira::game
