#pragma once

#include "ui/decode/gif.h"

// Reads a GIF the way a cell plays it: every frame, a rewind, every frame
// again.
inline void play_gif_twice(quemira::ui::decode::Bytes data) {
  const auto reader = quemira::ui::decode::GifReader::open(data);
  if (!reader) return;
  for (int round = 0; round < 2; ++round) {
    while (reader->next_frame()) {
    }
    if (!reader->rewind()) return;
  }
}
