#include "core/platform.h"

#include <chrono>

namespace quemira::core {

namespace {

std::uint32_t monotonic_milliseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace

Platform& platform() {
  static Platform current{
      .message_box = [](const Text&, const Text&, BoxIcon) {},
      .tick_count = monotonic_milliseconds,
      .process_pending_events = [] {},
      .show_wait_cursor = [](bool) {},
  };
  return current;
}

void process_pending_events() { platform().process_pending_events(); }

}  // namespace quemira::core
