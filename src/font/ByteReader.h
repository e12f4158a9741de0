#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

// Little-endian reads from a stream that may end anywhere. After the first short
// read every further read yields zeros and ok() stays false.
class TByteReader {
 public:
  explicit TByteReader(std::istream& in) : in_(in) {}

  bool ok() const { return ok_; }
  uint8_t U8() { return uint8_t(ReadLE(1)); }
  uint16_t U16() { return uint16_t(ReadLE(2)); }
  uint32_t U32() { return uint32_t(ReadLE(4)); }
  int32_t I32() { return int32_t(U32()); }
  // Reads `count` bytes; grows the buffer only as data arrives, so a size field
  // larger than the stream cannot force a large allocation.
  std::vector<uint8_t> Bytes(size_t count);
  bool Seek(std::streamoff offset);
  bool Skip(size_t count);

 private:
  uint64_t ReadLE(int width);

  std::istream& in_;
  bool ok_ = true;
};
