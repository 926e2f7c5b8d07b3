#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace quemira::core {

// The program's texts are code page 936; the file system and the toolkit speak
// UTF-8. GB18030 is the superset of code page 936 that maps every Unicode
// character, so a name survives the round trip whatever it contains.
std::optional<Text> text_from_utf8(std::string_view utf8);

// Bytes that are no valid GB18030 (a double-byte character cut in two) are
// dropped.
std::string utf8_from_text(std::string_view text);

}  // namespace quemira::core
