#include "library/refresh.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/platform.h"
#include "core/random.h"
#include "library/tests/temporary_tree.h"

namespace quemira::library {
namespace {

constexpr std::uint32_t fixed_tick = 4242;

// A window with its game state, a picture root in a temporary tree, and the
// platform replaced by seams that record what the refresh asks of it.
class Refresh : public testing::Test {
 protected:
  Refresh() : saved_platform_(core::platform()) {
    core::Platform& platform = core::platform();
    platform.tick_count = [] { return fixed_tick; };
    platform.message_box = [](const core::Text&, const core::Text&, core::BoxIcon) {
      ADD_FAILURE() << "a refresh shows no message";
    };
    platform.process_pending_events = [this] {
      ++pending_event_calls_;
      if (during_listing_) during_listing_();
    };
    platform.show_wait_cursor = [this](bool busy) { wait_cursor_.push_back(busy); };
    app::window_created(state_, window_);
  }
  ~Refresh() override { core::platform() = saved_platform_; }

  core::Text picture_root() const { return tree_.path("图片/"); }
  void refresh() { refresh_from(picture_root(), state_, window_); }

  std::vector<std::string> pictures() {
    std::vector<std::string> pictures;
    for (ui::PictureBox* cell : window_.cells()) {
      const core::ByteData data = cell->get_picture();
      pictures.emplace_back(data.begin(), data.end());
    }
    return pictures;
  }
  // The board as it should be: these pictures from cell 1 on, the rest empty.
  static std::vector<std::string> board(std::vector<std::string> pictures) {
    pictures.resize(16);
    return pictures;
  }

  // The line the next refresh will choose among `lines`, drawn from a copy of
  // the program's generator reseeded as the refresh will reseed it.
  static std::int32_t next_choice(std::int32_t lines) {
    core::RandomGenerator generator = core::random_generator();
    generator.reseed(fixed_tick);
    return generator.random_number(1, lines);
  }

  // Sets the window as it is in the middle of a turn.
  void play_a_turn() {
    for (ui::Label* selector : window_.selectors()) selector->show();
    window_.标签3.show();
    window_.按钮1.hide();
    window_.按钮3.show();
    window_.编辑框3.show();
    window_.编辑框3.set_text("B3");
    window_.编辑框2.set_text("C2");
    window_.图片框17.show();
    window_.图片框17.set_picture({'t'});
    for (ui::PictureBox* cell : window_.cells()) {
      cell->hide();
      cell->set_picture({'o', 'l', 'd'});
    }
    window_.标签1.hide();
    window_.标签2.hide();
  }

  bool question_view_reset() {
    bool reset = !window_.标签3.visible() && window_.按钮1.visible() && !window_.按钮3.visible() &&
                 !window_.编辑框3.visible() && window_.编辑框3.text().empty() &&
                 !window_.图片框17.visible();
    for (ui::Label* selector : window_.selectors()) reset = reset && !selector->visible();
    return reset;
  }
  bool board_shown() {
    bool shown = window_.标签1.visible() && window_.标签2.visible();
    for (ui::PictureBox* cell : window_.cells()) shown = shown && cell->visible();
    return shown;
  }

  TemporaryTree tree_;
  app::GameState state_;
  ui::MainWindow window_;
  int pending_event_calls_ = 0;
  std::function<void()> during_listing_;
  std::vector<bool> wait_cursor_;

