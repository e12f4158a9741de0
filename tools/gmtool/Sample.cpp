#include "Sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>

#include "model/GMWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Palette layout of the sample set: 1..24 side ramp, then 32-entry ramps.
enum Ramp : int { kGrey = 25, kSkin = 57, kGreen = 89, kFire = 121, kBlue = 153, kSand = 185 };

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(hi, v)); }
uint8_t Side(double light) { return static_cast<uint8_t>(1 + Clamp(int(std::lround(light * 23)), 0, 23)); }
uint8_t Shade(Ramp ramp, double light) {
  return static_cast<uint8_t>(ramp + Clamp(int(std::lround(light * 31)), 0, 31));
}

using TRgbF = std::array<double, 3>;

TRgbF Mix(TRgbF a, TRgbF b, double t) {
  return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// Colour at t (0..1) along evenly spaced stops.
TRgbF Gradient(const std::vector<TRgbF>& stops, double t) {
  t = std::clamp(t, 0.0, 1.0) * double(stops.size() - 1);
  size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
  return Mix(stops[i], stops[i + 1], t - double(i));
}

const std::vector<TRgbF> kFireStops = {{40, 0, 0}, {200, 30, 0}, {255, 140, 0}, {255, 230, 90}, {255, 255, 240}};

void SetEntry(TPalette& p, int i, TRgbF rgb) {
  p[3 * i] = static_cast<uint8_t>(std::clamp(rgb[2], 0.0, 255.0));
  p[3 * i + 1] = static_cast<uint8_t>(std::clamp(rgb[1], 0.0, 255.0));
  p[3 * i + 2] = static_cast<uint8_t>(std::clamp(rgb[0], 0.0, 255.0));
}

void SetRamp(TPalette& p, int first, int count, const std::vector<TRgbF>& stops) {
  for (int k = 0; k < count; ++k) SetEntry(p, first + k, Gradient(stops, k / double(count - 1)));
}

TPalette UnitPalette(TRgbF side) {
  TPalette p{};
  SetRamp(p, kGrey, 32, {{20, 20, 24}, {200, 205, 210}});
  SetRamp(p, kSkin, 32, {{70, 40, 25}, {240, 190, 150}});
  SetRamp(p, kGreen, 32, {{10, 40, 10}, {140, 220, 110}});
  SetRamp(p, kFire, 32, kFireStops);
  SetRamp(p, kBlue, 32, {{10, 20, 70}, {150, 230, 255}});
  SetRamp(p, kSand, 32, {{90, 70, 30}, {250, 230, 170}});
  SetRamp(p, 217, 39, {{255, 255, 255}, {255, 255, 255}});
  ApplySideColour(p, static_cast<uint8_t>(side[0]), static_cast<uint8_t>(side[1]), static_cast<uint8_t>(side[2]));
  return p;
}

// An intensity model's palette: entries 25..255 are the glow ramp it is drawn with.
TPalette GlowPalette(TRgbF side, const std::vector<TRgbF>& stops) {
  TPalette p = UnitPalette(side);
  SetRamp(p, 25, 231, stops);
  return p;
}

double Hash(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return double(h ^ (h >> 16)) / 4294967296.0;
}

// Smooth value noise in 0..1.
double Noise(double x, double y, int seed) {
  int ix = int(std::floor(x));
  int iy = int(std::floor(y));
  double fx = x - ix;
  double fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  double a = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * fx;
  double b = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * fx;
  return a + (b - a) * fy;
}

// 4 x 4 ordered dither threshold in 0..1, for soft one-bit edges.
double Dither(int x, int y) {
  static const int kBayer[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  return (kBayer[(y & 3) * 4 + (x & 3)] + 0.5) / 16.0;
}

// One frame being drawn: palette indices (with an auxiliary byte) or colours with opacity.
class Sprite {
 public:
  Sprite(int w, int h, bool colour) : w_(w), h_(h) {
    frame_.width = static_cast<uint16_t>(w);
    frame_.height = static_cast<uint16_t>(h);
    frame_.main.assign(size_t(w) * h * (colour ? 3 : 1), 0);
    frame_.aux.assign(colour ? 0 : size_t(w) * h, 0);
    frame_.alpha.assign(colour ? size_t(w) * h : 0, 0);
  }
  int W() const { return w_; }
  int H() const { return h_; }

  void Index(int x, int y, uint8_t index, uint8_t aux = 0) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    frame_.main[size_t(y) * w_ + x] = index;
    frame_.aux[size_t(y) * w_ + x] = index ? aux : 0;
  }
  void Colour(int x, int y, TRgbF rgb, double alpha) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    size_t p = size_t(y) * w_ + x;
    auto a = static_cast<int>(std::lround(std::clamp(alpha, 0.0, 1.0) * 255));
    if (a < 14) return;
    frame_.main[3 * p] = static_cast<uint8_t>(std::clamp(rgb[2], 0.0, 255.0));
    frame_.main[3 * p + 1] = static_cast<uint8_t>(std::clamp(rgb[1], 0.0, 255.0));
    frame_.main[3 * p + 2] = static_cast<uint8_t>(std::clamp(rgb[0], 0.0, 255.0));
    frame_.alpha[p] = static_cast<uint8_t>(a);
  }
  // "E" frames: one intensity byte in the blue channel.
  void Intensity(int x, int y, double v) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    auto b = static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    if (b < 26) return;
    size_t p = size_t(y) * w_ + x;
    frame_.main[3 * p] = static_cast<uint8_t>(b);
    frame_.alpha[p] = 255;
  }
  // Calls `paint(x, y, u, v)` for every pixel whose centre lies in the ellipse, with (u, v)
  // the centre's position in ellipse units (-1..1).
  void Ellipse(double cx, double cy, double rx, double ry, const std::function<void(int, int, double, double)>& paint) {
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        double u = (x + 0.5 - cx) / rx;
        double v = (y + 0.5 - cy) / ry;
        if (u * u + v * v <= 1.0) paint(x, y, u, v);
      }
    }
  }
  // A thick segment; `paint(x, y, t)` with t the position along it (0..1).
  void Line(double x0, double y0, double x1, double y1, double width,
            const std::function<void(int, int, double)>& paint) {
    double dx = x1 - x0;
    double dy = y1 - y0;
    double len2 = std::max(dx * dx + dy * dy, 1e-9);
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        double px = x + 0.5 - x0;
        double py = y + 0.5 - y0;
        double t = std::clamp((px * dx + py * dy) / len2, 0.0, 1.0);
        double ex = px - t * dx;
        double ey = py - t * dy;
        if (ex * ex + ey * ey <= width * width / 4) paint(x, y, t);
      }
    }
  }
  void Rect(int x0, int y0, int x1, int y1, const std::function<void(int, int)>& paint) {
    for (int y = std::max(y0, 0); y < std::min(y1, h_); ++y)
      for (int x = std::max(x0, 0); x < std::min(x1, w_); ++x) paint(x, y);
  }
  // A rectangle of size (length x width) centred at (cx, cy), turned by `angle`;
  // `paint(x, y, along, across)` with both in -0.5..0.5.
  void Box(double cx, double cy, double length, double width, double angle,
           const std::function<void(int, int, double, double)>& paint) {
    double c = std::cos(angle);
    double s = std::sin(angle);
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        double px = x + 0.5 - cx;
        double py = y + 0.5 - cy;
        double a = (px * c + py * s) / length;
        double b = (-px * s + py * c) / width;
        if (std::abs(a) <= 0.5 && std::abs(b) <= 0.5) paint(x, y, a, b);
      }
    }
  }
  // Centres the frame on the canvas, moved by (dx, dy).
  GMFrame Take(int dx = 0, int dy = 0) {
    frame_.offsetX = static_cast<int16_t>(-w_ / 2 + dx);
    frame_.offsetY = static_cast<int16_t>(-h_ / 2 + dy);
    return std::move(frame_);
  }

 private:
  int w_;
  int h_;
  GMFrame frame_;
};

