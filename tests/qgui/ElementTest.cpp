#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "QGUI/Registry.h"

using Strings = std::vector<std::string>;

namespace {

// Stands in for a class the routing rules single out by type.
class TypedElement : public TQGUI_Element {
 public:
  TypedElement(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel, int32_t type)
      : TQGUI_Element(context, parent, topLevel), type_(type) {}
  int32_t Type() const override { return type_; }

 private:
  int32_t type_;
};

}  // namespace

class ElementTest : public GuiTest {
 protected:
  TQGUI_Element& Typed(int32_t type, TQGUI_Element& parent) {
    TQGUI_Element& element = gui->Create<TypedElement>(&parent, false, type);
    element.id = gui->Registry().Register(element);
    return element;
  }
};

TEST_F(ElementTest, AnchorsFollowTheParent) {
  TQGUI_Element& parent = Panel(0, 0, 200, 100);
  TQGUI_Element& stretch = Panel(10, 10, 50, 20, parent.id);
  stretch.anchors = {true, true, true, false};
  TQGUI_Element& right = Panel(100, 10, 50, 20, parent.id);
  right.anchors = {false, true, true, false};
  TQGUI_Element& centred = Panel(75, 40, 50, 20, parent.id);
  centred.anchors = {false, false, false, false};
  TQGUI_Element& bottom = Panel(10, 60, 50, 20, parent.id);
  bottom.anchors = {true, false, false, true};
  TQGUI_Element& still = Panel(10, 10, 50, 20, parent.id);
  RenderFrame();

  parent.SetWidth(197);
  parent.SetHeight(103);
  EXPECT_EQ(stretch.GetBounds(), (TQGUIRect{10, 10, 47, 20}));
  EXPECT_EQ(right.GetBounds(), (TQGUIRect{97, 10, 50, 20}));
  EXPECT_EQ(centred.GetBounds(), (TQGUIRect{74, 41, 50, 20}));  // -3 moves by -1, +3 by +1
  EXPECT_EQ(bottom.GetBounds(), (TQGUIRect{10, 63, 50, 20}));
  EXPECT_EQ(still.GetBounds(), (TQGUIRect{10, 10, 50, 20}));
  EXPECT_TRUE(stretch.resizePending);
  EXPECT_FALSE(still.resizePending);
}

TEST_F(ElementTest, AGrandchildFollowsItsStretchedParentAndResizeRunsAtTheNextDraw) {
  TQGUI_Element& outer = Panel(0, 0, 200, 100);
  TQGUI_Element& inner = Panel(0, 0, 100, 50, outer.id);
  inner.anchors = {true, true, true, true};
  TQGUI_Element& leaf = Panel(80, 30, 10, 10, inner.id);
  leaf.anchors = {false, false, true, true};
  LogOn(inner, CALLBACK_RESIZED, "resized");

  outer.SetBounds(0, 0, 220, 110);
  EXPECT_EQ(inner.GetBounds(), (TQGUIRect{0, 0, 120, 60}));
  EXPECT_EQ(leaf.GetBounds(), (TQGUIRect{100, 40, 10, 10}));
  EXPECT_TRUE(Log().empty());
  RenderFrame();
  EXPECT_EQ(Log(), (Strings{"resized " + std::to_string(inner.id)}));
  RenderFrame();
  EXPECT_EQ(Log().size(), 1u);
}

TEST_F(ElementTest, HitTestingIncludesTheRightAndBottomEdges) {
  TQGUI_Element& e = Panel(0, 0, 40, 30);
  EXPECT_TRUE(e.Inside(40, 30));
  EXPECT_TRUE(e.Inside(0, 0));
  EXPECT_FALSE(e.Inside(41, 30));
  EXPECT_FALSE(e.Inside(40, -1));
  EXPECT_TRUE(e.HitTest(40, 30));
  e.alpha = 0;
  EXPECT_FALSE(e.HitTest(10, 10));
  e.alpha = 1;
  e.noMouseEventsThis = true;
  EXPECT_FALSE(e.HitTest(10, 10));
  Panel(5, 5, 10, 10, e.id);
  EXPECT_TRUE(e.HitTest(10, 10));
  EXPECT_FALSE(desktop->HitTest(500, 500));
}

