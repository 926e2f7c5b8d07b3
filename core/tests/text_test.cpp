#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace quemira::core {
namespace {

int sign(int v) { return (v > 0) - (v < 0); }

TEST(Text, ComparisonIsByteWiseAndUnsigned) {
  struct Case {
    Text a, b;
    int expected;
  };
  const std::vector<Case> cases = {
      {"", "", 0},          {"A4", "A4", 0},   {"a", "A", 1},
      {"A", "a", -1},       {"A", "AB", -1},   {"\x80", "z", 1},
      {"C2", "B3", 1},      {"图", "图", 0},   {"", "A", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(sign(compare(c.a, c.b)), c.expected) << c.a << " vs " << c.b;
}

TEST(Text, ConcatenationJoinsInOrderWithoutSeparator) {
  EXPECT_EQ(concat(Text(), "\r\n"), "\r\n");
  EXPECT_EQ(concat("", "", ""), "");
  EXPECT_EQ(concat("Quemira（猜图次数：", "0", "  猜对："), "Quemira（猜图次数：0  猜对：");
}

TEST(Text, IntegerToText) {
  EXPECT_EQ(int_to_text(0), "0");
  EXPECT_EQ(int_to_text(-17), "-17");
  EXPECT_EQ(int_to_text(INT_MAX), "2147483647");
  EXPECT_EQ(int_to_text(INT_MIN), "-2147483648");
}

TEST(Text, LeftAndRightCountBytes) {
  EXPECT_EQ(text_right("", 1), "");
  EXPECT_EQ(text_right("abc/", 1), "/");
  EXPECT_EQ(text_right("图", 1), "\xBC");  // the trail byte alone
  EXPECT_EQ(text_right("abc", 10), "abc");
  EXPECT_EQ(text_right("abc", 0), "");
  EXPECT_EQ(text_right("abc", -3), "");
  EXPECT_EQ(text_left(".hidden", 1), ".");
  EXPECT_EQ(text_left("abc", 10), "abc");
  EXPECT_EQ(text_left("abc", -1), "");
  EXPECT_EQ(text_left("", 1), "");
}

std::vector<Text> pieces_of(const List<Text>& list) {
  std::vector<Text> pieces;
  for (std::int32_t i = 1; i <= list.count(); ++i) pieces.push_back(list.element(i));
  return pieces;
}

TEST(Text, SplitAtLineBreaks) {
  using Pieces = std::vector<Text>;
  struct Case {
    Text text;
    Pieces expected;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"A\r\n", {"A"}},
      {"\r\nA", {"", "A"}},
      {"\r\n", {""}},
      {"A\r\n\r\nB", {"A", "", "B"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"P\r\nQ\r\nP\r\nQ\r\n", {"P", "Q", "P", "Q"}},
      {"/图片/风景\r\n/x", {"/图片/风景", "/x"}},
      {"风景\r\n", {"风景"}},
      // 0x8D takes the CR as its trail byte, so no line break follows it.
      {"a\x8D\r\nb", {"a\x8D\r\nb"}},
      {"a\r\n\x81", {"a", "\x81"}},
  };
  for (const Case& c : cases) EXPECT_EQ(pieces_of(split(c.text, "\r\n")), c.expected) << c.text;
  EXPECT_EQ(pieces_of(split("abc", "")), Pieces{"abc"});
}

}  // namespace
}  // namespace quemira::core
