#pragma once

#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Drives the real program on an X display the way a player would: xdotool
// clicks and keys, ImageMagick screenshots read back as pixels.
namespace quemira::desktop {

namespace fs = std::filesystem;

// What a shell command printed, without its last line break.
inline std::string output_of(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

inline void settle(int milliseconds = 300) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The id of a shown window with exactly this caption, waiting up to the
// time; xdotool's own name search is a regular expression that does not
// take UTF-8, so captions are compared here.
inline std::string window_named(const std::string& caption, int seconds = 10) {
  for (int i = 0; i < seconds * 10; ++i) {
    const std::string ids = output_of("xdotool search --onlyvisible --name .");
    std::size_t start = 0;
    while (start < ids.size()) {
      std::size_t end = ids.find('\n', start);
      if (end == std::string::npos) end = ids.size();
      const std::string id = ids.substr(start, end - start);
      if (output_of("xdotool getwindowname " + id) == caption) return id;
      start = end + 1;
    }
    settle(100);
  }
  return {};
}

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

struct Screenshot {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  Rgb at(int x, int y) const {
    const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
  }
  // How many pixels of the rectangle have exactly this colour.
  int count(int x, int y, int w, int h, Rgb colour) const {
    int n = 0;
    for (int row = y; row < y + h; ++row)
      for (int column = x; column < x + w; ++column) n += at(column, row) == colour;
    return n;
  }
};

inline std::optional<Screenshot> read_png(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Screenshot shot{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  shot.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, shot.rgb.data(), 0, nullptr)) return std::nullopt;
  return shot;
}

// A folder of its own for one game, removed afterwards.
struct TempFolder {
  TempFolder() {
    char pattern[] = "/tmp/quemira-game-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempFolder() { fs::remove_all(path); }
  fs::path path;
};

// One run of the program, started from a folder of its own, on $DISPLAY.
class Game {
 public:
  // Copies the executable into `folder`, so that the folder's 图片/ is the
  // one it plays from, and starts it.
  Game(const fs::path& executable, const fs::path& folder) {
    const fs::path copy = folder / "quemira";
    fs::copy_file(executable, copy, fs::copy_options::overwrite_existing);
    char* argv[] = {const_cast<char*>(copy.c_str()), nullptr};
    posix_spawn(&pid_, copy.c_str(), nullptr, nullptr, argv, environ);
    window_ = output_of("timeout 20 xdotool search --sync --onlyvisible --name '^Quemira' | head -1");
    settle(500);
  }
  ~Game() {
    if (pid_ > 0 && !exit_code_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool has_window() const { return !window_.empty(); }
  std::string caption() const { return output_of("xdotool getwindowname " + window_); }

  Screenshot screenshot(const std::string& name = "window") const {
    const std::string path = "/tmp/quemira-e2e-" + std::to_string(pid_) + "-" + name + ".png";
    std::system(("import -window " + window_ + " " + path).c_str());
    auto shot = read_png(path);
    return shot.value_or(Screenshot{});
  }

  // Window-relative places, as the controls are laid out.
  void click(int x, int y, int repeat = 1) const {
    std::system(("xdotool mousemove --window " + window_ + " " + std::to_string(x) + " " +
                 std::to_string(y) + " click --repeat " + std::to_string(repeat) +
                 " --delay 80 1")
                    .c_str());
    settle();
  }
  void double_click(int x, int y) const { click(x, y, 2); }

  // Keys go to whichever window has the focus, as a player's would.
  void key(const std::string& name) const {
    std::system(("xdotool key " + name).c_str());
    settle();
  }
  void focus() const { std::system(("xdotool windowfocus --sync " + window_).c_str()); }

  // The exit code once the program has ended within the time, else nothing.
  std::optional<int> wait_for_exit(int seconds = 10) {
    for (int i = 0; i < seconds * 10 && !exit_code_; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      else
        settle(100);
    }
    return exit_code_;
  }

 private:
  pid_t pid_ = -1;
  std::string window_;
  std::optional<int> exit_code_;
};

}  // namespace quemira::desktop
