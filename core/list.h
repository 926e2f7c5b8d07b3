#pragma once

#include <cstdint>
#include <source_location>
#include <utility>
#include <vector>

namespace quemira::core {

[[noreturn]] void fail_list_index(std::int32_t index, std::int32_t count,
                                  const std::source_location& where);

// An ordered list counted from 1. Reaching outside it is a program error that
// ends the run with the fatal error box, never undefined behaviour.
template <typename T>
class List {
 public:
  std::int32_t count() const { return static_cast<std::int32_t>(elements_.size()); }

  const T& element(std::int32_t index,
                   const std::source_location& where = std::source_location::current()) const {
    if (index < 1 || index > count()) fail_list_index(index, count(), where);
    return elements_[static_cast<std::size_t>(index - 1)];
  }

  void append(T value) { elements_.push_back(std::move(value)); }

 private:
  std::vector<T> elements_;
};

}  // namespace quemira::core
