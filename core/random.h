#pragma once

#include <cstdint>

namespace quemira::core {

// The program's one linear congruential generator. Nothing seeds it at start,
// so until the first reseed every run draws the same sequence.
class RandomGenerator {
 public:
  // Seeds from the tick count plus an accumulator, so that two reseeds within
  // one millisecond still differ.
  void reseed(std::uint32_t tick_count);

  // A number from lo to hi, both included. Negative bounds count as 0,
  // swapped bounds are put in order, and lo == hi draws nothing.
  std::int32_t random_number(std::int32_t lo, std::int32_t hi);

  std::uint32_t state() const { return state_; }

 private:
  std::int32_t draw();

  std::uint32_t state_ = 1;
  std::uint32_t accumulator_ = 0;
};

RandomGenerator& random_generator();

// Reseeds the program's generator from the platform's tick count.
void reseed();

}  // namespace quemira::core
