#include "game/turn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform.h"
#include "core/random.h"
#include "library/refresh.h"

namespace quemira::game {
namespace {

using core::ByteData;
using core::Text;

// Every change of a control's visibility, in the order it happened.
class VisibilityLog {
 public:
  explicit VisibilityLog(ui::MainWindow& window) {
    const auto cells = window.cells();
    for (int k = 1; k <= 16; ++k) watch("图片框" + std::to_string(k), *cells[k - 1]);
    watch("图片框17", window.图片框17);
    const auto selectors = window.selectors();
    for (int k = 1; k <= 8; ++k) watch("标签选择" + std::to_string(k), *selectors[k - 1]);
    watch("标签1", window.标签1);
    watch("标签2", window.标签2);
    watch("标签3", window.标签3);
    watch("按钮1", window.按钮1);
    watch("按钮2", window.按钮2);
    watch("按钮3", window.按钮3);
    watch("编辑框1", window.编辑框1);
    watch("编辑框2", window.编辑框2);
    watch("编辑框3", window.编辑框3);
  }
  std::vector<std::string> entries;

 private:
  void watch(const std::string& name, core::Control& control) {
    auto shown = std::make_shared<bool>(control.visible());
    control.on_change([this, name, shown, &control] {
      if (control.visible() == *shown) return;
      *shown = control.visible();
      entries.push_back((*shown ? "show " : "hide ") + name);
    });
  }
};

class Turn : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = core::platform();
    core::platform().message_box = [this](const Text& title, const Text& text, core::BoxIcon icon) {
      boxes.push_back(title + "|" + text);
      EXPECT_EQ(icon, core::BoxIcon::none);
      caption_while_box_open = window.caption();
    };
    core::random_generator() = core::RandomGenerator{};
    app::window_created(state, window);
  }
  void TearDown() override { core::platform() = saved_; }

  // The board as a refresh would leave it, with these pictures in cells 1 on.
  void board_of(const std::vector<ByteData>& pictures) {
    window.按钮1.show();
    window.编辑框3.set_text("");
    const auto cells = window.cells();
    for (std::size_t k = 0; k < pictures.size(); ++k) cells[k]->set_picture(pictures[k]);
  }

  ui::MainWindow window;
  app::GameState state;
  std::vector<Text> boxes;
  Text caption_while_box_open;

 private:
  core::Platform saved_;
};

ByteData bytes(const std::string& text) { return ByteData(text.begin(), text.end()); }

TEST_F(Turn, StartHidesTheBoardShowsTheTargetAndRowSelectorsInOrder) {
  board_of({});
  VisibilityLog log(window);
  start(window);
  std::vector<std::string> expected = {"hide 按钮1", "show 标签3"};
  for (int k = 1; k <= 16; ++k) expected.push_back("hide 图片框" + std::to_string(k));
  for (const char* step : {"hide 标签1", "hide 标签2", "show 图片框17", "show 标签选择1",
                           "show 标签选择2", "show 标签选择3", "show 标签选择4", "show 编辑框3"})
    expected.push_back(step);
  EXPECT_EQ(log.entries, expected);
  EXPECT_TRUE(window.按钮2.visible());
  EXPECT_EQ(state.guess_count, 0);
}

TEST_F(Turn, AnswerIsTheFirstCellHoldingTheTargetsBytes) {
  // Before any reseed the first draw is cell 10.
  struct Case {
    std::vector<ByteData> board;
    Text answer;
  };
  std::vector<ByteData> distinct;
  for (int k = 1; k <= 16; ++k) distinct.push_back(bytes("picture " + std::to_string(k)));
  std::vector<ByteData> duplicated = distinct;
  duplicated[9] = duplicated[2];
  std::vector<ByteData> five(distinct.begin(), distinct.begin() + 5);
  const std::vector<Case> cases = {{distinct, "C2"}, {duplicated, "A3"}, {five, "B2"}, {{}, "A1"}};
  for (const Case& c : cases) {
    ui::MainWindow fresh_window;
    core::random_generator() = core::RandomGenerator{};
    const auto cells = fresh_window.cells();
    for (std::size_t k = 0; k < c.board.size(); ++k) cells[k]->set_picture(c.board[k]);
    start(fresh_window);
    EXPECT_EQ(fresh_window.编辑框2.text(), c.answer);
    EXPECT_EQ(fresh_window.图片框17.get_picture(), cells[9]->get_picture());
  }
}

