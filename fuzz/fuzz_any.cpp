#include <cstddef>
#include <cstdint>

#include "fuzz/gif_playback.h"
#include "ui/decode/decoders.h"

using namespace quemira::ui::decode;

// Arbitrary bytes through recognition and the decoder it picks, the way a
// cell takes a picture: JPEG at the cell's size, a GIF played round twice.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes{data, size};
  switch (recognise(bytes)) {
    case Format::bmp:
      decode_bmp(bytes);
      break;
    case Format::jpeg:
      decode_jpeg(bytes, 113, 128);
      break;
    case Format::png:
      decode_png(bytes);
      break;
    case Format::icon:
    case Format::cursor:
      decode_icon(bytes);
      break;
    case Format::gif:
      play_gif_twice(bytes);
      break;
    case Format::pcx:
      decode_pcx(bytes);
      break;
    case Format::none:
      break;
  }
  return 0;
}
