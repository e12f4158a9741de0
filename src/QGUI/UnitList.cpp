#include "QGUI/UnitList.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "QGUI/Registry.h"
#include "font/FontBase.h"
#include "gl/Renderer.h"
#include "platform/Text.h"

namespace {

constexpr int32_t kDigitWidth = 8;  // one badge digit cell of the texture-2 strip
const TQGUIColour kBlack{0, 0, 0, 1};

int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

// The cells a layout has: those below its count within its rows and columns.
int64_t CellsOf(const TQGUI_UL_Layout& layout) {
  if (layout.rowCount <= 0 || layout.columnCount <= 0 || layout.cellCount <= 0) return 0;
  return std::min<int64_t>(layout.cellCount, int64_t(layout.rowCount) * layout.columnCount);
}

// A bar's share of the cell width; a host's odd value draws no or a full bar.
float Fraction(float value) { return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f; }

void Textured(TOGL_Renderer& renderer, bool on) {
  renderer.SetColour3(1, 1, 1);
  renderer.SetQuadType(on ? 0 : 1);
}

std::vector<TQGUI_UnitListHost*>& Hosts() {
  static std::vector<TQGUI_UnitListHost*> hosts;
  return hosts;
}

}  // namespace

TQGUI_UnitList::TQGUI_UnitList(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  col1 = {0, 0, 0, 0};
  font.col = {1, 1, 1, 1};
  shadowText = true;
}

void TQGUI_UnitList::Registered() { TQGUI_UnitListHost::Offer(*this); }

void TQGUI_UnitList::InstallHooks(TQGUI_UnitListHooks newHooks, int32_t newHostData) {
  hooks = std::move(newHooks);
  hostData = newHostData;
}

void TQGUI_UnitList::Draw() {
  TQGUI_Element::Draw();
  const float a = EffectiveAlpha();
  if (Deleted() || a <= 0 || !hooks.getLayout || !hooks.getCellData || !LoadFont()) return;
  TQGUI_UL_Layout layout;
  hooks.getLayout(hostData, layout);
  // The digit strip is loaded with the cells, so badges show once it is named.
  ResolveTexture(SLOT_TEXTURE2, false);
  TOGL_Renderer& renderer = Renderer();
  Textured(renderer, true);
  renderer.SetColour(1, 1, 1, a);
  if (!textureBlend) renderer.SetBlend(false);
  const int64_t cells = CellsOf(layout);
  const double spacing =
      layout.namesOnly ? 0
                       : (double(w) - (double(layout.cellWidth) + 6) * layout.columnCount) / (layout.columnCount + 1.0);
  for (int64_t cell = 0; cell < cells && !Deleted(); ++cell) DrawCell(layout, int32_t(cell), spacing, a);
  if (!textureBlend) renderer.SetBlend(true);
  Textured(renderer, false);
}

void TQGUI_UnitList::DrawCell(const TQGUI_UL_Layout& layout, int32_t cell, double spacing, float a) {
  const int32_t c = cell % layout.columnCount, r = cell / layout.columnCount;
  const int32_t X =
      Saturate(GetAbsX() + int64_t(c) * (int64_t(layout.cellWidth) + layout.gapX) + std::llround((c + 1) * spacing));
  const int32_t Y = Saturate(GetAbsY() + int64_t(r) * (int64_t(layout.cellHeight) + layout.gapY));
  TQGUI_UL_UpdateUnitData data;
  hooks.getCellData(hostData, cell, data);
  if (Deleted()) return;
  TOGL_Renderer& renderer = Renderer();
  const int32_t cw = layout.cellWidth, ch = layout.cellHeight;
  if (data.showBackground) FillRect(data.backgroundColour, a, X + 2, Y + 2, cw + 2, ch + 2);
  if (data.texture) {
    renderer.SetColour(1, 1, 1, a);
    DrawTexturedRect(data.texture, X + 3, Y + 3, cw, ch, 0, 0, 1, 1);
  }
  DrawCellExtras(layout, data, X, Y, a);
  Textured(renderer, true);
  if (hooks.onCellDrawn && !Deleted()) hooks.onCellDrawn(hostData, cell, layout, X, Y);
}