TEST_F(ElementTest, ClickThenDoubleClickThenClickAtOnePixel) {
  TQGUI_Element& e = Panel(10, 10, 40, 40);
  LogOn(e, CALLBACK_MOUSEDOWN, "down", " %b %x %y");
  LogOn(e, CALLBACK_MOUSEUP, "up", " %b %x %y");
  LogOn(e, CALLBACK_MOUSECLICK, "click", " %b %x %y");
  LogOn(e, CALLBACK_MOUSEDBLCLICK, "double", " %b %x %y");
  std::string id = std::to_string(e.id);

  Click(15, 20);
  now += 599;  // within the double-click time + 100 ms
  Click(15, 20);
  now += 100;
  Click(15, 20);
  EXPECT_EQ(Log(), (Strings{"down " + id + " 0 5 10", "up " + id + " 0 5 10", "click " + id + " 0 5 10",
                            "down " + id + " 0 5 10", "up " + id + " 0 5 10", "double " + id + " 0 5 10",
                            "down " + id + " 0 5 10", "up " + id + " 0 5 10", "click " + id + " 0 5 10"}));
  EXPECT_FALSE(e.lastClickWasDouble);

  ClearLog();
  now += 600;  // too late for a double click
  Click(15, 20);
  now += 10;
  Click(16, 20);  // another pixel
  EXPECT_EQ(Log()[2], "click " + id + " 0 5 10");
  EXPECT_EQ(Log()[5], "click " + id + " 0 6 10");
}

TEST_F(ElementTest, AReleaseElsewhereIsNoClickAndEveryElementHearsIt) {
  TQGUI_Element& a = Panel(0, 0, 40, 40);
  TQGUI_Element& b = Panel(100, 0, 40, 40);
  LogOn(a, CALLBACK_MOUSECLICK, "click");
  LogOn(a, CALLBACK_MOUSEUPANY, "upany", " %b");
  LogOn(b, CALLBACK_MOUSEUP, "up");
  gui->MouseDown(1, 10, 10);
  EXPECT_EQ(gui->pressed, &a);
  EXPECT_EQ(gui->pressedButton, 1);
  gui->MouseUp(1, 110, 10);
  EXPECT_EQ(Log(), (Strings{"up " + std::to_string(b.id), "upany " + std::to_string(a.id) + " 1"}));
  EXPECT_FALSE(a.buttonDown[1]);
  EXPECT_EQ(gui->pressed, nullptr);
}

TEST_F(ElementTest, PlaceholdersAreReplacedInAnyCase) {
  TQGUI_Element& e = Panel(0, 0, 40, 40);
  e.SetCallback(CALLBACK_MOUSEMOVE, "log[#log+1]='%ID %X,%Y %Left %right %iD'");
  gui->MouseMove(3, 4);
  EXPECT_EQ(Log(), (Strings{std::to_string(e.id) + " 3,4 False False " + std::to_string(e.id)}));
}

TEST_F(ElementTest, CallbacksTheClassDoesNotKeepAreIgnored) {
  TQGUI_Element& e = Panel(0, 0, 40, 40);
  e.SetCallback(CALLBACK_CHECKED, "x()");
  e.SetCallback(CALLBACK_ITEMCLICKED, "x()");
  e.SetCallback(26, "x()");
  EXPECT_EQ(e.Callback(CALLBACK_CHECKED), "");
  EXPECT_EQ(e.Callback(CALLBACK_ITEMCLICKED), "");
  e.SetCallback(CALLBACK_KEYUP, "x()");
  EXPECT_EQ(e.Callback(CALLBACK_KEYUP), "x()");
  e.SetCallback(CALLBACK_KEYUP, "");
  EXPECT_EQ(e.Callback(CALLBACK_KEYUP), "");
}

