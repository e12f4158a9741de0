#include "font/FontDFF.h"

#include <cmath>

#include "gl/Renderer.h"

TOGL_Font_DFF::TOGL_Font_DFF(std::string name, long double scale, TDistanceFieldFont* data) : data_(data) {
  Scale = scale;
  IsDistanceField = data->IsDistanceField;
  CellWidth = data->CellWidth;
  CellHeight = data->CellHeight;
  Name = std::move(name);
}

TOGL_Font_DFF::~TOGL_Font_DFF() { data_->Release(); }

int TOGL_Font_DFF::CharAdvance(char16_t ch) const {
  return int(std::ceil(data_->Resolved(ch).Advance * Scale)) + 1 + CharGap;
}

int TOGL_Font_DFF::CharHeight(char16_t ch) const { return int(std::ceil(data_->Resolved(ch).Height * Scale)); }

int TOGL_Font_DFF::TextWidth(std::u16string_view text, int gap) {
  SetCharGap(gap);
  int sum = 0;
  for (char16_t ch : text) sum += CharAdvance(ch);
  RestoreCharGap();
  return sum;
}

void TOGL_Font_DFF::DrawChar(char16_t ch, int x, int y) {
  if (ch == 32) return;
  if (data_->Entry(ch).Code != ch) ch = data_->Entry(ch).Code;
  const TGlyph& g = data_->Entry(ch);
  if (ch == 0 || g.Code != ch || g.Advance == 0 || g.Cell == 0) return;
  TCellPlace place;
  TOGL_Renderer* renderer = CurrentRenderer();
  if (!renderer || !data_->Place(g.Cell, place) || place.page >= int(data_->Textures.size())) return;

  const long double a = std::ceil(g.Advance * Scale);
  const long double h = std::ceil(g.Height * Scale);
  const long double p = std::ceil(data_->Margin * Scale);
  const long double l = std::ceil(data_->CellHeight * Scale);
  const long double o = std::ceil((data_->CellHeight * Scale - h) / 2);
  const long double page = TDistanceFieldFont::kPageSize;
  renderer->BindTexture(0, data_->Textures[place.page]);
  renderer->DrawQuad(float(x - 1 - p), float(y - l + o + 1 - p), float(a + 2 * p), float(h + 2 * p),
                     float(place.column / page), float(place.row / page),
                     float((g.Advance + 2.0L * data_->Margin) / page), float((g.Height + 2.0L * data_->Margin) / page));
}

int TOGL_Font_DFF::DrawText(std::u16string_view text, int x, int y) {
  TOGL_Renderer* renderer = CurrentRenderer();
  int yb = (renderer ? renderer->Height() : 0) - y;
  int sum = 0;
  for (char16_t ch : text) {
    DrawChar(ch, x + sum, yb);
    sum += CharAdvance(ch);
  }
  return sum;
}

TOGL_Font_Base* TOGL_Font_DFF::CloneAtScale(long double scale) {
  data_->AddRef();
  return new TOGL_Font_DFF(Name, IsDistanceField ? scale : 1.0L, data_);
}

TOGL_Font_Base* LoadDistanceFieldFont(const std::string& path, std::istream* stream, long double scale) {
  if (!stream) return nullptr;
  auto* data = new TDistanceFieldFont;
  data->Load(*stream);
  data->UploadPages();
  return new TOGL_Font_DFF(path, scale, data);
}