void TQGUI_UnitList::DrawCellExtras(const TQGUI_UL_Layout& layout, const TQGUI_UL_UpdateUnitData& data, int32_t X,
                                    int32_t Y, float a) {
  const int32_t cw = layout.cellWidth, ch = layout.cellHeight;
  TOGL_Font_Base& f = *font.font;
  if (layout.namesOnly) {
    std::u16string name = data.name;
    if (int64_t(cw) + layout.gapX < f.TextWidth(name, font.charGap) && hooks.shortenName)
      name = hooks.shortenName(name);
    DrawTextLine(name, "", X + 3, Y + ch + 5, a, font.col);
    return;
  }
  if (data.showOverlay) FillRect(data.overlayColour, a * 0.5f, X + 3, Y + 3, cw, ch);
  FillRect(kBlack, a, X + 2, Y + ch + 4, cw + 2, 4);
  if (Fraction(data.bar1Value) > 0)
    FillRect(data.bar1Colour, a, X + 3, Y + ch + 5, int32_t(Fraction(data.bar1Value) * cw), 2);
  if (data.showBar2 && Fraction(data.bar2Value) > 0)
    FillRect(data.bar2Colour, a, X + 3, Y + ch + 9, int32_t(Fraction(data.bar2Value) * cw), 2);
  DrawBadge(data.badge1, X + cw - 11, Y + 3, a);
  DrawBadge(data.badge2, X + cw - 3, Y + 3, a);
  if (data.caption.empty()) return;
  const std::u16string caption = ToUtf16(data.caption);
  DrawTextLine(caption, "", X + cw - f.TextWidth(caption, font.charGap) + 3, Y + ch - f.LineHeight() + 3, a, font.col);
}

void TQGUI_UnitList::DrawBadge(int32_t digit, int32_t left, int32_t top, float a) {
  const TQGUITexSlot& strip = Slot(SLOT_TEXTURE2);
  if (digit < 0 || !strip.texture || strip.width <= 0) return;
  const float width = float(strip.width);
  Renderer().SetColour(1, 1, 1, a);
  DrawTexturedRect(strip.texture, left, top, kDigitWidth, strip.height, kDigitWidth * float(digit) / width, 0,
                   kDigitWidth / width, 1);
}

// Hit testing spaces the columns by the gap where drawing uses 6 pixels; scripts place
// their own elements by it.
int32_t TQGUI_UnitList::CellAt(int32_t px, int32_t py) {
  if (!hooks.getLayout) return -1;
  TQGUI_UL_Layout layout;
  hooks.getLayout(hostData, layout);
  const int64_t cells = CellsOf(layout);
  const int64_t pitchX = int64_t(layout.cellWidth) + layout.gapX, pitchY = int64_t(layout.cellHeight) + layout.gapY;
  const double spacing =
      layout.namesOnly ? 0 : (double(w) - double(pitchX) * layout.columnCount) / (layout.columnCount + 1.0);
  for (int64_t cell = 0; cell < cells; ++cell) {
    const int64_t c = cell % layout.columnCount, r = cell / layout.columnCount;
    const int64_t left = std::llround((c + 1) * spacing + double(c * pitchX)), top = r * pitchY;
    if (left <= px && px <= left + pitchX && top <= py && py <= top + pitchY) return int32_t(cell);
  }
  return -1;
}

void TQGUI_UnitList::MouseMove(int32_t px, int32_t py) {
  TQGUI_Element::MouseMove(px, py);
  if (hooks.onCellHover && !Deleted()) hooks.onCellHover(hostData, CellAt(px, py));
}

void TQGUI_UnitList::MouseClick(uint8_t button, int32_t px, int32_t py) {
  TQGUI_Element::MouseClick(button, px, py);
  if (hooks.onCellClick && !Deleted()) hooks.onCellClick(hostData, CellAt(px, py), button);
}

// ---- Host

TQGUI_UnitListHost::TQGUI_UnitListHost(TQGUI_Context& context, Installer install)
    : context_(context), install_(std::move(install)) {
  Hosts().push_back(this);
  TQGUI_Registry& registry = context_.Registry();
  for (size_t id = 0; id < registry.Size(); ++id)
    if (auto* list = dynamic_cast<TQGUI_UnitList*>(registry.Find(int32_t(id)))) install_(*list);
}

TQGUI_UnitListHost::~TQGUI_UnitListHost() { std::erase(Hosts(), this); }

// The latest host of the list's GUI installs.
void TQGUI_UnitListHost::Offer(TQGUI_UnitList& list) {
  const std::vector<TQGUI_UnitListHost*>& hosts = Hosts();
  for (auto it = hosts.rbegin(); it != hosts.rend(); ++it) {
    if (&(*it)->context_ != &list.Context()) continue;
    (*it)->install_(list);
    return;
  }
}
