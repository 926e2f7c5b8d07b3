#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "app/tests/desktop.h"

namespace quemira::desktop {
namespace {

// A plain 24-bit BMP of one colour: stretched to any size it stays that
// colour, so a screenshot tells the sixteen pictures apart exactly.
void write_solid_bmp(const fs::path& path, Rgb colour) {
  constexpr int side = 8;
  constexpr std::uint32_t row = side * 3, pixels = row * side, offset = 54;
  std::vector<std::uint8_t> file(offset + pixels);
  const auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, offset + pixels);
  put32(10, offset);
  put32(14, 40);
  put32(18, side);
  put32(22, side);
  file[26] = 1;
  file[28] = 24;
  for (std::uint32_t i = offset; i < file.size(); i += 3) {
    file[i] = static_cast<std::uint8_t>(colour.b);
    file[i + 1] = static_cast<std::uint8_t>(colour.g);
    file[i + 2] = static_cast<std::uint8_t>(colour.r);
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

constexpr int cell_lefts[] = {33, 154, 275, 396};
constexpr int cell_tops[] = {31, 167, 303, 441};
constexpr int selector_lefts[] = {148, 217, 286, 356};

// The colour in the middle of each cell, cell 1 first.
std::array<Rgb, 16> board_colours(const Screenshot& shot) {
  std::array<Rgb, 16> colours{};
  for (int k = 0; k < 16; ++k) colours[k] = shot.at(cell_lefts[k % 4] + 57, cell_tops[k / 4] + 65);
  return colours;
}

class Player {
 public:
  explicit Player(Game& game) : game_(game) {}

  void refresh() { game_.click(167 + 40, 576 + 16); }
  void start() { game_.click(296 + 40, 576 + 16); }
  // Double-clicks the row letter and column digit of cell k (1 to 16).
  void guess(int cell) {
    game_.double_click(selector_lefts[(cell - 1) / 4] + 22, 304 + 22);
    game_.double_click(selector_lefts[(cell - 1) % 4] + 22, 304 + 22);
  }
  // Confirms, waits for the result box and gives the main caption seen while
  // it was open; Enter closes it.
  std::string confirm() {
    game_.click(236 + 40, 452 + 16);
    const std::string box = window_named(reinterpret_cast<const char*>(u8"信息："));
    EXPECT_FALSE(box.empty()) << "no result box";
    const std::string caption_meanwhile = game_.caption();
    std::system(("xdotool windowfocus --sync " + box + " key Return").c_str());
    settle(500);
    EXPECT_TRUE(window_named(reinterpret_cast<const char*>(u8"信息："), 0).empty());
    return caption_meanwhile;
  }
  // Which cell the enlarged picture came from, told by its colour.
  int target_cell(const std::array<Rgb, 16>& board) {
    const Rgb target = game_.screenshot("target").at(156 + 116, 48 + 124);
    for (int k = 0; k < 16; ++k)
      if (board[k] == target) return k + 1;
    return 0;
  }

 private:
  Game& game_;
};

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(Play, RightThenWrongGuessKeepTheTallyUntilEscEndsTheGame) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
  TempFolder folder;
  const fs::path pictures = folder.path / utf8(u8"图片") / utf8(u8"颜色");
  fs::create_directories(pictures);
  for (int k = 0; k < 16; ++k)
    write_solid_bmp(pictures / ("colour" + std::to_string(k) + ".bmp"),
                    {40 + 60 * (k % 4), 30 + 70 * (k / 4), 200 - 10 * k});

  Game game(QUEMIRA_EXECUTABLE, folder.path);
  ASSERT_TRUE(game.has_window());
  Player player(game);

  player.refresh();
  const std::array<Rgb, 16> board = board_colours(game.screenshot("board"));
  for (int k = 0; k < 16; ++k)
    for (int j = 0; j < k; ++j) ASSERT_NE(board[k], board[j]) << "cells " << j + 1 << ", " << k + 1;

  player.start();
  const int target = player.target_cell(board);
  ASSERT_GE(target, 1) << "the enlarged picture matches no cell";
  player.guess(target);
  EXPECT_EQ(player.confirm(), utf8(u8"Quemira（猜图次数：0  猜对：0  猜错：0）"));
  EXPECT_EQ(game.caption(), utf8(u8"Quemira（猜图次数：1  猜对：1  猜错：0）"));

  player.refresh();
  const std::array<Rgb, 16> second_board = board_colours(game.screenshot("board2"));
  player.start();
  const int second_target = player.target_cell(second_board);
  ASSERT_GE(second_target, 1);
  player.guess(second_target % 16 + 1);
  player.confirm();
  EXPECT_EQ(game.caption(), utf8(u8"Quemira（猜图次数：2  猜对：1  猜错：1）"));

  game.focus();
  game.key("Escape");
  EXPECT_EQ(game.wait_for_exit(), 0);
}

}  // namespace
}  // namespace quemira::desktop
