// picture-render FILE WIDTH HEIGHT BACKGROUND OUT.png [MS]
//
// Writes what a picture box with that inner size and background (white or
// face) shows for the file's bytes; for a GIF, the frame on show MS
// milliseconds after the animation started. At the image's own size the
// stretch changes nothing, so this also shows a decoder's own output.

#include <png.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>

#include "core/byte_data.h"
#include "ui/manual_animation_clock.h"
#include "ui/picture_box.h"

namespace {

using quemira::ui::Rgb;

// Larger surfaces would only make the tool a way to exhaust memory.
constexpr int max_side = 16384;

std::optional<int> number(std::string_view text, int least, int most) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < least || value > most) return std::nullopt;
  return value;
}

std::optional<Rgb> background(std::string_view name) {
  if (name == "white") return quemira::ui::white;
  if (name == "face") return quemira::ui::button_face;
  return std::nullopt;
}

std::optional<quemira::core::ByteData> read_file(const char* path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return std::nullopt;
  quemira::core::ByteData bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool write_png(const char* path, const quemira::ui::Surface& surface) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width);
  image.height = static_cast<png_uint_32>(surface.height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path, 0, surface.rgb.data(), 0, nullptr) != 0;
}

int usage() {
  std::fputs(
      "usage: picture-render FILE WIDTH HEIGHT BACKGROUND OUT.png [MS]\n"
      "  WIDTH, HEIGHT  the box's inner size, 1 to 16384\n"
      "  BACKGROUND     white or face\n"
      "  MS             for a GIF, milliseconds into the animation (0 by default)\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 && argc != 7) return usage();
  const auto width = number(argv[2], 1, max_side);
  const auto height = number(argv[3], 1, max_side);
  const auto colour = background(argv[4]);
  const auto milliseconds =
      argc == 7 ? number(argv[6], 0, std::numeric_limits<int>::max()) : std::optional<int>(0);
  if (!width || !height || !colour || !milliseconds) return usage();

  const auto bytes = read_file(argv[1]);
  if (!bytes) {
    std::fprintf(stderr, "picture-render: cannot read %s\n", argv[1]);
    return 1;
  }

  quemira::ui::ManualAnimationClock clock;
  quemira::ui::PictureBox box(*width, *height, *colour, true);
  box.set_picture(*bytes);
  box.paint();
  clock.advance(*milliseconds);
  if (!write_png(argv[5], box.paint())) {
    std::fprintf(stderr, "picture-render: cannot write %s\n", argv[5]);
    return 1;
  }
  return 0;
}
