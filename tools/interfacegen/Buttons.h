#pragma once
#include "Canvas.h"

// How a button body looks in one state.
struct TButtonLook {
  TColour top;      // body gradient, top
  TColour bottom;   // body gradient, bottom
  TColour outline;  // the outermost pixel
  TColour rimLit;   // the pixel inside the outline, top and left
  TColour rimShaded;
  double gloss;   // white over the upper half
  double shadow;  // soft drop shadow below the body
};

extern const TButtonLook kButtonNormal;
extern const TButtonLook kButtonHover;
extern const TButtonLook kButtonDown;
extern const TButtonLook kButtonDisabled;

// A rounded button body filling `cell` but for `margin` pixels on the left and right and
// `margin` above, with 2 pixels below for its shadow; nothing is painted outside the cell.
void PaintButton(TCanvas& canvas, const TBlock& cell, int margin, double radius, const TButtonLook& look);

// State frames are stacked, one column, top to bottom: normal, hover, down, so that the
// frame of state s (0 down, 1 hover, 2 normal) is row s counted from the bottom.
constexpr int kButtonFrameWidth = 96;
constexpr int kButtonFrameHeight = 28;
constexpr int kButtonCapWidth = 10;
constexpr int kButtonMiddleWidth = 4;
constexpr int kButtonFrames = 3;

enum class TButtonPiece { kWhole, kLeft, kMiddle, kRight };
// kWhole: the one-image button, kButtonFrameWidth wide; the pieces: its three-slice
// (caps kButtonCapWidth wide, a middle kButtonMiddleWidth wide whose columns are all alike).
TImage ButtonStrip(TButtonPiece piece);
