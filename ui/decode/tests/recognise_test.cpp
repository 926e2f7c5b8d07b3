#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ui/decode/decoders.h"

namespace quemira::ui::decode {
namespace {

struct Case {
  const char* what;
  std::vector<std::uint8_t> bytes;
  Format expected;
};

// Eight bytes are enough to decide; the padding after each prefix shows
// that nothing beyond the signature matters.
std::vector<std::uint8_t> padded(std::vector<std::uint8_t> prefix) {
  prefix.resize(std::max<std::size_t>(prefix.size(), 8), 0x00);
  return prefix;
}

TEST(Recognise, DecidesByTheFirstBytesInTableOrder) {
  const std::vector<Case> cases = {
      {"empty", {}, Format::none},
      {"BM", padded({0x42, 0x4D}), Format::bmp},
      {"JPEG", padded({0xFF, 0xD8, 0xFF, 0xE0}), Format::jpeg},
      {"JPEG of seven bytes", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A}, Format::none},
      // As read from a file named photo.jpg: only the bytes count.
      {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, Format::png},
      {"icon", padded({0x00, 0x00, 0x01, 0x00, 0x01, 0x00}), Format::icon},
      {"icon with 256 images", padded({0x00, 0x00, 0x01, 0x00, 0x00, 0x01}), Format::icon},
      {"icon with no image", padded({0x00, 0x00, 0x01, 0x00, 0x00, 0x00}), Format::none},
      {"cursor", padded({0x00, 0x00, 0x02, 0x00, 0x02, 0x00}), Format::cursor},
      {"cursor with no image", padded({0x00, 0x00, 0x02, 0x00, 0x00, 0x00}), Format::none},
      {"GIF87a", padded({'G', 'I', 'F', '8', '7', 'a'}), Format::gif},
      {"GIF89a", padded({'G', 'I', 'F', '8', '9', 'a'}), Format::gif},
      {"GIF88a", padded({'G', 'I', 'F', '8', '8', 'a'}), Format::none},
      {"GIF89b", padded({'G', 'I', 'F', '8', '9', 'b'}), Format::none},
      {"PCX 8 bits, version 5", padded({0x0A, 0x05, 0x01, 0x08}), Format::pcx},
      {"PCX 8 bits, version 0", padded({0x0A, 0x00, 0x01, 0x08}), Format::pcx},
      {"PCX 8 bits, version 6", padded({0x0A, 0x06, 0x01, 0x08}), Format::none},
      {"PCX 1 bit, version 3", padded({0x0A, 0x03, 0x01, 0x01}), Format::pcx},
      {"PCX 1 bit, version 5", padded({0x0A, 0x05, 0x01, 0x01}), Format::none},
      {"PCX 4 bits", padded({0x0A, 0x05, 0x01, 0x04}), Format::none},
      {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, Format::none},
  };
  for (const auto& c : cases) EXPECT_EQ(recognise(c.bytes), c.expected) << c.what;
}

}  // namespace
}  // namespace quemira::ui::decode
