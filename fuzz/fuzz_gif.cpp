#include <cstddef>
#include <cstdint>

#include "fuzz/gif_playback.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  play_gif_twice({data, size});
  return 0;
}
