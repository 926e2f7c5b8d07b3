// Figures for the picture box: how long setting a picture takes and how much
// memory boxes need, each set against a yardstick measured in the same run.
// The fixtures are made with ImageMagick in a temporary folder, which takes a
// minute or so.

#include <malloc.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_data.h"
#include "ui/decode/decoders.h"
#include "ui/main_window.h"
#include "ui/manual_animation_clock.h"
#include "ui/picture_box.h"
#include "ui/stretch.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using quemira::core::ByteData;
using quemira::ui::PictureBox;

constexpr int photo_width = 6000;
constexpr int photo_height = 4000;
constexpr int gif_frames = 200;
constexpr int gif_width = 320;
constexpr int gif_height = 240;
constexpr int gif_delay_centiseconds = 4;

bool run(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void make(const fs::path& file, const std::vector<std::string>& convert_arguments) {
  std::fprintf(stderr, "making %s\n", file.filename().c_str());
  std::vector<std::string> command{"convert"};
  command.insert(command.end(), convert_arguments.begin(), convert_arguments.end());
  command.push_back(file.string());
  if (!run(command)) {
    std::fprintf(stderr, "picture_bench: convert could not make %s\n", file.c_str());
    std::exit(1);
  }
}

ByteData read_file(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median_seconds(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(seconds(work));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Runs the pieces of work in turn, round after round, so that a busy machine
// slows each of them alike and their ratio holds.
template <std::size_t count>
std::array<double, count> interleaved_medians(
    int rounds, const std::array<std::function<void()>, count>& works) {
  std::array<std::vector<double>, count> times;
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < count; ++i) times[i].push_back(seconds(works[i]));
  }
  std::array<double, count> medians;
  for (std::size_t i = 0; i < count; ++i) {
    std::sort(times[i].begin(), times[i].end());
    medians[i] = times[i][times[i].size() / 2];
  }
  return medians;
}

// Resident memory in bytes: "VmRSS" now, or "VmHWM" at its peak.
long long resident(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stoll(line.substr(line.find(':') + 1)) * 1024;
  }
  return -1;
}

// Starts the peak over from the present resident size.
void reset_peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double mib(long long bytes) { return bytes / 1048576.0; }

void row(const char* what, const std::string& figure) {
  std::printf("  %-58s %s\n", what, figure.c_str());
}

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

struct Fixtures {
  fs::path photo_jpeg, tiny_jpeg, photo_png, photo_bmp, animation_gif;
};

Fixtures make_fixtures(const fs::path& folder) {
  const std::string photo_size = std::to_string(photo_width) + "x" + std::to_string(photo_height);
  Fixtures f{folder / "photo.jpg", folder / "tiny.jpg", folder / "photo.png", folder / "photo.bmp",
             folder / "animation.gif"};
  make(f.photo_jpeg, {"-seed", "7", "-size", photo_size, "plasma:fractal", "-quality", "90"});
  make(f.tiny_jpeg, {"-size", "8x8", "xc:gray"});
  make(f.photo_png, {f.photo_jpeg.string()});
  make(f.photo_bmp, {f.photo_jpeg.string()});
  // Each frame turns the picture a little further; optimised layers give
  // partial frames with disposal methods, as animations on the web have.
  make(f.animation_gif, {"-seed",
                         "3",
                         "-size",
                         std::to_string(gif_width) + "x" + std::to_string(gif_height),
                         "plasma:fractal",
                         "-duplicate",
                         std::to_string(gif_frames - 1),
                         "-virtual-pixel",
                         "tile",
                         "-distort",
                         "SRT",
                         "%[fx:t*1.8]",
                         "+dither",
                         "-colors",
                         "64",
                         "-set",
                         "delay",
                         std::to_string(gif_delay_centiseconds),
                         "-layers",
                         "Optimize"});
  return f;
}

