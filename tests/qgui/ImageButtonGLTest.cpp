#include <png.h>

#include "QGUI/ImageButton.h"
#include "TestImages.h"
#include "TextureFolder.h"
#include "WidgetGLFixture.h"

namespace {

using ImageButtonGLTest = WidgetGLTest;

// A 4 x 12 strip of three 4 x 4 frames, top to bottom: normal red, hover green, pressed blue.
std::string StateStrip() {
  PngSpec spec = MakePngSpec(4, 12, PNG_COLOR_TYPE_RGB, 8, false);
  for (std::array<uint16_t, 3> rgb : {std::array<uint16_t, 3>{255, 0, 0}, {0, 255, 0}, {0, 0, 255}})
    for (int i = 0; i < 16; ++i) spec.samples.insert(spec.samples.end(), rgb.begin(), rgb.end());
  return EncodePNG(spec);
}

TEST_F(ImageButtonGLTest, ThePiecesShowTheStateFrameAndADisabledButtonIsGrey) {
  TextureFolder folder;
  for (const char* name : {"l.png", "m.png", "r.png"}) {
    folder.Write(name, StateStrip());
    folder.Write(std::string(name) + ".anim", "width=4\nheight=4\n");
  }
  auto& button = static_cast<TQGUI_ImageButton&>(Make(TYPE_IMAGEBUTTON, 10, 10, 60, 30));
  button.SetText(u"");
  button.SetTexture("l.png");
  button.SetSlotTexture(SLOT_TEXTURE2, "m.png");
  button.SetSlotTexture(SLOT_TEXTURE3, "r.png");
  Draw();
  EXPECT_EQ(button.h, 4);
  for (int x : {10, 13, 14, 40, 65, 69}) EXPECT_TRUE(Near(At(x, 12), {255, 0, 0, 255})) << x;
  EXPECT_TRUE(Near(At(40, 14), kClear));

  button.mouseOver = true;
  Draw();
  EXPECT_TRUE(Near(At(40, 12), {0, 255, 0, 255}));

  button.SetDisabled(true);  // the normal red frame, as its luminance
  Draw();
  for (int x : {11, 40, 68}) EXPECT_TRUE(Near(At(x, 12), {76, 76, 76, 255})) << x;
  EXPECT_EQ(ctx.Error(), GLenum(GL_NO_ERROR));
}

}  // namespace
