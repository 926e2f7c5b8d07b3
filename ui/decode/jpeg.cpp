// jpeglib.h needs FILE and size_t declared before it.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <csetjmp>

#include "ui/decode/decoders.h"

namespace quemira::ui::decode {

namespace {

// Each scan of a progressive file walks its blocks again, and a crafted file
// can hold thousands of tiny scans: both the scan count and the blocks walked
// over all scans are bounded, far above what any camera or encoder writes.
constexpr int max_scans = 500;
constexpr std::uint64_t max_scanned_blocks = std::uint64_t{1} << 27;

struct ErrorManager {
  jpeg_error_mgr library;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf abandon;
};

struct ScanLimit {
  jpeg_progress_mgr library;  // first member, as above
  int last_scan = 0;
  std::uint64_t scanned_blocks = 0;
};

[[noreturn]] void abandon(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->abandon, 1);
}

void print_nothing(j_common_ptr) {}

// Entropy-coded data that runs out or stops making sense would be filled in
// with grey or garbage; such a file is no image. Other warnings pass
// silently: stray bytes between markers, or a file that ends where the next
// marker should stand (the end marker, or a progressive file's later scans),
// leave every block that was decoded whole, and cameras write such files.
void fail_on_broken_data(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_ARITH_BAD_CODE) {
    abandon(cinfo);
  }
}

// libjpeg calls this at least once per scan, after the scan's header has set
// up its geometry and before any of its data is decoded.
void count_scan(j_common_ptr common) {
  const auto cinfo = reinterpret_cast<j_decompress_ptr>(common);
  auto& limit = *reinterpret_cast<ScanLimit*>(cinfo->progress);
  if (cinfo->input_scan_number == limit.last_scan) return;
  limit.last_scan = cinfo->input_scan_number;
  limit.scanned_blocks += std::uint64_t{cinfo->MCUs_per_row} * cinfo->MCU_rows_in_scan *
                          static_cast<std::uint64_t>(cinfo->blocks_in_MCU);
  if (limit.last_scan > max_scans || limit.scanned_blocks > max_scanned_blocks) abandon(common);
}

std::uint8_t product(int a, int b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// CMYK pixels in place to RGBA. Adobe's encoders store the inks inverted
// (255 means no ink), and files that carry its marker are read that way.
void cmyk_to_rgba(std::vector<std::uint8_t>& pixels, bool inverted) {
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    int c = pixels[i], m = pixels[i + 1], y = pixels[i + 2], k = pixels[i + 3];
    if (!inverted) {
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    pixels[i] = product(c, k);
    pixels[i + 1] = product(m, k);
    pixels[i + 2] = product(y, k);
    pixels[i + 3] = 255;
  }
}

struct Decompression {
  Decompression() {
    cinfo.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = abandon;
    errors.library.output_message = print_nothing;
    errors.library.emit_message = fail_on_broken_data;
    scan_limit.library.progress_monitor = count_scan;
  }
  ~Decompression() { jpeg_destroy_decompress(&cinfo); }
  Decompression(const Decompression&) = delete;
  Decompression& operator=(const Decompression&) = delete;

  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  ScanLimit scan_limit{};
  std::vector<std::uint8_t> first_row;
  std::optional<Bitmap> bitmap;
};

// The smallest of libjpeg's scales n/8 whose output still covers the wanted
// size; the full size when even that falls short.
void choose_scale(jpeg_decompress_struct& cinfo, int wanted_width, int wanted_height) {
  cinfo.scale_denom = 8;
  for (cinfo.scale_num = 1; cinfo.scale_num < 8; ++cinfo.scale_num) {
    jpeg_calc_output_dimensions(&cinfo);
    if (static_cast<std::int64_t>(cinfo.output_width) >= wanted_width &&
        static_cast<std::int64_t>(cinfo.output_height) >= wanted_height) {
      return;
    }
  }
  jpeg_calc_output_dimensions(&cinfo);
}

// Every libjpeg error lands back here through longjmp, so this function holds
// no object with a destructor: all state lives in the Decompression.
bool decompress(Decompression& d, Bytes data, int wanted_width, int wanted_height) {
  auto& cinfo = d.cinfo;
  if (setjmp(d.errors.abandon)) return false;
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &d.scan_limit.library;
  // Beyond this, libjpeg would need a temporary file for a progressive
  // image's coefficients; it has none, so it stops with an error instead.
  cinfo.mem->max_memory_to_use = static_cast<long>(max_decoded_bytes);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;

  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  // libjpeg-turbo writes RGBA rows straight into the bitmap; CMYK has four
  // bytes a pixel too and is converted in place afterwards.
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  // The accurate integer transform: libjpeg-turbo's SIMD makes it as fast
  // as the approximate one, and at 1/8 scale only the DC value is used.
  cinfo.dct_method = JDCT_ISLOW;
  choose_scale(cinfo, wanted_width, wanted_height);
  if (!rgba_size(cinfo.output_width, cinfo.output_height)) return false;

  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 4) return false;
  // The bitmap is made once the first row has decoded, so that a few bytes
  // claiming a huge image run out of data before any large allocation.
  const std::size_t stride = std::size_t{cinfo.output_width} * 4;
  d.first_row.resize(stride);
  JSAMPROW first_row = d.first_row.data();
  if (jpeg_read_scanlines(&cinfo, &first_row, 1) != 1) return false;
  d.bitmap = make_bitmap(cinfo.output_width, cinfo.output_height);
  if (!d.bitmap) return false;
  std::copy(d.first_row.begin(), d.first_row.end(), d.bitmap->rgba.begin());
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = d.bitmap->rgba.data() + cinfo.output_scanline * stride;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
  }
  if (cmyk) cmyk_to_rgba(d.bitmap->rgba, cinfo.saw_Adobe_marker);
  return true;
}

}  // namespace

std::optional<Bitmap> decode_jpeg(Bytes data, int wanted_width, int wanted_height) {
  Decompression d;
  if (!decompress(d, data, wanted_width, wanted_height)) return std::nullopt;
  return std::move(d.bitmap);
}

}  // namespace quemira::ui::decode
