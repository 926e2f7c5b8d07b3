#include <cstddef>
#include <cstdint>

#include "ui/decode/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quemira::ui::decode::decode_icon({data, size});
  return 0;
}
