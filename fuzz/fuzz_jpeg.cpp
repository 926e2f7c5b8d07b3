#include <cstddef>
#include <cstdint>

#include "ui/decode/decoders.h"

// A cell's size, where the scaled decode runs, and a size no image reaches,
// where every pixel is decoded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quemira::ui::decode::decode_jpeg({data, size}, 113, 128);
  quemira::ui::decode::decode_jpeg({data, size}, 1 << 16, 1 << 16);
  return 0;
}
