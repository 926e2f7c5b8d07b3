#pragma once

#include "core/text.h"

namespace quemira::core {

// The folder that holds the running executable, without a separator at its
// end; fixed at the first call.
const Text& program_directory();

// The part of an executable's path before its last separator.
Text folder_of(const Text& executable_path);

}  // namespace quemira::core