TEST_F(ElementTest, ADisabledParentBlocksItsSubtreeButASpriteMapButtonStillHovers) {
  TQGUI_Element& parent = Panel(0, 0, 100, 100);
  TQGUI_Element& child = Panel(10, 10, 30, 30, parent.id);
  LogOn(child, CALLBACK_MOUSEDOWN, "down");
  LogOn(child, CALLBACK_KEYDOWN, "key");
  parent.SetDisabled(true);
  child.SetKeyboardFocus();
  gui->MouseMove(20, 20);
  gui->MouseDown(0, 20, 20);
  gui->KeyDown(65);
  EXPECT_TRUE(Log().empty());
  EXPECT_NE(gui->hover, &child);

  parent.SetDisabled(false);
  TQGUI_Element& button = Typed(TYPE_SPRITEMAPBUTTON, parent);
  button.SetBounds(50, 50, 20, 20);
  button.SetDisabled(true);
  LogOn(button, CALLBACK_MOUSEOVER, "over");
  LogOn(button, CALLBACK_MOUSEDOWN, "down");
  gui->MouseMove(60, 60);
  gui->MouseDown(0, 60, 60);
  EXPECT_EQ(Log(), (Strings{"over " + std::to_string(button.id)}));
  EXPECT_TRUE(button.mouseOver);

  parent.SetDisabled(true);  // a disabled ancestor blocks even the sprite-map button
  gui->MouseMove(1, 1);
  gui->MouseMove(60, 60);
  EXPECT_EQ(Log().size(), 1u);
}

TEST_F(ElementTest, NoMouseEventsThisPassesToChildrenButNeverHandles) {
  TQGUI_Element& holder = Panel(0, 0, 100, 100);
  holder.noMouseEventsThis = true;
  TQGUI_Element& left = Panel(0, 0, 20, 20, holder.id);
  LogOn(holder, CALLBACK_MOUSEDOWN, "holder");
  LogOn(left, CALLBACK_MOUSEDOWN, "left");
  LogOn(*desktop, CALLBACK_MOUSEDOWN, "desktop");
  gui->MouseDown(0, 10, 10);
  gui->MouseDown(0, 50, 50);  // between the children: the desktop below takes it
  EXPECT_EQ(Log(), (Strings{"left " + std::to_string(left.id), "desktop 0"}));

  holder.noMouseEvents = true;
  ClearLog();
  gui->MouseDown(0, 10, 10);
  EXPECT_EQ(Log(), (Strings{"desktop 0"}));
}

TEST_F(ElementTest, ATransparentParentHidesDrawingButNotInput) {
  TQGUI_Element& parent = Panel(0, 0, 100, 100);
  TQGUI_Element& child = Panel(10, 10, 20, 20, parent.id);
  child.col1 = {1, 0, 0, 1};
  parent.alpha = 0;
  LogOn(child, CALLBACK_MOUSECLICK, "click");
  Click(15, 15);
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_EQ(child.EffectiveAlpha(), 0);
  renderer.quads.clear();
  RenderFrame();
  EXPECT_TRUE(renderer.quads.empty());
  EXPECT_FALSE(parent.HitTest(15, 15));  // only its own alpha counts there
  EXPECT_TRUE(child.HitTest(5, 5));
}

