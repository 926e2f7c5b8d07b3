// Times a refresh of a large picture folder against the cost of what it
// cannot avoid: one `find` pass over the same tree when every folder must be
// read, reading sixteen files when the first folder already fills the board.
// Caches are warmed first and each figure is the median of several runs.

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "core/encoding.h"
#include "core/file_read.h"
#include "library/refresh.h"
#include "ui/main_window.h"

namespace {

using namespace quemira;
namespace fs = std::filesystem;

constexpr int folder_count = 2000;
constexpr int files_per_folder = 50;
constexpr std::size_t jpegs_in_tree = 10;  // fewer than a board, so the walk cannot stop early
constexpr int warm_up_runs = 2;
constexpr int measured_runs = 7;

// The program's texts are code page 936; the file system holds UTF-8.
fs::path on_disk(const core::Text& name) { return core::utf8_from_text(name); }

double median_milliseconds(const std::function<void()>& run) {
  for (int i = 0; i < warm_up_runs; ++i) run();
  std::vector<double> times;
  for (int i = 0; i < measured_runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void write_file(const fs::path& path, const std::string& bytes) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0 || write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    std::perror(path.c_str());
    std::exit(1);
  }
  close(file);
}

// Folder i hangs below folder (i - 1) / 8, so the tree is a few levels deep
// and every level has siblings; the files are anything but JPEGs, a handful
// of deep ones aside.
void build_tree(const fs::path& top) {
  const std::vector<std::string> endings{".png", ".gif", ".bmp", ".txt", ".dat"};
  std::vector<fs::path> folders{top};
  for (int i = 1; i < folder_count; ++i)
    folders.push_back(folders[static_cast<std::size_t>((i - 1) / 8)] /
                      on_disk(core::concat("子", std::to_string(i))));
  for (std::size_t i = 0; i < folders.size(); ++i) {
    fs::create_directories(folders[i]);
    for (int f = 0; f < files_per_folder; ++f) {
      // The last folders made are among the deepest.
      const bool jpeg = f == 0 && i >= folders.size() - jpegs_in_tree;
      const core::Text name =
          core::concat("图", std::to_string(f),
                       jpeg ? ".jpg" : endings[static_cast<std::size_t>(f) % endings.size()]);
      write_file(folders[i] / on_disk(name), std::string(64, static_cast<char>('a' + f % 26)));
    }
  }
}

double find_milliseconds(const fs::path& top) {
  return median_milliseconds([&] {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string path = top.string();
    char* argv[] = {const_cast<char*>("find"), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "find", &actions, nullptr, argv, environ) != 0) std::exit(1);
    int status = 0;
    waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
  });
}

struct RefreshFigures {
  double milliseconds;
  int cells_filled;
};

RefreshFigures time_refresh(const core::Text& picture_root) {
  app::GameState state;
  ui::MainWindow window;
  app::window_created(state, window);
  const double milliseconds =
      median_milliseconds([&] { library::refresh_from(picture_root, state, window); });
  int filled = 0;
  for (ui::PictureBox* cell : window.cells()) filled += !cell->get_picture().empty();
  return {milliseconds, filled};
}

void print_row(const char* what, const RefreshFigures& refresh, const char* reference_name,
               double reference) {
  std::printf("%-36s %10.2f %6d   %-17s %9.2f   %6.2fx\n", what, refresh.milliseconds,
              refresh.cells_filled, reference_name, reference, refresh.milliseconds / reference);
}

}  // namespace

int main() {
  char pattern[] = "/tmp/quemira-bench-XXXXXX";
  const fs::path top = mkdtemp(pattern);
  const fs::path folder = top / on_disk("图片") / on_disk("大");
  const core::Text picture_root = core::concat(*core::text_from_utf8(top.string()), "/图片/");

  std::printf("building %d files in %d folders under %s ...\n", folder_count * files_per_folder,
              folder_count, top.c_str());
  build_tree(folder);

  std::printf("\n%-36s %10s %6s   %-17s %9s   %7s\n", "case", "refresh ms", "cells", "reference",
              "ms", "ratio");
  const RefreshFigures whole_tree = time_refresh(picture_root);
  print_row("whole tree walked (no early stop)", whole_tree, "find", find_milliseconds(folder));

  std::vector<core::Text> top_jpegs;
  for (int i = 1; i <= 16; ++i) {
    const fs::path path = folder / on_disk(core::concat("顶", std::to_string(i), ".jpg"));
    write_file(path, std::string(64 * 1024, static_cast<char>(i)));
    top_jpegs.push_back(*core::text_from_utf8(path.string()));
  }
  const double read_sixteen = median_milliseconds([&] {
    for (const core::Text& path : top_jpegs) core::read_whole_file(path);
  });
  // The part of a refresh that no walk can save: the board takes the files.
  ui::MainWindow board;
  const double fill_sixteen = median_milliseconds([&] {
    for (std::size_t k = 0; k < top_jpegs.size(); ++k)
      board.cells()[k]->set_picture(core::read_whole_file(top_jpegs[k]));
  });
  const RefreshFigures top_of_tree = time_refresh(picture_root);
  print_row("sixteen 64 KiB JPEGs at the top", top_of_tree, "reading 16 files", read_sixteen);
  print_row("", top_of_tree, "...into 16 cells", fill_sixteen);

  fs::remove_all(top);
  return 0;
}
