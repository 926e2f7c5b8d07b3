#include "core/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace quemira::core {

namespace {

// Converts the whole input; an invalid sequence either fails the conversion
// or, when skipping, drops one byte and goes on.
std::optional<std::string> convert(const char* to, const char* from, std::string_view input,
                                   bool skip_invalid) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string output;
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char buffer[1024];
  bool ok = true;
  while (in_left > 0) {
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    if (!skip_invalid) {
      ok = false;
      break;
    }
    ++in;
    --in_left;
  }
  iconv_close(converter);
  if (!ok) return std::nullopt;
  return output;
}

}  // namespace

std::optional<Text> text_from_utf8(std::string_view utf8) {
  return convert("GB18030", "UTF-8", utf8, false);
}

std::string utf8_from_text(std::string_view text) {
  return convert("UTF-8", "GB18030", text, true).value_or(std::string());
}

}  // namespace quemira::core
