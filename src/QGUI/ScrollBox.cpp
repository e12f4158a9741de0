#include "QGUI/ScrollBox.h"

#include <algorithm>
#include <limits>

#include "QGUI/Scrollbar.h"

namespace {

int32_t Saturate(int64_t value) {
  return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

TQGUI_ScrollBox::TQGUI_ScrollBox(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  scissor = true;
  wheelConsumer = true;
}

void TQGUI_ScrollBox::Resized() {
  TQGUI_Element::Resized();
  scrollInfoDirty = true;
}

// A child deleted by id tells its parent nothing, but it changes the count.
void TQGUI_ScrollBox::Draw() {
  TQGUI_Element::Draw();
  if ((scrollInfoDirty || Children().size() != measuredChildren_) && !Deleted()) UpdateScrollInfo();
}

// With no children the extents stay at their start values, so both bars hide.
void TQGUI_ScrollBox::UpdateScrollInfo() {
  int64_t minX = 99999, maxX = -99999, minY = 99999, maxY = -99999;
  measuredChildren_ = Children().size();
  for (const auto& child : Children()) {
    minX = std::min<int64_t>(minX, child->x);
    maxX = std::max<int64_t>(maxX, int64_t(child->x) + child->w);
    minY = std::min<int64_t>(minY, child->y);
    maxY = std::max<int64_t>(maxY, int64_t(child->y) + child->h);
  }
  if (!RangeBar(0, maxY - minY, h - 2) || !RangeBar(1, maxX - minX, w - 2)) return;
  if (maxX - minX < w - 2) scrollX = 0;
  if (maxY - minY < h - 2) scrollY = 0;
  TQGUI_Element::UpdateScrollInfo();
}

bool TQGUI_ScrollBox::RangeBar(int slot, int64_t extent, int32_t visibleAmount) {
  TQGUI_Scrollbar* bar = AttachedBar(*this, slot);
  if (!bar) return true;
  bar->SetRange(visibleAmount, Saturate(extent), *this);
  // Showing or hiding may run the bar's code.
  if (autoHideBars) bar->SetVisible(extent >= visibleAmount);
  return !Deleted();
}

void TQGUI_ScrollBox::ToChildCoords(int32_t& px, int32_t& py) const {
  px += scrollX;
  py += scrollY;
}

int32_t TQGUI_ScrollBox::GetAbsX() const { return TQGUI_Element::GetAbsX() - (drawingSelf ? 0 : scrollX); }
int32_t TQGUI_ScrollBox::GetAbsY() const { return TQGUI_Element::GetAbsY() - (drawingSelf ? 0 : scrollY); }

void TQGUI_ScrollBox::AddChild(std::unique_ptr<TQGUI_Element> child) {
  TQGUI_Element::AddChild(std::move(child));
  scrollInfoDirty = true;
}

void TQGUI_ScrollBox::ChildResized(TQGUI_Element&) { scrollInfoDirty = true; }

// A bar that is no longer attached scrolls nothing.
void TQGUI_ScrollBox::ScrollPositionChanged(int32_t position, TQGUI_Element& bar) {
  if (&bar == Scrollbar(0)) {
    scrollY = position;
  } else if (&bar == Scrollbar(1)) {
    scrollX = position;
  }
}

void TQGUI_ScrollBox::ResetScroll() {
  scrollX = scrollY = 0;
  for (int slot : {0, 1})
    if (TQGUI_Scrollbar* bar = AttachedBar(*this, slot)) bar->ResetPosition();
}
