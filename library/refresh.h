#pragma once

#include "app/game_state.h"
#include "ui/main_window.h"

namespace quemira::library {

// The Refresh button's handler: drops any turn, picks a picture folder at
// random and fills the board with its first sixteen images.
void refresh(app::GameState& state, ui::MainWindow& window);

}  // namespace quemira::library
