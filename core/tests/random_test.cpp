#include "core/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace quemira::core {
namespace {

TEST(Random, UnseededSequenceIsFixed) {
  RandomGenerator generator;
  std::vector<int> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(generator.random_number(1, 16));
  EXPECT_EQ(draws, (std::vector<int>{10, 4, 15, 5, 2}));

  RandomGenerator raw;
  EXPECT_EQ(raw.random_number(0, 32767), 41);
}

TEST(Random, BoundRules) {
  RandomGenerator a, b;
  EXPECT_EQ(a.random_number(1, 1), 1);
  EXPECT_EQ(a.state(), 1u) << "lo == hi must not draw";
  EXPECT_EQ(a.random_number(16, 1), b.random_number(1, 16));
  EXPECT_EQ(a.random_number(-5, 0), 0);
  EXPECT_EQ(a.random_number(-3, -9), 0);

  // A full 32-bit range must not overflow while the size is computed.
  RandomGenerator wide;
  const std::int32_t r = wide.random_number(0, 2147483647);
  EXPECT_GE(r, 0);
  EXPECT_LE(r, 32767);
}

TEST(Random, ReseedsInOneMillisecondDiffer) {
  RandomGenerator generator;
  generator.reseed(5000);
  const std::uint32_t first = generator.state();
  generator.reseed(5000);
  EXPECT_EQ(first, 5000u);
  EXPECT_EQ(generator.state(), 5000u + (5000u & 0xFF) + 100u);

  RandomGenerator wrapping;
  wrapping.reseed(0xFFFFFFFFu);
  wrapping.reseed(0xFFFFFFFFu);
  EXPECT_EQ(wrapping.state(), 0xFFFFFFFFu + 0xFFu + 100u);
}

}  // namespace
}  // namespace quemira::core
