#include "Buttons.h"

#include "Shapes.h"
#include "Theme.h"

namespace {

constexpr double kRadius = 6.0;

const TButtonLook* const kStripLooks[kButtonFrames] = {&kButtonNormal, &kButtonHover, &kButtonDown};

// Where each piece lies in the button it is cut from, in the order of TButtonPiece.
struct TPieceSpan {
  int left;
  int width;
};
constexpr TPieceSpan kPieceSpans[] = {{0, kButtonFrameWidth},
                                      {0, kButtonCapWidth},
                                      {kButtonCapWidth, kButtonMiddleWidth},
                                      {kButtonCapWidth + kButtonMiddleWidth, kButtonCapWidth}};

}  // namespace

const TButtonLook kButtonNormal = {Rgb(70, 78, 96, 0.95),
                                   Rgb(38, 43, 54, 0.95),
                                   theme::kOutline,
                                   Rgb(200, 215, 240, 0.3),
                                   WithAlpha(theme::kShadow, 0.25),
                                   0.1,
                                   0.45};
const TButtonLook kButtonHover = {Rgb(86, 102, 132, 0.96),
                                  Rgb(44, 54, 76, 0.96),
                                  WithAlpha(theme::kAccent, 0.95),
                                  Rgb(160, 205, 255, 0.45),
                                  WithAlpha(theme::kShadow, 0.2),
                                  0.14,
                                  0.5};
const TButtonLook kButtonDown = {Rgb(28, 32, 42, 0.96),
                                 Rgb(46, 52, 66, 0.96),
                                 theme::kOutline,
                                 WithAlpha(theme::kShadow, 0.4),
                                 Rgb(150, 170, 200, 0.2),
                                 0.0,
                                 0.15};
const TButtonLook kButtonDisabled = {Rgb(52, 54, 60, 0.6),
                                     Rgb(38, 40, 45, 0.6),
                                     Rgb(8, 10, 14, 0.5),
                                     Rgb(200, 200, 210, 0.1),
                                     WithAlpha(theme::kShadow, 0.1),
                                     0.0,
                                     0.1};

void PaintButton(TCanvas& canvas, const TBlock& cell, int margin, double radius, const TButtonLook& look) {
  double left = cell.left + margin;
  double top = cell.top + margin;
  double right = cell.left + cell.width - margin;
  double bottom = cell.top + cell.height - 2;
  auto body = [=](double x, double y) { return RoundedRect({x, y}, left, top, right, bottom, radius); };
  auto paint = [&](const TCanvas::TShade& shade) { canvas.Paint(shade, cell); };
  paint([&](double x, double y) {
    double d = body(x, y - 1.5).distance;
    return WithAlpha(theme::kShadow, look.shadow * (1 - SmoothStep(-1.0, 1.5, d)));
  });
  paint([&](double x, double y) {
    TColour c = Mix(look.top, look.bottom, (y - top) / (bottom - top));
    return WithAlpha(c, c.a * Coverage(body(x, y).distance));
  });
  paint([&](double x, double y) {
    double upper = 1 - SmoothStep(0.0, 0.55, (y - top) / (bottom - top));
    return WithAlpha(theme::kWhite, look.gloss * upper * Coverage(body(x, y).distance + 1));
  });
  paint([&](double x, double y) {
    TEdge e = body(x, y);
    TColour c = Mix(look.rimShaded, look.rimLit, Lit(e.nx, e.ny));
    return WithAlpha(c, c.a * Band(-e.distance, 1, 2));
  });
  paint([&](double x, double y) { return WithAlpha(look.outline, look.outline.a * Band(-body(x, y).distance, 0, 1)); });
}

// The pieces are cut from one button as wide as the three of them, so they join exactly.
TImage ButtonStrip(TButtonPiece piece) {
  bool whole = piece == TButtonPiece::kWhole;
  int sourceWidth = whole ? kButtonFrameWidth : 2 * kButtonCapWidth + kButtonMiddleWidth;
  TCanvas source(sourceWidth, kButtonFrameHeight * kButtonFrames);
  for (int i = 0; i < kButtonFrames; ++i) {
    TBlock frame = {0, i * kButtonFrameHeight, sourceWidth, kButtonFrameHeight};
    PaintButton(source, frame, 0, kRadius, *kStripLooks[i]);
  }
  TPieceSpan span = kPieceSpans[static_cast<int>(piece)];
  TCanvas strip(span.width, source.Height());
  strip.Copy(source, span.left, 0, span.width, strip.Height(), 0, 0);
  return strip.ToImage(theme::kOutline);
}
