#include "QGUI/Element.h"

#include <algorithm>
#include <cctype>

#include "QGUI/Callbacks.h"
#include "QGUI/Desktop.h"
#include "QGUI/TextureManager.h"
#include "gl/Renderer.h"
#include "gl/Shader.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"

namespace {

const std::string kNoCode;
const char kNoDelete[] = "<NODELETE>";

// Replaces every occurrence of `pattern` in `text`, ignoring ASCII case.
void ReplaceIgnoringCase(std::string& text, std::string_view pattern, std::string_view value) {
  if (pattern.empty()) return;
  auto same = [](char a, char b) { return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b)); };
  for (size_t at = 0; at + pattern.size() <= text.size();) {
    auto found = std::search(text.begin() + ptrdiff_t(at), text.end(), pattern.begin(), pattern.end(), same);
    if (found == text.end()) return;
    at = size_t(found - text.begin());
    text.replace(at, pattern.size(), value);
    at += value.size();
  }
}

std::string Number(int64_t value) { return std::to_string(value); }

}  // namespace

TQGUI_Element::TQGUI_Element(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : context_(context), parent_(parent), topLevel_(topLevel), serial_(context.NextSerial()) {
  slots_[SLOT_MAIN].linear = true;
  slots_[SLOT_EDGES].name = "corners2.png";
  slots_[SLOT_EDGES].linear = true;
}

TQGUI_Element::~TQGUI_Element() {
  context_.Forget(*this);
  for (TQGUITexSlot& slot : slots_) ReleaseSlot(slot);
  while (!children_.empty()) children_.pop_back();
  context_.Registry().Unregister(id, *this);
}

int TQGUI_Element::Depth() const {
  int depth = 0;
  for (const TQGUI_Element* e = parent_; e; e = e->parent_) ++depth;
  return depth;
}

void TQGUI_Element::MarkDeleted() {
  deleted_ = true;
  context_.Forget(*this);
  context_.Registry().Unregister(id, *this);
  for (auto& child : children_) child->MarkDeleted();
}

// ---- Bounds and anchoring

void TQGUI_Element::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  x = left;
  y = top;
  SetWidth(width);
  SetHeight(height);
}

void TQGUI_Element::SetWidth(int32_t width) {
  TQGUIRect before = GetBounds();
  bool changed = width != w;
  w = width;
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ParentResized(before);
  if (changed) resizePending = true;
}

void TQGUI_Element::SetHeight(int32_t height) {
  TQGUIRect before = GetBounds();
  bool changed = height != h;
  h = height;
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ParentResized(before);
  if (changed) resizePending = true;
}

void TQGUI_Element::ParentResized(const TQGUIRect& old) {
  if (!parent_ || (anchors.left && anchors.top && !anchors.right && !anchors.bottom)) return;
  TQGUIRect before = GetBounds();
  auto follow = [](bool nearSide, bool farSide, int32_t difference, int32_t& position, int32_t& size) {
    if (farSide) {
      (nearSide ? size : position) += difference;
    } else if (!nearSide) {
      position += difference / 2;
    }
  };
  follow(anchors.left, anchors.right, parent_->w - old.w, x, w);
  follow(anchors.top, anchors.bottom, parent_->h - old.h, y, h);
  if (w != before.w || h != before.h) {
    for (size_t i = 0; i < children_.size(); ++i) children_[i]->ParentResized(before);
  }
  if (GetBounds() != before) resizePending = true;
}

void TQGUI_Element::Resized() {
  Fire(CALLBACK_RESIZED, {{"%id", Number(id)}});
  if (parent_ && !deleted_) parent_->ChildResized(*this);
}

void TQGUI_Element::ChildResized(TQGUI_Element&) {}
void TQGUI_Element::UpdateScrollInfo() { scrollInfoDirty = false; }
void TQGUI_Element::SetWordWrap(bool on) { wordWrap = on; }
void TQGUI_Element::ToChildCoords(int32_t&, int32_t&) const {}
void TQGUI_Element::ScrollPositionChanged(int32_t, TQGUI_Element&) {}

int32_t TQGUI_Element::GetAbsX() const { return x + (parent_ ? parent_->GetAbsX() : 0); }
int32_t TQGUI_Element::GetAbsY() const { return y + (parent_ ? parent_->GetAbsY() : 0); }

