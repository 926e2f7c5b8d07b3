#include "core/text.h"

#include <algorithm>
#include <cstring>

namespace quemira::core {

int compare(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text int_to_text(std::int32_t value) { return std::to_string(value); }

Text text_left(std::string_view text, std::int32_t count) {
  if (count <= 0) return {};
  return Text(text.substr(0, std::min<std::size_t>(count, text.size())));
}

Text text_right(std::string_view text, std::int32_t count) {
  if (count <= 0) return {};
  const std::size_t kept = std::min<std::size_t>(count, text.size());
  return Text(text.substr(text.size() - kept));
}

List<Text> split(std::string_view text, std::string_view delimiter) {
  List<Text> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) {
    pieces.append(Text(text));
    return pieces;
  }
  std::size_t start = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= delimiter.size()) {
    if (text.compare(pos, delimiter.size(), delimiter) == 0) {
      pieces.append(Text(text.substr(start, pos - start)));
      pos += delimiter.size();
      start = pos;
    } else if (static_cast<unsigned char>(text[pos]) >= 0x80) {
      if (pos + 1 == text.size()) break;
      pos += 2;
    } else {
      pos += 1;
    }
  }
  if (start < text.size()) pieces.append(Text(text.substr(start)));
  return pieces;
}

}  // namespace quemira::core
