#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/list.h"

namespace quemira::core {

// A text is a run of code page 936 bytes. Every length and position is a byte
// count; an absent text is simply the empty one.
using Text = std::string;

template <typename... Pieces>
Text concat(const Pieces&... pieces) {
  Text joined;
  joined.reserve((std::string_view(pieces).size() + ... + 0));
  (joined.append(std::string_view(pieces)), ...);
  return joined;
}

// Byte-wise, each byte unsigned: negative, zero or positive like strcmp.
int compare(std::string_view a, std::string_view b);

Text int_to_text(std::int32_t value);

// The first (last) n bytes; may cut a double-byte character in two.
Text text_left(std::string_view text, std::int32_t count);
Text text_right(std::string_view text, std::int32_t count);

// Pieces between delimiters. An empty last piece is dropped, empty pieces in
// between are kept, and a delimiter never matches from the second byte of a
// double-byte character.
List<Text> split(std::string_view text, std::string_view delimiter);

}  // namespace quemira::core