// ---- Flags

void TQGUI_Element::SetVisible(bool on) {
  bool hiding = visible && !on;
  visible = on;
  if (hiding) Fire(CALLBACK_HIDDEN, {{"%id", Number(id)}});
}

void TQGUI_Element::SetDisabled(bool on) {
  bool disabling = !disabled && on;
  disabled = on;
  if (disabling) Fire(CALLBACK_DISABLED, {{"%id", Number(id)}});
}

float TQGUI_Element::EffectiveAlpha() const { return alpha * (parent_ ? parent_->EffectiveAlpha() : 1.0f); }

bool TQGUI_Element::IsVisibleInTree() const {
  for (const TQGUI_Element* e = this; e; e = e->parent_)
    if (!e->visible) return false;
  return true;
}

bool TQGUI_Element::IsEnabledInTree() const {
  for (const TQGUI_Element* e = this; e; e = e->parent_)
    if (e->disabled) return false;
  return true;
}

// ---- Children

void TQGUI_Element::AddChild(std::unique_ptr<TQGUI_Element> child) { children_.push_back(std::move(child)); }

std::unique_ptr<TQGUI_Element> TQGUI_Element::TakeChild(const TQGUI_Element& child) {
  // From the back: DeleteChildren and the newest children go first, so a long list empties in linear time.
  auto it = std::find_if(children_.rbegin(), children_.rend(), [&](const auto& c) { return c.get() == &child; });
  if (it == children_.rend()) return nullptr;
  std::unique_ptr<TQGUI_Element> taken = std::move(*it);
  children_.erase(std::next(it).base());
  return taken;
}

void TQGUI_Element::DeleteChildren() {
  while (!children_.empty()) context_.Delete(*children_.back());
}

void TQGUI_Element::BringChildToFront(TQGUI_Element& child) {
  if (std::unique_ptr<TQGUI_Element> taken = TakeChild(child)) children_.push_back(std::move(taken));
}

void TQGUI_Element::SendChildToBack(TQGUI_Element& child) {
  if (std::unique_ptr<TQGUI_Element> taken = TakeChild(child)) children_.insert(children_.begin(), std::move(taken));
}

void TQGUI_Element::BringToFront() {
  if (parent_) parent_->BringChildToFront(*this);
}

void TQGUI_Element::SendToBack() {
  if (parent_) parent_->SendChildToBack(*this);
}

// ---- Textures

void TQGUI_Element::ReleaseSlot(TQGUITexSlot& slot) {
  if (slot.managerIndex >= 0) {
    if (TQGUI_TextureManager* textures = context_.Services().textures) textures->ReleaseTexture(slot);
    slot.managerIndex = -1;
  } else if (slot.texture && slot.name != kNoDelete) {
    Renderer().DeleteTexture(slot.texture);
  }
  slot.texture = 0;
}

void TQGUI_Element::SetSlotTexture(TQGUI_Slot index, const std::string& name) {
  TQGUITexSlot& slot = slots_[index];
  ReleaseSlot(slot);
  slot.name = name;
  slot.partial = false;
  slot.failed = false;
  slot.animation.animated = false;
}

void TQGUI_Element::SetTexture(const std::string& name) { SetSlotTexture(SLOT_MAIN, name); }

void TQGUI_Element::SetForeignTexture(GLuint texture, int32_t width, int32_t height, int32_t imageWidth,
                                      int32_t imageHeight) {
  SetSlotTexture(SLOT_MAIN, kNoDelete);
  TQGUITexSlot& slot = slots_[SLOT_MAIN];
  slot.texture = texture;
  slot.width = width;
  slot.height = height;
  slot.imageWidth = imageWidth;
  slot.imageHeight = imageHeight;
  slot.partial = width != imageWidth || height != imageHeight;
}

void TQGUI_Element::ResolveTexture(TQGUI_Slot index, bool autosize) {
  TQGUITexSlot& slot = slots_[index];
  if (slot.name.empty() || slot.texture || slot.failed) return;
  TQGUI_TextureManager* textures = context_.Services().textures;
  if (textures) textures->LoadTexture(slot);
  if (!slot.texture && index == SLOT_MAIN && !fallbackTexture.empty()) {
    slot.name = std::move(fallbackTexture);
    fallbackTexture.clear();
    if (textures) textures->LoadTexture(slot);
  }
  // A name that does not load is not looked up again every frame.
  if (!slot.texture) {
    slot.failed = true;
    return;
  }
  if (autosize && w == 0 && h == 0) {
    w = slot.width;
    h = slot.height;
  }
}

