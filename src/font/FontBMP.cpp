#include "font/FontBMP.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kPage = TDistanceFieldFont::kPageSize;
// A texel of empty border keeps linear filtering from pulling in the next cell.
constexpr int kMargin = 1;

bool Drawable(const TZQGlyph& g) {
  return g.Width > 0 && g.Height > 0 && g.Pixels.size() == size_t(g.Width) * g.Height &&
         g.Width + 2 * kMargin <= kPage && g.Height + 2 * kMargin <= kPage;
}

// Copies an image into its cell; rows go bottom first, as pages are uploaded.
void Blit(const TZQGlyph& g, std::vector<uint8_t>& page, int column, int row) {
  for (int y = 0; y < g.Height; ++y) {
    const uint8_t* src = g.Pixels.data() + size_t(g.Height - 1 - y) * g.Width;
    std::copy(src, src + g.Width, page.begin() + size_t(row + kMargin + y) * kPage + column + kMargin);
  }
}

}  // namespace

TDistanceFieldFont* BuildGlyphPages(const TZQFont& font) {
  auto data = std::make_unique<TDistanceFieldFont>();
  data->Version = 2;
  data->IsDistanceField = false;
  data->Margin = kMargin;
  int cellWidth = 1, cellHeight = 1;
  for (int ch = 0; ch < 65536; ++ch) {
    const TZQGlyph& g = font.Glyph(char16_t(ch));
    if (!Drawable(g)) continue;
    cellWidth = std::max(cellWidth, g.Width + 2 * kMargin);
    cellHeight = std::max(cellHeight, g.Height + 2 * kMargin);
  }
  data->CellWidth = uint16_t(cellWidth);
  data->CellHeight = uint16_t(cellHeight);
  data->CellsPerRow = uint16_t(kPage / cellWidth);
  data->RowsPerPage = uint16_t(kPage / cellHeight);
  data->CellsPerPage = uint16_t(std::min(data->CellsPerRow * data->RowsPerPage, 65535));

  int cell = 1;  // cell 0 stands for "no image"
  for (int ch = 0; ch < 65536; ++ch) {
    const TZQGlyph& g = font.Glyph(char16_t(ch));
    if (g.Check != ch || g.Width == 0) continue;
    TGlyph& entry = data->Entry(char16_t(ch));
    entry = {uint16_t(ch), g.Width, g.Height, 0};
    TCellPlace place;
    if (!Drawable(g) || cell > 65535 || cell / data->CellsPerPage >= TDistanceFieldFont::kMaxPages) continue;
    while (int(data->Pages.size()) <= cell / data->CellsPerPage)
      data->Pages.emplace_back(TDistanceFieldFont::kPageBytes, 0);
    data->Place(uint16_t(cell), place);
    Blit(g, data->Pages[place.page], place.column, place.row);
    entry.Cell = uint16_t(cell++);
  }
  data->PageCount = uint16_t(data->Pages.size());
  if (data->Entry(32).Advance == 0) data->Entry(32).Advance = 10;
  return data.release();
}

TOGL_Font_BMP::TOGL_Font_BMP(std::string name, long double scale, const TZQFont& font)
    : TOGL_Font_DFF(std::move(name), scale, BuildGlyphPages(font)) {
  Data()->UploadPages();
}

TOGL_Font_Base* TOGL_Font_BMP::CloneAtScale(long double) {
  AddRef();
  return this;
}

TOGL_Font_Base* LoadBitmapFont(const std::string& path, std::istream* stream, long double scale) {
  if (!stream) return nullptr;
  auto font = std::make_unique<TZQFont>();
  font->Load(*stream, true);
  return new TOGL_Font_BMP(path, scale, *font);
}
