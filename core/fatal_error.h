#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <source_location>

#include "core/text.h"

namespace quemira::core {

// Shows the fatal error box, then ends the program at once with exit code -1;
// no clean-up runs. The box text also goes to standard error, where it can be
// read when no display is there to show a box.
[[noreturn]] void fatal_error(std::optional<std::int32_t> code, const Text& message,
                              const Text& where);

Text fatal_error_text(std::optional<std::int32_t> code, const Text& message, const Text& where);

// For an allocation of this many bytes that the system refused.
[[noreturn]] void fatal_out_of_memory(std::size_t bytes);

Text describe(const std::source_location& where);

}  // namespace quemira::core
