#include "core/list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "core/encoding.h"
#include "core/platform.h"
#include "core/text.h"

namespace quemira::core {
namespace {

TEST(List, CountsFromOneAndKeepsAppendOrder) {
  List<Text> list;
  EXPECT_EQ(list.count(), 0);
  list.append("a");
  list.append("b");
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.element(1), "a");
  EXPECT_EQ(list.element(2), "b");
}

// The box's title and text reach standard error as UTF-8, so the child's
// output shows exactly what the player would have read.
void show_box_on_stderr() {
  platform().message_box = [](const Text& title, const Text& text, BoxIcon icon) {
    const std::string shown = utf8_from_text(concat("BOX ", title, "|", text));
    std::fprintf(stderr, "%s|%s\n", shown.c_str(), icon == BoxIcon::stop ? "stop" : "none");
  };
}

std::string utf8(const Text& text) { return utf8_from_text(text); }

TEST(ListDeathTest, IndexOutsideTheListEndsTheProgramWithTheFatalErrorBox) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  List<Text> list;
  list.append("only");
  const auto box = [](const char* code, const char* message) {
    return testing::HasSubstr(utf8(concat("BOX 错误|运行时出错!\r\n\r\n错误代码：", code,
                                          "\r\n\r\n错误信息：", message, "\r\n\r\n")));
  };
  EXPECT_EXIT((show_box_on_stderr(), list.element(0)), testing::ExitedWithCode(255),
              box("4", "数组成员引用下标必须大于等于1"));
  EXPECT_EXIT((show_box_on_stderr(), list.element(2)), testing::ExitedWithCode(255),
              box("1", "数组成员引用下标超出定义范围"));
  EXPECT_EXIT((show_box_on_stderr(), list.element(2)), testing::ExitedWithCode(255),
              testing::HasSubstr("|stop"));
}

}  // namespace
}  // namespace quemira::core
