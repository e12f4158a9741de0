#include "QGUI/Context.h"

#include <algorithm>
#include <cstdlib>

#include "QGUI/Desktop.h"
#include "font/FontManager.h"
#include "gl/Timer.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "script/LuaHost.h"

namespace {

// A resting pointer that moves less than this keeps waiting for its hint.
constexpr int32_t kHintSlack = 4;

}  // namespace

TQGUI_Context::TQGUI_Context(TQGUI_Services services) : services_(std::move(services)) {
  if (!services_.frameDelta) services_.frameDelta = [] { return double(FrameTimer().Delta()); };
  if (!services_.tickCount) services_.tickCount = TickCount;
  if (!services_.doubleClickTime) services_.doubleClickTime = DoubleClickTime;
}

TQGUI_Context::~TQGUI_Context() {
  guards_ = 0;
  Reset();
}

TQGUI_Context::Guard::~Guard() {
  if (--context_.guards_ == 0) context_.Collect();
}

void TQGUI_Context::Collect() {
  // Freeing may run no Lua, but an element's destructor must not see a half-emptied list.
  std::vector<std::unique_ptr<TQGUI_Element>> dead = std::move(graveyard_);
  graveyard_.clear();
}

TQGUI_Desktop& TQGUI_Context::CreateDesktop() {
  desktop_ = std::make_unique<TQGUI_Desktop>(*this);
  TQGUI_Element& hidden = Create<TQGUI_Element>(desktop_.get(), true);
  hidden.id = -1;
  hidden.visible = false;
  registry_.RegisterDesktop(*desktop_);
  return *desktop_;
}

void TQGUI_Context::Reset() {
  reloadRequested = false;
  std::unique_ptr<TQGUI_Desktop> desktop = std::move(desktop_);
  std::vector<std::unique_ptr<TQGUI_Element>> orphans = std::move(orphans_);
  if (guards_ > 0) {
    // Code of the old tree may still be running; it goes when that code is done.
    if (desktop) {
      desktop->MarkDeleted();
      graveyard_.push_back(std::move(desktop));
    }
    for (auto& orphan : orphans) {
      orphan->MarkDeleted();
      graveyard_.push_back(std::move(orphan));
    }
  } else {
    desktop.reset();
    orphans.clear();
    graveyard_.clear();
  }
  registry_.Clear();
  hover = pressed = keyboardFocus = nullptr;
  hintCandidate = hintShown = nullptr;
  pressedButton = 0;
  if (services_.fonts && guards_ == 0) services_.fonts->ClearFonts();
}

void TQGUI_Context::Place(std::unique_ptr<TQGUI_Element> element) {
  TQGUI_Element* parent = element->Parent();
  if (element->TopLevel() && desktop_) {
    desktop_->AddTopLevel(std::move(element));
  } else if (parent && !element->TopLevel()) {
    parent->AddChild(std::move(element));
  } else {
    orphans_.push_back(std::move(element));
  }
}

void TQGUI_Context::Delete(TQGUI_Element& element) {
  if (&element == desktop_.get() || element.Deleted()) return;
  std::unique_ptr<TQGUI_Element> taken;
  if (element.TopLevel() && desktop_) taken = desktop_->TakeTopLevel(element);
  if (!taken && element.Parent()) taken = element.Parent()->TakeChild(element);
  if (!taken) {
    auto it = std::find_if(orphans_.begin(), orphans_.end(), [&](const auto& e) { return e.get() == &element; });
    if (it == orphans_.end()) return;
    taken = std::move(*it);
    orphans_.erase(it);
  }
  taken->MarkDeleted();
  if (guards_ > 0) graveyard_.push_back(std::move(taken));
}

TQGUI_ElementRef TQGUI_Context::RefTo(const TQGUI_Element& element) const { return {element.id, element.Serial()}; }

TQGUI_Element* TQGUI_Context::Resolve(const TQGUI_ElementRef& ref) const {
  TQGUI_Element* element = registry_.Find(ref.id);
  return element && element->Serial() == ref.serial ? element : nullptr;
}

