#include "Icons.h"

#include <algorithm>
#include <cmath>

#include "Buttons.h"
#include "Shapes.h"
#include "Theme.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Icon outlines as signed distances around the cell centre, in pixels.
double Capsule(TPoint p, TPoint a, TPoint b, double radius) { return SegmentDistance(p, a, b) - radius; }

double Play(TPoint p) { return TriangleDistance(p, {-4.5, -7}, {-4.5, 7}, {7, 0}) - 0.6; }
double Pause(TPoint p) {
  return std::min(Capsule(p, {-3.5, -6}, {-3.5, 6}, 1.9), Capsule(p, {3.5, -6}, {3.5, 6}, 1.9));
}
double Minus(TPoint p) { return Capsule(p, {-6.5, 0}, {6.5, 0}, 1.8); }
double Plus(TPoint p) { return std::min(Minus(p), Capsule(p, {0, -6.5}, {0, 6.5}, 1.8)); }
double Close(TPoint p) { return std::min(Capsule(p, {-5, -5}, {5, 5}, 1.8), Capsule(p, {-5, 5}, {5, -5}, 1.8)); }
// Eight flat-topped teeth round a hub with a hole.
double Gear(TPoint p) {
  double r = std::hypot(p.x, p.y);
  double tooth = std::clamp(std::cos(8 * std::atan2(p.y, p.x)) * 2.5, -1.0, 1.0);
  double outer = 6.4 + 1.0 * (tooth + 1);
  return std::max(r - outer, 2.8 - r);
}

using TIconShape = double (*)(TPoint p);
constexpr TIconShape kIcons[kSpriteRows] = {Play, Pause, Plus, Minus, Gear, Close};

struct TSpriteState {
  const TButtonLook* look;
  TColour ink;
  double drop;  // the icon moves down while pressed
  double glow;  // accent halo round the icon
  double shadow;
};

const TSpriteState kStates[kSpriteColumns] = {
    {&kButtonNormal, theme::kInk, 0, 0, 0.45},
    {&kButtonHover, theme::kWhite, 0, 0.45, 0.35},
    {&kButtonDown, Rgb(180, 192, 210), 1, 0, 0.2},
    {&kButtonDisabled, Rgb(120, 124, 132, 0.55), 0, 0, 0},
};

void PaintSprite(TCanvas& canvas, int column, int row) {
  const TSpriteState& state = kStates[column];
  int left = column * kSpriteCell;
  int top = row * kSpriteCell;
  TIconShape icon = kIcons[row];
  double cx = left + kSpriteCell / 2.0;
  double cy = top + kSpriteCell / 2.0 - 1 + state.drop;
  auto at = [&](double x, double y) { return icon({x - cx, y - cy}); };
  TBlock cell = {left, top, kSpriteCell, kSpriteCell};
  auto paint = [&](const TCanvas::TShade& shade) { canvas.Paint(shade, cell); };
  PaintButton(canvas, cell, 2, 6, *state.look);
  paint([&](double x, double y) {
    return WithAlpha(theme::kShadow, state.shadow * (1 - SmoothStep(-0.5, 1.5, at(x, y - 1))));
  });
  paint([&](double x, double y) {
    return WithAlpha(theme::kAccent, state.glow * (1 - SmoothStep(-1.0, 3.0, at(x, y))));
  });
  TColour inkBelow = Mix(state.ink, WithAlpha(Rgb(190, 202, 222), state.ink.a), 0.5);
  paint([&](double x, double y) {
    TColour ink = Mix(state.ink, inkBelow, std::clamp((y - cy + 7) / 14, 0.0, 1.0));
    return WithAlpha(ink, ink.a * Coverage(at(x, y)));
  });
}

// A glyph's coloured body at signed distance `d`: a vertical gradient with a darker rim.
TColour GlyphBody(double d, double y, const TColour& top, const TColour& bottom, const TColour& rim) {
  TColour c = Mix(top, bottom, y / kGlyphSize);
  if (-d < 1.0) c = Mix(c, rim, std::clamp(1.0 + d, 0.0, 1.0));
  return WithAlpha(c, c.a * Coverage(d));
}

// Eight dots round a circle; each frame moves the bright head one dot on, the tail fading.
void PaintSpinnerFrame(TCanvas& canvas, int frame) {
  int left = frame % kSpinnerColumns * kSpinnerFrame;
  int top = frame / kSpinnerColumns * kSpinnerFrame;
  double cx = left + kSpinnerFrame / 2.0;
  double cy = top + kSpinnerFrame / 2.0;
  for (int i = 0; i < kSpinnerFrames; ++i) {
    int age = (frame - i + kSpinnerFrames) % kSpinnerFrames;
    double fade = 1.0 - double(age) / kSpinnerFrames;
    double angle = 2 * kPi * i / kSpinnerFrames - kPi / 2;
    TPoint dot = {cx + 10 * std::cos(angle), cy + 10 * std::sin(angle)};
    double radius = 1.6 + 1.4 * fade;
    TColour c = Mix(theme::kAccent, Rgb(220, 238, 255), fade * fade);
    canvas.Paint(
        [&](double x, double y) {
          return WithAlpha(c, (0.15 + 0.85 * fade * fade) * Coverage(CircleDistance({x, y}, dot, radius)));
        },
        {left, top, kSpinnerFrame, kSpinnerFrame});
  }
}

}  // namespace

TImage SpriteSheet() {
  TCanvas canvas(kSpriteColumns * kSpriteCell, kSpriteRows * kSpriteCell);
  for (int row = 0; row < kSpriteRows; ++row)
    for (int column = 0; column < kSpriteColumns; ++column) PaintSprite(canvas, column, row);
  return canvas.ToImage(theme::kOutline);
}

TImage InfoGlyph() {
  TCanvas canvas(kGlyphSize, kGlyphSize);
  TPoint centre = {8, 8};
  canvas.Paint([&](double x, double y) {
    return GlyphBody(CircleDistance({x, y}, centre, 7.2), y, Rgb(100, 180, 255), Rgb(40, 110, 210), Rgb(16, 50, 110));
  });
  canvas.Paint([](double x, double y) {
    double d = std::min(CircleDistance({x, y}, {8, 4.6}, 1.3), Capsule({x, y}, {8, 7.4}, {8, 11.6}, 1.15));
    return WithAlpha(theme::kWhite, Coverage(d));
  });
  return canvas.ToImage(Rgb(16, 50, 110));
}

TImage WarningGlyph() {
  TCanvas canvas(kGlyphSize, kGlyphSize);
  canvas.Paint([](double x, double y) {
    double d = TriangleDistance({x, y}, {8, 2.2}, {14.6, 13.8}, {1.4, 13.8}) - 0.8;
    return GlyphBody(d, y, Rgb(255, 214, 96), Rgb(232, 150, 36), Rgb(120, 70, 10));
  });
  canvas.Paint([](double x, double y) {
    double d = std::min(Capsule({x, y}, {8, 6.2}, {8, 9.6}, 1.0), CircleDistance({x, y}, {8, 11.9}, 1.05));
    return WithAlpha(Rgb(48, 30, 6), Coverage(d));
  });
  return canvas.ToImage(Rgb(120, 70, 10));
}

TImage Spinner() {
  int rows = (kSpinnerFrames + kSpinnerColumns - 1) / kSpinnerColumns;
  TCanvas canvas(kSpinnerColumns * kSpinnerFrame, rows * kSpinnerFrame);
  for (int frame = 0; frame < kSpinnerFrames; ++frame) PaintSpinnerFrame(canvas, frame);
  return canvas.ToImage(theme::kAccent);
}
