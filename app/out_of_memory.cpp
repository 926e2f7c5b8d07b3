#include "app/out_of_memory.h"

#include <cstdlib>
#include <exception>
#include <new>

#include "core/fatal_error.h"

namespace {

// The size of the last allocation the system refused, for the box's text.
std::size_t refused_size = 0;

}  // namespace

// Replaces the global allocation only to remember what was refused; the
// array and nothrow forms come through here as well.
void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  refused_size = size;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace quemira::app {

void end_with_fatal_box_when_out_of_memory() {
  std::set_terminate([] {
    if (const std::exception_ptr current = std::current_exception()) {
      try {
        std::rethrow_exception(current);
      } catch (const std::bad_alloc&) {
        core::fatal_out_of_memory(refused_size);
      } catch (...) {
      }
    }
    std::abort();
  });
}

}  // namespace quemira::app
