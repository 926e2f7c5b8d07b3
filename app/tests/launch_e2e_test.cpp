#include <gtest/gtest.h>

#include <cstdlib>

#include "app/tests/desktop.h"

namespace quemira::desktop {
namespace {

const Rgb white{255, 255, 255}, face{240, 240, 240}, frame{100, 100, 100}, red{255, 0, 0},
    blue{0, 0, 255}, magenta{255, 0, 255};

TEST(Launch, EmptyBoardUnderTheRunningCaptionUntilEscCloses) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
  TempFolder folder;
  Game game(QUEMIRA_EXECUTABLE, folder.path);
  ASSERT_TRUE(game.has_window());
  EXPECT_EQ(game.caption(),
            reinterpret_cast<const char*>(u8"Quemira（猜图次数：0  猜对：0  猜错：0）"));

  const Screenshot shot = game.screenshot("launch");
  ASSERT_EQ(shot.width, 531);
  ASSERT_EQ(shot.height, 614);
  const int lefts[] = {33, 154, 275, 396}, tops[] = {31, 167, 303, 441};
  for (int top : tops) {
    for (int left : lefts) {
      SCOPED_TRACE(testing::Message() << "cell at " << left << "," << top);
      EXPECT_EQ(shot.count(left + 1, top + 1, 113, 128, white), 113 * 128);
      EXPECT_EQ(shot.count(left, top, 115, 1, frame), 115);
      EXPECT_EQ(shot.count(left, top, 1, 130, frame), 130);
    }
  }
  EXPECT_GT(shot.count(33, 5, 459, 21, red), 50) << "column header digits";
  EXPECT_GT(shot.count(0, 35, 32, 536, blue), 50) << "row header letters";
  EXPECT_LT(shot.count(167, 576, 80, 32, face), 80 * 32) << "the Refresh button";
  EXPECT_EQ(shot.count(296, 576, 80, 32, face), 80 * 32) << "no Start button";
  EXPECT_EQ(shot.count(0, 0, 531, 614, magenta), 0) << "no prompt";

  game.focus();
  game.key("Escape");
  EXPECT_EQ(game.wait_for_exit(), 0);
}

}  // namespace
}  // namespace quemira::desktop
