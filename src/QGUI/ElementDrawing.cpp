// How an element draws itself and its subtree, and its text.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "QGUI/Element.h"
#include "QGUI/Scissor.h"
#include "font/FontBase.h"
#include "font/FontManager.h"
#include "gl/Renderer.h"
#include "gl/Shader.h"
#include "platform/DataFiles.h"

namespace {

constexpr size_t kRunSize = 5;  // count, red, green, blue, kind
// Past this many animation steps in one frame the rest of the time is dropped.
constexpr int kMaxAnimationSteps = 10000;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(uint8_t(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(uint8_t(text.back()))) text.remove_suffix(1);
  return text;
}

// The whole of `text` as a number, or `fallback`.
template <class T>
T ParseOr(std::string_view text, T fallback) {
  text = Trim(text);
  T value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

// Cuts the part before the first ";" off `spec`.
std::string_view NextPart(std::string_view& spec) {
  size_t cut = spec.find(';');
  std::string_view part = spec.substr(0, cut);
  spec = cut == std::string_view::npos ? std::string_view() : spec.substr(cut + 1);
  return part;
}

}  // namespace

float TQGUI_Element::GLY(int32_t top, int32_t height) const { return float(Renderer().Height() - top - height); }

void TQGUI_Element::FillRect(const TQGUIColour& colour, float a, int32_t left, int32_t top, int32_t width,
                             int32_t height) {
  TOGL_Renderer& renderer = Renderer();
  renderer.BindTexture(0, renderer.whiteTexture);
  renderer.SetQuadType(0);
  renderer.SetColour(colour.red, colour.green, colour.blue, a);
  renderer.DrawQuad(float(left), GLY(top, height), float(width), float(height), 0, 0, 1, 1);
}

void TQGUI_Element::DrawTexturedRect(GLuint texture, int32_t left, int32_t top, int32_t width, int32_t height, float u,
                                     float v, float du, float dv) {
  TOGL_Renderer& renderer = Renderer();
  renderer.BindTexture(0, texture);
  renderer.SetQuadType(0);
  renderer.DrawQuad(float(left), GLY(top, height), float(width), float(height), u, v, du, dv);
}

// ---- The tree

void TQGUI_Element::Render() {
  if (!visible) return;
  drawingSelf = true;
  TQGUI_Scissor_Stack* stack = scissor ? context_.Services().scissor : nullptr;
  if (stack) stack->PushScissor(GetAbsX(), Renderer().Height() - GetAbsY() - h, w, h);
  Draw();
  drawingSelf = false;
  for (size_t i = 0; i < children_.size(); ++i) children_[i]->Render();
  if (stack) stack->PopScissor();
}

void TQGUI_Element::Draw() {
  if (resizePending) {
    Resized();
    resizePending = false;
    autosizePending = true;
  }
  float a = EffectiveAlpha();
  DrawBackground(a);
  DrawBevel(a);
  Renderer().SetQuadType(1);
}

void TQGUI_Element::DrawBevel(float a) {
  float lineAlpha = col1.alpha * a;
  if (!bevel || lineAlpha <= 0) return;
  int32_t X = GetAbsX(), Y = GetAbsY();
  FillRect(bevelCol1, lineAlpha, X, Y, w - 1, 1);
  FillRect(bevelCol1, lineAlpha, X, Y + 1, 1, h - 1);
  FillRect(bevelCol2, lineAlpha, X + 1, Y + h - 1, w - 1, 1);
  FillRect(bevelCol2, lineAlpha, X + w - 1, Y, 1, h);
}

void TQGUI_Element::DrawBackground(float a) {
  int32_t X = GetAbsX(), Y = GetAbsY(), W = w, H = h;
  if (shader_) {
    DrawShader(X, Y, W, H);
    return;
  }
  if (!slots_[SLOT_MAIN].name.empty() && DrawMainTexture(a, X, Y, W, H)) {
    DrawBorder(a, X, Y, W, H);
    DrawEdges(a, X, Y, W, H);
    return;
  }
  if (w == 0 && h == 0) return;
  DrawFill(a);
  DrawBorder(a, X, Y, W, H);
  DrawEdges(a, X, Y, W, H);
}

void TQGUI_Element::DrawFill(float a) {
  int inset = bevel ? 1 : 0;
  int32_t X = GetAbsX() + inset, Y = GetAbsY() + inset, W = w - 2 * inset, H = h - 2 * inset;
  TOGL_Renderer& renderer = Renderer();
  if (gradient && Type() != TYPE_CHECKBOX && Type() != TYPE_PROGRESSBAR) {
    renderer.BindTexture(0, renderer.whiteTexture);
    renderer.SetQuadType(3);
    renderer.SetColour(gradientCol1.red, gradientCol1.green, gradientCol1.blue, gradientCol1.alpha * a);
    renderer.SetColour2(gradientCol2.red, gradientCol2.green, gradientCol2.blue, gradientCol2.alpha * a);
    renderer.DrawQuad(float(X), GLY(Y, H), float(W), float(H), 0, 0, 1, 1);
    renderer.SetQuadType(0);
  } else if (col1.alpha * a > 0) {
    FillRect(col1, col1.alpha * a, X, Y, W, H);
  }
}

void TQGUI_Element::DrawShader(int32_t X, int32_t Y, int32_t W, int32_t H) {
  TOGL_Renderer& renderer = Renderer();
  TQGUITexSlot& main = slots_[SLOT_MAIN];
  if (!main.name.empty()) ResolveTexture(SLOT_MAIN, true);
  if (!textureBlend) renderer.SetBlend(false);
  renderer.BindTexture(0, main.texture ? main.texture : renderer.whiteTexture);
  TGLSL_Program& program = *shader_;
  renderer.DrawQuadWithProgram(
      program,
      [&] {
        program.SetUniform2f(shaderLocations_[0], shaderWidth, shaderHeight);
        program.SetUniform1f(shaderLocations_[1], shaderTime);
        program.SetUniform4f(shaderLocations_[2], 0, 0, 0, 0);
      },
      float(X), GLY(Y, H), float(W), float(H), 0, 0, 1, 1);
  if (!textureBlend) renderer.SetBlend(true);
  shaderTime += float(context_.Services().frameDelta());
}

bool TQGUI_Element::DrawMainTexture(float a, int32_t X, int32_t Y, int32_t W, int32_t H) {
  ResolveTexture(SLOT_MAIN, true);
  TQGUITexSlot& slot = slots_[SLOT_MAIN];
  if (!slot.texture || col1.alpha * a <= 0 || slot.width <= 0 || slot.height <= 0) return false;
  TOGL_Renderer& renderer = Renderer();
  renderer.SetColour(col1.red, col1.green, col1.blue, col1.alpha * a);
  if (!textureBlend) renderer.SetBlend(false);
  float window[4];
  W = w;
  H = h;
  TextureWindow(slot, W, H, window);
  DrawTexturedRect(slot.texture, X, Y, W, H, window[0], window[1], window[2], window[3]);
  if (!textureBlend) renderer.SetBlend(true);
  return true;
}

// An animation with a frame grid that fits its texture, a positive frame count and rate.
static bool Playable(const TQGUITexSlot& slot) {
  const TQGUIAnimation& anim = slot.animation;
  return anim.animated && anim.frameWidth > 0 && anim.frameHeight > 0 && anim.frameCount > 0 &&
         anim.frameWidth <= slot.width && anim.frameHeight <= slot.height;
}

void TQGUI_Element::TextureWindow(TQGUITexSlot& slot, int32_t& W, int32_t& H, float window[4]) {
  const float tw = float(slot.width), th = float(slot.height);
  if (Playable(slot)) {
    const TQGUIAnimation& anim = slot.animation;
    int32_t perRow = slot.width / anim.frameWidth;
    int32_t count = anim.frameCount;
    int32_t f = slot.currentFrame;
    if (anim.pingPong && f >= count) f = 2 * count - f - 1;
    f = std::clamp(f, 0, count - 1);
    int32_t row = f / perRow;
    window[0] = float(anim.frameWidth) * float(f % perRow) / tw;
    window[1] = anim.bottomUp ? float(row) * float(anim.frameHeight) / th
                              : float(anim.frameHeight) * (th / float(anim.frameHeight) - float(row) - 1) / th;
    window[2] = float(anim.frameWidth) / tw;
    window[3] = float(anim.frameHeight) / th;
    if (overdraw) {
      W = std::max(W, anim.frameWidth);
      H = std::max(H, anim.frameHeight);
    }
    if (animPlay) StepAnimation(slot);
  } else if (slot.partial) {
    window[0] = window[1] = 0;
    window[2] = float(slot.imageWidth) / tw;
    window[3] = float(slot.imageHeight) / th;
  } else if (tile) {
    window[0] = window[1] = 0;
    window[2] = float(W) / tw;
    window[3] = float(H) / th;
  } else if (subTexture) {
    auto [sx, sy, sw, sh] = subCoords;
    window[0] = float(sx) / tw;
    window[1] = float(slot.height - sh - sy) / th;
    window[2] = float(sw) / tw;
    window[3] = float(sh) / th;
  } else {
    window[0] = window[1] = 0;
    window[2] = window[3] = 1;
  }
}

void TQGUI_Element::StepAnimation(TQGUITexSlot& slot) {
  const TQGUIAnimation& anim = slot.animation;
  if (anim.fps <= 0) return;
  const double period = 1.0 / anim.fps;
  const int32_t count = anim.frameCount;
  slot.timeAccumulator += context_.Services().frameDelta();
  for (int steps = 0; slot.timeAccumulator >= period; ++steps) {
    if (steps == kMaxAnimationSteps) {
      slot.timeAccumulator = 0;
      return;
    }
    slot.timeAccumulator -= period;
    ++slot.currentFrame;
    if (anim.pingPong) {
      if (slot.currentFrame >= 2 * count) slot.currentFrame = 0;
    } else if (slot.currentFrame >= count) {
      if (animLoop) {
        slot.currentFrame = 0;
      } else {
        animPlay = false;
        slot.currentFrame = count - 1;
        Fire(CALLBACK_ANIMEND, {{"%id", std::to_string(id)}});
        return;
      }
    }
  }
}

void TQGUI_Element::DrawBorder(float a, int32_t X, int32_t Y, int32_t W, int32_t H) {
  const int32_t s = borderSize;
  const float borderAlpha = borderColour.alpha * a;
  if (borderType == 0 || s <= 0 || borderAlpha <= 0) return;
  if (borderType == 1) {
    FillRect(borderColour, borderAlpha, X, Y, s, H);
    FillRect(borderColour, borderAlpha, X + W - s, Y, s, H);
    FillRect(borderColour, borderAlpha, X, Y, W, s);
    FillRect(borderColour, borderAlpha, X, Y + H - s, W, s);
  } else if (borderType == 2) {
    FillRect(borderColour, borderAlpha, X - s, Y - s, s, H + 2 * s);
    FillRect(borderColour, borderAlpha, X + W, Y - s, s, H + 2 * s);
    FillRect(borderColour, borderAlpha, X - s, Y - s, W + 2 * s, s);
    FillRect(borderColour, borderAlpha, X - s, Y + H, W + 2 * s, s);
  }
}

void TQGUI_Element::DrawEdges(float a, int32_t X, int32_t Y, int32_t W, int32_t H) {
  if (!edges) return;
  ResolveTexture(SLOT_EDGES, false);
  const TQGUITexSlot& slot = slots_[SLOT_EDGES];
  if (!slot.texture || a <= 0 || slot.width <= 0 || slot.height <= 0) return;
  struct Piece {
    int32_t x, y, w, h;  // on screen
    float u, v, du, dv;  // in texels, v from the bottom
  };
  const Piece pieces[8] = {
      {X + 1, Y + 1, 4, 4, 0, 4, 4, 4},      {X + W - 5, Y + 1, 4, 4, 4, 4, 4, 4},
      {X + 1, Y + H - 5, 4, 4, 0, 0, 4, 4},  {X + W - 5, Y + H - 5, 4, 4, 4, 0, 4, 4},
      {X + 1, Y + 5, 4, H - 10, 8, 5, 4, 1}, {X + W - 5, Y + 5, 4, H - 10, 12, 5, 4, 1},
      {X + 5, Y + 1, W - 10, 4, 9, 0, 1, 4}, {X + 5, Y + H - 5, W - 10, 4, 13, 0, 1, 4},
  };
  TOGL_Renderer& renderer = Renderer();
  renderer.SetColour(1, 1, 1, a);
  if (!textureBlend) renderer.SetBlend(false);
  const float tw = float(slot.width), th = float(slot.height);
  for (const Piece& p : pieces)
    DrawTexturedRect(slot.texture, p.x, p.y, p.w, p.h, p.u / tw, p.v / th, p.du / tw, p.dv / th);
  if (!textureBlend) renderer.SetBlend(true);
}

// ---- Shader

void TQGUI_Element::LoadShader(const std::string& name, int32_t width, int32_t height) {
  TOGL_Renderer& renderer = Renderer();
  std::string major = std::to_string(renderer.version[0]);
  auto program = std::make_unique<TGLSL_Program>();
  program->LoadFiles(DataPath("\\shaders\\QGUI" + major + ".vglsl"), DataPath("\\shaders\\" + name + ".fglsl"));
  shaderTime = 0;
  if (program->Linked()) {
    shaderLocations_ = {program->UniformLocation("iResolution"), program->UniformLocation("iGlobalTime"),
                        program->UniformLocation("iMouse")};
    shader_ = std::move(program);
  } else {
    shader_.reset();
  }
  shaderWidth = uint16_t(width);
  shaderHeight = uint16_t(height);
  // Building a program leaves none in use; the quads drawn next need the quad program.
  renderer.QuadBindShader();
}

// ---- Text

void TQGUI_Element::SetFontSpec(std::string_view spec) {
  font.font = nullptr;
  fontFailed_ = false;
  font.name = std::string(NextPart(spec));
  SetFontScale(ParseOr<double>(NextPart(spec), 1.0));
  font.font = nullptr;
  font.param1 = ParseOr<double>(NextPart(spec), 0.0);
  font.param2 = ParseOr<double>(NextPart(spec), 0.0);
  if (!std::isfinite(double(font.param1)) || !std::isfinite(double(font.param2))) font.param1 = font.param2 = 0;
  int32_t gap = ParseOr<int32_t>(NextPart(spec), 0);
  font.charGap = gap >= 0 && gap <= 1000 ? uint16_t(gap) : 0;
}

// Scales beyond what any screen shows only make glyph sizes overflow.
void TQGUI_Element::SetFontScale(long double scale) {
  font.scale = std::isfinite(double(scale)) && scale > 0 ? std::min<long double>(scale, 64) : 1.0L;
  font.font = nullptr;
  fontFailed_ = false;
}

bool TQGUI_Element::LoadFont() {
  if (font.font) return true;
  TOGL_Font_Manager* fonts = context_.Services().fonts;
  if (!fonts || fontFailed_) return false;
  if (FontExtension(font.name).empty()) font.name += ".zqf";
  font.font = fonts->GetFont("\\fonts\\" + font.name, font.scale);
  fontFailed_ = !font.font;
  return font.font != nullptr;
}

void TQGUI_Element::DrawTextLine(std::u16string_view text, std::string_view runs, int32_t tx, int32_t ty, float a,
                                 const TQGUIColour& colour) {
  if (!LoadFont()) return;
  TOGL_Font_Base& f = *font.font;
  const int gap = font.charGap;
  const bool customParams = font.param1 != 0 || font.param2 != 0;
  const long double saved1 = f.RenderParam1, saved2 = f.RenderParam2;
  if (customParams) {
    f.RenderParam1 = font.param1;
    f.RenderParam2 = font.param2;
  }
  const int lineHeight = f.LineHeight();
  const int textWidth = f.TextWidth(text, gap);
  f.CharGap = int16_t(gap);
  if (font.colBack.alpha > 0) FillRect(font.colBack, font.colBack.alpha * a, tx - 1, ty, textWidth + 2, lineHeight);
  int32_t cx = tx;
  std::u16string_view rest = text;
  while (!rest.empty()) {
    size_t count = rest.size();
    TQGUIColour runColour = colour;
    if (runs.size() >= kRunSize) {
      count = std::min<size_t>(uint8_t(runs[0]), rest.size());
      if (runs[4] == 0)
        runColour = {uint8_t(runs[1]) / 255.0f, uint8_t(runs[2]) / 255.0f, uint8_t(runs[3]) / 255.0f, 1};
      runs.remove_prefix(kRunSize);
      if (count == 0) continue;
    }
    std::u16string_view run = rest.substr(0, count);
    const float runAlpha = a * runColour.alpha;
    if (shadowText) {
      f.SetColour(0, 0, 0, runAlpha);
      f.DrawText(run, cx - 1, ty + 1);
    }
    f.SetColour(runColour.red, runColour.green, runColour.blue, runAlpha);
    f.SetOutline(font.style & STYLE_OUTLINE);
    const int lineTop = Renderer().Height() - ty;
    for (char16_t ch : run) {
      if (font.style & STYLE_OUTLINE2) {
        const long double p2 = f.RenderParam2;
        f.RenderParam2 = f.RenderParam1 + std::fabs(double(f.RenderParam1 - p2)) / 2;
        f.SetColour(0, 0, 0, runAlpha);
        f.DrawChar(ch, cx, lineTop);
        f.RenderParam2 = p2;
        f.SetColour(runColour.red, runColour.green, runColour.blue, runAlpha);
      }
      f.DrawChar(ch, cx, lineTop);
      cx += f.CharAdvance(ch);
    }
    rest.remove_prefix(count);
  }
  const float lineAlpha = colour.alpha * a;
  if (font.style & STYLE_UNDERLINE) FillRect(colour, lineAlpha, tx - 1, ty + lineHeight + 1, textWidth + 2, 1);
  if (font.style & STYLE_STRIKETHROUGH) FillRect(colour, lineAlpha, tx - 1, ty + lineHeight / 2, textWidth + 2, 1);
  f.SetOutline(false);
  f.CharGap = 0;
  if (customParams) {
    f.RenderParam1 = saved1;
    f.RenderParam2 = saved2;
  }
}
