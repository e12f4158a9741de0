#include "font/Inflate.h"

#include <zlib.h>

#include <limits>

bool InflateExact(const std::vector<uint8_t>& compressed, std::vector<uint8_t>& out) {
  if (compressed.size() > std::numeric_limits<uInt>::max() || out.size() > std::numeric_limits<uInt>::max())
    return false;
  Bytef spare = 0;  // zlib refuses a null output buffer even when nothing is expected
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(compressed.data());
  zs.avail_in = uInt(compressed.size());
  zs.next_out = out.empty() ? &spare : out.data();
  zs.avail_out = uInt(out.size());
  int status = inflate(&zs, Z_FINISH);
  bool exact = status == Z_STREAM_END && zs.total_out == out.size();
  inflateEnd(&zs);
  return exact;
}
