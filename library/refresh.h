#pragma once

#include "app/game_state.h"
#include "core/text.h"
#include "ui/main_window.h"

namespace quemira::library {

// The Refresh button's handler: drops any turn, picks a picture folder at
// random and fills the board with its first sixteen images.
void refresh(app::GameState& state, ui::MainWindow& window);

// The same, with the picture folders under picture_root rather than beside
// the program.
void refresh_from(const core::Text& picture_root, app::GameState& state, ui::MainWindow& window);

}  // namespace quemira::library
