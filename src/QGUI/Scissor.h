#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A clip rectangle in window pixels, y counted from the bottom (as glScissor takes it).
struct TQGUIScissorRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool operator==(const TQGUIScissorRect&) const = default;
};

// Nested clip rectangles: each one pushed is cut to the one in force, so a clipped
// element inside another draws only where both allow. Clipping is on exactly while
// the stack holds a rectangle.
class TQGUI_Scissor_Stack {
 public:
  static constexpr size_t kGrowth = 10;

  TQGUI_Scissor_Stack();
  ~TQGUI_Scissor_Stack();
  TQGUI_Scissor_Stack(const TQGUI_Scissor_Stack&) = delete;
  TQGUI_Scissor_Stack& operator=(const TQGUI_Scissor_Stack&) = delete;

  // Push and apply through the current renderer, switching clipping on for the first.
  void PushScissor(int32_t x, int32_t y, int32_t width, int32_t height);
  // Re-applies the rectangle now on top, or switches clipping off when none is left.
  void PopScissor();

  // Cuts `rect` to the rectangle in force and stores it; `rect` becomes the cut one.
  void Push(TQGUIScissorRect& rect);
  // Drops the top entry and gives the new top; false, with the stack empty, when fewer
  // than two entries were held.
  bool Pop(TQGUIScissorRect& rect);
  // With `release` the entries' memory goes too.
  void Clear(bool release);

  size_t Count() const { return entries_.size(); }
  size_t Capacity() const { return entries_.capacity(); }
  const TQGUIScissorRect& Entry(size_t index) const { return entries_[index]; }

 private:
  std::vector<TQGUIScissorRect> entries_;
};

// The program's scissor stack: the most recently created one still alive, or null.
TQGUI_Scissor_Stack* ScissorStack();