void TQGUI_Context::Forget(const TQGUI_Element& element) {
  auto clear = [&](TQGUI_Element*& reference) {
    if (reference == &element) reference = nullptr;
  };
  clear(hover);
  clear(pressed);
  clear(keyboardFocus);
  clear(hintCandidate);
  if (hintShown == &element) {
    hintShown = nullptr;
    hideHintPending_ = true;
  }
}

void TQGUI_Context::RunLua(const std::string& code) {
  if (services_.lua) services_.lua->DoString(code);
}

// ---- Host entry points

void TQGUI_Context::MouseMove(int32_t x, int32_t y) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteMouseMove(x, y);
  if (hintCandidate && (std::abs(x - hintX) > kHintSlack || std::abs(y - hintY) > kHintSlack)) {
    hintTimer = 0;
    hintX = x;
    hintY = y;
  }
}

void TQGUI_Context::MouseDown(uint8_t button, int32_t x, int32_t y) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteMouseDown(button, x, y);
}

void TQGUI_Context::MouseUp(uint8_t button, int32_t x, int32_t y) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteMouseUp(button, x, y);
}

void TQGUI_Context::MouseWheel(int32_t x, int32_t y, int16_t delta) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteMouseWheel(x, y, delta);
}

void TQGUI_Context::KeyDown(int32_t key) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteKeyDown(key);
}

void TQGUI_Context::KeyUp(int32_t key) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteKeyUp(key);
}

void TQGUI_Context::KeyChar(char16_t code) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->RouteKeyChar(code);
}

void TQGUI_Context::Resize(int32_t width, int32_t height) {
  if (!desktop_) return;
  Guard guard(*this);
  desktop_->SetBounds(0, 0, width, height);
}

void TQGUI_Context::Render() {
  if (!desktop_) return;
  Guard guard(*this);
  AdvanceHint(services_.frameDelta());
  if (desktop_) desktop_->Render();
}

// ---- Floating hint

void TQGUI_Context::OfferHint(TQGUI_Element& element, int32_t ax, int32_t ay) {
  if (hintCandidate == &element) return;
  if (!hintCandidate && hintTimer > 0 && hintShown != &element) {
    ShowHint(element, ax, ay);
    return;
  }
  hintCandidate = &element;
  hintTimer = 0;
  hintX = ax;
  hintY = ay;
}

void TQGUI_Context::ShowHint(TQGUI_Element& element, int32_t ax, int32_t ay) {
  RunLua("DoFloatingHint(" + TLUA::QuoteWideString(element.hint) + "," + std::to_string(ax) + "," + std::to_string(ay) +
         ")");
  hintTimer = kHintShownTime;
  hintShown = element.Deleted() ? nullptr : &element;
}

void TQGUI_Context::HideHintIfLeft(const TQGUI_Element& element) {
  if (hintCandidate || !hintShown || hintShown == &element || hover == &element) return;
  hintShown = nullptr;
  RunLua("HideFloatingHint();");
}

void TQGUI_Context::WithdrawHint(const TQGUI_Element& element) {
  if (hintCandidate == &element) {
    hintCandidate = nullptr;
    hintTimer = 0;
  }
  if (hintShown != &element) return;
  hintShown = nullptr;
  RunLua("HideFloatingHint();");
}

// The candidate shows its hint once the pointer has rested on it for the delay; a
// shown hint's time runs down, and while it lasts the next element shows at once.
void TQGUI_Context::AdvanceHint(double seconds) {
  if (hideHintPending_) {
    hideHintPending_ = false;
    RunLua("HideFloatingHint();");
  }
  if (!hintCandidate) {
    hintTimer = std::max<long double>(0, hintTimer - seconds);
    return;
  }
  if (hover != hintCandidate) {
    hintCandidate = nullptr;
    hintTimer = 0;
    return;
  }
  hintTimer += seconds;
  if (hintTimer < kHintDelay) return;
  TQGUI_Element& element = *hintCandidate;
  hintCandidate = nullptr;
  ShowHint(element, desktop_ ? desktop_->mouseX : hintX, desktop_ ? desktop_->mouseY : hintY);
}
