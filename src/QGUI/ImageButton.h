#pragma once
#include <cstdint>

#include "QGUI/Label.h"

struct TQGUI_Cells;

// A label with centred text whose body is drawn from images: three pieces (left cap,
// stretched middle, right cap: the main texture, texture 2 and texture 3) or one image,
// each cut into state frames (0 pressed, 1 hover, 2 normal). Disabled, it shows the
// normal frame in grey.
class TQGUI_ImageButton : public TQGUI_Label {
 public:
  TQGUI_ImageButton(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_IMAGEBUTTON; }
  void DrawBackground(float alpha) override;

  // The frame of the current state.
  int State() const;

 private:
  bool DrawThreePieces(float a);
  bool DrawOneImage(float a);
  // Loads a slot, letting an image that sized an empty button keep its height.
  bool Resolve(TQGUI_Slot slot);
  // The image's height is the button's; the font may only raise it.
  void TakeImageHeight(int32_t height);
  void DrawFrame(TQGUI_Slot slot, const TQGUI_Cells& cells, int32_t left, int32_t width);
  void BeginImages(float a);
  void EndImages();
};
