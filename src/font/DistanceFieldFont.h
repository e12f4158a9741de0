#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <istream>
#include <vector>

#include "platform/ReferenceClass.h"

class TByteReader;
class TOGL_Renderer;

// One glyph table entry. Code equals the entry's index for a glyph the file defines;
// another value redirects to that entry, 0 means undefined.
struct TGlyph {
  uint16_t Code = 0;
  uint16_t Advance = 0;
  uint16_t Height = 0;
  uint16_t Cell = 0;
};

// Where a glyph cell lies: its page and its texel corner in that page.
struct TCellPlace {
  int page = 0;
  int column = 0;
  int row = 0;
};

// Glyph data of a DFF file: a 65,536-entry glyph table and 512 x 512 one-channel
// pages (distance fields or plain coverage), shared by a font and its scaled clones.
class TDistanceFieldFont : public TReferenceClass {
 public:
  static constexpr int kPageSize = 512;
  static constexpr size_t kPageBytes = size_t(kPageSize) * kPageSize;
  // More pages than this would hold a glyph table's worth of cells many times over;
  // the rest of such a file is not read, so a small file cannot claim gigabytes.
  static constexpr int kMaxPages = 256;

  TDistanceFieldFont();
  ~TDistanceFieldFont() override;

  void Load(std::istream& in);
  void UploadPages();

  const TGlyph& Entry(char16_t ch) const { return table_[ch]; }
  TGlyph& Entry(char16_t ch) { return table_[ch]; }
  // The entry a character resolves to through its own Code (entry 0 when undefined).
  const TGlyph& Resolved(char16_t ch) const { return table_[table_[ch].Code]; }
  // False when the cell lies outside the loaded pages.
  bool Place(uint16_t cell, TCellPlace& place) const;

  // kPageBytes each, rows in texture upload order; empty for a page that did not inflate at all.
  std::vector<std::vector<uint8_t>> Pages;
  std::vector<GLuint> Textures;  // 0 for an empty page
  uint8_t Version = 0;
  uint16_t CellWidth = 0;
  uint16_t CellHeight = 0;
  int32_t Margin = 8;
  uint16_t CellsPerRow = 0;
  uint16_t RowsPerPage = 0;
  uint16_t CellsPerPage = 0;
  uint16_t PageCount = 0;
  bool IsDistanceField = true;
  // Pages that did not inflate to a full page; what did inflate is kept.
  int BadPages = 0;

 private:
  void ReadGlyphs(TByteReader& r, int count);

  std::vector<TGlyph> table_;
  TOGL_Renderer* uploadedTo_ = nullptr;
};
