#pragma once

#include <string_view>

#include "core/text.h"

namespace quemira::library {

// One piece of text between delimiters, drawn at random after a reseed; the
// empty text, without touching the generator, when text is empty. Every
// piece is one candidate, so a line written twice is twice as likely.
core::Text choose_line(const core::Text& text, std::string_view delimiter);

}  // namespace quemira::library