TEST_F(ElementTest, HoverMovesWithMouseOverAndLeaveCallbacks) {
  TQGUI_Element& a = Panel(0, 0, 40, 40);
  TQGUI_Element& b = Panel(50, 0, 40, 40);
  LogOn(a, CALLBACK_MOUSEOVER, "over", " %x %y");
  LogOn(a, CALLBACK_MOUSELEAVE, "leave", " %x %y");
  LogOn(b, CALLBACK_MOUSEOVER, "over", " %x %y");
  LogOn(a, CALLBACK_MOUSEMOVEANY, "any", " %x");
  gui->MouseMove(10, 10);
  gui->MouseMove(12, 10);
  gui->MouseMove(60, 5);
  std::string ia = std::to_string(a.id), ib = std::to_string(b.id);
  EXPECT_EQ(Log(), (Strings{"over " + ia + " 10 10", "any " + ia + " 10", "any " + ia + " 12", "leave " + ia + " 10 5",
                            "over " + ib + " 10 5", "any " + ia + " 60"}));
  EXPECT_FALSE(a.mouseOver);
  EXPECT_TRUE(b.mouseOver);
  EXPECT_EQ(desktop->mouseX, 60);
}

TEST_F(ElementTest, WheelGoesToTheFirstConsumer) {
  TQGUI_Element& list = Panel(0, 0, 100, 100);
  TQGUI_Element& row = Panel(0, 0, 100, 20, list.id);
  LogOn(list, CALLBACK_MOUSEWHEEL, "list", " %delta");
  LogOn(row, CALLBACK_MOUSEWHEEL, "row", " %delta");
  gui->MouseWheel(10, 10, -120);
  // Neither consumes it, so the row's parent and the desktop go on to hear it.
  EXPECT_EQ(Log(), (Strings{"row " + std::to_string(row.id) + " -120", "list " + std::to_string(list.id) + " -120"}));
  ClearLog();
  row.wheelConsumer = true;
  gui->MouseWheel(10, 10, 240);
  EXPECT_EQ(Log(), (Strings{"row " + std::to_string(row.id) + " 240"}));
}

TEST_F(ElementTest, NativeHandlersSeeButtonsDoubleClicksAndWheel) {
  TQGUI_Element& e = Panel(0, 0, 40, 40);
  std::vector<std::string> calls;
  e.nativeMouseHandler = [&](TQGUI_Element&, bool down, bool dbl, uint8_t b, int32_t x, int32_t y, int32_t d) {
    calls.push_back(std::to_string(down) + std::to_string(dbl) + " " + std::to_string(b) + " " + std::to_string(x) +
                    "," + std::to_string(y) + " " + std::to_string(d));
  };
  gui->MouseMove(5, 6);
  gui->MouseDown(0, 5, 6);
  gui->MouseMove(7, 6);
  gui->MouseUp(0, 7, 6);
  gui->MouseDown(0, 7, 6);
  gui->MouseUp(0, 7, 6);
  gui->MouseWheel(7, 6, 120);
  EXPECT_EQ(calls, (Strings{"00 254 5,6 0", "10 0 5,6 0", "10 0 7,6 0", "00 0 7,6 0", "10 0 7,6 0", "00 0 7,6 0",
                            "01 0 7,6 0", "00 255 7,6 120"}));
}

TEST_F(ElementTest, TopLevelElementsAreDrawnLastAndNeverClicked) {
  TQGUI_Element& below = Panel(0, 0, 100, 100);
  TQGUI_Element* top = gui->Registry().CreateElement(TYPE_ELEMENT, -1);
  ASSERT_NE(top, nullptr);
  top->SetBounds(0, 0, 50, 50);
  top->col1 = {0, 1, 0, 1};
  below.col1 = {1, 0, 0, 1};
  Panel(60, 60, 10, 10).col1 = {0, 0, 1, 1};  // created after the top-level one
  LogOn(*top, CALLBACK_MOUSECLICK, "top");
  LogOn(below, CALLBACK_MOUSECLICK, "below");
  Click(10, 10);
  EXPECT_EQ(Log(), (Strings{"below " + std::to_string(below.id)}));

  renderer.quads.clear();
  RenderFrame();
  ASSERT_EQ(renderer.quads.size(), 3u);
  EXPECT_EQ(renderer.quads.back().colour, (std::array<float, 4>{0, 1, 0, 1}));
  // Top-level elements are clipped to the desktop.
  EXPECT_TRUE(renderer.quads.back().clipped);
  EXPECT_EQ(renderer.quads.back().scissor, (std::array<int, 4>{0, 0, 1024, 768}));

  // They follow the desktop like normal children.
  top->anchors = {true, true, true, false};
  gui->Resize(1000, 768);
  EXPECT_EQ(top->w, 26);
}