double Phase(int f, int n) { return 2 * kPi * f / n; }

using Painter = std::function<GMFrame(int f, int n)>;

std::vector<GMFrame> Animate(int n, const Painter& paint) {
  std::vector<GMFrame> frames;
  for (int f = 0; f < n; ++f) frames.push_back(paint(f, n));
  return frames;
}

// --- index models ---------------------------------------------------------------------

GMFrame Infantry(int f, int n) {
  Sprite s(14, 22, false);
  double p = Phase(f, n);
  double swing = 0.55 * std::sin(p);
  auto leg = [&](double a, double light) {
    s.Line(7, 13, 7 + 7 * std::sin(a), 13 + 7 * std::cos(a), 2.4,
           [&](int x, int y, double) { s.Index(x, y, Side(light), 1); });
  };
  leg(-swing, 0.25);
  s.Line(7, 7, 7 - 5 * std::sin(swing), 7 + 5 * std::cos(swing), 2,
         [&](int x, int y, double) { s.Index(x, y, Side(0.4), 2); });
  s.Rect(4, 6, 10, 14, [&](int x, int y) { s.Index(x, y, Side(0.95 - 0.08 * (x - 4) - 0.03 * (y - 6)), 3); });
  leg(swing, 0.45);
  s.Line(3, 10, 12, 8, 1.5, [&](int x, int y, double t) { s.Index(x, y, Shade(kGrey, 0.3 + 0.3 * t), 4); });
  s.Ellipse(7, 3.5, 2.6, 2.6, [&](int x, int y, double u, double v) {
    s.Index(x, y, v < -0.1 ? Side(0.75 - 0.2 * u) : Shade(kSkin, 0.8 - 0.3 * u), 5);
  });
  s.Line(7 + 5 * std::sin(swing), 7 + 5 * std::cos(swing), 7, 7, 2,
         [&](int x, int y, double) { s.Index(x, y, Shade(kSkin, 0.6), 2); });
  int bob = int(std::lround(std::abs(std::sin(p)) * 1.4));
  return s.Take(0, -bob);
}

