#include "app/game_state.h"

namespace quemira::app {

core::Text cell_name(std::int32_t cell) {
  const char row = static_cast<char>('A' + (cell - 1) / 4);
  const char column = static_cast<char>('1' + (cell - 1) % 4);
  return {row, column};
}

core::Text running_caption(const GameState& state) {
  return core::concat("Quemira（猜图次数：", core::int_to_text(state.guess_count), "  猜对：",
                      core::int_to_text(state.right_count), "  猜错：",
                      core::int_to_text(state.wrong_count), "）");
}

void update_running_caption(const GameState& state, ui::MainWindow& window) {
  window.set_caption(running_caption(state));
}

void window_created(GameState& state, ui::MainWindow& window) {
  state.guess_count = 0;
  state.right_count = 0;
  state.wrong_count = 0;
  update_running_caption(state, window);
  for (ui::PictureBox* cell : window.cells()) state.cell_table.append(cell);
}

}  // namespace quemira::app