TEST_F(Turn, FiveImagesAndAnyLaterCellAnswersB2) {
  std::vector<ByteData> five;
  for (int k = 1; k <= 5; ++k) five.push_back(bytes(core::concat("picture ", core::int_to_text(k))));
  board_of(five);
  // The fixed sequence draws 10, 4, 15, 5, 2: cells 4, 5 and 2 hold images.
  const Text expected[] = {"B2", "A4", "B2", "B1", "A2"};
  for (const Text& answer : expected) {
    start(window);
    EXPECT_EQ(window.编辑框2.text(), answer);
  }
}

TEST_F(Turn, SelectorsBuildTheGuessAndHandOverInOrder) {
  board_of({});
  start(window);
  VisibilityLog log(window);
  select_row(window, window.标签选择3);
  EXPECT_EQ(window.编辑框3.text(), "C");
  select_column(window, window.标签选择6);
  EXPECT_EQ(window.编辑框3.text(), "C2");
  EXPECT_EQ(log.entries, (std::vector<std::string>{
                             "hide 标签选择1", "hide 标签选择2", "hide 标签选择3", "hide 标签选择4",
                             "show 标签选择5", "show 标签选择6", "show 标签选择7", "show 标签选择8",
                             "hide 标签选择5", "hide 标签选择6", "hide 标签选择7", "hide 标签选择8",
                             "show 按钮3"}));
}

TEST_F(Turn, ConfirmCountsShowsTheResultAndRewritesTheCaptionAfterTheBox) {
  board_of({});
  start(window);  // empty board: the answer is A1
  select_row(window, window.标签选择1);
  select_column(window, window.标签选择5);
  confirm(state, window);
  EXPECT_FALSE(window.按钮3.visible());
  EXPECT_EQ(caption_while_box_open, "Quemira（猜图次数：0  猜对：0  猜错：0）");

  board_of({});
  start(window);
  select_row(window, window.标签选择3);
  select_column(window, window.标签选择6);
  confirm(state, window);

  EXPECT_EQ(boxes, (std::vector<Text>{"信息：|恭喜你！猜对了", "信息：|猜错了"}));
  EXPECT_EQ(window.caption(), "Quemira（猜图次数：2  猜对：1  猜错：1）");
  EXPECT_EQ(window.caption(),
            "Quemira\xA3\xA8\xB2\xC2\xCD\xBC\xB4\xCE\xCA\xFD\xA3\xBA"
            "2"
            "  \xB2\xC2\xB6\xD4\xA3\xBA"
            "1  \xB2\xC2\xB4\xED\xA3\xBA"
            "1\xA3\xA9");
  EXPECT_EQ(window.编辑框3.text(), "C2") << "the confirmed guess stays";
  EXPECT_EQ(window.编辑框2.text(), "A1") << "the answer stays";
}

TEST_F(Turn, NamingTheLaterOfTwoIdenticalCellsIsWrong) {
  std::vector<ByteData> board;
  for (int k = 1; k <= 16; ++k) board.push_back(bytes(core::concat("picture ", core::int_to_text(k))));
  board[9] = board[2];
  board_of(board);
  start(window);  // draws cell 10, whose bytes cell 3 holds first
  select_row(window, window.标签选择3);
  select_column(window, window.标签选择6);
  confirm(state, window);
  EXPECT_EQ(boxes, std::vector<Text>{"信息：|猜错了"});
}

TEST_F(Turn, RefreshMidTurnDropsTheTurnUncounted) {
  board_of({});
  start(window);
  select_row(window, window.标签选择2);
  library::refresh(state, window);
  EXPECT_EQ(window.编辑框3.text(), "");
  for (ui::Label* selector : window.selectors()) EXPECT_FALSE(selector->visible());
  EXPECT_FALSE(window.按钮3.visible());
  EXPECT_FALSE(window.图片框17.visible());
  EXPECT_FALSE(window.标签3.visible());
  EXPECT_TRUE(window.按钮1.visible());
  EXPECT_TRUE(window.图片框1.visible());
  EXPECT_EQ(state.guess_count, 0);
  EXPECT_EQ(window.caption(), "Quemira（猜图次数：0  猜对：0  猜错：0）");
}

}  // namespace
}  // namespace quemira::game
