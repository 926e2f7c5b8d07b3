#include "app/game_state.h"

#include <gtest/gtest.h>

namespace quemira::app {
namespace {

TEST(GameState, WindowCreatedZeroesCountsWritesCaptionAndFillsCellTable) {
  ui::MainWindow window;
  GameState state;
  state.guess_count = 7;
  window_created(state, window);
  EXPECT_EQ(window.caption(),
            "Quemira\xA3\xA8\xB2\xC2\xCD\xBC\xB4\xCE\xCA\xFD\xA3\xBA" "0"
            "  \xB2\xC2\xB6\xD4\xA3\xBA" "0  \xB2\xC2\xB4\xED\xA3\xBA" "0\xA3\xA9");
  ASSERT_EQ(state.cell_table.count(), 16);
  EXPECT_EQ(state.cell_table.element(1), &window.图片框1);
  EXPECT_EQ(state.cell_table.element(5), &window.图片框5);
  EXPECT_EQ(state.cell_table.element(16), &window.图片框16);
  EXPECT_EQ(state.image_list.count(), 0);
}

TEST(GameState, CellNamesAreRowMajor) {
  const std::pair<int, const char*> cases[] = {{1, "A1"}, {4, "A4"}, {5, "B1"}, {10, "C2"}, {16, "D4"}};
  for (const auto& [cell, name] : cases) EXPECT_EQ(cell_name(cell), name);
}

TEST(GameState, CaptionAfterOneRightAndOneWrong) {
  GameState state;
  state.guess_count = 2;
  state.right_count = 1;
  state.wrong_count = 1;
  EXPECT_EQ(running_caption(state), "Quemira（猜图次数：2  猜对：1  猜错：1）");
}

}  // namespace
}  // namespace quemira::app
