#pragma once
#include <vector>

struct TPoint {
  double x = 0;
  double y = 0;
};

// Signed distance to a shape's edge (negative inside) and the outward normal there.
struct TEdge {
  double distance = 0;
  double nx = 0;
  double ny = 0;
};

TEdge RoundedRect(TPoint p, double left, double top, double right, double bottom, double radius);
double CircleDistance(TPoint p, TPoint centre, double radius);
double SegmentDistance(TPoint p, TPoint a, TPoint b);
double PolylineDistance(TPoint p, const std::vector<TPoint>& points);
double TriangleDistance(TPoint p, TPoint a, TPoint b, TPoint c);

// Points along an elliptic arc; angles in degrees, 0 pointing right, 90 down.
std::vector<TPoint> Arc(TPoint centre, double rx, double ry, double fromDegrees, double toDegrees);

// How much of one paint sample a shape at signed distance `d` covers.
double Coverage(double d);
// Coverage of the band from `from` to `to` pixels in from a shape's edge, at `depth` (−distance).
double Band(double depth, double from, double to);
// How much an outward normal faces the light from the top left: 1 on top and left
// faces, 0 on bottom and right ones, 0.5 at the top-right and bottom-left corners.
double Lit(double nx, double ny);
double SmoothStep(double from, double to, double x);
