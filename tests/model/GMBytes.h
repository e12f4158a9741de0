#pragma once
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

// Builds model files byte by byte, little-endian, for reader tests.
class GMBytes {
 public:
  GMBytes& U8(unsigned v) {
    bytes_.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  GMBytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
  GMBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  GMBytes& Raw(std::initializer_list<unsigned> values) {
    for (unsigned v : values) U8(v);
    return *this;
  }
  GMBytes& Raw(const std::vector<uint8_t>& values) {
    for (uint8_t v : values) U8(v);
    return *this;
  }
  // The 6-byte start, no extra header block, the letter and the frame count.
  GMBytes& Header(char encoding, unsigned frames) { return U32(0).U16(0).U8(encoding).U16(frames); }
  // A frame record with a 4-byte information block holding the offsets.
  GMBytes& Frame(int offsetX, int offsetY, unsigned width, unsigned height, const std::vector<uint8_t>& data) {
    U16(4).U16(static_cast<uint16_t>(offsetX)).U16(static_cast<uint16_t>(offsetY)).U16(width).U16(height);
    U32(static_cast<uint32_t>(data.size()));
    return Raw(data);
  }

  const std::string& Str() const { return bytes_; }
  std::istringstream Stream() const { return std::istringstream(bytes_); }

 private:
  std::string bytes_;
};