 private:
  core::Platform saved_platform_;
};

TEST_F(Refresh, ListsEveryPictureFolderOnEveryRefreshAndChoosesAmongAllLines) {
  const std::map<core::Text, std::string> picture_of = {
      {"P", "P"}, {"风景", "Q"}, {".hidden", "H"}};
  tree_.make_file("图片/P/p.jpg", "P");
  tree_.make_file("图片/风景/q.png", "Q");
  tree_.make_file("图片/.hidden/h.gif", "H");
  tree_.make_file("图片/loose.jpg", "never shown");
  const std::vector<core::Text> folders = tree_.enumeration_order("图片", {"P", "风景", ".hidden"});
  const auto listed = static_cast<std::int32_t>(folders.size());

  core::Text field;
  for (std::int32_t round = 1; round <= 2; ++round) {
    for (const core::Text& folder : folders) field += picture_root() + folder + "\r\n";
    // Every line is a candidate: line k of the field names folder k of a listing.
    const std::int32_t line = next_choice(listed * round);
    refresh();
    EXPECT_EQ(window_.编辑框1.text(), field) << "after refresh " << round;
    EXPECT_EQ(pictures(), board({picture_of.at(folders[(line - 1) % listed])}))
        << "after refresh " << round;
  }
  // Once per entry the search gave, "." and ".." included.
  EXPECT_EQ(pending_event_calls_, 2 * 5);
  EXPECT_EQ(wait_cursor_, (std::vector<bool>{true, false, true, false}));
}

TEST_F(Refresh, DuringATurnDropsItBeforeListingAndShowsTheBoard) {
  tree_.make_file("图片/P/p.jpg", "P");
  play_a_turn();
  bool reset_before_listing = false;
  during_listing_ = [&] {
    reset_before_listing = pending_event_calls_ > 1 || question_view_reset();
  };
  refresh();
  EXPECT_TRUE(reset_before_listing);
  EXPECT_TRUE(question_view_reset());
  EXPECT_TRUE(board_shown());
  EXPECT_EQ(window_.编辑框2.text(), "C2");
  EXPECT_EQ(pictures(), board({"P"}));
}

TEST_F(Refresh, WithoutPictureFoldersLeavesAnEmptyBoardAndTheGeneratorAlone) {
  struct Case {
    const char* what;
    std::function<void(const TemporaryTree&)> make;
  };
  for (const Case& c : {Case{"no picture root", [](const TemporaryTree&) {}},
                        Case{"files only", [](const TemporaryTree& tree) {
                               tree.make_file("图片/a.jpg");
                               tree.make_file("图片/b.png");
                             }}}) {
    c.make(tree_);
    play_a_turn();
    const std::uint32_t generator_before = core::random_generator().state();
    refresh();
    EXPECT_EQ(core::random_generator().state(), generator_before) << c.what;
    EXPECT_EQ(window_.编辑框1.text(), "") << c.what;
    EXPECT_EQ(pictures(), board({})) << c.what;
    EXPECT_TRUE(board_shown()) << c.what;
    EXPECT_TRUE(question_view_reset()) << c.what;
  }
}

TEST_F(Refresh, CollectsByPatternThenDepthFirstSkippingDotSubfolders) {
  // A picture folder whose own name begins with a dot is still searched.
  const core::Text folder = "图片/.相册/";
  for (const char* name : {"g1.gif", "g2.gif", "g3.gif", "p.png", "e.jpeg", "U.JPG", ".h.bmp",
                           "sub/s1.jpg", "sub/s2.jpg", ".skip/k.jpg", "dir.jpg/in.png"})
    tree_.make_file(folder + name);
  std::vector<std::string> expected = {"图片/.相册/U.JPG"};
  for (const core::Text& subfolder : tree_.enumeration_order(folder, {"sub", "dir.jpg"}))
    if (subfolder == "sub")
      for (const core::Text& name : tree_.enumeration_order(folder + "sub", {"s1.jpg", "s2.jpg"}))
        expected.push_back(folder + "sub/" + name);
  for (const char* path :
       {"图片/.相册/.h.bmp", "图片/.相册/p.png", "图片/.相册/dir.jpg/in.png", "图片/.相册/e.jpeg"})
    expected.push_back(path);
  for (const core::Text& name : tree_.enumeration_order(folder, {"g1.gif", "g2.gif", "g3.gif"}))
    expected.push_back(folder + name);

  refresh();
  EXPECT_EQ(pictures(), board(expected));
  EXPECT_EQ(state_.image_list.count(), 0);
}

// The files the refresh opened in one folder, in the order it opened them.
class OpenedFiles {
 public:
  explicit OpenedFiles(const std::filesystem::path& folder)
      : watch_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(watch_, folder.c_str(), IN_OPEN);
  }
  ~OpenedFiles() { close(watch_); }
  bool works() const { return watch_ >= 0; }

  std::vector<core::Text> names() const {
    std::vector<core::Text> names;
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t length;
    while ((length = read(watch_, buffer, sizeof buffer)) > 0)
      for (char* at = buffer; at < buffer + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        // A nameless event is the folder itself being read.
        if (event->len > 0) names.push_back(*core::text_from_utf8(event->name));
        at += sizeof(inotify_event) + event->len;
      }
    return names;
  }

