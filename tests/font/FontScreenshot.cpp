// Draws sample text of every built-in font at several scales on a headless context
// and writes it as a PNG: font_screenshot [out.png]. The picture is docs/fonts.png.
#include <cstdio>
#include <string>

#include "GLTestContext.h"
#include "font/FontManager.h"
#include "headless/PngWriter.h"

namespace {

constexpr int kWidth = 1000, kHeight = 940;

struct Line {
  const char* file;
  long double scale;
  const char16_t* text;
  float param1 = 0, param2 = 0;  // 0, 0: the font's own
  bool outline = false;
};

void Draw(TOGL_Font_Manager& fonts, const Line& line, int x, int& y) {
  TOGL_Font_Base* font = fonts.GetFont(std::string("\\fonts\\") + line.file, line.scale);
  if (!font) return;
  const long double saved1 = font->RenderParam1, saved2 = font->RenderParam2;
  if (line.param1 != 0 || line.param2 != 0) {
    font->RenderParam1 = line.param1;
    font->RenderParam2 = line.param2;
  }
  font->SetOutline(line.outline);
  font->SetColour(1, 1, 1, 1);
  font->DrawText(line.text, x, y);
  font->SetOutline(false);
  font->RenderParam1 = saved1;
  font->RenderParam2 = saved2;
  y += font->LineHeight() + 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : "fonts.png";
  GLTestContext ctx(kWidth, kHeight);
  TOGL& gl = ctx.gl();
  TOGL_Font_Manager fonts;
  gl.Clear(GL_COLOR_BUFFER_BIT);
  gl.SetBlend(true);
  gl.Begin2D(0, 0);

  const char* trebuchet = "Trebuchet MS_70_Fixed_16_2.DFF";
  const char* courier = "Courier New_70_Fixed_16_2.DFF";
  const char* tahoma = "Tahoma_70_Fixed_16_2.DFF";
  const char16_t* sample = u"The quick brown fox jumps over the lazy dog 0123456789";
  int y = 6;
  for (long double scale : {0.25L, 0.29L, 0.4L, 0.5L}) Draw(fonts, {trebuchet, scale, sample}, 10, y);
  Draw(fonts, {trebuchet, 1.0L, u"Scale 1: The quick brown fox"}, 10, y);
  Draw(fonts, {trebuchet, 2.0L, u"2: \u00C5ngstr\u00F6m \u03A9\u03BC\u03B5\u03B3\u03B1 \u0416\u0443\u043A"}, 10, y);
  Draw(fonts, {trebuchet, 4.0L, u"4: Rg&\u00E9"}, 10, y);
  Draw(fonts, {courier, 0.3L, u"Courier New stand-in at 0.3: LUAError (0): [string \"Init();\"]:1: x = nil"}, 10, y);
  Draw(fonts, {courier, 1.0L, u"monospaced at 1.0 {}[]()<>"}, 10, y);
  Draw(fonts, {tahoma, 0.29L, u"Tahoma stand-in at 0.29 with 0.1 / 0.6: BUTTON CAPTION  Reload  Close", 0.1f, 0.6f}, 10,
       y);
  Draw(fonts, {trebuchet, 0.5L, u"LUA ERROR title at 0.5 with 0.2 / 0.6", 0.2f, 0.6f}, 10, y);
  Draw(fonts, {trebuchet, 0.5L, u"Outline mode at 0.5", 0, 0, true}, 10, y);
  Draw(fonts, {trebuchet, 1.5L, u"Outline mode at 1.5", 0, 0, true}, 10, y);
  Draw(fonts, {"trebuchet ms H20Wdefault.zqf", 1.0L, u"Default font (plain coverage, scale 1): The quick brown fox"},
       10, y);

  std::string error;
  if (!WritePngBottomUp(out, kWidth, kHeight, ctx.Pixels(), error)) {
    std::fprintf(stderr, "font_screenshot: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