void TQGUI_Element::ForceTextures() {
  ResolveTexture(SLOT_EDGES, false);
  for (TQGUI_Slot slot : {SLOT_MAIN, SLOT_TEXTURE2, SLOT_TEXTURE3}) ResolveTexture(slot, true);
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->ForceTextures();
}

void TQGUI_Element::RestartAnimation() {
  animPlay = true;
  slots_[SLOT_MAIN].currentFrame = 0;
  slots_[SLOT_MAIN].timeAccumulator = 0;
}

// ---- Callbacks

void TQGUI_Element::SetCallback(int32_t callback, std::string code) {
  if (!KeepsCallback(Type(), callback)) return;
  auto it = std::find_if(callbacks_.begin(), callbacks_.end(), [&](const auto& c) { return c.first == callback; });
  if (code.empty()) {
    if (it != callbacks_.end()) callbacks_.erase(it);
  } else if (it != callbacks_.end()) {
    it->second = std::move(code);
  } else {
    callbacks_.emplace_back(uint8_t(callback), std::move(code));
  }
}

const std::string& TQGUI_Element::Callback(int32_t callback) const {
  for (const auto& [kept, code] : callbacks_)
    if (kept == callback) return code;
  return kNoCode;
}

void TQGUI_Element::RunCallback(const std::string& code, Placeholders values) {
  if (code.empty() || deleted_) return;
  std::string text = code;
  for (const auto& [name, value] : values) ReplaceIgnoringCase(text, name, value);
  context_.RunLua(text);
}

void TQGUI_Element::Fire(TQGUI_Callback callback, Placeholders values) {
  const std::string& code = Callback(callback);
  if (!code.empty()) RunCallback(code, values);
}

void TQGUI_Element::NativeMouse(bool down, bool doubleClick, uint8_t button, int32_t px, int32_t py, int32_t delta) {
  if (nativeMouseHandler && !deleted_) nativeMouseHandler(*this, down, doubleClick, button, px, py, delta);
}

// ---- Scroll bars

void TQGUI_Element::SetScrollbar(int32_t scrollbarId, int index) {
  if (index < 0 || index > 1) return;
  TQGUI_Element* bar = context_.Registry().Find(scrollbarId);
  if (!bar) {
    ReportError("QGUI_Set", "Unable to find Scrollbar with ID <" + Number(scrollbarId) + ">");
    return;
  }
  if (bar->Type() != TYPE_SCROLLBAR)
    ReportError("QGUI_Set", "Element with ID <" + Number(scrollbarId) + "> is not a TYPE_SCROLLBAR");
  scrollbars_[size_t(index)] = context_.RefTo(*bar);
}

TQGUI_Element* TQGUI_Element::Scrollbar(int index) const {
  if (index < 0 || index > 1) return nullptr;
  TQGUI_Element* bar = context_.Resolve(scrollbars_[size_t(index)]);
  return bar && bar->Type() == TYPE_SCROLLBAR && bar != this ? bar : nullptr;
}

// ---- Mouse

bool TQGUI_Element::HitTest(int32_t px, int32_t py) const {
  if (noMouseEventsThis) {
    if (!visible || alpha <= 0) return false;
    for (size_t i = children_.size(); i-- > 0;) {
      const TQGUI_Element& child = *children_[i];
      if (child.HitTest(px - child.x, py - child.y)) return true;
    }
    return false;
  }
  return !noMouseEvents && visible && alpha > 0 && Inside(px, py);
}

bool TQGUI_Element::PassesMouseGate(int32_t px, int32_t py, bool allowDisabledSelf) const {
  if (!visible || noMouseEvents || !Inside(px, py)) return false;
  if (IsEnabledInTree()) return true;
  return allowDisabledSelf && (!parent_ || parent_->IsEnabledInTree());
}

