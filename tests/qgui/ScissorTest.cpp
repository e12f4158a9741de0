#include <gtest/gtest.h>

#include "QGUI/Scissor.h"
#include "RecordingRenderer.h"

namespace {

TQGUIScissorRect Nested(TQGUIScissorRect outer, TQGUIScissorRect inner) {
  TQGUI_Scissor_Stack stack;
  stack.Push(outer);
  stack.Push(inner);
  return inner;
}

TEST(ScissorStack, InnerRectanglesAreCutToTheOneInForce) {
  EXPECT_EQ(Nested({0, 0, 100, 100}, {50, 50, 100, 100}), (TQGUIScissorRect{50, 50, 50, 50}));
  EXPECT_EQ(Nested({0, 0, 100, 100}, {-20, 10, 30, 30}), (TQGUIScissorRect{0, 10, 10, 30}));
  EXPECT_EQ(Nested({0, 0, 100, 100}, {200, 200, 10, 10}), (TQGUIScissorRect{100, 100, 0, 0}));
  EXPECT_EQ(Nested({10, 10, 20, 20}, {0, 0, 100, 100}), (TQGUIScissorRect{10, 10, 20, 20}));
  // Negative sizes hold nothing; huge ones do not overflow.
  EXPECT_EQ(Nested({0, 0, 100, 100}, {50, 50, -10, -10}), (TQGUIScissorRect{50, 50, 0, 0}));
  EXPECT_EQ(Nested({2000000000, 0, 2000000000, 10}, {2100000000, 0, 2000000000, 5}),
            (TQGUIScissorRect{2100000000, 0, 1900000000, 5}));
}

TEST(ScissorStack, PopsRestoreTheOuterRectangleThenSwitchClippingOff) {
  RecordingRenderer renderer;
  TQGUI_Scissor_Stack stack;
  stack.PushScissor(0, 0, 100, 100);
  EXPECT_TRUE(renderer.scissorOn);
  stack.PushScissor(50, 50, 100, 100);
  stack.PopScissor();
  EXPECT_TRUE(renderer.scissorOn);
  EXPECT_EQ(renderer.scissors, (std::vector<std::array<int, 4>>{{0, 0, 100, 100}, {50, 50, 50, 50}, {0, 0, 100, 100}}));
  stack.PopScissor();
  EXPECT_FALSE(renderer.scissorOn);
  EXPECT_EQ(stack.Count(), 0u);

  stack.PopScissor();  // on an empty stack: still off, not an error
  EXPECT_FALSE(renderer.scissorOn);
  EXPECT_EQ(renderer.scissors.size(), 3u);
}

TEST(ScissorStack, GrowsByTenAndReleasesOnClear) {
  TQGUI_Scissor_Stack stack;
  EXPECT_EQ(stack.Capacity(), 0u);
  for (int i = 0; i < 10; ++i) {
    TQGUIScissorRect rect{i, i, 100, 100};
    stack.Push(rect);
  }
  EXPECT_EQ(stack.Capacity(), 10u);
  TQGUIScissorRect eleventh{0, 0, 5, 5};
  stack.Push(eleventh);
  EXPECT_EQ(stack.Capacity(), 20u);
  EXPECT_EQ(stack.Entry(10), (TQGUIScissorRect{9, 9, 0, 0}));

  TQGUIScissorRect top;
  EXPECT_TRUE(stack.Pop(top));
  EXPECT_EQ(top, (TQGUIScissorRect{9, 9, 91, 91}));
  stack.Clear(false);
  EXPECT_EQ(stack.Capacity(), 20u);
  stack.Clear(true);
  EXPECT_EQ(stack.Capacity(), 0u);
  EXPECT_FALSE(stack.Pop(top));
}

}  // namespace
