#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "QGUI/Context.h"
#include "QGUI/TexSlot.h"
#include "QGUI/Types.h"

class TGLSL_Program;
class TOGL_Font_Base;

// An element's text settings: the font (found lazily from the name), its colours,
// style bits, scale, rendering parameters and extra gap between characters.
struct TQGUI_Font {
  TOGL_Font_Base* font = nullptr;  // the font manager's; cleared whenever the font description changes
  std::string name = "trebuchet ms H20Wdefault";
  TQGUIColour col{0.7f, 0.7f, 0.7f, 1};
  TQGUIColour colDisabled{0.4f, 0.4f, 0.4f, 1};
  TQGUIColour colOver{1, 1, 1, 1};
  TQGUIColour colBack{0, 0, 0, 0};  // a box behind the text while its alpha is above 0
  uint8_t style = 0;                // TQGUI_TextStyle bits
  long double scale = 1.0L;
  long double param1 = 0;  // both 0: the font's own rendering parameters
  long double param2 = 0;
  uint16_t charGap = 0;
};

// The texture slots of an element.
enum TQGUI_Slot : uint8_t { SLOT_MAIN, SLOT_TEXTURE2, SLOT_TEXTURE3, SLOT_EDGES, SLOT_GLYPH };

// The base of every GUI element and itself a plain panel: bounds anchored to the
// parent, owned children drawn in order (the last on top), colours, gradient, bevel,
// border, edge frame, textures with frame animation, an optional shader, text
// settings, flags, and Lua code run on events. Positions are window pixels relative
// to the parent, y downwards.
class TQGUI_Element {
 public:
  using MouseHandler = std::function<void(TQGUI_Element& sender, bool down, bool doubleClick, uint8_t button, int32_t x,
                                          int32_t y, int32_t wheelDelta)>;
  using KeyHandler = std::function<void(TQGUI_Element& sender, int32_t key)>;

  TQGUI_Element(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);
  virtual ~TQGUI_Element();
  TQGUI_Element(const TQGUI_Element&) = delete;
  TQGUI_Element& operator=(const TQGUI_Element&) = delete;

  virtual int32_t Type() const { return TYPE_ELEMENT; }
  // Runs once the registry has given the element its id; classes that make their own
  // children do it here.
  virtual void Registered() {}

  // Events and drawing, overridden by the element classes.
  virtual void Resized();
  virtual void DrawBackground(float alpha);
  virtual void Draw();
  virtual void UpdateScrollInfo();
  virtual void SetTexture(const std::string& name);
  virtual void MouseDown(uint8_t button, int32_t x, int32_t y);
  virtual void MouseMove(int32_t x, int32_t y);
  virtual void MouseMoveAny(int32_t x, int32_t y);
  virtual void MouseUp(uint8_t button, int32_t x, int32_t y);
  virtual void MouseUpAny(uint8_t button, int32_t x, int32_t y);
  virtual void MouseClick(uint8_t button, int32_t x, int32_t y);
  virtual void MouseWheel(int32_t x, int32_t y, int16_t delta);
  virtual void KeyChar(char16_t code);
  virtual void KeyDown(int32_t key);
  virtual void KeyUp(int32_t key);
  virtual void KeyPress(int32_t key);
  virtual void ParentResized(const TQGUIRect& oldParentBounds);
  virtual void SetWidth(int32_t width);
  virtual void SetHeight(int32_t height);
  virtual void SetWordWrap(bool on);
  virtual void ToChildCoords(int32_t& x, int32_t& y) const;
  virtual void Render();
  virtual int32_t GetAbsX() const;
  virtual int32_t GetAbsY() const;
  virtual void AddChild(std::unique_ptr<TQGUI_Element> child);
  virtual void ChildResized(TQGUI_Element& child);
  virtual bool RouteMouseMove(int32_t x, int32_t y);
  virtual bool RouteMouseUp(uint8_t button, int32_t x, int32_t y);
  virtual bool RouteMouseWheel(int32_t x, int32_t y, int16_t delta);
  virtual void RouteKeyDown(int32_t key);
  virtual void RouteKeyUp(int32_t key);
  virtual void RouteKeyPress(int32_t key);
  virtual void RouteKeyChar(char16_t code);
  virtual void SetScrollbar(int32_t scrollbarId, int index);
  virtual void ScrollPositionChanged(int32_t position, TQGUI_Element& scrollbar);
  virtual void BringChildToFront(TQGUI_Element& child);
  virtual void SendChildToBack(TQGUI_Element& child);
  virtual bool HitTest(int32_t x, int32_t y) const;
  // A wheel step for scroll bars; other elements ignore it.
  virtual void ScrollBy(int32_t delta) {}