void jpeg_speed(const Fixtures& f) {
  const ByteData jpeg = read_file(f.photo_jpeg);
  PictureBox cell(quemira::ui::cell_inner_width, quemira::ui::cell_inner_height, quemira::ui::white,
                  true);
  const auto [ours, djpeg, djpeg_start] = interleaved_medians<3>(
      9, {[&] { cell.set_picture(jpeg); },
          [&] {
            run({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", f.photo_jpeg.string()});
          },
          [&] {
            run({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", f.tiny_jpeg.string()});
          }});
  double full_decode = 0;
  double full_stretch = 0;
  {
    std::optional<quemira::ui::decode::Bitmap> image;
    full_decode = median_seconds(
        3, [&] { image = quemira::ui::decode::decode_jpeg(jpeg, photo_width, photo_height); });
    quemira::ui::Surface surface{quemira::ui::cell_inner_width, quemira::ui::cell_inner_height, {}};
    full_stretch = median_seconds(3, [&] {
      quemira::ui::stretch(*image, quemira::ui::white, quemira::ui::resampling(), surface);
    });
  }
  const double full = full_decode + full_stretch;

  std::printf("(a) A %dx%d JPEG (%.1f MiB) set on a cell, median of 9 rounds\n", photo_width,
              photo_height, mib(static_cast<long long>(jpeg.size())));
  row("set_picture", format("%8.1f ms", ours * 1000));
  row("djpeg -scale 1/8 -outfile /dev/null, whole process", format("%8.1f ms", djpeg * 1000));
  row("  of which starting djpeg on an 8x8 JPEG", format("%8.1f ms", djpeg_start * 1000));
  row("full-size decode", format("%8.1f ms", full_decode * 1000));
  row("stretch of the full-size pixels to the cell", format("%8.1f ms", full_stretch * 1000));
  row("set_picture / djpeg (goal at most 1.2)", format("%8.2f", ours / djpeg));
  row("set_picture / djpeg less its start", format("%8.2f", ours / (djpeg - djpeg_start)));
  row("times faster than a full-size decode and stretch", format("%8.1f x", full / ours));
}

void board_memory(const Fixtures& f) {
  const long long file_size = static_cast<long long>(fs::file_size(f.photo_jpeg));
  reset_peak();
  const long long before = resident("VmRSS");
  quemira::ui::MainWindow window;
  const auto cells = window.cells();
  std::vector<PictureBox*> boxes(cells.begin(), cells.end());
  boxes.push_back(&window.图片框17);
  // As the board fill does: each file read, handed to its box, let go.
  for (PictureBox* box : boxes) box->set_picture(read_file(f.photo_jpeg));
  const long long peak = resident("VmHWM");
  const long long stored = file_size * static_cast<long long>(boxes.size());

  std::printf("(b) Peak resident memory while 17 boxes are set from %d-megapixel JPEGs\n",
              photo_width * photo_height / 1000000);
  row("resident before", format("%8.1f MiB", mib(before)));
  row("peak while setting", format("%8.1f MiB", mib(peak)));
  row("bytes the boxes store", format("%8.1f MiB", mib(stored)));
  row("peak - before - stored (goal at most 32 MiB)",
      format("%8.1f MiB", mib(peak - before - stored)));
}

void still_speed(const char* name, const fs::path& path) {
  const ByteData data = read_file(path);
  PictureBox cell(quemira::ui::cell_inner_width, quemira::ui::cell_inner_height, quemira::ui::white,
                  true);
  reset_peak();
  const long long before = resident("VmRSS");
  const double time = median_seconds(3, [&] { cell.set_picture(data); });
  const long long peak = resident("VmHWM");
  const std::string label = std::string(name) + " set_picture";
  row(label.c_str(), format("%8.1f ms", time * 1000));
  const std::string memory = std::string(name) + " peak memory above resident before";
  row(memory.c_str(), format("%8.1f MiB", mib(peak - before)));
}

void animation_memory(const Fixtures& f) {
  quemira::ui::ManualAnimationClock clock;
  PictureBox cell(quemira::ui::cell_inner_width, quemira::ui::cell_inner_height, quemira::ui::white,
                  true);
  const ByteData gif = read_file(f.animation_gif);
  cell.set_picture(gif);

  // Freed memory is reused, so the resident peak barely moves; the heap in
  // use after each frame shows what the animation holds.
  const std::size_t heap_before = mallinfo2().uordblks;
  std::size_t heap_most = heap_before;
  int frames = 1;
  cell.on_change([&] {
    ++frames;
    heap_most = std::max(heap_most, mallinfo2().uordblks);
  });
  reset_peak();
  const long long before = resident("VmRSS");
  const int loops = 2;
  const double time = seconds([&] {
    cell.paint();
    for (int ms = 0; ms < loops * gif_frames * gif_delay_centiseconds * 10; ms += 10) {
      clock.advance(10);
    }
  });
  const long long peak = resident("VmHWM");

  std::printf("    A %d-frame %dx%d GIF (%.1f MiB) played twice through in a cell\n", gif_frames,
              gif_width, gif_height, mib(static_cast<long long>(gif.size())));
  row("frames shown", format("%8.0f", frames));
  row("time per frame, read, compose and stretch", format("%8.2f ms", time * 1000 / frames));
  row("heap in use above before, most seen after a frame",
      format("%8.2f MiB", mib(static_cast<long long>(heap_most - heap_before))));
  row("canvas and one full frame, for scale",
      format("%8.2f MiB", mib(2LL * gif_width * gif_height * 4)));
  row("resident peak above before", format("%8.2f MiB", mib(peak - before)));
}

}  // namespace

int main() {
  char pattern[] = "/tmp/quemira-picture-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const fs::path folder = pattern;
  const Fixtures fixtures = make_fixtures(folder);

  std::printf("Picture box figures\n");
  jpeg_speed(fixtures);
  board_memory(fixtures);
  std::printf("(c) Other large pictures set on a cell, median of 3\n");
  row("decoded RGBA of a 6000x4000 picture, for scale",
      format("%8.1f MiB", mib(4LL * photo_width * photo_height)));
  still_speed("PNG 6000x4000", fixtures.photo_png);
  still_speed("BMP 6000x4000, 24 bits", fixtures.photo_bmp);
  animation_memory(fixtures);

  fs::remove_all(folder);
  return 0;
}
