#pragma once

#include <cstdint>
#include <vector>

namespace quemira::core {

// The undecoded bytes of a file. Equality is byte data equality: same count,
// same bytes; two empty byte data are equal.
using ByteData = std::vector<std::uint8_t>;

}  // namespace quemira::core