 private:
  int watch_;
};

TEST_F(Refresh, FillsSixteenCellsAndNeverOpensTheRest) {
  std::vector<core::Text> jpgs;
  for (int i = 1; i <= 20; ++i) jpgs.push_back(core::concat("j", core::int_to_text(i), ".jpg"));
  for (const core::Text& name : jpgs) tree_.make_file("图片/P/" + name);
  for (const char* name : {"a.png", "b.png", "c.png"})
    tree_.make_file(core::concat("图片/P/", name));
  const OpenedFiles opened(tree_.on_disk("图片/P"));
  ASSERT_TRUE(opened.works());

  refresh();
  std::vector<core::Text> first_sixteen = tree_.enumeration_order("图片/P", jpgs);
  first_sixteen.resize(16);
  EXPECT_EQ(opened.names(), first_sixteen);
  std::vector<std::string> expected;
  for (const core::Text& name : first_sixteen) expected.push_back("图片/P/" + name);
  EXPECT_EQ(pictures(), expected);
}

TEST_F(Refresh, AFileThatCannotBeReadLeavesItsOwnCellEmpty) {
  // Links into a store outside the picture root; removing a link's target
  // leaves a name that is listed but cannot be read, without moving it.
  tree_.make_folder("图片/P");
  std::vector<core::Text> names;
  for (int i = 1; i <= 5; ++i) {
    const core::Text name = core::concat(core::int_to_text(i), ".jpg");
    names.push_back(name);
    tree_.make_file("store/" + name);
    tree_.make_link("图片/P/" + name, tree_.path("store/" + name));
  }
  const std::vector<core::Text> order = tree_.enumeration_order("图片/P", names);
  std::filesystem::remove(tree_.on_disk("store/" + order[2]));

  refresh();
  EXPECT_EQ(pictures(), board({"store/" + order[0], "store/" + order[1], "", "store/" + order[3],
                               "store/" + order[4]}));
}

TEST_F(Refresh, LinksBackUpTheTreeAreNotFollowedButOtherLinksAre) {
  tree_.make_file("图片/P/a.jpg", "a");
  tree_.make_file("图片/P/sub/b.jpg", "b");
  tree_.make_link("图片/P/sub/up", "..");
  tree_.make_link("图片/P/sub/self", ".");
  // A second way into sub, beside it rather than above it: walked again.
  tree_.make_link("图片/P/alias", "sub");
  refresh();
  EXPECT_EQ(pictures(), board({"a", "b", "b"}));
}

TEST_F(Refresh, ReadsFilesWhateverTheirNames) {
  tree_.make_file("图片/风景/山.jpg", "mountain");
  // Beyond code page 936, yet GB18030 still names it.
  tree_.make_file(core::concat("图片/风景/", *core::text_from_utf8("\xF0\x9F\x98\x80"), ".png"),
                  "smile");
  refresh();
  EXPECT_EQ(window_.编辑框1.text(), picture_root() + "风景\r\n");
  EXPECT_EQ(pictures(), board({"mountain", "smile"}));
}

TEST_F(Refresh, NestedInAnotherRefreshsListingRunsToTheEndFirst) {
  tree_.make_file("图片/P/p.jpg", "P");
  bool nested = false;
  during_listing_ = [&] {
    if (std::exchange(nested, true)) return;
    refresh();
    EXPECT_EQ(window_.编辑框1.text(), picture_root() + "P\r\n");
    EXPECT_EQ(pictures(), board({"P"}));
  };
  refresh();
  EXPECT_EQ(window_.编辑框1.text(), picture_root() + "P\r\n" + picture_root() + "P\r\n");
  EXPECT_EQ(pictures(), board({"P"}));
  EXPECT_EQ(state_.image_list.count(), 0);
  EXPECT_EQ(pending_event_calls_, 2 * 3);
  EXPECT_EQ(wait_cursor_, (std::vector<bool>{true, true, false, false}));
}

TEST_F(Refresh, StopsWhenTheWindowIsClosedDuringTheListing) {
  tree_.make_file("图片/P/p.jpg", "P");
  tree_.make_file("图片/Q/q.jpg", "Q");
  window_.图片框1.set_picture({'o', 'l', 'd'});
  const std::uint32_t generator_before = core::random_generator().state();
  during_listing_ = [&] { window_.mark_closed(); };
  refresh();
  EXPECT_EQ(pending_event_calls_, 1);
  EXPECT_EQ(window_.编辑框1.text(), "");
  EXPECT_EQ(pictures(), board({"old"}));
  EXPECT_EQ(core::random_generator().state(), generator_before);
  EXPECT_EQ(wait_cursor_, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace quemira::library
