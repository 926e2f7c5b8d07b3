#pragma once

// Hand-made decoder fixtures, written field by field in little-endian order.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quemira::ui::decode {

class ByteWriter {
 public:
  ByteWriter& u8(std::uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  ByteWriter& u16(std::uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
  ByteWriter& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
  ByteWriter& bytes(const std::vector<std::uint8_t>& values) {
    bytes_.insert(bytes_.end(), values.begin(), values.end());
    return *this;
  }
  ByteWriter& zeros(std::size_t count) {
    bytes_.resize(bytes_.size() + count);
    return *this;
  }

  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& result() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Overwrites a little-endian value inside existing bytes.
inline void put_u16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = value & 0xFF;
  bytes.at(offset + 1) = value >> 8;
}
inline void put_u32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  put_u16(bytes, offset, value & 0xFFFF);
  put_u16(bytes, offset + 2, value >> 16);
}
inline std::uint32_t get_u32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
         std::uint32_t{bytes.at(offset + 3)} << 24;
}

}  // namespace quemira::ui::decode
