#include <gtest/gtest.h>

#include "ui/decode/decoders.h"
#include "ui/decode/tests/imagemagick.h"

namespace quemira::ui::decode {
namespace {

namespace im = imagemagick;

struct Fixture {
  const char* what;
  std::vector<std::string> convert_arguments;
  const char* format;
};

// ImageMagick cuts 16-bit samples to 8 bits by truncation, libpng rounds;
// the expected pixels are ImageMagick's 16-bit decoding, rounded. Samples
// of 8 bits come through unchanged.
std::optional<Bitmap> rounded_to_8_bits(const std::string& path) {
  auto bitmap = im::rgba(path);
  const auto wide = im::run("convert", {path, "-depth", "16", "-endian", "LSB", "rgba:-"});
  if (!bitmap || !wide || wide->size() != 2 * bitmap->rgba.size()) return std::nullopt;
  for (std::size_t i = 0; i < bitmap->rgba.size(); ++i) {
    const unsigned sample = static_cast<std::uint8_t>((*wide)[2 * i]) |
                            static_cast<std::uint8_t>((*wide)[2 * i + 1]) << 8;
    bitmap->rgba[i] = static_cast<std::uint8_t>((2 * sample + 257) / 514);
  }
  return bitmap;
}

// Gradients touch most levels a channel can have, so a wrong scale from 16
// to 8 bits, a gamma step or premultiplied alpha shows in some pixel.
TEST(DecodePng, MatchesImageMagickPixelForPixel) {
  const std::vector<Fixture> fixtures = {
      {"colour with alpha",
       {"-size", "13x300", "gradient:rgba(255,0,0,1)-rgba(0,0,255,0.1)"},
       "PNG32"},
      {"fully transparent background",
       {"-size", "6x6", "xc:rgba(20,200,40,0)", "-fill", "rgba(200,10,10,0.6)", "-draw",
        "rectangle 2,2 5,5"},
       "PNG32"},
      {"greyscale",
       {"-size", "9x300", "gradient:white-black", "-type", "Grayscale", "-depth", "8"},
       "PNG"},
      {"greyscale with alpha",
       {"-size", "9x300", "gradient:rgba(0,0,0,1)-rgba(255,255,255,0.2)", "-type",
        "GrayscaleAlpha"},
       "PNG"},
      {"palette with a transparent entry",
       {"-size", "8x8", "xc:none", "-fill", "red", "-draw", "rectangle 0,0 3,7", "-fill",
        "rgb(10,20,30)", "-draw", "point 6,6"},
       "PNG8"},
      {"16 bits per channel",
       {"-size", "5x400", "gradient:rgb(255,128,0)-rgb(0,64,255)", "-depth", "16"},
       "PNG48"},
      {"16 bits with no gamma chunk",
       {"-size", "5x400", "gradient:rgb(255,128,0)-rgb(0,64,255)", "-depth", "16", "-define",
        "png:exclude-chunks=gAMA,cHRM,sRGB"},
       "PNG48"},
      {"16 bits with alpha",
       {"-size", "5x400", "gradient:rgba(255,128,0,1)-rgba(0,64,255,0.3)", "-depth", "16"},
       "PNG64"},
  };
  im::Folder folder;
  for (const auto& fixture : fixtures) {
    SCOPED_TRACE(fixture.what);
    const std::string path = folder / "fixture.png";
    auto arguments = fixture.convert_arguments;
    arguments.push_back(std::string(fixture.format) + ":" + path);
    ASSERT_TRUE(im::convert(arguments));
    EXPECT_TRUE(im::same_pixels(decode_png(im::read_bytes(path)), rounded_to_8_bits(path)));
  }
}

// Damage anywhere gives no image or a whole one, never a crash, and libpng's
// complaints stay inside the decoder.
TEST(DecodePng, SurvivesEveryCutAndEveryFlippedByteSilently) {
  im::Folder folder;
  const std::string path = folder / "small.png";
  ASSERT_TRUE(im::convert({"-size", "7x5", "gradient:red-rgba(0,0,255,0.5)", "PNG32:" + path}));
  const auto bytes = im::read_bytes(path);
  const auto whole = decode_png(bytes);
  ASSERT_TRUE(whole);

  testing::internal::CaptureStderr();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const auto cut = decode_png(Bytes(bytes).first(size));
    if (cut) {
      EXPECT_EQ(cut->rgba, whole->rgba) << "cut to " << size << " bytes";
    }
  }
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto damaged = bytes;
    damaged[i] ^= 0xFF;
    const auto result = decode_png(damaged);
    if (result) {
      EXPECT_EQ(result->rgba.size(), std::size_t{4} * result->width * result->height);
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace quemira::ui::decode
