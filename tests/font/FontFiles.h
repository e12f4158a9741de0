#pragma once
// Builds DFF and bitmap-font files in memory, field by field, for the reader tests.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

class TFileBytes {
 public:
  TFileBytes& U8(unsigned v) {
    bytes.push_back(char(v & 0xFF));
    return *this;
  }
  TFileBytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
  TFileBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  TFileBytes& Text(const std::string& s) {
    bytes += s;
    return *this;
  }
  // A u32 size followed by the zlib stream of `data`.
  TFileBytes& Compressed(const std::vector<uint8_t>& data) {
    std::string z = Deflate(data);
    U32(uint32_t(z.size()));
    return Text(z);
  }

  static std::string Deflate(const std::vector<uint8_t>& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, data.data(), uLong(data.size()));
    out.resize(size);
    return out;
  }

  std::string bytes;
};

struct TDffHeader {
  int version = 2;
  unsigned glyphCount = 0;
  unsigned cellWidth = 40;
  unsigned cellHeight = 40;
  int32_t margin = 8;
  unsigned cellsPerRow = 12;
  unsigned rowsPerPage = 12;
  unsigned pageCount = 1;
};

inline TFileBytes DffHeaderBytes(const TDffHeader& h) {
  TFileBytes f;
  f.Text("DFF").U8(unsigned(h.version)).U16(h.glyphCount).U16(h.cellWidth).U16(h.cellHeight);
  f.U32(uint32_t(h.margin)).U16(h.cellsPerRow).U16(h.rowsPerPage).U16(h.pageCount);
  return f;
}

inline std::vector<uint8_t> FilledPage(uint8_t value) { return std::vector<uint8_t>(512 * 512, value); }

// A glyph record whose check equals its code.
inline void GlyphRecord(TFileBytes& f, unsigned code, unsigned cell, unsigned advance, unsigned height) {
  f.U16(code).U16(code).U16(cell).U16(advance).U16(height);
}

// The 64-byte bitmap-font header and the three words after it.
inline TFileBytes ZQHeaderBytes(bool compressed, unsigned glyphCount) {
  TFileBytes f;
  f.Text(compressed ? "ZQFONT2" : "ZQFONT0").Text(std::string(57, '\0'));
  f.U16(glyphCount).U16(20).U16(24);
  return f;
}