TEST_F(ElementTest, BringToFrontAndSendToBackReorderSiblingsAndTopLevelElements) {
  TQGUI_Element& a = Panel(0, 0, 10, 10);
  TQGUI_Element& b = Panel(0, 0, 10, 10);
  a.BringToFront();
  EXPECT_EQ(desktop->Children().back().get(), &a);
  a.SendToBack();
  EXPECT_EQ(desktop->Children().front().get(), &a);
  TQGUI_Element* t1 = gui->Registry().CreateElement(TYPE_ELEMENT, -1);
  TQGUI_Element* t2 = gui->Registry().CreateElement(TYPE_ELEMENT, -1);
  t1->BringToFront();
  EXPECT_EQ(desktop->TopLevelElements().back().get(), t1);
  t1->SendToBack();
  EXPECT_EQ(desktop->TopLevelElements().front().get(), t1);
  EXPECT_EQ(desktop->TopLevelElements()[2].get(), t2);
  EXPECT_EQ(desktop->Children().back().get(), &b);
}

TEST_F(ElementTest, KeysReachTheFocusThenTheDesktop) {
  TQGUI_Element& edit = Panel(0, 0, 10, 10);
  LogOn(edit, CALLBACK_KEYDOWN, "down", " %k");
  LogOn(edit, CALLBACK_KEYUP, "up", " %k");
  LogOn(edit, CALLBACK_KEYPRESS, "press", " %k");
  LogOn(*desktop, CALLBACK_KEYPRESS, "press", " %k");
  std::string id = std::to_string(edit.id);

  gui->KeyDown(65);  // no focus: only the desktop
  gui->KeyUp(65);
  EXPECT_EQ(Log(), (Strings{"press 0 65"}));

  ClearLog();
  edit.SetKeyboardFocus();
  gui->KeyDown(66);
  gui->KeyDown(66);  // auto-repeat
  gui->KeyDown(66);
  gui->KeyUp(66);
  EXPECT_EQ(Log(), (Strings{"down " + id + " 66", "down " + id + " 66", "down " + id + " 66", "up " + id + " 66",
                            "press " + id + " 66", "press 0 66"}));

  ClearLog();
  gui->KeyDown(67);
  edit.SetKeyboardFocus();  // a key already held yields no press
  gui->KeyUp(67);
  EXPECT_EQ(Log(), (Strings{"down " + id + " 67", "up " + id + " 67"}));
  EXPECT_FALSE(desktop->IsKeyDown(67));
  EXPECT_FALSE(desktop->IsKeyDown(-1));
  EXPECT_FALSE(desktop->IsKeyDown(70000));

  ClearLog();
  edit.SetVisible(false);  // hidden elements hear no keys
  gui->KeyDown(68);
  EXPECT_TRUE(Log().empty());
}

TEST_F(ElementTest, FocusOnTheDesktopItselfDoesNotLoop) {
  LogOn(*desktop, CALLBACK_KEYDOWN, "down", " %k");
  desktop->SetKeyboardFocus();
  gui->KeyDown(13);
  gui->KeyDown(99999);  // out of range: dropped
  EXPECT_EQ(Log(), (Strings{"down 0 13"}));
}

