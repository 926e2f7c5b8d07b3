#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/decode/decoders.h"
#include "ui/decode/tests/imagemagick.h"

namespace quemira::ui::decode {
namespace {

namespace im = imagemagick;

// Equal sizes and no channel further apart than the tolerance.
testing::AssertionResult close_pixels(const std::optional<Bitmap>& ours,
                                      const std::optional<Bitmap>& expected, int tolerance) {
  if (!expected) return testing::AssertionFailure() << "ImageMagick could not decode the fixture";
  if (!ours) return testing::AssertionFailure() << "our decoder gave no image";
  if (ours->width != expected->width || ours->height != expected->height) {
    return testing::AssertionFailure()
           << "size " << ours->width << "x" << ours->height << ", expected " << expected->width
           << "x" << expected->height;
  }
  for (std::size_t i = 0; i < expected->rgba.size(); ++i) {
    if (std::abs(ours->rgba[i] - expected->rgba[i]) > tolerance) {
      return testing::AssertionFailure()
             << "channel " << i % 4 << " of pixel " << i / 4 << " is " << int{ours->rgba[i]}
             << ", expected " << int{expected->rgba[i]};
    }
  }
  return testing::AssertionSuccess();
}

struct Fixture {
  const char* what;
  std::vector<std::string> convert_options;
  int tolerance;
};

// ImageMagick reads JPEG through the same library, so colour and grey agree
// exactly; for CMYK it does its own conversion to RGB, rounding differently.
TEST(DecodeJpeg, MatchesImageMagickAtFullSize) {
  const std::vector<Fixture> fixtures = {
      {"colour", {}, 0},
      {"colour, progressive", {"-interlace", "JPEG"}, 0},
      {"colour, no chroma subsampling", {"-sampling-factor", "1x1"}, 0},
      {"greyscale", {"-colorspace", "Gray", "-type", "Grayscale"}, 0},
      {"CMYK", {"-colorspace", "CMYK"}, 1},
  };
  im::Folder folder;
  ASSERT_TRUE(im::make_test_picture(folder / "source.png"));
  for (const auto& fixture : fixtures) {
    SCOPED_TRACE(fixture.what);
    const std::string path = folder / "fixture.jpg";
    std::vector<std::string> arguments{folder / "source.png"};
    arguments.insert(arguments.end(), fixture.convert_options.begin(),
                     fixture.convert_options.end());
    arguments.push_back(path);
    ASSERT_TRUE(im::convert(arguments));
    const auto expected = im::rgba(path);
    ASSERT_TRUE(expected);
    EXPECT_TRUE(close_pixels(decode_jpeg(im::read_bytes(path), expected->width, expected->height),
                             expected, fixture.tolerance));
  }
}

// A flat grey JPEG of any size, made in a blink by cjpeg from a PGM.
std::vector<std::uint8_t> flat_jpeg(const im::Folder& folder, int width, int height) {
  const std::string pgm = folder / "flat.pgm";
  std::vector<std::uint8_t> bytes;
  const std::string header =
      "P5 " + std::to_string(width) + " " + std::to_string(height) + " 255\n";
  bytes.assign(header.begin(), header.end());
  bytes.resize(bytes.size() + static_cast<std::size_t>(width) * height, 0x80);
  im::write_bytes(pgm, bytes);
  const auto jpeg = im::run("cjpeg", {"-grayscale", pgm});
  if (!jpeg) return {};
  return {jpeg->begin(), jpeg->end()};
}

TEST(DecodeJpeg, DecodesAtTheSmallestScaleThatCoversTheWantedSize) {
  struct Case {
    int width, height, wanted_width, wanted_height, expected_width, expected_height;
  };
  const std::vector<Case> cases = {
      {6000, 4000, 113, 128, 750, 500},      // a cell: 1/8
      {6000, 4000, 230, 246, 750, 500},      // the target box: still 1/8
      {6000, 4000, 751, 500, 1500, 1000},    // one pixel too wide for 1/8
      {6000, 4000, 6000, 4000, 6000, 4000},  // exactly the image
      {1001, 801, 113, 100, 126, 101},       // 1/8, sizes rounded up
      {1000, 800, 113, 128, 250, 200},       // 1/8 is too low by 28 rows
      {1000, 800, 230, 246, 375, 300},       // 3/8
      {100, 90, 113, 128, 100, 90},          // smaller than wanted: full size
      {100, 90, 7000, 1, 100, 90},
      {100, 90, 0, 0, 13, 12},  // nothing wanted: the smallest scale
  };
  im::Folder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " wanted " +
                 std::to_string(c.wanted_width) + "x" + std::to_string(c.wanted_height));
    const auto bitmap =
        decode_jpeg(flat_jpeg(folder, c.width, c.height), c.wanted_width, c.wanted_height);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width, c.expected_width);
    EXPECT_EQ(bitmap->height, c.expected_height);
    EXPECT_EQ(bitmap->rgba.size(), std::size_t{4} * bitmap->width * bitmap->height);
    EXPECT_EQ((std::vector<std::uint8_t>(bitmap->rgba.begin(), bitmap->rgba.begin() + 4)),
              (std::vector<std::uint8_t>{0x80, 0x80, 0x80, 0xFF}));
  }
}

