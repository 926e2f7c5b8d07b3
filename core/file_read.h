#pragma once

#include "core/byte_data.h"
#include "core/text.h"

namespace quemira::core {

// The whole file, or empty byte data when it cannot be read: missing, a
// folder, no access, or 2 GiB and more (beyond what byte data can count).
ByteData read_whole_file(const Text& path);

}  // namespace quemira::core