GMFrame Tank(int f, int n) {
  Sprite s(32, 32, false);
  double turn = Phase(f, n);
  for (int side = 0; side < 2; ++side) {
    int x0 = side ? 24 : 3;
    s.Rect(x0, 3, x0 + 5, 29, [&](int x, int y) {
      bool tread = ((y + (side ? f : -f)) & 3) < 2;
      s.Index(x, y, Shade(kGrey, tread ? 0.35 : 0.15), 1);
    });
  }
  s.Rect(8, 5, 24, 27, [&](int x, int y) { s.Index(x, y, Side(0.85 - 0.02 * (x - 8) - 0.015 * (y - 5)), 2); });
  s.Rect(9, 5, 23, 7, [&](int x, int y) { s.Index(x, y, Side(1.0), 2); });
  s.Line(16, 16, 16 + 14 * std::sin(turn), 16 - 14 * std::cos(turn), 2.6,
         [&](int x, int y, double t) { s.Index(x, y, Shade(kGrey, 0.6 - 0.3 * t), 3); });
  s.Ellipse(16, 16, 6.2, 6.2, [&](int x, int y, double u, double v) { s.Index(x, y, Side(0.7 - 0.25 * (u + v)), 4); });
  s.Ellipse(16 - 2 * std::sin(turn + 1), 16 + 2 * std::cos(turn + 1), 1.5, 1.5,
            [&](int x, int y, double, double) { s.Index(x, y, Shade(kGrey, 0.85), 5); });
  return s.Take();
}

GMFrame Walker(int f, int n) {
  Sprite s(26, 30, false);
  double p = Phase(f, n);
  for (int k = 0; k < 2; ++k) {
    double a = (k ? 1 : -1) * 0.5 * std::sin(p);
    double hx = k ? 17 : 9;
    double kx = hx + 5 * std::sin(a + 0.5 * (k ? 1 : -1));
    double ky = 20;
    double lift = std::max(0.0, (k ? 1 : -1) * std::cos(p)) * 2.5;
    s.Line(hx, 15, kx, ky, 3, [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.45), 1); });
    s.Line(kx, ky, hx + 3 * std::sin(a), 28 - lift, 3,
           [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.3), 1); });
    s.Rect(int(hx + 3 * std::sin(a)) - 3, int(28 - lift), int(hx + 3 * std::sin(a)) + 3, int(30 - lift),
           [&](int x, int y) { s.Index(x, y, Shade(kGrey, 0.2), 1); });
  }
  int bob = int(std::lround(std::abs(std::cos(p)) * 1.5));
  s.Rect(5, 5 + bob, 21, 16 + bob, [&](int x, int y) { s.Index(x, y, Side(0.9 - 0.03 * (x - 5)), 2); });
  s.Rect(9, 7 + bob, 17, 11 + bob, [&](int x, int y) { s.Index(x, y, Shade(kBlue, 0.4 + 0.05 * (y - 7 - bob)), 3); });
  s.Rect(3, 9 + bob, 6, 13 + bob, [&](int x, int y) { s.Index(x, y, Shade(kGrey, 0.6), 4); });
  s.Rect(20, 9 + bob, 23, 13 + bob, [&](int x, int y) { s.Index(x, y, Shade(kGrey, 0.6), 4); });
  return s.Take();
}

