#include "Shapes.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfRoot2 = 0.70710678118654752;

double Dot(TPoint a, TPoint b) { return a.x * b.x + a.y * b.y; }
TPoint Sub(TPoint a, TPoint b) { return {a.x - b.x, a.y - b.y}; }
double Cross(TPoint a, TPoint b) { return a.x * b.y - a.y * b.x; }

}  // namespace

TEdge RoundedRect(TPoint p, double left, double top, double right, double bottom, double radius) {
  double cx = 0.5 * (left + right);
  double cy = 0.5 * (top + bottom);
  double sx = p.x < cx ? -1.0 : 1.0;
  double sy = p.y < cy ? -1.0 : 1.0;
  double qx = std::abs(p.x - cx) - (0.5 * (right - left) - radius);
  double qy = std::abs(p.y - cy) - (0.5 * (bottom - top) - radius);
  if (qx > 0 && qy > 0) {
    double length = std::hypot(qx, qy);
    return {length - radius, sx * qx / length, sy * qy / length};
  }
  if (qx > qy) return {qx - radius, sx, 0};
  return {qy - radius, 0, sy};
}

double CircleDistance(TPoint p, TPoint centre, double radius) {
  return std::hypot(p.x - centre.x, p.y - centre.y) - radius;
}

double SegmentDistance(TPoint p, TPoint a, TPoint b) {
  TPoint ab = Sub(b, a);
  TPoint ap = Sub(p, a);
  double lengthSquared = Dot(ab, ab);
  double t = lengthSquared > 0 ? std::clamp(Dot(ap, ab) / lengthSquared, 0.0, 1.0) : 0.0;
  return std::hypot(ap.x - ab.x * t, ap.y - ab.y * t);
}

double PolylineDistance(TPoint p, const std::vector<TPoint>& points) {
  double best = points.empty() ? 1e9 : std::hypot(p.x - points[0].x, p.y - points[0].y);
  for (size_t i = 1; i < points.size(); ++i) best = std::min(best, SegmentDistance(p, points[i - 1], points[i]));
  return best;
}

// Negative inside, for either winding.
double TriangleDistance(TPoint p, TPoint a, TPoint b, TPoint c) {
  double edges = std::min({SegmentDistance(p, a, b), SegmentDistance(p, b, c), SegmentDistance(p, c, a)});
  double s1 = Cross(Sub(b, a), Sub(p, a));
  double s2 = Cross(Sub(c, b), Sub(p, b));
  double s3 = Cross(Sub(a, c), Sub(p, c));
  bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  return inside ? -edges : edges;
}

std::vector<TPoint> Arc(TPoint centre, double rx, double ry, double fromDegrees, double toDegrees) {
  int steps = std::max(2, int(std::ceil(std::abs(toDegrees - fromDegrees) / 10.0)));
  std::vector<TPoint> points;
  for (int i = 0; i <= steps; ++i) {
    double a = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * kPi / 180.0;
    points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return points;
}

double Coverage(double d) { return std::clamp(0.5 - d * kSamplesPerSide, 0.0, 1.0); }

double Band(double depth, double from, double to) { return Coverage(from - depth) - Coverage(to - depth); }

double Lit(double nx, double ny) {
  double facing = -(nx + ny) * kHalfRoot2;
  return std::clamp(0.5 + facing * kHalfRoot2, 0.0, 1.0);
}

double SmoothStep(double from, double to, double x) {
  double t = std::clamp((x - from) / (to - from), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