  void SetBounds(int32_t x, int32_t y, int32_t width, int32_t height);
  TQGUIRect GetBounds() const { return {x, y, w, h}; }
  void SetVisible(bool on);
  void SetDisabled(bool on);
  float EffectiveAlpha() const;
  bool IsVisibleInTree() const;
  bool IsEnabledInTree() const;
  bool Inside(int32_t px, int32_t py) const { return px >= 0 && px <= w && py >= 0 && py <= h; }

  // Texture slots: setting a name releases the old texture; loading waits for the next draw.
  void SetSlotTexture(TQGUI_Slot slot, const std::string& name);
  // Hands the main slot a texture the element must never delete.
  void SetForeignTexture(GLuint texture, int32_t width, int32_t height, int32_t imageWidth, int32_t imageHeight);
  void ResolveTexture(TQGUI_Slot slot, bool autosize);
  void ForceTextures();
  // Restarts the main slot's animation at frame 0 and plays it.
  void RestartAnimation();

  // Text: the font description "name;scale;parameter 1;parameter 2;char gap".
  void SetFontSpec(std::string_view spec);
  void SetFontScale(long double scale);
  // Finds the font when it is not yet known; false without one.
  bool LoadFont();
  // One line of text with colour runs at (x, y), the top-left corner, y downwards.
  void DrawTextLine(std::u16string_view text, std::string_view colourRuns, int32_t x, int32_t y, float alpha,
                    const TQGUIColour& colour);
  void DrawTextLine(std::u16string_view text, std::string_view colourRuns, int32_t x, int32_t y, float alpha) {
    DrawTextLine(text, colourRuns, x, y, alpha, font.col);
  }
  // Loads a fragment shader of `shaders` drawn instead of the body; a shader that does
  // not build leaves the element without one (the build reports why).
  void LoadShader(const std::string& name, int32_t width, int32_t height);
  const TGLSL_Program* Shader() const { return shader_.get(); }

  // Callbacks: Lua code with placeholders such as "%id", replaced case-insensitively.
  void SetCallback(int32_t id, std::string code);
  const std::string& Callback(int32_t id) const;
  using Placeholders = std::initializer_list<std::pair<std::string_view, std::string>>;
  void RunCallback(const std::string& code, Placeholders values);
  void Fire(TQGUI_Callback id, Placeholders values);

  void DeleteChildren();
  void BringToFront();
  void SendToBack();
  void SetKeyboardFocus();
  bool RouteMouseDown(uint8_t button, int32_t x, int32_t y);
  void BroadcastMouseMove(int32_t x, int32_t y);
  void BroadcastMouseUp(uint8_t button, int32_t x, int32_t y);

  // The attached scroll bar of a slot (0 vertical, 1 horizontal), when it still exists
  // and is a scroll bar.
  TQGUI_Element* Scrollbar(int index) const;

  TQGUI_Context& Context() const { return context_; }
  TQGUI_Element* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<TQGUI_Element>>& Children() const { return children_; }
  bool TopLevel() const { return topLevel_; }
  // Taken out of the tree and waiting to be freed.
  bool Deleted() const { return deleted_; }
  uint64_t Serial() const { return serial_; }
  int Depth() const;
  TQGUITexSlot& Slot(TQGUI_Slot slot) { return slots_[slot]; }
  const TQGUITexSlot& Slot(TQGUI_Slot slot) const { return slots_[slot]; }

