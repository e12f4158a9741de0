#include "QGUI/Desktop.h"

#include <algorithm>

#include "QGUI/Scissor.h"
#include "gl/Renderer.h"

TQGUI_Desktop::TQGUI_Desktop(TQGUI_Context& context)
    : TQGUI_Element(context, nullptr, false), keysDown_(kKeys), keysPressed_(kKeys) {
  w = 1024;
  h = 768;
  scissor = true;
}

void TQGUI_Desktop::Render() {
  TQGUI_Element::Render();
  if (!visible || topLevel_.empty()) return;
  TQGUI_Scissor_Stack* stack = Context().Services().scissor;
  if (stack) stack->PushScissor(GetAbsX(), Renderer().Height() - GetAbsY() - h, w, h);
  for (size_t i = 0; i < topLevel_.size(); ++i) topLevel_[i]->Render();
  if (stack) stack->PopScissor();
}

void TQGUI_Desktop::TellTopLevel(const TQGUIRect& before) {
  for (size_t i = 0; i < topLevel_.size(); ++i) topLevel_[i]->ParentResized(before);
}

void TQGUI_Desktop::SetWidth(int32_t width) {
  TQGUIRect before = GetBounds();
  TQGUI_Element::SetWidth(width);
  TellTopLevel(before);
}

void TQGUI_Desktop::SetHeight(int32_t height) {
  TQGUIRect before = GetBounds();
  TQGUI_Element::SetHeight(height);
  TellTopLevel(before);
}

bool TQGUI_Desktop::RouteMouseMove(int32_t x, int32_t y) {
  mouseX = x;
  mouseY = y;
  bool handled = TQGUI_Element::RouteMouseMove(x, y);
  BroadcastMouseMove(x, y);
  return handled;
}

bool TQGUI_Desktop::RouteMouseUp(uint8_t button, int32_t x, int32_t y) {
  bool handled = TQGUI_Element::RouteMouseUp(button, x, y);
  BroadcastMouseUp(button, x, y);
  return handled;
}

TQGUI_Element* TQGUI_Desktop::Focus() const {
  TQGUI_Element* focus = Context().keyboardFocus;
  return focus == this ? nullptr : focus;
}

void TQGUI_Desktop::RouteKeyDown(int32_t key) {
  if (key < 0 || key >= kKeys) return;
  if (TQGUI_Element* focus = Focus()) focus->RouteKeyDown(key);
  KeyDown(key);
  if (!keysDown_[size_t(key)]) keysPressed_[size_t(key)] = 1;
  keysDown_[size_t(key)] = 1;
}

void TQGUI_Desktop::RouteKeyUp(int32_t key) {
  if (key < 0 || key >= kKeys) return;
  if (TQGUI_Element* focus = Focus()) focus->RouteKeyUp(key);
  KeyUp(key);
  if (keysPressed_[size_t(key)]) RouteKeyPress(key);
  keysDown_[size_t(key)] = 0;
  keysPressed_[size_t(key)] = 0;
}

void TQGUI_Desktop::RouteKeyPress(int32_t key) {
  if (TQGUI_Element* focus = Focus()) focus->RouteKeyPress(key);
  KeyPress(key);
}

void TQGUI_Desktop::RouteKeyChar(char16_t code) {
  if (TQGUI_Element* focus = Focus()) focus->RouteKeyChar(code);
  KeyChar(code);
}

void TQGUI_Desktop::BringChildToFront(TQGUI_Element& child) {
  if (!child.TopLevel()) return TQGUI_Element::BringChildToFront(child);
  if (std::unique_ptr<TQGUI_Element> taken = TakeTopLevel(child)) topLevel_.push_back(std::move(taken));
}

void TQGUI_Desktop::SendChildToBack(TQGUI_Element& child) {
  if (!child.TopLevel()) return TQGUI_Element::SendChildToBack(child);
  if (std::unique_ptr<TQGUI_Element> taken = TakeTopLevel(child)) topLevel_.insert(topLevel_.begin(), std::move(taken));
}

bool TQGUI_Desktop::HitTest(int32_t x, int32_t y) const {
  const auto& children = Children();
  for (size_t i = children.size(); i-- > 0;) {
    const TQGUI_Element& child = *children[i];
    if (child.HitTest(x - child.x, y - child.y)) return true;
  }
  return false;
}

bool TQGUI_Desktop::IsKeyDown(int32_t key) const { return key >= 0 && key < kKeys && keysDown_[size_t(key)]; }

bool TQGUI_Desktop::IsKeyPressed(int32_t key) const { return key >= 0 && key < kKeys && keysPressed_[size_t(key)]; }

void TQGUI_Desktop::ClearPressedKeys() { std::fill(keysPressed_.begin(), keysPressed_.end(), 0); }

void TQGUI_Desktop::AddTopLevel(std::unique_ptr<TQGUI_Element> element) { topLevel_.push_back(std::move(element)); }

std::unique_ptr<TQGUI_Element> TQGUI_Desktop::TakeTopLevel(const TQGUI_Element& element) {
  auto it = std::find_if(topLevel_.begin(), topLevel_.end(), [&](const auto& e) { return e.get() == &element; });
  if (it == topLevel_.end()) return nullptr;
  std::unique_ptr<TQGUI_Element> taken = std::move(*it);
  topLevel_.erase(it);
  return taken;
}
