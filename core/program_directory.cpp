#include "core/program_directory.h"

#include <unistd.h>

#include <climits>

#include "core/encoding.h"

namespace quemira::core {

Text folder_of(const Text& executable_path) {
  // Walk character by character: a trail byte of a double-byte character may
  // have the value of an ASCII byte and must not be taken for a separator.
  std::size_t last_separator = Text::npos;
  for (std::size_t i = 0; i < executable_path.size();) {
    if (executable_path[i] == '/') last_separator = i;
    i += static_cast<unsigned char>(executable_path[i]) >= 0x80 ? 2 : 1;
  }
  return last_separator == Text::npos ? Text() : executable_path.substr(0, last_separator);
}

const Text& program_directory() {
  static const Text directory = [] {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0) return Text();
    return folder_of(text_from_utf8(std::string_view(path, static_cast<std::size_t>(length)))
                         .value_or(Text()));
  }();
  return directory;
}

}  // namespace quemira::core
