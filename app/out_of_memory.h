#pragma once

namespace quemira::app {

// From here on, memory that cannot be had for a new value ends the program
// with the fatal error box naming the size asked for. Code that can do
// without the memory (a decoder) still catches std::bad_alloc as before.
void end_with_fatal_box_when_out_of_memory();

}  // namespace quemira::app
