#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Byte(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

}  // namespace

TColour Rgb(int r, int g, int b, double a) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

TColour Mix(const TColour& x, const TColour& y, double t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

TColour WithAlpha(const TColour& c, double a) { return {c.r, c.g, c.b, a}; }

TCanvas::TCanvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * size_t(height)) {}

void TCanvas::Paint(const TShade& shade) { Paint(shade, {0, 0, width_, height_}); }

void TCanvas::Paint(const TShade& shade, const TBlock& block) {
  constexpr double kStep = 1.0 / kSamplesPerSide;
  constexpr double kWeight = 1.0 / (kSamplesPerSide * kSamplesPerSide);
  for (int y = std::max(block.top, 0); y < std::min(block.top + block.height, height_); ++y) {
    for (int x = std::max(block.left, 0); x < std::min(block.left + block.width, width_); ++x) {
      TPremultiplied layer;
      for (int j = 0; j < kSamplesPerSide; ++j) {
        for (int i = 0; i < kSamplesPerSide; ++i) {
          TColour c = shade(x + (i + 0.5) * kStep, y + (j + 0.5) * kStep);
          double a = std::clamp(c.a, 0.0, 1.0) * kWeight;
          layer.r += c.r * a;
          layer.g += c.g * a;
          layer.b += c.b * a;
          layer.a += a;
        }
      }
      TPremultiplied& p = At(x, y);
      double keep = 1.0 - layer.a;
      p = {layer.r + p.r * keep, layer.g + p.g * keep, layer.b + p.b * keep, layer.a + p.a * keep};
    }
  }
}

void TCanvas::Copy(const TCanvas& source, int sx, int sy, int w, int h, int dx, int dy) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) At(dx + x, dy + y) = source.At(sx + x, sy + y);
}

TImage TCanvas::ToImage(const TColour& matte) const {
  TImage image{width_, height_, 4, std::vector<uint8_t>(size_t(width_) * size_t(height_) * 4)};
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const TPremultiplied& p = At(x, y);
      uint8_t alpha = Byte(p.a);
      TColour c = alpha == 0 ? matte : TColour{p.r / p.a, p.g / p.a, p.b / p.a, p.a};
      uint8_t* out = &image.pixels[(size_t(y) * size_t(width_) + size_t(x)) * 4];
      out[0] = Byte(c.r);
      out[1] = Byte(c.g);
      out[2] = Byte(c.b);
      out[3] = alpha;
    }
  }
  return image;
}