  int32_t id = 0;
  std::array<bool, 3> buttonDown{};  // left, right, middle went down here and not yet up
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 50;
  int32_t h = 50;
  struct Anchors {
    bool left = true;
    bool top = true;
    bool right = false;
    bool bottom = false;
  } anchors;
  TQGUIColour col1{1, 1, 1, 1};
  TQGUIColour col2{0.5f, 0.5f, 0.5f, 0.5f};
  TQGUIColour gradientCol1{1, 1, 1, 1};
  TQGUIColour gradientCol2{0.5f, 0.5f, 0.5f, 0.5f};
  TQGUIColour bevelCol1{22 / 255.0f, 22 / 255.0f, 22 / 255.0f, 0};
  TQGUIColour bevelCol2{62 / 255.0f, 62 / 255.0f, 62 / 255.0f, 0};
  bool bevel = false;
  bool gradient = false;
  TQGUIColour highlightCol{0.6f, 0.6f, 0.6f, 0.3f};
  TQGUIColour mouseOverCol{0.6f, 0.6f, 0.6f, 0.8f};
  bool visible = true;
  bool wheelConsumer = false;
  TQGUI_Font font;
  bool edges = false;
  uint8_t borderSize = 1;
  uint8_t borderType = 0;  // 0 none, 1 inner, 2 outer
  TQGUIColour borderColour{0, 0, 1, 1};
  bool overdraw = false;
  std::u16string hint;
  std::string fallbackTexture;
  bool textureBlend = true;
  float alpha = 1;
  uint16_t shaderWidth = 512;
  uint16_t shaderHeight = 512;
  float shaderTime = 0;
  bool tile = false;
  bool subTexture = false;
  std::array<int32_t, 4> subCoords{};  // x, y, w, h in texture pixels, y from the top
  bool lastClickWasDouble = false;
  bool mouseOver = false;
  bool noMouseEvents = false;
  bool noMouseEventsThis = false;
  bool scrollInfoDirty = false;
  bool resizePending = false;
  bool disabled = false;
  bool autosize = false;
  bool autosizePending = true;
  uint8_t glyphAlign = 0;
  bool wordWrap = false;
  bool scissor = false;
  int32_t scissorBorder = 0;
  bool drawingSelf = false;
  bool shadowText = false;
  bool animLoop = true;
  bool animPlay = true;
  uint32_t lastClickTick = 0;
  int32_t lastClickX = 0;
  int32_t lastClickY = 0;
  int32_t tag = 0;
  KeyHandler nativeKeyHandler;
  MouseHandler nativeMouseHandler;

 protected:
  TOGL_Renderer& Renderer() const { return context_.Renderer(); }
  // The GL y of a rectangle whose top is at window y `top`: the one place the tree's
  // y-downwards pixels meet GL's y-upwards ones.
  float GLY(int32_t top, int32_t height) const;
  // A quad of one colour over the white texture, at window pixels.
  void FillRect(const TQGUIColour& colour, float alpha, int32_t left, int32_t top, int32_t width, int32_t height);
  // A textured quad at window pixels; the texture window has v from the bottom.
  void DrawTexturedRect(GLuint texture, int32_t left, int32_t top, int32_t width, int32_t height, float u, float v,
                        float du, float dv);
  // The border and the edge frame around the window rectangle (X, Y, W, H).
  void DrawBorder(float a, int32_t X, int32_t Y, int32_t W, int32_t H);
  void DrawEdges(float a, int32_t X, int32_t Y, int32_t W, int32_t H);

 private:
  friend class TQGUI_Context;
  friend class TQGUI_Desktop;

  bool PassesMouseGate(int32_t px, int32_t py, bool allowDisabledSelf) const;
  void NativeMouse(bool down, bool doubleClick, uint8_t button, int32_t px, int32_t py, int32_t delta);
  void ReleaseSlot(TQGUITexSlot& slot);
  // Takes `child` out of the children, handing over ownership; null when not a child.
  std::unique_ptr<TQGUI_Element> TakeChild(const TQGUI_Element& child);
  void MarkDeleted();
  void BroadcastMove(int32_t px, int32_t py);
  void BroadcastUp(uint8_t button, int32_t px, int32_t py);

  // Drawing pieces.
  void DrawShader(int32_t X, int32_t Y, int32_t W, int32_t H);
  bool DrawMainTexture(float a, int32_t X, int32_t Y, int32_t W, int32_t H);
  void TextureWindow(TQGUITexSlot& slot, int32_t& W, int32_t& H, float window[4]);
  void StepAnimation(TQGUITexSlot& slot);
  void DrawBevel(float a);
  void DrawFill(float a);

  TQGUI_Context& context_;
  TQGUI_Element* parent_;
  bool topLevel_;
  bool deleted_ = false;
  bool fontFailed_ = false;
  uint64_t serial_;
  std::vector<std::unique_ptr<TQGUI_Element>> children_;
  std::array<TQGUITexSlot, 5> slots_;
  std::unique_ptr<TGLSL_Program> shader_;
  std::array<int32_t, 3> shaderLocations_{-1, -1, -1};  // iResolution, iGlobalTime, iMouse
  std::array<TQGUI_ElementRef, 2> scrollbars_;
  // Set callbacks only, by id: most elements have few.
  std::vector<std::pair<uint8_t, std::string>> callbacks_;
};
