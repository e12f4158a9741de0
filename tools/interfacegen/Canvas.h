#pragma once
#include <functional>
#include <vector>

#include "Png.h"

// A colour with straight alpha, every component 0..1.
struct TColour {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 0;
};

// From 0..255 components.
TColour Rgb(int r, int g, int b, double a = 1.0);
TColour Mix(const TColour& x, const TColour& y, double t);
TColour WithAlpha(const TColour& c, double a);

// A block of whole pixels.
struct TBlock {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Samples per pixel side when painting; shapes fold their coverage of one sample into
// the alpha they return (see Coverage in Shapes.h).
constexpr int kSamplesPerSide = 4;

// A float RGBA picture, rows top first, pixel (x, y) covering [x, x + 1) x [y, y + 1).
// Layers are painted over it one after the other, each anti-aliased by supersampling.
class TCanvas {
 public:
  // The colour a layer has at a point, coverage included in its alpha.
  using TShade = std::function<TColour(double x, double y)>;

  TCanvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  void Paint(const TShade& shade);
  // Paints only the pixels of `block`; the shade still gets canvas coordinates.
  void Paint(const TShade& shade, const TBlock& block);
  // Copies the block (sx, sy, w, h) of `source` to (dx, dy).
  void Copy(const TCanvas& source, int sx, int sy, int w, int h, int dx, int dy);

  // 8-bit RGBA. Fully transparent pixels get `matte`'s colour, so that linear filtering
  // next to a shape blends towards a colour that belongs to the picture, not black.
  TImage ToImage(const TColour& matte) const;

 private:
  struct TPremultiplied {
    double r = 0, g = 0, b = 0, a = 0;
  };
  TPremultiplied& At(int x, int y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
  const TPremultiplied& At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }

  int width_;
  int height_;
  std::vector<TPremultiplied> pixels_;
};
