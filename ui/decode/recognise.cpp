#include <array>

#include "ui/decode/decoders.h"

namespace quemira::ui::decode {

namespace {

using Sniff = bool (*)(Bytes head);

bool starts_with(Bytes head, std::initializer_list<std::uint8_t> prefix) {
  std::size_t i = 0;
  for (const auto byte : prefix) {
    if (head[i++] != byte) return false;
  }
  return true;
}

// Icons and cursors differ only in the type word; an image count of zero
// makes the file empty, so it is no picture at all.
bool icon_directory(Bytes head, std::uint8_t type) {
  const int count = head[4] | head[5] << 8;
  return starts_with(head, {0x00, 0x00, type, 0x00}) && count > 0;
}

struct Signature {
  Sniff matches;
  Format format;
};

// Tried in order; the first match decides, so the two-byte BMP and JPEG
// signatures shadow anything longer that shares them.
constexpr std::array<Signature, 8> signatures{{
    {[](Bytes h) {
       return starts_with(h, {0x42, 0x4D});
     },
     Format::bmp},
    {[](Bytes h) {
       return starts_with(h, {0xFF, 0xD8});
     },
     Format::jpeg},
    {[](Bytes h) {
       return starts_with(h, {0x89, 0x50, 0x4E, 0x47});
     },
     Format::png},
    {[](Bytes h) { return icon_directory(h, 0x01); }, Format::icon},
    {[](Bytes h) { return icon_directory(h, 0x02); }, Format::cursor},
    {[](Bytes h) {
       return starts_with(h, {0x47, 0x49, 0x46, 0x38}) && (h[4] == 0x37 || h[4] == 0x39) &&
              h[5] == 0x61;
     },
     Format::gif},
    // Version byte at most 5, one plane encoding (RLE), 8 bits per pixel.
    {[](Bytes h) { return h[0] == 0x0A && h[1] <= 5 && h[2] == 0x01 && h[3] == 0x08; },
     Format::pcx},
    {[](Bytes h) {
       return starts_with(h, {0x0A, 0x03, 0x01, 0x01});
     },
     Format::pcx},
}};

}  // namespace

Format recognise(Bytes data) {
  if (data.size() < 8) return Format::none;
  const Bytes head = data.first(8);
  for (const auto& signature : signatures) {
    if (signature.matches(head)) return signature.format;
  }
  return Format::none;
}

}  // namespace quemira::ui::decode