GMFrame Harvester(int f, int n) {
  Sprite s(30, 24, false);
  double turn = Phase(f, n);
  s.Rect(3, 5, 21, 19, [&](int x, int y) { s.Index(x, y, Side(0.9 - 0.025 * (x - 3) - 0.02 * (y - 5)), 1); });
  s.Rect(5, 7, 12, 12, [&](int x, int y) { s.Index(x, y, Shade(kBlue, 0.5), 2); });
  s.Rect(13, 8, 20, 17, [&](int x, int y) { s.Index(x, y, Shade(kSand, 0.45 + 0.1 * ((x + y) & 1)), 3); });
  for (int w = 0; w < 2; ++w) {
    s.Rect(5 + 11 * w, 18, 10 + 11 * w, 22,
           [&](int x, int y) { s.Index(x, y, Shade(kGrey, ((x + f) & 1) ? 0.15 : 0.3), 4); });
  }
  s.Ellipse(25, 12, 4.6, 8, [&](int x, int y, double, double v) { s.Index(x, y, Shade(kGrey, 0.4 - 0.2 * v), 5); });
  for (int k = 0; k < 3; ++k) {
    double a = turn + k * 2 * kPi / 3;
    s.Line(25, 12, 25 + 4 * std::cos(a), 12 + 7.5 * std::sin(a), 1.5,
           [&](int x, int y, double) { s.Index(x, y, Shade(kSand, 0.9), 6); });
  }
  return s.Take();
}

GMFrame Flag(int f, int n) {
  Sprite s(24, 28, false);
  double p = Phase(f, n);
  s.Rect(2, 1, 4, 28, [&](int x, int y) { s.Index(x, y, Shade(kGrey, x == 2 ? 0.8 : 0.5)); });
  s.Ellipse(3, 1.5, 1.5, 1.5, [&](int x, int y, double, double) { s.Index(x, y, Shade(kSand, 0.9)); });
  for (int x = 4; x < 23; ++x) {
    double k = (x - 4) / 18.0;
    double wave = std::sin(k * 5 - p) * 2.2 * k;
    double light = 0.55 + 0.4 * std::cos(k * 5 - p);
    for (int y = 3; y < 15; ++y) {
      int yy = int(std::lround(y + wave));
      bool emblem = std::abs(x - 12) + std::abs(y - 9) < 4;
      s.Index(x, yy, emblem ? Shade(kSand, 0.6 + 0.35 * light) : Side(light));
    }
  }
  return s.Take();
}

GMFrame Helicopter(int f, int n) {
  Sprite s(36, 36, false);
  double turn = 0.5 * kPi * f / n;
  s.Line(18, 20, 18, 33, 2.4, [&](int x, int y, double) { s.Index(x, y, Side(0.5)); });
  s.Rect(14, 31, 23, 33, [&](int x, int y) { s.Index(x, y, Side(0.7)); });
  s.Ellipse(18, 15, 6, 10, [&](int x, int y, double u, double v) { s.Index(x, y, Side(0.85 - 0.3 * u - 0.1 * v)); });
  s.Ellipse(18, 9, 3.5, 3.5,
            [&](int x, int y, double u, double v) { s.Index(x, y, Shade(kBlue, 0.7 - 0.3 * (u + v))); });
  for (int k = 0; k < 2; ++k) {
    double a = turn + k * kPi / 2;
    s.Line(18 - 17 * std::cos(a), 15 - 17 * std::sin(a), 18 + 17 * std::cos(a), 15 + 17 * std::sin(a), 1.6,
           [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.25)); });
  }
  s.Ellipse(18, 15, 1.5, 1.5, [&](int x, int y, double, double) { s.Index(x, y, Shade(kGrey, 0.7)); });
  return s.Take();
}

GMFrame Radar(int f, int n) {
  Sprite s(24, 26, false);
  double turn = Phase(f, n);
  s.Rect(5, 19, 19, 26, [&](int x, int y) { s.Index(x, y, Side(0.75 - 0.03 * (x - 5))); });
  s.Rect(11, 10, 13, 19, [&](int x, int y) { s.Index(x, y, Shade(kGrey, 0.5)); });
  double c = std::cos(turn);
  s.Ellipse(12, 8, 1 + 9 * std::abs(c), 6, [&](int x, int y, double u, double) {
    s.Index(x, y, c > 0 ? Shade(kGrey, 0.85 - 0.3 * u * u) : Shade(kGrey, 0.35 + 0.1 * u));
  });
  s.Line(12, 8, 12 + 6 * std::sin(turn), 7, 1.2, [&](int x, int y, double) { s.Index(x, y, Side(1)); });
  return s.Take();
}

