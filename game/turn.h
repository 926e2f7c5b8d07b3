#pragma once

#include "app/game_state.h"
#include "ui/controls.h"
#include "ui/main_window.h"

// The handlers of a turn: Start, the row and column selectors, Confirm.
namespace quemira::game {

void start(ui::MainWindow& window);
void select_row(ui::MainWindow& window, const ui::Label& selector);
void select_column(ui::MainWindow& window, const ui::Label& selector);
void confirm(app::GameState& state, ui::MainWindow& window);

}  // namespace quemira::game
