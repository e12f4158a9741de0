#include "Controls.h"

#include <cmath>
#include <cstdint>

#include "Shapes.h"
#include "Theme.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Thumb space: `across` 0 .. kThumbAcross, `along` 0 .. kThumbAlong. The light comes from
// across only, so the two caps mirror each other and the middle rows are all the same.
TEdge ThumbEdge(double across, double along) {
  return RoundedRect({across, along}, 2, 1, kThumbAcross - 2, kThumbAlong - 1, 4);
}

TColour ThumbBody(const TEdge& e, double across) {
  TColour c = Mix(Rgb(196, 206, 226), Rgb(122, 134, 158), (across - 2) / (kThumbAcross - 4));
  return WithAlpha(c, 0.92 * Coverage(e.distance));
}

TColour ThumbRim(const TEdge& e, double) {
  TColour c = Mix(Rgb(40, 48, 62, 0.35), Rgb(255, 255, 255, 0.45), 0.5 - 0.5 * e.nx);
  return WithAlpha(c, c.a * Band(-e.distance, 1, 2));
}

TColour ThumbOutline(const TEdge& e, double) { return WithAlpha(Rgb(10, 12, 18), 0.85 * Band(-e.distance, 0, 1)); }

using TThumbLayer = TColour (*)(const TEdge& e, double across);
constexpr TThumbLayer kThumbLayers[] = {ThumbBody, ThumbRim, ThumbOutline};

// A sunken field on the whole canvas: dark body, inner shadow on top and left, a pale
// rim on the bottom and right.
void PaintField(TCanvas& canvas, double radius) {
  double w = canvas.Width();
  double h = canvas.Height();
  auto edge = [=](double x, double y) { return RoundedRect({x, y}, 0, 0, w, h, radius); };
  canvas.Paint([&](double x, double y) {
    TColour c = Mix(Rgb(10, 12, 17, 0.9), Rgb(18, 21, 28, 0.9), y / h);
    return WithAlpha(c, c.a * Coverage(edge(x, y).distance));
  });
  canvas.Paint([&](double x, double y) {
    TEdge e = edge(x, y);
    double depth = -e.distance;
    double inner = 0.45 * Band(depth, 1, 2) + 0.2 * Band(depth, 2, 3);
    return WithAlpha(theme::kShadow, inner * Lit(e.nx, e.ny));
  });
  canvas.Paint([&](double x, double y) {
    TEdge e = edge(x, y);
    return WithAlpha(Rgb(130, 150, 185), 0.3 * Band(-e.distance, 1, 2) * (1 - Lit(e.nx, e.ny)));
  });
  canvas.Paint([&](double x, double y) { return WithAlpha(Rgb(4, 6, 10), 0.9 * Band(-edge(x, y).distance, 0, 1)); });
}

const std::vector<TPoint> kCheckStroke = {{5.2, 10.4}, {8.6, 13.8}, {14.8, 6.2}};

// Periodic hash: the same value every kPanelTile pixels, so the tile has no seam.
double TileNoise(int x, int y) {
  uint32_t h = uint32_t((x % kPanelTile + kPanelTile) % kPanelTile) * 374761393u +
               uint32_t((y % kPanelTile + kPanelTile) % kPanelTile) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return double(h ^ (h >> 16)) / 4294967296.0;
}

}  // namespace

TImage ScrollThumb(bool vertical) {
  TCanvas canvas(vertical ? kThumbAcross : kThumbAlong, vertical ? kThumbAlong : kThumbAcross);
  for (TThumbLayer layer : kThumbLayers) {
    canvas.Paint([&](double x, double y) {
      double across = vertical ? x : y;
      return layer(ThumbEdge(across, vertical ? y : x), across);
    });
  }
  return canvas.ToImage(Rgb(122, 134, 158));
}

TImage EditBody() {
  TCanvas canvas(kEditSize, kEditSize);
  PaintField(canvas, 4);
  return canvas.ToImage(theme::kOutline);
}

TImage CheckBoxFrame() {
  TCanvas canvas(kCheckSize, kCheckSize);
  PaintField(canvas, 4);
  return canvas.ToImage(theme::kOutline);
}

TImage CheckMark() {
  TCanvas canvas(kCheckSize, kCheckSize);
  canvas.Paint([](double x, double y) {
    double d = PolylineDistance({x, y - 1}, kCheckStroke) - 1.8;
    return WithAlpha(theme::kShadow, 0.4 * (1 - SmoothStep(-0.5, 1.5, d)));
  });
  canvas.Paint([](double x, double y) {
    TColour c = Mix(theme::kWhite, Rgb(200, 214, 236), (y - 6) / 8);
    return WithAlpha(c, Coverage(PolylineDistance({x, y}, kCheckStroke) - 1.35));
  });
  return canvas.ToImage(theme::kWhite);
}

// Fine diagonal ribs and a little grain on the dark body; every period divides the tile.
TImage PanelTile() {
  TCanvas canvas(kPanelTile, kPanelTile);
  canvas.Paint([](double x, double y) {
    double rib = 0.5 + 0.5 * std::sin(2 * kPi * (x + y) / 8);
    double grain = TileNoise(int(x), int(y)) - 0.5;
    double light = 0.035 * rib + 0.02 * grain;
    return TColour{theme::kBody.r + light, theme::kBody.g + light, theme::kBody.b + 1.2 * light, 0.84};
  });
  return canvas.ToImage(theme::kBody);
}