GMFrame Jeep(int f, int n) {
  Sprite s(18, 24, false);
  for (int wx : {1, 14}) {
    for (int wy : {3, 16}) {
      s.Rect(wx, wy, wx + 3, wy + 5, [&](int x, int y) { s.Index(x, y, Shade(kGrey, ((y + f) & 1) ? 0.1 : 0.25)); });
    }
  }
  s.Rect(3, 1, 15, 23, [&](int x, int y) { s.Index(x, y, Side(0.9 - 0.03 * (x - 3) - 0.01 * y)); });
  s.Rect(4, 8, 14, 11, [&](int x, int y) { s.Index(x, y, Shade(kBlue, 0.6)); });
  s.Rect(5, 13, 13, 20, [&](int x, int y) { s.Index(x, y, Side(0.35)); });
  s.Ellipse(9, 16, 2, 2, [&](int x, int y, double, double) { s.Index(x, y, Shade(kSkin, 0.7)); });
  int bob = (f % 4 == 1) ? 1 : 0;
  return s.Take(0, -bob);
}

GMFrame Crystal(int f, int n) {
  Sprite s(16, 24, false);
  double turn = Phase(f, n);
  for (int y = 0; y < 24; ++y) {
    double half = (y < 8 ? y / 8.0 : (24 - y) / 16.0) * 7;
    for (int x = 0; x < 16; ++x) {
      double u = (x + 0.5 - 8) / std::max(half, 0.01);
      if (std::abs(u) > 1) continue;
      double facet = std::asin(std::clamp(u, -1.0, 1.0)) + turn;
      int band = int(std::floor(facet / (kPi / 3))) & 1;
      double light = 0.5 + 0.45 * std::cos(facet);
      s.Index(x, y, band ? Side(light) : Shade(kBlue, light));
    }
  }
  int bob = int(std::lround(1.5 * std::sin(turn)));
  return s.Take(0, bob);
}

GMFrame Beacon(int f, int n) {
  Sprite s(14, 30, false);
  s.Line(3, 29, 6, 8, 1.4, [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.5)); });
  s.Line(11, 29, 8, 8, 1.4, [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.5)); });
  for (int k = 0; k < 4; ++k) {
    double y0 = 28 - 5 * k;
    s.Line(3.5 + 0.7 * k, y0, 10.5 - 0.7 * k, y0 - 5, 1,
           [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.35)); });
  }
  // A turning lamp: the lit side sweeps round, flaring once a turn.
  double a = Phase(f, n);
  s.Rect(4, 6, 10, 9, [&](int x, int y) { s.Index(x, y, Side(0.6 + 0.3 * std::cos(a + x))); });
  double flare = std::max(0.0, std::cos(a));
  double r = 2 + 1.8 * flare;
  s.Ellipse(7, 3.5, r, r, [&](int x, int y, double u, double v) {
    double lit = 0.5 + 0.5 * (u * std::cos(a) + v * std::sin(a));
    double d = std::sqrt(u * u + v * v);
    s.Index(x, y, lit > 0.55 ? Shade(kFire, (1 - 0.5 * d) * (0.5 + 0.5 * flare)) : Side(0.5 - 0.2 * d));
  });
  return s.Take();
}

GMFrame Drone(int f, int n) {
  Sprite s(22, 22, false);
  double p = Phase(f, n);
  for (int k = 0; k < 4; ++k) {
    double a = kPi / 4 + k * kPi / 2;
    double rx = 11 + 7 * std::cos(a);
    double ry = 11 + 7 * std::sin(a);
    s.Line(11, 11, rx, ry, 1.5, [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.4)); });
    double blade = p * 3 + k;
    s.Line(rx - 3.5 * std::cos(blade), ry - 3.5 * std::sin(blade), rx + 3.5 * std::cos(blade),
           ry + 3.5 * std::sin(blade), 1.2, [&](int x, int y, double) { s.Index(x, y, Shade(kGrey, 0.75)); });
  }
  s.Ellipse(11, 11, 4.5, 4.5, [&](int x, int y, double u, double v) { s.Index(x, y, Side(0.8 - 0.3 * (u + v))); });
  bool blink = (f % 6) < 2;
  s.Ellipse(11, 11, 1.5, 1.5,
            [&](int x, int y, double, double) { s.Index(x, y, blink ? Shade(kFire, 0.9) : Shade(kBlue, 0.5)); });
  return s.Take(0, int(std::lround(2 * std::sin(p))));
}

