#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/decode/decoders.h"

namespace {

// A few bytes of run-length codes may rightly describe a picture of hundreds
// of megabytes, all of it black; such inputs only time the allocation, so
// the fuzzer leaves them out and spends its runs on the decoding paths.
bool claims_huge_picture(const std::uint8_t* data, std::size_t size) {
  if (size < 26) return false;
  auto i32 = [data](std::size_t at) {
    return static_cast<std::int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                     std::uint32_t{data[at + 3]} << 24);
  };
  return std::int64_t{i32(18)} * std::llabs(i32(22)) > (std::int64_t{1} << 18);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (claims_huge_picture(data, size)) return 0;
  quemira::ui::decode::decode_bmp({data, size});
  return 0;
}
