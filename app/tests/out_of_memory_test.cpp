#include "app/out_of_memory.h"

#include <sys/resource.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/encoding.h"

namespace quemira::app {
namespace {

// A value too large for the memory left ends the program with the box,
// naming the size that was asked for.
TEST(OutOfMemoryDeathTest, EndsWithTheFatalBoxNamingTheSize) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto run_out = [] {
    end_with_fatal_box_when_out_of_memory();
    const rlimit limit{std::size_t{2} << 30, std::size_t{2} << 30};
    setrlimit(RLIMIT_AS, &limit);
    // Thrown through a function that promises not to throw, the failure
    // reaches the program's end the way an unhandled one in a handler would.
    []() noexcept { std::vector<char> value(std::size_t{3} << 30); }();
  };
  EXPECT_EXIT(run_out(), testing::ExitedWithCode(255),
              testing::HasSubstr(core::utf8_from_text("分配 3221225472 字节内存失败!")));
}

}  // namespace
}  // namespace quemira::app
