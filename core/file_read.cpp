#include "core/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <limits>

#include "core/encoding.h"

namespace quemira::core {

ByteData read_whole_file(const Text& path) {
  if (path.empty()) return {};
  const int file = open(utf8_from_text(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return {};
  ByteData bytes;
  struct stat status {};
  if (fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
      status.st_size <= std::numeric_limits<std::int32_t>::max()) {
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const ssize_t got = read(file, bytes.data() + filled, bytes.size() - filled);
      if (got < 0) {
        bytes.clear();
        break;
      }
      if (got == 0) break;
      filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
  }
  ::close(file);
  return bytes;
}

}  // namespace quemira::core