TEST_F(ElementTest, RegistryReusesTheLowestFreeId) {
  TQGUI_Registry& registry = gui->Registry();
  TQGUI_Element& a = Make();
  TQGUI_Element& b = Make();
  TQGUI_Element& c = Make();
  EXPECT_EQ(a.id, 1);
  EXPECT_EQ(c.id, 3);
  gui->Delete(b);
  gui->Delete(a);
  EXPECT_EQ(registry.Find(2), nullptr);
  EXPECT_EQ(Make().id, 1);
  EXPECT_EQ(Make().id, 2);
  EXPECT_EQ(Make().id, 4);
  EXPECT_EQ(registry.Find(-1), desktop);
  EXPECT_EQ(registry.Find(0), desktop);
  EXPECT_EQ(registry.Find(-2), nullptr);
  EXPECT_EQ(registry.Find(1000), nullptr);
}

TEST_F(ElementTest, CreatingRefusesUnknownTypesAndSavesOrphans) {
  TQGUI_Registry& registry = gui->Registry();
  EXPECT_EQ(registry.CreateElement(14, 0), nullptr);
  EXPECT_EQ(registry.CreateElement(-1, 0), nullptr);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], (std::pair<std::string, std::string>{"QGUI_Create", "<14> is not a valid TYPE"}));

  TQGUI_Element* orphan = registry.CreateElement(TYPE_ELEMENT, 77);
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(orphan->Parent(), nullptr);
  EXPECT_EQ(registry.Find(orphan->id), orphan);
  renderer.quads.clear();
  RenderFrame();
  EXPECT_TRUE(renderer.quads.empty());
  const int32_t orphanId = orphan->id;
  gui->Delete(*orphan);
  EXPECT_EQ(registry.Find(orphanId), nullptr);
}

TEST_F(ElementTest, DestroyedElementsClearHoverPressedFocusAndTheirSubtreeIds) {
  TQGUI_Element& parent = Panel(0, 0, 100, 100);
  TQGUI_Element& child = Panel(0, 0, 50, 50, parent.id);
  int32_t childId = child.id;
  gui->MouseMove(10, 10);
  gui->MouseDown(0, 10, 10);
  child.SetKeyboardFocus();
  EXPECT_EQ(gui->hover, &child);
  gui->Delete(parent);
  EXPECT_EQ(gui->hover, nullptr);
  EXPECT_EQ(gui->pressed, nullptr);
  EXPECT_EQ(gui->keyboardFocus, nullptr);
  EXPECT_EQ(gui->Registry().Find(childId), nullptr);
  gui->MouseUp(0, 10, 10);
  gui->KeyDown(1);
  EXPECT_TRUE(desktop->Children().size() == 0);
}

TEST_F(ElementTest, AnElementDeletingItselfInItsCallbackFinishesSafely) {
  TQGUI_Element& e = Panel(0, 0, 40, 40);
  Panel(5, 5, 5, 5, e.id);
  e.nativeMouseHandler = [this](TQGUI_Element& sender, bool down, bool, uint8_t, int32_t, int32_t, int32_t) {
    if (down) gui->Delete(sender);
  };
  LogOn(e, CALLBACK_MOUSEUP, "up");
  gui->MouseMove(30, 30);
  gui->MouseDown(0, 30, 30);  // the handler deletes it while the routing is still inside it
  EXPECT_EQ(gui->PendingDeletes(), 0u);
  EXPECT_TRUE(desktop->Children().empty());
  EXPECT_EQ(gui->pressed, nullptr);
  gui->MouseUp(0, 30, 30);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Make().id, 1);
}

TEST_F(ElementTest, ScrollbarReferencesNeverReachADeletedElement) {
  TQGUI_Element& list = Panel(0, 0, 40, 40);
  TQGUI_Element& notABar = Panel(0, 0, 5, 5);
  list.SetScrollbar(99, 0);
  list.SetScrollbar(notABar.id, 1);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].second, "Unable to find Scrollbar with ID <99>");
  EXPECT_EQ(reports[1].second, "Element with ID <" + std::to_string(notABar.id) + "> is not a TYPE_SCROLLBAR");
  EXPECT_EQ(list.Scrollbar(1), nullptr);

  TQGUI_Element& bar = Typed(TYPE_SCROLLBAR, *desktop);
  list.SetScrollbar(bar.id, 0);
  EXPECT_EQ(list.Scrollbar(0), &bar);
  int32_t barId = bar.id;
  gui->Delete(bar);
  TQGUI_Element& reuser = Typed(TYPE_SCROLLBAR, *desktop);
  EXPECT_EQ(reuser.id, barId);
  EXPECT_EQ(list.Scrollbar(0), nullptr);
  gui->MouseWheel(10, 10, -120);
}

