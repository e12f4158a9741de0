#include "font/DistanceFieldFont.h"

#include <algorithm>
#include <cstring>

#include "font/ByteReader.h"
#include "font/Inflate.h"
#include "gl/Renderer.h"

TDistanceFieldFont::TDistanceFieldFont() : table_(65536) {}

// The pages go with the renderer that holds them; a font that outlives it (freed after
// the GL object at the end of the program) leaves them to the context.
TDistanceFieldFont::~TDistanceFieldFont() {
  if (uploadedTo_ && uploadedTo_ == CurrentRenderer())
    for (GLuint texture : Textures)
      if (texture != 0) uploadedTo_->DeleteTexture(texture);
}

void TDistanceFieldFont::Load(std::istream& in) {
  std::fill(table_.begin(), table_.end(), TGlyph{});
  CellWidth = CellHeight = 0;
  Pages.clear();
  BadPages = 0;
  TByteReader r(in);
  char magic[3] = {};
  for (char& c : magic) c = char(r.U8());
  if (!r.ok() || std::memcmp(magic, "DFF", 3) != 0) return;
  Version = r.U8();
  if (Version < 1 || Version > 3) return;

  uint16_t glyphCount = r.U16();
  CellWidth = r.U16();
  CellHeight = r.U16();
  Margin = r.I32();
  CellsPerRow = r.U16();
  RowsPerPage = r.U16();
  CellsPerPage = uint16_t(uint32_t(CellsPerRow) * RowsPerPage);
  PageCount = r.U16();

  for (int i = 0; i < PageCount && r.ok(); ++i) {
    uint32_t size = r.U32();
    if (!r.ok()) break;
    if (i >= kMaxPages) {
      r.Skip(size);
      continue;
    }
    std::vector<uint8_t> page;
    if (!Inflate(r.Bytes(size), kPageBytes, page)) ++BadPages;
    // A page that inflated partly keeps its upper rows' glyphs; one that gave nothing stays empty.
    if (!page.empty()) page.resize(kPageBytes, 0);
    Pages.push_back(std::move(page));
  }

  ReadGlyphs(r, glyphCount);
  if (Version >= 2) {
    uint8_t flag = r.U8();
    if (r.ok()) IsDistanceField = flag != 0;
  }
  if (Version == 3) {
    uint16_t advance = r.U16();
    if (r.ok()) table_[32].Advance = advance;
  }
  if (table_[32].Advance == 0) table_[32].Advance = 10;
}

void TDistanceFieldFont::ReadGlyphs(TByteReader& r, int count) {
  for (int i = 0; i < count; ++i) {
    uint16_t code = r.U16();
    uint16_t check = r.U16();
    if (!r.ok()) return;
    TGlyph& g = table_[code];
    g.Code = check;
    if (check != code) continue;
    g.Cell = r.U16();
    g.Advance = r.U16();
    g.Height = r.U16();
  }
}

void TDistanceFieldFont::UploadPages() {
  TOGL_Renderer* renderer = CurrentRenderer();
  if (!renderer) return;
  uploadedTo_ = renderer;
  Textures.clear();
  for (const auto& page : Pages)
    Textures.push_back(page.empty() ? 0
                                    : renderer->CreateTextureLinear(kPageSize, kPageSize, renderer->singleChannelFormat,
                                                                    GL_RED, page.data(), false, false));
}

bool TDistanceFieldFont::Place(uint16_t cell, TCellPlace& place) const {
  if (CellsPerPage == 0 || CellsPerRow == 0) return false;
  place.page = cell / CellsPerPage;
  if (place.page >= int(Pages.size()) || Pages[place.page].empty()) return false;
  int k = cell % CellsPerPage;
  place.column = (k % CellsPerRow) * CellWidth;
  place.row = (k / CellsPerRow) * CellHeight;
  return place.column < kPageSize && place.row < kPageSize;
}
