#pragma once
#include "Canvas.h"

// The colours every interface image shares: dark slate bodies, a dark outline that keeps
// shapes apart from any background, pale highlights from the top left and one blue accent.
namespace theme {

inline const TColour kOutline = Rgb(8, 10, 14, 0.9);
inline const TColour kHighlight = Rgb(205, 218, 240);
inline const TColour kShadow = Rgb(0, 0, 0);
inline const TColour kAccent = Rgb(84, 164, 255);
inline const TColour kAccentPale = Rgb(150, 200, 255);
inline const TColour kBody = Rgb(22, 26, 34);
inline const TColour kInk = Rgb(226, 232, 242);
inline const TColour kWhite = Rgb(255, 255, 255);

}  // namespace theme
