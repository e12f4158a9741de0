#include "font/Inflate.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

bool Inflate(const std::vector<uint8_t>& compressed, size_t expected, std::vector<uint8_t>& out) {
  constexpr size_t kStep = 64 * 1024;
  out.clear();
  if (compressed.size() > std::numeric_limits<uInt>::max()) return false;
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(compressed.data());
  zs.avail_in = uInt(compressed.size());
  int status = Z_OK;
  // One byte of room past `expected` tells a stream that runs long from an exact one.
  while (status == Z_OK && out.size() <= expected) {
    const size_t at = out.size();
    out.resize(std::min(at + kStep, expected + 1));
    zs.next_out = out.data() + at;
    zs.avail_out = uInt(out.size() - at);
    status = inflate(&zs, Z_NO_FLUSH);
    out.resize(at + (out.size() - at - zs.avail_out));
  }
  inflateEnd(&zs);
  const bool exact = status == Z_STREAM_END && out.size() == expected;
  if (out.size() > expected) out.resize(expected);
  return exact;
}
