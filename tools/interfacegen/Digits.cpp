#include "Digits.h"

#include <algorithm>
#include <vector>

#include "Shapes.h"
#include "Theme.h"

namespace {

using TStroke = std::vector<TPoint>;

TStroke Join(TStroke a, const TStroke& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The digits "0" to "9" as pen strokes in a 4 x 6 box (y down), drawn 1.3 pixels wide.
const std::vector<TStroke>& DigitStrokes(int digit) {
  static const std::vector<std::vector<TStroke>> kDigits = {
      {Arc({2, 3}, 2, 3, 0, 360)},
      {{{0.8, 1.2}, {2.2, 0}, {2.2, 6}}},
      {Join(Arc({2, 1.8}, 1.9, 1.8, 190, 400), {{0, 6}, {4, 6}})},
      {Join(Arc({2, 1.5}, 1.8, 1.5, 200, 450), Arc({2, 4.5}, 2, 1.5, 270, 520))},
      {{{3, 6}, {3, 0}, {0, 4.2}, {4.2, 4.2}}},
      {Join({{3.8, 0}, {0.6, 0}, {0.3, 2.8}}, Arc({1.9, 4.1}, 2, 1.9, 225, 500))},
      {Arc({2, 4.2}, 2, 1.8, 0, 360), Arc({3.6, 4.2}, 3.6, 4.2, 180, 260)},
      {{{0, 0}, {4, 0}, {1.5, 6}}},
      {Arc({2, 1.5}, 1.7, 1.5, 0, 360), Arc({2, 4.5}, 2, 1.5, 0, 360)},
      {Arc({2, 1.8}, 2, 1.8, 0, 360), Arc({0.4, 1.8}, 3.6, 4.2, 0, 80)},
  };
  return kDigits[size_t(digit)];
}

}  // namespace

TImage DigitStrip() {
  TCanvas canvas(kDigitCell * kDigitCount, kDigitHeight);
  canvas.Paint([](double x, double y) {
    TColour plate = Mix(Rgb(40, 46, 58), Rgb(12, 14, 18), y / kDigitHeight);
    return WithAlpha(plate, 0.72);
  });
  for (int digit = 0; digit < kDigitCount; ++digit) {
    const std::vector<TStroke>& strokes = DigitStrokes(digit);
    TPoint origin = {digit * kDigitCell + 2.0, 3.0};
    canvas.Paint(
        [&](double x, double y) {
          double d = 1e9;
          for (const TStroke& s : strokes) d = std::min(d, PolylineDistance({x - origin.x, y - origin.y}, s));
          return WithAlpha(theme::kWhite, Coverage(d - 0.65));
        },
        {digit * kDigitCell, 0, kDigitCell, kDigitHeight});
  }
  return canvas.ToImage(Rgb(12, 14, 18));
}
