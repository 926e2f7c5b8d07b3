#pragma once

#include <cstdint>
#include <functional>

#include "core/text.h"

namespace quemira::core {

enum class BoxIcon { none, stop };

// What the game needs from the desktop, behind replaceable functions so that
// handlers run headless and deterministically in tests. The program installs
// the toolkit's versions at start-up.
struct Platform {
  // A modal box with one OK button; returns when the player has closed it.
  std::function<void(const Text& title, const Text& text, BoxIcon icon)> message_box;
  // Milliseconds since some fixed point, wrapping at 2^32.
  std::function<std::uint32_t()> tick_count;
  // Dispatches every window event already queued, then returns.
  std::function<void()> process_pending_events;
  // Shows the wait cursor over the program's windows while busy is true.
  std::function<void(bool busy)> show_wait_cursor;
};

Platform& platform();

void process_pending_events();

}  // namespace quemira::core