bool TQGUI_Element::RouteMouseDown(uint8_t button, int32_t px, int32_t py) {
  if (button > 2 || !PassesMouseGate(px, py, false)) return false;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    if (child.RouteMouseDown(button, px - child.x, py - child.y)) return true;
  }
  if (noMouseEventsThis) return false;
  MouseDown(button, px, py);
  if (deleted_) return true;
  context_.pressed = this;
  context_.pressedButton = button;
  buttonDown[button] = true;
  return true;
}

bool TQGUI_Element::RouteMouseMove(int32_t px, int32_t py) {
  if (!PassesMouseGate(px, py, Type() == TYPE_SPRITEMAPBUTTON)) return false;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    if (child.RouteMouseMove(px - child.x, py - child.y)) return true;
  }
  if (noMouseEventsThis) return false;
  MouseMove(px, py);
  return true;
}

bool TQGUI_Element::RouteMouseUp(uint8_t button, int32_t px, int32_t py) {
  if (button > 2 || !PassesMouseGate(px, py, false)) return false;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    if (child.RouteMouseUp(button, px - child.x, py - child.y)) return true;
  }
  if (noMouseEventsThis) return false;
  MouseUp(button, px, py);
  context_.pressed = nullptr;
  if (buttonDown[button]) MouseClick(button, px, py);
  buttonDown[button] = false;
  return true;
}

bool TQGUI_Element::RouteMouseWheel(int32_t px, int32_t py, int16_t delta) {
  if (!PassesMouseGate(px, py, false)) return false;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    if (child.RouteMouseWheel(px - child.x, py - child.y, delta)) return true;
  }
  if (noMouseEventsThis) return false;
  MouseWheel(px, py, delta);
  return wheelConsumer;
}

void TQGUI_Element::BroadcastMouseMove(int32_t px, int32_t py) {
  if (IsEnabledInTree()) BroadcastMove(px, py);
}

void TQGUI_Element::BroadcastMouseUp(uint8_t button, int32_t px, int32_t py) {
  if (button <= 2 && IsEnabledInTree()) BroadcastUp(button, px, py);
}

// Below the first element every ancestor is known to be enabled.
void TQGUI_Element::BroadcastMove(int32_t px, int32_t py) {
  if (!visible || noMouseEvents || disabled) return;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    child.BroadcastMove(px - child.x, py - child.y);
  }
  if (!noMouseEventsThis) MouseMoveAny(px, py);
}

void TQGUI_Element::BroadcastUp(uint8_t button, int32_t px, int32_t py) {
  if (!visible || noMouseEvents || disabled) return;
  ToChildCoords(px, py);
  for (size_t i = children_.size(); i-- > 0;) {
    if (i >= children_.size()) continue;
    TQGUI_Element& child = *children_[i];
    child.BroadcastUp(button, px - child.x, py - child.y);
  }
  if (noMouseEventsThis) return;
  MouseUpAny(button, px, py);
  buttonDown[button] = false;
}

void TQGUI_Element::MouseDown(uint8_t button, int32_t px, int32_t py) {
  Fire(CALLBACK_MOUSEDOWN, {{"%id", Number(id)}, {"%b", Number(button)}, {"%x", Number(px)}, {"%y", Number(py)}});
  NativeMouse(true, false, button, px, py, 0);
}

void TQGUI_Element::MouseMove(int32_t px, int32_t py) {
  context_.HideHintIfLeft(*this);
  if (context_.hover != this) {
    if (TQGUI_Element* old = context_.hover) {
      old->mouseOver = false;
      old->Fire(CALLBACK_MOUSELEAVE, {{"%id", Number(old->id)}, {"%x", Number(px)}, {"%y", Number(py)}});
    }
    if (deleted_) return;
    mouseOver = true;
    context_.hover = this;
    Fire(CALLBACK_MOUSEOVER, {{"%id", Number(id)}, {"%x", Number(px)}, {"%y", Number(py)}});
    if (!hint.empty() && !deleted_) context_.OfferHint(*this, px + GetAbsX(), py + GetAbsY());
  }
  auto truth = [](bool on) { return std::string(on ? "True" : "False"); };
  Fire(CALLBACK_MOUSEMOVE, {{"%id", Number(id)},
                            {"%x", Number(px)},
                            {"%y", Number(py)},
                            {"%left", truth(buttonDown[0])},
                            {"%right", truth(buttonDown[1])}});
  if (buttonDown[0]) {
    NativeMouse(true, false, 0, px, py, 0);
  } else if (buttonDown[1]) {
    NativeMouse(true, false, 1, px, py, 0);
  } else if (buttonDown[2]) {
    NativeMouse(true, false, 2, px, py, 0);
  } else {
    NativeMouse(false, false, 254, px, py, 0);
  }
}

