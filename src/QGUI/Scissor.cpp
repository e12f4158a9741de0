#include "QGUI/Scissor.h"

#include <algorithm>
#include <limits>

#include "gl/Renderer.h"

namespace {

TQGUI_Scissor_Stack* g_scissors = nullptr;

// Corners are computed in 64 bits so huge rectangles cannot overflow.
int64_t Clamp(int64_t value, int64_t low, int64_t high) { return value < low ? low : (value > high ? high : value); }

int32_t ToInt32(int64_t value) {
  return static_cast<int32_t>(Clamp(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

TQGUI_Scissor_Stack::TQGUI_Scissor_Stack() { g_scissors = this; }

TQGUI_Scissor_Stack::~TQGUI_Scissor_Stack() {
  if (g_scissors == this) g_scissors = nullptr;
}

TQGUI_Scissor_Stack* ScissorStack() { return g_scissors; }

void TQGUI_Scissor_Stack::PushScissor(int32_t x, int32_t y, int32_t width, int32_t height) {
  TQGUIScissorRect rect{x, y, width, height};
  Push(rect);
  TOGL_Renderer* renderer = CurrentRenderer();
  if (!renderer) return;
  renderer->SetScissor(rect.x, rect.y, rect.width, rect.height);
  if (Count() == 1) renderer->EnableScissor(true);
}

void TQGUI_Scissor_Stack::PopScissor() {
  TQGUIScissorRect rect;
  bool remaining = Pop(rect);
  TOGL_Renderer* renderer = CurrentRenderer();
  if (!renderer) return;
  if (remaining)
    renderer->SetScissor(rect.x, rect.y, rect.width, rect.height);
  else
    renderer->EnableScissor(false);
}

// A negative size holds nothing; it is stored as 0 so glScissor never rejects it.
void TQGUI_Scissor_Stack::Push(TQGUIScissorRect& rect) {
  rect.width = std::max(rect.width, 0);
  rect.height = std::max(rect.height, 0);
  if (!entries_.empty()) {
    const TQGUIScissorRect& top = entries_.back();
    int64_t left = top.x, bottom = top.y;
    int64_t right = left + top.width, topEdge = bottom + top.height;
    int64_t x1 = Clamp(rect.x, left, right), y1 = Clamp(rect.y, bottom, topEdge);
    int64_t x2 = Clamp(int64_t(rect.x) + rect.width, left, right);
    int64_t y2 = Clamp(int64_t(rect.y) + rect.height, bottom, topEdge);
    rect = {ToInt32(x1), ToInt32(y1), ToInt32(x2 - x1), ToInt32(y2 - y1)};
  }
  if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.capacity() + kGrowth);
  entries_.push_back(rect);
}

bool TQGUI_Scissor_Stack::Pop(TQGUIScissorRect& rect) {
  if (entries_.size() < 2) {
    entries_.clear();
    return false;
  }
  entries_.pop_back();
  rect = entries_.back();
  return true;
}

void TQGUI_Scissor_Stack::Clear(bool release) {
  if (release)
    std::vector<TQGUIScissorRect>().swap(entries_);
  else
    entries_.clear();
}
