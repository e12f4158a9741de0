#include "FontWriter.h"

#include <fmt/format.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

class TLittleEndian {
 public:
  explicit TLittleEndian(std::ostream& out) : out_(out) {}
  void U8(unsigned v) { out_.put(char(v & 0xFF)); }
  void U16(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Bytes(const std::vector<uint8_t>& bytes) {
    out_.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  void Text(const char* text, size_t size) { out_.write(text, std::streamsize(size)); }

 private:
  std::ostream& out_;
};

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data) {
  uLongf size = compressBound(uLong(data.size()));
  std::vector<uint8_t> out(size);
  compress2(out.data(), &size, data.data(), uLong(data.size()), Z_DEFAULT_COMPRESSION);
  out.resize(size);
  return out;
}

struct TPacked {
  int cellWidth = 1;
  int cellHeight = 1;
  int cellsPerRow = 0;
  int rowsPerPage = 0;
  std::vector<std::vector<uint8_t>> pages;
  std::vector<int> cells;  // per glyph, 0 = no image
};

// Cells are numbered from 1 across all pages; cell images go in with their bottom
// row first, the order in which pages are uploaded as textures.
std::string Pack(const TBuiltFont& font, TPacked& packed) {
  for (const TBuiltGlyph& g : font.glyphs) packed.cellWidth = std::max(packed.cellWidth, font.ImageWidth(g));
  packed.cellHeight = std::max(1, font.ImageHeight());
  if (std::string error = CellFitError(packed.cellWidth, packed.cellHeight, kDFFPage); !error.empty()) return error;
  packed.cellsPerRow = kDFFPage / packed.cellWidth;
  packed.rowsPerPage = kDFFPage / packed.cellHeight;
  const int perPage = packed.cellsPerRow * packed.rowsPerPage;
  int cell = 1;
  for (const TBuiltGlyph& g : font.glyphs) {
    if (g.Empty()) {
      packed.cells.push_back(0);
      continue;
    }
    if (cell > 0xFFFF) return "too many glyphs for 16-bit cell numbers";
    const int page = cell / perPage, k = cell % perPage;
    while (int(packed.pages.size()) <= page) packed.pages.emplace_back(size_t(kDFFPage) * kDFFPage, 0);
    const int column = (k % packed.cellsPerRow) * packed.cellWidth;
    const int row = (k / packed.cellsPerRow) * packed.cellHeight;
    const int w = font.ImageWidth(g), h = font.ImageHeight();
    for (int y = 0; y < h; ++y) {
      const uint8_t* src = g.image.data() + size_t(h - 1 - y) * w;
      std::copy(src, src + w, packed.pages[page].begin() + size_t(row + y) * kDFFPage + column);
    }
    packed.cells.push_back(cell++);
  }
  if (packed.pages.size() > 0xFFFF) return "too many pages";
  return {};
}

}  // namespace

std::string WriteDFF(const TBuiltFont& font, int version, std::ostream& out) {
  if (version < 1 || version > 3) return fmt::format("DFF version {} is not 1, 2 or 3", version);
  if (version == 1 && !font.distanceField) return "version 1 files hold distance fields only";
  TPacked packed;
  if (std::string error = Pack(font, packed); !error.empty()) return error;
  TLittleEndian w(out);
  w.Text("DFF", 3);
  w.U8(unsigned(version));
  w.U16(unsigned(font.glyphs.size()));
  w.U16(unsigned(packed.cellWidth));
  w.U16(unsigned(packed.cellHeight));
  w.U32(uint32_t(font.margin));
  w.U16(unsigned(packed.cellsPerRow));
  w.U16(unsigned(packed.rowsPerPage));
  w.U16(unsigned(packed.pages.size()));
  for (const auto& page : packed.pages) {
    std::vector<uint8_t> compressed = Compress(page);
    w.U32(uint32_t(compressed.size()));
    w.Bytes(compressed);
  }
  int spaceAdvance = 0;
  for (size_t i = 0; i < font.glyphs.size(); ++i) {
    const TBuiltGlyph& g = font.glyphs[i];
    w.U16(unsigned(g.code));
    w.U16(unsigned(g.code));
    w.U16(unsigned(packed.cells[i]));
    w.U16(unsigned(g.advance));
    w.U16(unsigned(font.lineHeight));
    if (g.code == U' ') spaceAdvance = g.advance;
  }
  if (version >= 2) w.U8(font.distanceField ? 1 : 0);
  if (version == 3) w.U16(unsigned(spaceAdvance));
  return out ? std::string() : "write failed";
}

std::string WriteZQFont(const TBuiltFont& font, bool compressed, std::ostream& out) {
  if (font.distanceField || font.margin != 0) return "bitmap fonts hold plain coverage without margin";
  TLittleEndian w(out);
  char header[64] = {};
  std::copy_n(compressed ? "ZQFONT2" : "ZQFONT0", 7, header);
  w.Text(header, sizeof header);
  w.U16(unsigned(font.glyphs.size()));
  w.U16(unsigned(font.pixelSize));
  w.U16(unsigned(font.lineHeight));
  for (const TBuiltGlyph& g : font.glyphs) {
    w.U16(unsigned(g.code));
    w.U16(unsigned(g.advance));
    w.U16(unsigned(font.lineHeight));
    w.U16(unsigned(g.code));
    if (g.advance == 0) continue;
    if (compressed) {
      std::vector<uint8_t> block = Compress(g.image);
      w.U32(uint32_t(block.size()));
      w.Bytes(block);
    } else {
      w.Bytes(g.image);
    }
  }
  return out ? std::string() : "write failed";
}