void TQGUI_Element::MouseMoveAny(int32_t px, int32_t py) {
  Fire(CALLBACK_MOUSEMOVEANY, {{"%id", Number(id)},
                               {"%x", Number(px)},
                               {"%y", Number(py)},
                               {"%left", buttonDown[0] ? "True" : "False"},
                               {"%right", buttonDown[1] ? "True" : "False"}});
}

void TQGUI_Element::MouseUp(uint8_t button, int32_t px, int32_t py) {
  Fire(CALLBACK_MOUSEUP, {{"%id", Number(id)}, {"%b", Number(button)}, {"%x", Number(px)}, {"%y", Number(py)}});
  NativeMouse(false, false, button, px, py, 0);
}

void TQGUI_Element::MouseUpAny(uint8_t button, int32_t px, int32_t py) {
  Fire(CALLBACK_MOUSEUPANY, {{"%id", Number(id)}, {"%b", Number(button)}, {"%x", Number(px)}, {"%y", Number(py)}});
}

void TQGUI_Element::MouseClick(uint8_t button, int32_t px, int32_t py) {
  lastClickWasDouble = false;
  const TQGUI_Services& services = context_.Services();
  uint32_t now = services.tickCount();
  bool again = lastClickTick != 0 && px == lastClickX && py == lastClickY &&
               now - lastClickTick < services.doubleClickTime() + 100;
  lastClickTick = now;
  Placeholders values = {{"%id", Number(id)}, {"%b", Number(button)}, {"%x", Number(px)}, {"%y", Number(py)}};
  if (again) {
    lastClickWasDouble = true;
    lastClickX = lastClickY = -1;
    Fire(CALLBACK_MOUSEDBLCLICK, values);
    NativeMouse(false, true, button, px, py, 0);
  } else {
    lastClickX = px;
    lastClickY = py;
    Fire(CALLBACK_MOUSECLICK, values);
  }
}

void TQGUI_Element::MouseWheel(int32_t px, int32_t py, int16_t delta) {
  if (TQGUI_Element* bar = Scrollbar(0)) bar->ScrollBy(delta);
  if (delta != 0) NativeMouse(false, false, 255, px, py, delta);
  Fire(CALLBACK_MOUSEWHEEL, {{"%id", Number(id)}, {"%delta", Number(delta)}, {"%x", Number(px)}, {"%y", Number(py)}});
}

// ---- Keys

void TQGUI_Element::SetKeyboardFocus() {
  context_.keyboardFocus = this;
  if (TQGUI_Desktop* desktop = context_.Desktop()) desktop->ClearPressedKeys();
}

void TQGUI_Element::KeyChar(char16_t) {}

void TQGUI_Element::KeyDown(int32_t key) { Fire(CALLBACK_KEYDOWN, {{"%id", Number(id)}, {"%k", Number(key)}}); }

void TQGUI_Element::KeyUp(int32_t key) { Fire(CALLBACK_KEYUP, {{"%id", Number(id)}, {"%k", Number(key)}}); }

void TQGUI_Element::KeyPress(int32_t key) {
  Fire(CALLBACK_KEYPRESS, {{"%id", Number(id)}, {"%k", Number(key)}});
  if (nativeKeyHandler && !deleted_) nativeKeyHandler(*this, key);
}

void TQGUI_Element::RouteKeyDown(int32_t key) {
  if (IsVisibleInTree() && IsEnabledInTree()) KeyDown(key);
}

void TQGUI_Element::RouteKeyUp(int32_t key) {
  if (IsVisibleInTree() && IsEnabledInTree()) KeyUp(key);
}

void TQGUI_Element::RouteKeyPress(int32_t key) {
  if (IsVisibleInTree() && IsEnabledInTree()) KeyPress(key);
}

void TQGUI_Element::RouteKeyChar(char16_t code) {
  if (IsVisibleInTree() && IsEnabledInTree()) KeyChar(code);
}
