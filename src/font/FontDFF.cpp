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

int TOGL_Font_DFF::CharAdvance(char16_t ch) const { return Quad(ch).advance + 1 + CharGap; }

int TOGL_Font_DFF::CharHeight(char16_t ch) const { return int(std::ceil(data_->Resolved(ch).Height * Scale)); }

int TOGL_Font_DFF::TextWidth(std::u16string_view text, int gap) {
  SetCharGap(gap);
  int sum = 0;
  for (char16_t ch : text) sum += CharAdvance(ch);
  RestoreCharGap();
  return sum;
}

TOGL_Font_DFF::GlyphQuad TOGL_Font_DFF::MakeQuad(char16_t ch) const {
  GlyphQuad q;
  q.advance = int(std::ceil(data_->Resolved(ch).Advance * Scale));
  if (ch == 32) return q;
  if (data_->Entry(ch).Code != ch) ch = data_->Entry(ch).Code;
  const TGlyph& g = data_->Entry(ch);
  TCellPlace place;
  if (ch == 0 || g.Code != ch || g.Advance == 0 || g.Cell == 0 || !data_->Place(g.Cell, place)) return q;

  const long double a = std::ceil(g.Advance * Scale);
  const long double h = std::ceil(g.Height * Scale);
  const long double p = std::ceil(data_->Margin * Scale);
  const long double l = std::ceil(data_->CellHeight * Scale);
  const long double o = std::ceil((data_->CellHeight * Scale - h) / 2);
  const long double page = TDistanceFieldFont::kPageSize;
  q.drawn = true;
  q.page = place.page;
  q.left = int(-1 - p);
  q.bottom = int(-l + o + 1 - p);
  q.width = int(a + 2 * p);
  q.height = int(h + 2 * p);
  q.u = float(place.column / page);
  q.v = float(place.row / page);
  q.du = float((g.Advance + 2.0L * data_->Margin) / page);
  q.dv = float((g.Height + 2.0L * data_->Margin) / page);
  return q;
}

const TOGL_Font_DFF::GlyphQuad& TOGL_Font_DFF::Quad(char16_t ch) const {
  if (ch >= kCachedChars) return uncached_ = MakeQuad(ch);
  if (cachedScale_ != Scale) {
    cached_.reset();
    cachedScale_ = Scale;
  }
  if (!cached_[ch]) {
    cache_[ch] = MakeQuad(ch);
    cached_[ch] = true;
  }
  return cache_[ch];
}

// False when the glyph's page has no texture and nothing was drawn.
bool TOGL_Font_DFF::DrawQuad(TOGL_Renderer& renderer, const GlyphQuad& q, int x, int y, bool bind) const {
  if (q.page >= int(data_->Textures.size())) return false;
  if (bind) renderer.BindTexture(0, data_->Textures[q.page]);
  renderer.DrawQuad(float(x + q.left), float(y + q.bottom), float(q.width), float(q.height), q.u, q.v, q.du, q.dv);
  return true;
}

void TOGL_Font_DFF::DrawChar(char16_t ch, int x, int y) {
  const GlyphQuad& q = Quad(ch);
  if (TOGL_Renderer* renderer = CurrentRenderer(); renderer && q.drawn) DrawQuad(*renderer, q, x, y, true);
}

// Glyphs of one page follow each other in most text: the page is bound when it changes.
int TOGL_Font_DFF::DrawText(std::u16string_view text, int x, int y) {
  TOGL_Renderer* renderer = CurrentRenderer();
  const int yb = (renderer ? renderer->Height() : 0) - y;
  int boundPage = -1;
  int sum = 0;
  for (char16_t ch : text) {
    const GlyphQuad& q = Quad(ch);
    if (renderer && q.drawn && DrawQuad(*renderer, q, x + sum, yb, q.page != boundPage)) boundPage = q.page;
    sum += q.advance + 1 + CharGap;
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