// A cut anywhere before the end of the compressed data leaves pixels that
// libjpeg would invent, so it is no image; only the end marker may be
// missing. Nothing of libjpeg's complaints reaches the terminal.
TEST(DecodeJpeg, SurvivesEveryCutAndEveryFlippedByteSilently) {
  im::Folder folder;
  const std::string path = folder / "small.jpg";
  ASSERT_TRUE(im::convert({"-size", "19x13", "gradient:red-blue", path}));
  const auto bytes = im::read_bytes(path);
  const auto whole = decode_jpeg(bytes, 19, 13);
  ASSERT_TRUE(whole);

  testing::internal::CaptureStderr();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const auto cut = decode_jpeg(Bytes(bytes).first(size), 19, 13);
    if (size < bytes.size() - 2) {
      EXPECT_FALSE(cut) << "cut to " << size << " of " << bytes.size() << " bytes";
    } else {
      EXPECT_TRUE(cut && cut->rgba == whole->rgba) << "cut to " << size << " bytes";
    }
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto damaged = bytes;
    damaged[i] ^= 0xFF;
    const auto result = decode_jpeg(damaged, 19, 13);
    if (result) {
      EXPECT_EQ(result->rgba.size(), std::size_t{4} * result->width * result->height);
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// Where the first scan (its SOS segment and compressed data) lies in a JPEG.
struct Span {
  std::size_t begin = 0, end = 0;
};
Span first_scan(const std::vector<std::uint8_t>& jpeg) {
  std::size_t at = 2;  // past the start-of-image marker
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
  }
  Span scan{at, at + 2 + (jpeg.at(at + 2) << 8 | jpeg.at(at + 3))};
  // Compressed data runs to the next marker that is neither a stuffed zero
  // nor a restart marker.
  while (scan.end + 1 < jpeg.size() &&
         !(jpeg[scan.end] == 0xFF && jpeg[scan.end + 1] != 0x00 &&
           (jpeg[scan.end + 1] < 0xD0 || jpeg[scan.end + 1] > 0xD7))) {
    ++scan.end;
  }
  return scan;
}

// The same copy of a progressive file's first scan again and again: each
// repeat sets the same coefficients, so a few change nothing, and thousands
// are refused before they cost much.
TEST(DecodeJpeg, BoundsTheNumberOfScans) {
  im::Folder folder;
  const std::string path = folder / "progressive.jpg";
  ASSERT_TRUE(im::make_test_picture(folder / "source.png"));
  ASSERT_TRUE(im::convert({folder / "source.png", "-interlace", "JPEG", path}));
  const auto bytes = im::read_bytes(path);
  const auto original = decode_jpeg(bytes, 37, 23);
  ASSERT_TRUE(original);

  const Span scan = first_scan(bytes);
  const auto repeated = [&](int copies) {
    std::vector<std::uint8_t> jpeg(bytes.begin(), bytes.begin() + scan.end);
    for (int i = 0; i < copies; ++i) {
      jpeg.insert(jpeg.end(), bytes.begin() + scan.begin, bytes.begin() + scan.end);
    }
    jpeg.insert(jpeg.end(), bytes.begin() + scan.end, bytes.end());
    return jpeg;
  };
  const auto few = decode_jpeg(repeated(100), 37, 23);
  ASSERT_TRUE(few);
  EXPECT_EQ(few->rgba, original->rgba);
  EXPECT_FALSE(decode_jpeg(repeated(5000), 37, 23));
}

}  // namespace
}  // namespace quemira::ui::decode
