#include "Frames.h"

#include "Shapes.h"
#include "Theme.h"

namespace {

// The frame is drawn once at 16 x 16 and cut up. Its corner radius and every band end
// within 3 texels of the edge, so the fourth texel of each piece is empty and corners
// and edge strips meet without a seam.
constexpr int kFrame = 16;
constexpr double kRadius = 3.0;
constexpr int kCorner = 4;

TCanvas FramePicture(const TEdgeLook& look) {
  TCanvas frame(kFrame, kFrame);
  auto layer = [&](double from, double to, const TColour& lit, const TColour& shaded) {
    frame.Paint([&](double x, double y) {
      TEdge e = RoundedRect({x, y}, 0, 0, kFrame, kFrame, kRadius);
      TColour c = Mix(shaded, lit, Lit(e.nx, e.ny));
      return WithAlpha(c, c.a * Band(-e.distance, from, to));
    });
  };
  layer(0, 1, look.outline, look.outline);
  layer(1, 2, look.lit, look.shaded);
  layer(2, 3, look.glowLit, look.glowShaded);
  return frame;
}

}  // namespace

const TEdgeLook kRaisedEdges = {theme::kOutline, WithAlpha(theme::kHighlight, 0.55), WithAlpha(theme::kShadow, 0.5),
                                WithAlpha(theme::kHighlight, 0.16), WithAlpha(theme::kShadow, 0.18)};
const TEdgeLook kSunkenEdges = {theme::kOutline, WithAlpha(theme::kShadow, 0.55), Rgb(150, 165, 190, 0.35),
                                WithAlpha(theme::kShadow, 0.25), Rgb(150, 165, 190, 0.1)};
const TEdgeLook kAccentEdges = {WithAlpha(theme::kAccent, 0.85), WithAlpha(theme::kAccentPale, 0.4),
                                WithAlpha(theme::kAccent, 0.3), WithAlpha(theme::kAccentPale, 0.14),
                                WithAlpha(theme::kAccent, 0.1)};

TImage EdgesImage(const TEdgeLook& look) {
  TCanvas frame = FramePicture(look);
  TCanvas edges(kEdgesWidth, kEdgesHeight);
  constexpr int kFar = kFrame - kCorner;
  constexpr int kMiddle = kFrame / 2;
  edges.Copy(frame, 0, 0, kCorner, kCorner, 0, 0);
  edges.Copy(frame, kFar, 0, kCorner, kCorner, 4, 0);
  edges.Copy(frame, 0, kFar, kCorner, kCorner, 0, 4);
  edges.Copy(frame, kFar, kFar, kCorner, kCorner, 4, 4);
  for (int i = 0; i < 4; ++i) {
    edges.Copy(frame, 0, kMiddle, kCorner, 1, 8, i);      // left edge, outside first
    edges.Copy(frame, kFar, kMiddle, kCorner, 1, 12, i);  // right edge, outside last
    edges.Copy(frame, kMiddle, 0, 1, kCorner, 8 + i, 4);  // top edge, outside on top
    edges.Copy(frame, kMiddle, kFar, 1, kCorner, 12 + i, 4);
  }
  return edges.ToImage(look.outline);
}
