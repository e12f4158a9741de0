#include "font/ByteReader.h"

#include <algorithm>

uint64_t TByteReader::ReadLE(int width) {
  uint8_t bytes[8] = {};
  if (ok_ && !in_.read(reinterpret_cast<char*>(bytes), width)) ok_ = false;
  if (!ok_) return 0;
  uint64_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::vector<uint8_t> TByteReader::Bytes(size_t count) {
  constexpr size_t kChunk = 64 * 1024;
  std::vector<uint8_t> out;
  while (ok_ && out.size() < count) {
    size_t step = std::min(kChunk, count - out.size());
    size_t at = out.size();
    out.resize(at + step);
    in_.read(reinterpret_cast<char*>(out.data() + at), std::streamsize(step));
    if (size_t(in_.gcount()) != step) {
      out.resize(at + size_t(in_.gcount()));
      ok_ = false;
    }
  }
  return out;
}

bool TByteReader::Seek(std::streamoff offset) {
  if (!ok_) return false;
  in_.clear();
  if (!in_.seekg(offset)) ok_ = false;
  return ok_;
}

bool TByteReader::Skip(size_t count) {
  if (!ok_) return false;
  // Seeking past the end succeeds on file streams; the next read then fails, which
  // is where a truncated block is noticed.
  if (!in_.seekg(std::streamoff(count), std::ios::cur)) ok_ = false;
  return ok_;
}
