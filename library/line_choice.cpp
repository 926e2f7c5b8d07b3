#include "library/line_choice.h"

#include "core/random.h"

namespace quemira::library {

core::Text choose_line(const core::Text& text, std::string_view delimiter) {
  if (text.empty()) return {};
  core::reseed();
  const core::List<core::Text> pieces = core::split(text, delimiter);
  if (pieces.count() == 0) return {};
  return pieces.element(core::random_generator().random_number(1, pieces.count()));
}

}  // namespace quemira::library
