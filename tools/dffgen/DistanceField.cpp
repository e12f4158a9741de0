#include "DistanceField.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kFar = 1e20f;

// One-dimensional lower envelope of parabolas over f (n samples, stride `step`).
void Transform1D(float* f, int n, int step, std::vector<float>& in, std::vector<float>& z, std::vector<int>& v) {
  for (int q = 0; q < n; ++q) in[q] = f[q * step];
  int k = 0;
  v[0] = 0;
  z[0] = -kFar;
  z[1] = kFar;
  auto intersection = [&](int q, int p) {
    return ((in[q] + float(q) * q) - (in[p] + float(p) * p)) / float(2 * (q - p));
  };
  for (int q = 1; q < n; ++q) {
    float s = intersection(q, v[k]);
    // z[0] lies below every intersection of finite values, so k stays >= 0
    while (k > 0 && s <= z[k]) s = intersection(q, v[--k]);
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = kFar;
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) ++k;
    const float d = float(q - v[k]);
    f[q * step] = std::min(kFar, d * d + in[v[k]]);
  }
}

}  // namespace

std::vector<float> SquaredDistanceToSet(const std::vector<uint8_t>& flags, int width, int height) {
  std::vector<float> grid(flags.size());
  for (size_t i = 0; i < flags.size(); ++i) grid[i] = flags[i] ? 0.0f : kFar;
  const int n = std::max(width, height);
  std::vector<float> in(n), z(n + 1);
  std::vector<int> v(n);
  for (int x = 0; x < width; ++x) Transform1D(grid.data() + x, height, width, in, z, v);
  for (int y = 0; y < height; ++y) Transform1D(grid.data() + size_t(y) * width, width, 1, in, z, v);
  return grid;
}

std::vector<float> SignedDistance(const std::vector<uint8_t>& coverage, int width, int height) {
  std::vector<uint8_t> inside(coverage.size()), outside(coverage.size());
  for (size_t i = 0; i < coverage.size(); ++i) {
    inside[i] = coverage[i] >= 128;
    outside[i] = !inside[i];
  }
  const std::vector<float> toInside = SquaredDistanceToSet(inside, width, height);
  const std::vector<float> toOutside = SquaredDistanceToSet(outside, width, height);
  std::vector<float> signedDistance(coverage.size());
  for (size_t i = 0; i < coverage.size(); ++i)
    signedDistance[i] = inside[i] ? std::sqrt(toOutside[i]) - 0.5f : 0.5f - std::sqrt(toInside[i]);
  return signedDistance;
}

std::vector<uint8_t> EncodeDistance(const std::vector<float>& distance, int width, int height, int factor,
                                    float spread) {
  const int w = width / factor, h = height / factor;
  std::vector<uint8_t> out(size_t(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      for (int j = 0; j < factor; ++j)
        for (int i = 0; i < factor; ++i) sum += distance[size_t(y * factor + j) * width + x * factor + i];
      const float d = sum / float(factor * factor) / float(factor);
      const float value = std::clamp(0.5f + d / (2 * spread), 0.0f, 1.0f);
      out[size_t(y) * w + x] = uint8_t(std::lround(value * 255));
    }
  }
  return out;
}
