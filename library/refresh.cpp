#include "library/refresh.h"

namespace quemira::library {

void refresh(app::GameState&, ui::MainWindow&) {}

}  // namespace quemira::library