TEST_F(ElementTest, ATreeTooDeepIsRefused) {
  int32_t parent = 0;
  int made = 0;
  for (int i = 0; i < 10000; ++i) {
    TQGUI_Element* e = gui->Registry().CreateElement(TYPE_ELEMENT, parent);
    if (!e) break;
    parent = e->id;
    ++made;
  }
  EXPECT_EQ(made, TQGUI_Registry::kMaxDepth);
  EXPECT_EQ(reports.back().second, "Element tree deeper than 256 levels");
  RenderFrame();
  gui->MouseMove(1, 1);
}

TEST_F(ElementTest, VisibilityAndDisablingRunTheirCallbacksOnlyOnChange) {
  TQGUI_Element& e = Panel(0, 0, 10, 10);
  LogOn(e, CALLBACK_HIDDEN, "hidden");
  LogOn(e, CALLBACK_DISABLED, "disabled");
  e.SetVisible(false);
  e.SetVisible(false);
  e.SetVisible(true);
  e.SetDisabled(true);
  e.SetDisabled(true);
  std::string id = std::to_string(e.id);
  EXPECT_EQ(Log(), (Strings{"hidden " + id, "disabled " + id}));
  EXPECT_FALSE(e.IsEnabledInTree());
}

class HintTest : public GuiTest {
 protected:
  void SetUp() override {
    lua.DoString(
        "function DoFloatingHint(text, x, y) log[#log+1] = 'show ' .. text .. ' ' .. x .. ' ' .. y end "
        "function HideFloatingHint() log[#log+1] = 'hide' end");
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) RenderFrame();
  }
};

TEST_F(HintTest, AHintShowsAfterTheDelayAndTheNextAtOnceThenHides) {
  TQGUI_Element& a = Panel(0, 0, 40, 40);
  a.hint = u"first";
  TQGUI_Element& b = Panel(50, 0, 40, 40);
  b.hint = u"second";
  Panel(100, 0, 40, 40);
  delta = 0.1;
  gui->MouseMove(10, 10);
  Frames(4);
  EXPECT_TRUE(Log().empty());
  Frames(1);
  EXPECT_EQ(Log(), (Strings{"show first 10 10"}));
  EXPECT_EQ(gui->hintShown, &a);
  gui->MouseMove(60, 5);  // while a hint is up the next one shows at once
  EXPECT_EQ(Log(), (Strings{"show first 10 10", "hide", "show second 60 5"}));
  gui->MouseMove(110, 5);
  EXPECT_EQ(Log().back(), "hide");
  EXPECT_EQ(gui->hintShown, nullptr);
}

TEST_F(HintTest, LeavingBeforeTheDelayShowsNothingAndDeletingAShownHintHidesIt) {
  TQGUI_Element& a = Panel(0, 0, 40, 40);
  a.hint = u"first";
  Panel(100, 0, 40, 40);
  delta = 0.1;
  gui->MouseMove(10, 10);
  Frames(3);
  gui->MouseMove(110, 10);
  Frames(10);
  EXPECT_TRUE(Log().empty());
  delta = 1;  // the shown-hint time has run out by now
  Frames(5);
  delta = 0.1;
  gui->MouseMove(10, 10);
  Frames(6);
  EXPECT_EQ(Log(), (Strings{"show first 10 10"}));
  gui->Delete(a);
  Frames(1);
  EXPECT_EQ(Log().back(), "hide");
}
