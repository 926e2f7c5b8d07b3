#include "core/random.h"

#include <algorithm>

#include "core/platform.h"

namespace quemira::core {

void RandomGenerator::reseed(std::uint32_t tick_count) {
  const std::uint32_t seed = tick_count + accumulator_;
  accumulator_ += (seed & 0xFF) + 100;
  state_ = seed;
}

std::int32_t RandomGenerator::draw() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
}

std::int32_t RandomGenerator::random_number(std::int32_t lo, std::int32_t hi) {
  lo = std::max(lo, 0);
  hi = std::max(hi, 0);
  if (lo > hi) std::swap(lo, hi);
  if (lo == hi) return lo;
  const std::int64_t range = std::int64_t{hi} - lo + 1;
  return static_cast<std::int32_t>(lo + draw() % range);
}

RandomGenerator& random_generator() {
  static RandomGenerator generator;
  return generator;
}

void reseed() { random_generator().reseed(platform().tick_count()); }

}  // namespace quemira::core
