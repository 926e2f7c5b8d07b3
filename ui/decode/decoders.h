#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ui/decode/bitmap.h"

// Every decoder is a pure function from bytes to pixels: no globals, no
// output, and nothing (no image) for anything it cannot read.
namespace quemira::ui::decode {

using Bytes = std::span<const std::uint8_t>;

enum class Format { none, bmp, jpeg, png, icon, cursor, gif, pcx };

// The format from the first eight bytes alone; data shorter than eight bytes
// is never an image.
Format recognise(Bytes data);

std::optional<Bitmap> decode_bmp(Bytes data);
// Icons and cursors share one layout; the entry shown is chosen by the
// directory rule, and its mask becomes alpha.
std::optional<Bitmap> decode_icon(Bytes data);
std::optional<Bitmap> decode_pcx(Bytes data);
std::optional<Bitmap> decode_png(Bytes data);
// Decodes at the smallest scale that still covers at least the wanted size
// (the full size when the image is smaller), since only that much is shown.
std::optional<Bitmap> decode_jpeg(Bytes data, int wanted_width, int wanted_height);

}  // namespace quemira::ui::decode