GMFrame Windmill(int f, int n) {
  Sprite s(32, 38, false);
  double turn = Phase(f, n) / 4;
  for (int y = 12; y < 38; ++y) {
    double half = 2 + (y - 12) * 0.2;
    for (int x = 0; x < 32; ++x) {
      double u = (x + 0.5 - 16) / half;
      if (std::abs(u) <= 1) s.Index(x, y, std::abs(u) < 0.25 && y > 30 ? Side(0.5) : Shade(kSand, 0.75 - 0.3 * u));
    }
  }
  s.Rect(12, 20, 20, 23, [&](int x, int y) { s.Index(x, y, Side(0.9)); });
  for (int k = 0; k < 4; ++k) {
    double a = turn + k * kPi / 2;
    s.Box(16 + 8 * std::cos(a), 11 + 8 * std::sin(a), 15, 3.5, a,
          [&](int x, int y, double along, double) { s.Index(x, y, along > 0.3 ? Side(0.8) : Shade(kSand, 0.95)); });
  }
  s.Ellipse(16, 11, 2, 2, [&](int x, int y, double, double) { s.Index(x, y, Shade(kGrey, 0.3)); });
  return s.Take();
}

// --- shadow masks ---------------------------------------------------------------------

GMFrame ShadowBlob(int f, int n) {
  Sprite s(26, 14, false);
  double p = Phase(f, n);
  double rx = 9 + 2.5 * std::sin(p);
  double ry = 4 + 1.2 * std::sin(p);
  s.Ellipse(13, 7, rx + 1.5, ry + 1.5, [&](int x, int y, double u, double v) {
    double d = std::sqrt(u * u + v * v);
    double soft = std::clamp((1 - d) / 0.35, 0.0, 1.0);
    if (soft > Dither(x, y)) s.Index(x, y, 1);
  });
  return s.Take(0, 6);
}

GMFrame PlaneShadow(int f, int n) {
  Sprite s(32, 32, false);
  double a = Phase(f, n);
  auto mark = [&](int x, int y, double, double) { s.Index(x, y, 1); };
  s.Box(16, 16, 26, 3.5, a, mark);
  s.Box(16 + 2 * std::cos(a), 16 + 2 * std::sin(a), 5, 24, a, mark);
  s.Box(16 - 11 * std::cos(a), 16 - 11 * std::sin(a), 3, 10, a, mark);
  return s.Take(3, 6);
}

GMFrame CloudShadow(int f, int n) {
  Sprite s(40, 24, false);
  double drift = 40.0 * f / n;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) {
      double v = Noise((x + drift) / 7.0, y / 6.0, 11) * 0.7 + Noise((x + drift) / 3.5, y / 3.0, 12) * 0.3;
      double edge = std::min({x / 6.0, (39 - x) / 6.0, y / 5.0, (23 - y) / 5.0, 1.0});
      if ((v - 0.35) * 3 * edge > Dither(x, y)) s.Index(x, y, 1);
    }
  }
  return s.Take();
}

GMFrame RotorShadow(int f, int n) {
  Sprite s(34, 34, false);
  double turn = 0.5 * kPi * f / n;
  s.Ellipse(17, 17, 16, 16, [&](int x, int y, double u, double v) {
    double a = std::atan2(v, u) - turn;
    double blade = std::abs(std::cos(2 * a));
    if (blade > 0.93 || (0.18 > Dither(x, y) && blade > 0.3)) s.Index(x, y, 1);
  });
  s.Ellipse(17, 17, 4, 6, [&](int x, int y, double, double) { s.Index(x, y, 1); });
  return s.Take(4, 8);
}

// --- colour and effect models ---------------------------------------------------------

GMFrame Explosion(int f, int n) {
  Sprite s(40, 40, true);
  double t = f / double(n - 1);
  double r = 4 + 16 * std::sqrt(t);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      double dx = x + 0.5 - 20;
      double dy = y + 0.5 - 20;
      double d = std::sqrt(dx * dx + dy * dy) / r;
      double turb = Noise(x / 4.0 + f * 0.3, y / 4.0, 3) - 0.5;
      d += 0.35 * turb;
      if (d > 1) continue;
      double heat = std::clamp((1 - d) * (1.3 - t), 0.0, 1.0);
      TRgbF fire = Gradient(kFireStops, heat);
      TRgbF colour = Mix({60, 55, 50}, fire, std::clamp(heat * 2.5, 0.0, 1.0));
      double alpha = std::clamp((1 - d) * 3, 0.0, 1.0) * (1 - t * t);
      s.Colour(x, y, colour, alpha);
    }
  }
  return s.Take();
}

