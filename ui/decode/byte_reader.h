#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quemira::ui::decode {

// Reads little-endian values from a byte span and can never read past its
// end: a read beyond it gives zeros and sets a sticky failure that callers
// check at a few points.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
      : bytes_(bytes), position_(position) {
    if (position_ > bytes_.size()) fail();
  }

  std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
  std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
  std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

  void skip(std::size_t count) {
    if (count > remaining()) {
      fail();
      return;
    }
    position_ += count;
  }

  // The next count bytes, or an empty span (and failure) when fewer remain.
  std::span<const std::uint8_t> bytes(std::size_t count) {
    if (count > remaining()) {
      fail();
      return {};
    }
    auto taken = bytes_.subspan(position_, count);
    position_ += count;
    return taken;
  }

  std::size_t position() const { return position_; }
  std::size_t remaining() const { return failed_ ? 0 : bytes_.size() - position_; }
  bool failed() const { return failed_; }

 private:
  std::uint64_t take(std::size_t count) {
    if (count > remaining()) {
      fail();
      return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes_[position_ + i]} << (8 * i);
    position_ += count;
    return value;
  }
  void fail() {
    failed_ = true;
    position_ = bytes_.size();
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_;
  bool failed_ = false;
};

}  // namespace quemira::ui::decode
