#pragma once

// Decoder tests compare our pixels with ImageMagick's: fixtures are written by
// `convert` into a fresh folder at test time, and ImageMagick's own RGBA
// decoding of each fixture is the expected result.

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ui/decode/bitmap.h"

namespace quemira::ui::decode::imagemagick {

// A temporary folder that lives as long as the object.
class Folder {
 public:
  Folder() {
    char pattern[] = "/tmp/quemira-decode-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~Folder() { std::filesystem::remove_all(path_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Quoted for the shell, so any file name or drawing command passes intact.
inline std::string shell_quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The command's whole standard output, or nothing when it exits with an error.
inline std::optional<std::string> run(const std::string& program,
                                      const std::vector<std::string>& arguments) {
  std::string command = program;
  for (const std::string& argument : arguments) command.append(" ").append(shell_quoted(argument));
  command.append(" 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  if (pclose(pipe) != 0) return std::nullopt;
  return output;
}

// Runs `convert` with these arguments; true when it succeeded.
inline bool convert(const std::vector<std::string>& arguments) {
  return run("convert", arguments).has_value();
}

inline std::vector<std::uint8_t> read_bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// A 37x23 picture: rows of odd length that no bit depth pads to four bytes by
// chance, a gradient of many colours and flat shapes with hard edges.
inline bool make_test_picture(const std::string& path) {
  return convert({"-size", "37x23", "gradient:red-blue", "-fill", "yellow", "-draw",
                  "circle 18,11 18,4", "-fill", "green", "-draw", "rectangle 2,2 8,20", path});
}

// A folder holding the test picture, where fixtures written from it land.
class TestPictures {
 public:
  TestPictures() : made_(make_test_picture(source())) {}

  bool made() const { return made_; }
  std::string source() const { return folder_ / "source.png"; }
  std::string path(const std::string& name) const { return folder_ / name; }

  // Runs `convert FROM OPTIONS... FORMAT:NAME`, FROM being the test picture
  // unless given, and gives the bytes written (none when convert fails).
  std::vector<std::uint8_t> write(const std::string& name, const std::vector<std::string>& options,
                                  const std::string& format = "",
                                  const std::string& from = "") const {
    std::vector<std::string> arguments{from.empty() ? source() : from};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back((format.empty() ? "" : format + ":") + path(name));
    if (!convert(arguments)) return {};
    return read_bytes(path(name));
  }

 private:
  Folder folder_;
  bool made_;
};

// ImageMagick's decoding of an image file as 8-bit RGBA, opaque formats with
// alpha 255. `image` may select one image of a multi-image file ("x.ico[1]").
inline std::optional<Bitmap> rgba(const std::string& image) {
  // One run prints the size on a line of its own, then the pixels.
  const auto output = run("convert", {image, "-depth", "8", "-print", "%w %h\n", "rgba:-"});
  if (!output) return std::nullopt;
  const std::size_t line_end = output->find('\n');
  if (line_end == std::string::npos) return std::nullopt;
  Bitmap bitmap;
  std::istringstream(output->substr(0, line_end)) >> bitmap.width >> bitmap.height;
  bitmap.rgba.assign(output->begin() + static_cast<std::ptrdiff_t>(line_end) + 1, output->end());
  if (bitmap.rgba.size() != static_cast<size_t>(bitmap.width) * bitmap.height * 4)
    return std::nullopt;
  return bitmap;
}

// Pixel-exact equality, naming the first pixel that differs.
inline testing::AssertionResult same_pixels(const std::optional<Bitmap>& ours,
                                            const std::optional<Bitmap>& expected) {
  if (!expected) return testing::AssertionFailure() << "ImageMagick could not decode the fixture";
  if (!ours) return testing::AssertionFailure() << "our decoder gave no image";
  if (ours->width != expected->width || ours->height != expected->height)
    return testing::AssertionFailure()
           << "size " << ours->width << "x" << ours->height << ", expected " << expected->width
           << "x" << expected->height;
  if (ours->rgba.size() != expected->rgba.size())
    return testing::AssertionFailure() << "pixel buffer of " << ours->rgba.size() << " bytes";
  for (size_t i = 0; i < expected->rgba.size(); i += 4) {
    for (size_t channel = 0; channel < 4; ++channel) {
      if (ours->rgba[i + channel] == expected->rgba[i + channel]) continue;
      const size_t pixel = i / 4;
      auto failure = testing::AssertionFailure();
      failure << "pixel (" << pixel % expected->width << ", " << pixel / expected->width << ") is";
      for (size_t c = 0; c < 4; ++c) failure << " " << int{ours->rgba[i + c]};
      failure << ", expected";
      for (size_t c = 0; c < 4; ++c) failure << " " << int{expected->rgba[i + c]};
      return failure;
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace quemira::ui::decode::imagemagick