GMFrame Smoke(int f, int n) {
  Sprite s(24, 36, true);
  for (int k = 0; k < 4; ++k) {
    double life = std::fmod(k / 4.0 + f / double(n), 1.0);
    double cy = 32 - 28 * life;
    double cx = 12 + 3 * std::sin(life * 6 + k);
    double r = 3 + 6 * life;
    s.Ellipse(cx, cy, r, r, [&](int x, int y, double u, double v) {
      double d = std::sqrt(u * u + v * v);
      double grey = 90 + 90 * life + 30 * Noise(x / 3.0, y / 3.0 + life * 4, k);
      s.Colour(x, y, {grey, grey, grey * 1.05}, (1 - d) * 1.6 * (1 - life));
    });
  }
  return s.Take(0, -4);
}

GMFrame Plasma(int f, int n) {
  Sprite s(22, 22, true);
  double p = Phase(f, n);
  double r = 7 + 2.5 * std::sin(p);
  s.Ellipse(11, 11, r + 2, r + 2, [&](int x, int y, double u, double v) {
    double d = std::sqrt(u * u + v * v);
    double swirl = 0.5 + 0.5 * std::sin(std::atan2(v, u) * 3 + p * 2 + d * 4);
    TRgbF colour = Gradient({{255, 255, 255}, {120, 220, 255}, {150, 60, 255}}, d + 0.2 * swirl);
    s.Colour(x, y, colour, std::clamp((1 - d) * 2.2, 0.0, 1.0));
  });
  return s.Take();
}

GMFrame Sparkle(int f, int n) {
  Sprite s(24, 24, true);
  double turn = Phase(f, n) / 4;
  double pulse = 0.75 + 0.25 * std::sin(Phase(f, n) * 2);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      double dx = x + 0.5 - 12;
      double dy = y + 0.5 - 12;
      double d = std::sqrt(dx * dx + dy * dy) / 11;
      double a = std::atan2(dy, dx) - turn;
      double ray = std::pow(std::abs(std::cos(2 * a)), 12);
      double v = std::max(ray * (1 - d), std::clamp(1 - d * 4, 0.0, 1.0)) * pulse;
      if (v <= 0) continue;
      s.Colour(x, y, Gradient({{255, 170, 20}, {255, 240, 150}, {255, 255, 255}}, v), v * 1.3);
    }
  }
  return s.Take();
}

GMFrame Glow(int f, int n) {
  Sprite s(24, 24, true);
  double r = 8 + 3 * std::sin(Phase(f, n));
  s.Ellipse(12, 12, r, r,
            [&](int x, int y, double u, double v) { s.Intensity(x, y, std::pow(1 - std::sqrt(u * u + v * v), 1.2)); });
  return s.Take();
}

GMFrame Shockwave(int f, int n) {
  Sprite s(40, 40, true);
  double t = f / double(n - 1);
  double r = 3 + 16 * t;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      double d = std::hypot(x + 0.5 - 20, y + 0.5 - 20);
      double ring = std::exp(-std::pow((d - r) / 1.8, 2));
      s.Intensity(x, y, ring * (1 - 0.8 * t));
    }
  }
  return s.Take();
}

GMFrame Fire(int f, int n) {
  Sprite s(16, 30, true);
  for (int y = 0; y < 30; ++y) {
    double height = (30 - y) / 30.0;
    double half = 6.5 * (1 - height * 0.85);
    for (int x = 0; x < 16; ++x) {
      double flick = Noise(x / 3.0, (y + f * 30.0 / n * 2) / 3.0, 5) - 0.5;
      double u = std::abs(x + 0.5 - 8 + 2.5 * flick * height) / half;
      s.Intensity(x, y, (1 - u) * (1.15 - height * 0.9) + 0.6 * flick * height);
    }
  }
  return s.Take(0, -8);
}

GMFrame Beam(int f, int n) {
  Sprite s(10, 40, true);
  for (int y = 0; y < 40; ++y) {
    double pulse = 0.65 + 0.35 * std::sin((y + 40.0 * f / n) * 2 * kPi / 10);
    for (int x = 0; x < 10; ++x) {
      double d = (x + 0.5 - 5) / 2.2;
      s.Intensity(x, y, std::exp(-d * d) * pulse);
    }
  }
  return s.Take(0, -6);
}

