#pragma once
#include "Canvas.h"

// The edge frames elements draw over their body: a 16 x 8 image whose left 8 x 8 is a
// small rounded frame (its quadrants are the four 4 x 4 corners) and whose right half
// holds the four edges' 4-texel cross-sections, each repeated so that stretching them
// with linear filtering picks up nothing else.
struct TEdgeLook {
  TColour outline;     // the outermost texel, all round
  TColour lit;         // the second texel on top and left faces
  TColour shaded;      // the second texel on bottom and right faces
  TColour glowLit;     // the third texel, top and left
  TColour glowShaded;  // the third texel, bottom and right
};

constexpr int kEdgesWidth = 16;
constexpr int kEdgesHeight = 8;

// Raised (the default frame of every element), sunken (lists) and accent (text boxes).
extern const TEdgeLook kRaisedEdges;
extern const TEdgeLook kSunkenEdges;
extern const TEdgeLook kAccentEdges;

TImage EdgesImage(const TEdgeLook& look);
