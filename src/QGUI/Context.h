#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QGUI/Registry.h"

class TLUA;
class TOGL_Font_Manager;
class TOGL_Renderer;
class TQGUI_Desktop;
class TQGUI_Element;
class TQGUI_Scissor_Stack;
class TQGUI_TextureManager;

// What an element tree draws and runs scripts with. The host owns all of them; a
// missing Lua host or texture manager just means no callbacks or no textures.
struct TQGUI_Services {
  TOGL_Renderer* renderer = nullptr;
  TQGUI_TextureManager* textures = nullptr;
  TQGUI_Scissor_Stack* scissor = nullptr;
  TOGL_Font_Manager* fonts = nullptr;
  TLUA* lua = nullptr;
  // The last frame's duration in seconds; the frame timer's unless replaced.
  std::function<double()> frameDelta;
  // Milliseconds, and the system's double-click time; the platform's unless replaced.
  std::function<uint32_t()> tickCount;
  std::function<uint32_t()> doubleClickTime;
};

// Refers to an element by id and creation serial, so that neither a deleted element
// nor a later one reusing its id is reached through it.
struct TQGUI_ElementRef {
  int32_t id = -2;
  uint64_t serial = 0;

  bool operator==(const TQGUI_ElementRef&) const = default;
};

// The GUI: its services, the registry, the desktop that owns the element tree, and
// the GUI-wide state. The state refers to elements without owning them; an element's
// destruction clears every reference to it.
class TQGUI_Context {
 public:
  explicit TQGUI_Context(TQGUI_Services services);
  ~TQGUI_Context();
  TQGUI_Context(const TQGUI_Context&) = delete;
  TQGUI_Context& operator=(const TQGUI_Context&) = delete;

  // Keeps deleted elements alive until the outermost guard ends, so code of theirs that
  // is still running (a callback deleting its own element) never touches freed memory.
  // Every entry into the tree from outside holds one.
  class Guard {
   public:
    explicit Guard(TQGUI_Context& context) : context_(context) { ++context_.guards_; }
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    TQGUI_Context& context_;
  };

  const TQGUI_Services& Services() const { return services_; }
  TOGL_Renderer& Renderer() const { return *services_.renderer; }
  TQGUI_Registry& Registry() { return registry_; }
  TQGUI_Desktop* Desktop() const { return desktop_.get(); }

  // Builds the desktop with its hidden element and registers it as id 0.
  TQGUI_Desktop& CreateDesktop();
  // Destroys the tree and everything it left behind, empties the registry, clears the
  // GUI-wide state (reload request included) and the font cache.
  void Reset();

  // Makes an element and places it: in the desktop's top-level list, in its parent's
  // children, or, without either, among the orphans (registered, never drawn).
  template <class T, class... Args>
  T& Create(TQGUI_Element* parent, bool topLevel, Args&&... args) {
    auto element = std::make_unique<T>(*this, parent, topLevel, std::forward<Args>(args)...);
    T& made = *element;
    Place(std::move(element));
    return made;
  }
  // Takes the element and its subtree out of the tree and the registry at once; they are
  // freed when the outermost guard ends (at once without one).
  void Delete(TQGUI_Element& element);

  TQGUI_ElementRef RefTo(const TQGUI_Element& element) const;
  TQGUI_Element* Resolve(const TQGUI_ElementRef& ref) const;

  // Host entry points, in render-area pixels with y downwards; nothing happens before
  // the desktop exists. Buttons: 0 left, 1 right, 2 middle; keys are virtual-key codes.
  void MouseMove(int32_t x, int32_t y);
  void MouseDown(uint8_t button, int32_t x, int32_t y);
  void MouseUp(uint8_t button, int32_t x, int32_t y);
  void MouseWheel(int32_t x, int32_t y, int16_t delta);
  void KeyDown(int32_t key);
  void KeyUp(int32_t key);
  void KeyChar(char16_t code);
  void Resize(int32_t width, int32_t height);
  // Advances the floating hint by the frame delta and draws the tree.
  void Render();

  // The floating hint: an element with a hint that the pointer rests on this long shows it.
  static constexpr double kHintDelay = 0.5;
  static constexpr double kHintShownTime = 3.7;
  void AdvanceHint(double seconds);
  // Run by an element that became the hover element and has a hint; (ax, ay) absolute.
  void OfferHint(TQGUI_Element& element, int32_t ax, int32_t ay);
  // Run by every routed mouse move before the element's own handling.
  void HideHintIfLeft(const TQGUI_Element& element);
  // For an element whose hint changes under a resting pointer: it stops waiting to show
  // its hint, and a shown one is hidden, so that the next offer shows the new text.
  void WithdrawHint(const TQGUI_Element& element);
  // Runs Lua code through the host, if there is one.
  void RunLua(const std::string& code);

  uint64_t NextSerial() { return ++serial_; }
  // Clears every state reference to `element`.
  void Forget(const TQGUI_Element& element);
  size_t PendingDeletes() const { return graveyard_.size(); }

  // GUI-wide state.
  TQGUI_Element* hover = nullptr;
  TQGUI_Element* pressed = nullptr;
  uint8_t pressedButton = 0;
  TQGUI_Element* keyboardFocus = nullptr;
  TQGUI_Element* hintCandidate = nullptr;
  TQGUI_Element* hintShown = nullptr;
  long double hintTimer = 0;
  int32_t hintX = 0;
  int32_t hintY = 0;
  bool reloadRequested = false;
  std::vector<std::string> fontList;

 private:
  friend class TQGUI_Element;
  void Place(std::unique_ptr<TQGUI_Element> element);
  void ShowHint(TQGUI_Element& element, int32_t ax, int32_t ay);
  void Collect();

  TQGUI_Services services_;
  TQGUI_Registry registry_{*this};
  std::unique_ptr<TQGUI_Desktop> desktop_;
  std::vector<std::unique_ptr<TQGUI_Element>> orphans_;
  std::vector<std::unique_ptr<TQGUI_Element>> graveyard_;
  int guards_ = 0;
  uint64_t serial_ = 0;
  bool hideHintPending_ = false;
};
