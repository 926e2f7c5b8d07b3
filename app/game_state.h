#pragma once

#include <cstdint>

#include "core/list.h"
#include "core/text.h"
#include "ui/main_window.h"

namespace quemira::app {

// The program-wide state of one run; nothing of it outlives the run.
struct GameState {
  std::int32_t guess_count = 0;
  std::int32_t right_count = 0;
  std::int32_t wrong_count = 0;
  // Cell k is entry k; the entries are references, the window owns the cells.
  core::List<ui::PictureBox*> cell_table;
  // Paths collected by a refresh; empty between refreshes.
  core::List<core::Text> image_list;
};

// "A1" for cell 1 to "D4" for cell 16, row by row.
core::Text cell_name(std::int32_t cell);

core::Text running_caption(const GameState& state);
void update_running_caption(const GameState& state, ui::MainWindow& window);

// Runs once the window and all its controls exist, before any input.
void window_created(GameState& state, ui::MainWindow& window);

}  // namespace quemira::app