TSampleModel Make(std::string name, char encoding, int frames, const Painter& paint, TPalette palette) {
  return {std::move(name), encoding, Animate(frames, paint), palette};
}

}  // namespace

std::vector<TSampleModel> SampleModels() {
  const TRgbF red{200, 30, 30}, blue{40, 80, 220}, green{40, 170, 60}, yellow{230, 200, 40}, purple{150, 50, 200},
      cyan{30, 190, 200}, orange{240, 120, 20}, white{230, 230, 230};
  std::vector<TSampleModel> models;
  models.push_back(Make("z_infantry.gmz", 'Z', 16, Infantry, UnitPalette(red)));
  models.push_back(Make("z_tank.gmz", 'Z', 32, Tank, UnitPalette(blue)));
  models.push_back(Make("z_walker.gmz", 'Z', 16, Walker, UnitPalette(green)));
  models.push_back(Make("z_harvester.gmz", 'Z', 24, Harvester, UnitPalette(yellow)));
  models.push_back(Make("x_flag.gmz", 'X', 16, Flag, UnitPalette(purple)));
  models.push_back(Make("x_helicopter.gmz", 'X', 8, Helicopter, UnitPalette(cyan)));
  models.push_back(Make("x_radar.gmz", 'X', 24, Radar, UnitPalette(orange)));
  models.push_back(Make("x_jeep.gmz", 'X', 8, Jeep, UnitPalette(white)));
  models.push_back(Make("s_blob_shadow.gmz", 'S', 16, ShadowBlob, UnitPalette(red)));
  models.push_back(Make("s_plane_shadow.gmz", 'S', 32, PlaneShadow, UnitPalette(blue)));
  models.push_back(Make("s_cloud_shadow.gmz", 'S', 24, CloudShadow, UnitPalette(green)));
  models.push_back(Make("s_rotor_shadow.gmz", 'S', 8, RotorShadow, UnitPalette(yellow)));
  models.push_back(Make("q_crystal.gmz", 'Q', 16, Crystal, UnitPalette(purple)));
  models.push_back(Make("q_beacon.gmz", 'Q', 16, Beacon, UnitPalette(cyan)));
  models.push_back(Make("q_drone.gmz", 'Q', 24, Drone, UnitPalette(orange)));
  models.push_back(Make("q_windmill.gmz", 'Q', 16, Windmill, UnitPalette(red)));
  models.push_back(Make("a_explosion.gmz", 'A', 24, Explosion, UnitPalette(blue)));
  models.push_back(Make("a_smoke.gmz", 'A', 32, Smoke, UnitPalette(green)));
  models.push_back(Make("a_plasma.gmz", 'A', 16, Plasma, UnitPalette(yellow)));
  models.push_back(Make("a_sparkle.gmz", 'A', 16, Sparkle, UnitPalette(purple)));
  models.push_back(
      Make("e_glow.gmz", 'E', 16, Glow, GlowPalette(cyan, {{0, 30, 60}, {40, 160, 255}, {230, 250, 255}})));
  models.push_back(
      Make("e_shockwave.gmz", 'E', 24, Shockwave, GlowPalette(orange, {{60, 20, 0}, {255, 150, 40}, {255, 250, 220}})));
  models.push_back(Make("e_fire.gmz", 'E', 32, Fire, GlowPalette(red, kFireStops)));
  models.push_back(
      Make("e_beam.gmz", 'E', 16, Beam, GlowPalette(green, {{0, 60, 10}, {80, 255, 120}, {240, 255, 240}})));
  // The scan skips any name containing "fal.gmz".
  models.push_back(Make("unitfal.gmz", 'X', 8, Jeep, UnitPalette(red)));
  return models;
}

bool WriteSampleSet(const fs::path& folder, std::string& error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  for (const TSampleModel& m : SampleModels()) {
    std::string bytes = EncodeGM(m.encoding, m.frames);
    std::string palette = EncodePalette16(m.palette);
    fs::path path = folder / m.name;
    std::ofstream gm(path, std::ios::binary);
    std::ofstream p16(fs::path(path).replace_extension(".p16"), std::ios::binary);
    gm.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    p16.write(palette.data(), static_cast<std::streamsize>(palette.size()));
    if (!gm || !p16) {
      error = "cannot write " + path.string();
      return false;
    }
  }
  return true;
}
