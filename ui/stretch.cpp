#include "ui/stretch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace quemira::ui {

namespace {

Resampling program_resampling = Resampling::smooth;

// The source pixels that make one destination pixel along one axis: the first
// and the last with weights of their own and every pixel between them with
// middle_weight. A span of one pixel (first == last) has only first_weight.
struct Span {
  std::int64_t first = 0;
  std::int64_t last = 0;
  std::uint64_t first_weight = 0;
  std::uint64_t middle_weight = 0;
  std::uint64_t last_weight = 0;
};

// The spans of every destination pixel along one axis. The weights of each
// span add up to total, so a destination value is its weighted sum / total.
// Totals stay below 2^27 (a side of a decoded bitmap, or twice a side of a
// surface), so 255 x the product of two totals fits 64 bits with no overflow.
struct Axis {
  std::vector<Span> spans;
  std::uint64_t total = 1;
};

Axis nearest(std::int64_t source, std::int64_t destination) {
  Axis axis;
  for (std::int64_t d = 0; d < destination; ++d) {
    const std::int64_t i = d * source / destination;
    axis.spans.push_back({i, i, 1, 0, 0});
  }
  return axis;
}

// Measured in 1/destination of a source pixel, destination pixel d covers
// [d x source, (d + 1) x source): the overlaps with the source pixels are then
// whole numbers, and the average is exact.
Axis area_average(std::int64_t source, std::int64_t destination) {
  Axis axis;
  axis.total = static_cast<std::uint64_t>(source);
  for (std::int64_t d = 0; d < destination; ++d) {
    const std::int64_t start = d * source;
    const std::int64_t end = start + source;
    const std::int64_t first = start / destination;
    const std::int64_t last = (end - 1) / destination;
    axis.spans.push_back({first, last,
                          static_cast<std::uint64_t>((first + 1) * destination - start),
                          static_cast<std::uint64_t>(destination),
                          static_cast<std::uint64_t>(end - last * destination)});
  }
  return axis;
}

// Each destination pixel centre lands between two source pixel centres and
// takes from both by nearness; beyond the outermost centres the edge pixel
// repeats. Positions count in 1/(2 x destination) of a source pixel from the
// first source centre.
Axis bilinear(std::int64_t source, std::int64_t destination) {
  Axis axis;
  const std::int64_t step = 2 * destination;
  axis.total = static_cast<std::uint64_t>(step);
  for (std::int64_t d = 0; d < destination; ++d) {
    const std::int64_t position = (2 * d + 1) * source - destination;
    const std::int64_t i = position <= 0 ? 0 : position / step;
    if (position <= 0 || i >= source - 1) {
      const std::int64_t edge = position <= 0 ? 0 : source - 1;
      axis.spans.push_back({edge, edge, axis.total, 0, 0});
      continue;
    }
    const std::int64_t right = position % step;
    axis.spans.push_back(
        {i, i + 1, static_cast<std::uint64_t>(step - right), 0, static_cast<std::uint64_t>(right)});
  }
  return axis;
}

Axis axis_for(std::int64_t source, std::int64_t destination, Resampling resampling) {
  if (resampling == Resampling::plain || source == destination) {
    return nearest(source, destination);
  }
  return destination < source ? area_average(source, destination) : bilinear(source, destination);
}

using Sums = std::array<std::uint64_t, 3>;

// Adds one source pixel, laid over the background, weight times.
void add_pixel(Sums& sums, const std::uint8_t* pixel, Rgb background, std::uint64_t weight) {
  const std::uint8_t alpha = pixel[3];
  if (alpha == 255) {
    sums[0] += weight * pixel[0];
    sums[1] += weight * pixel[1];
    sums[2] += weight * pixel[2];
    return;
  }
  sums[0] += weight * blend(pixel[0], alpha, background.red);
  sums[1] += weight * blend(pixel[1], alpha, background.green);
  sums[2] += weight * blend(pixel[2], alpha, background.blue);
}

// Source rows resampled to the destination width, as weighted sums not yet
// divided by the column total. Destination rows ask for source rows in
// ascending order and share at most two with their neighbours, so keeping the
// last two made is enough for no row to be made twice.
class ResampledRows {
 public:
  ResampledRows(const decode::Bitmap& image, const Axis& columns, Rgb background)
      : image_(image), columns_(columns), background_(background) {
    for (auto& row : rows_) row.resize(columns.spans.size() * 3);
  }

  const std::uint64_t* row(std::int64_t y) {
    for (std::size_t i = 0; i < 2; ++i) {
      if (indices_[i] == y) return rows_[i].data();
    }
    const std::size_t slot = next_;
    next_ ^= 1;
    indices_[slot] = y;
    resample(y, rows_[slot].data());
    return rows_[slot].data();
  }

 private:
  void resample(std::int64_t y, std::uint64_t* out) const {
    const std::uint8_t* pixels =
        image_.rgba.data() + static_cast<std::size_t>(y) * image_.width * 4;
    for (const Span& span : columns_.spans) {
      Sums sums{};
      add_pixel(sums, pixels + span.first * 4, background_, span.first_weight);
      if (span.last != span.first) {
        Sums middle{};
        for (std::int64_t x = span.first + 1; x < span.last; ++x) {
          add_pixel(middle, pixels + x * 4, background_, 1);
        }
        for (std::size_t c = 0; c < 3; ++c) sums[c] += middle[c] * span.middle_weight;
        add_pixel(sums, pixels + span.last * 4, background_, span.last_weight);
      }
      out = std::copy(sums.begin(), sums.end(), out);
    }
  }

  const decode::Bitmap& image_;
  const Axis& columns_;
  Rgb background_;
  std::array<std::vector<std::uint64_t>, 2> rows_;
  std::array<std::int64_t, 2> indices_{-1, -1};
  std::size_t next_ = 0;
};

void add_row(std::vector<std::uint64_t>& sums, const std::uint64_t* row, std::uint64_t weight) {
  for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += weight * row[i];
}

}  // namespace

void set_resampling(Resampling resampling) { program_resampling = resampling; }

Resampling resampling() { return program_resampling; }

void stretch(const decode::Bitmap& image, Rgb background, Resampling resampling, Surface& surface) {
  if (image.width <= 0 || image.height <= 0 || surface.width <= 0 || surface.height <= 0) return;
  if (image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4) return;

  const Axis columns = axis_for(image.width, surface.width, resampling);
  const Axis rows = axis_for(image.height, surface.height, resampling);
  const std::uint64_t total = columns.total * rows.total;
  ResampledRows source(image, columns, background);

  std::vector<std::uint64_t> sums(static_cast<std::size_t>(surface.width) * 3);
  surface.rgb.resize(sums.size() * surface.height);
  auto out = surface.rgb.begin();
  for (const Span& span : rows.spans) {
    std::fill(sums.begin(), sums.end(), 0);
    add_row(sums, source.row(span.first), span.first_weight);
    if (span.last != span.first) {
      for (std::int64_t y = span.first + 1; y < span.last; ++y) {
        add_row(sums, source.row(y), span.middle_weight);
      }
      add_row(sums, source.row(span.last), span.last_weight);
    }
    for (const std::uint64_t sum : sums)
      *out++ = static_cast<std::uint8_t>((sum + total / 2) / total);
  }
}

}  // namespace quemira::ui
