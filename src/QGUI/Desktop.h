#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "QGUI/Element.h"

// The root of the element tree. The host hands it every mouse and key event of the
// render area and draws it once a frame; it keeps the keyboard state, the pointer
// position and the top-level elements, which are drawn above the tree and take no
// mouse input.
class TQGUI_Desktop : public TQGUI_Element {
 public:
  static constexpr int kKeys = 65536;

  explicit TQGUI_Desktop(TQGUI_Context& context);

  int32_t Type() const override { return TYPE_DESKTOP; }
  void Render() override;
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;
  bool RouteMouseMove(int32_t x, int32_t y) override;
  bool RouteMouseUp(uint8_t button, int32_t x, int32_t y) override;
  void RouteKeyDown(int32_t key) override;
  void RouteKeyUp(int32_t key) override;
  void RouteKeyPress(int32_t key) override;
  void RouteKeyChar(char16_t code) override;
  void BringChildToFront(TQGUI_Element& child) override;
  void SendChildToBack(TQGUI_Element& child) override;
  bool HitTest(int32_t x, int32_t y) const override;

  bool IsKeyDown(int32_t key) const;
  bool IsKeyPressed(int32_t key) const;
  void ClearPressedKeys();
  void AddTopLevel(std::unique_ptr<TQGUI_Element> element);
  std::unique_ptr<TQGUI_Element> TakeTopLevel(const TQGUI_Element& element);
  const std::vector<std::unique_ptr<TQGUI_Element>>& TopLevelElements() const { return topLevel_; }

  int32_t mouseX = 0;
  int32_t mouseY = 0;

 private:
  void TellTopLevel(const TQGUIRect& before);
  // The keyboard focus when it is another element.
  TQGUI_Element* Focus() const;

  std::vector<uint8_t> keysDown_;
  std::vector<uint8_t> keysPressed_;
  std::vector<std::unique_ptr<TQGUI_Element>> topLevel_;
};
