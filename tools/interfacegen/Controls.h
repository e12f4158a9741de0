#pragma once
#include "Canvas.h"

// The scroll-bar thumb, a three-slice along the track: its first and last thirds are the
// caps and every texel line of the middle third is the same, so any one of them can be
// repeated. Vertical: kThumbAcross wide, kThumbAlong high; horizontal: the same turned.
constexpr int kThumbAcross = 12;
constexpr int kThumbAlong = 24;
TImage ScrollThumb(bool vertical);

// The edit body, a horizontal three-slice: left third, one repeated column, right third;
// every column of the middle third and the columns next to it are alike.
constexpr int kEditSize = 24;
TImage EditBody();

// The check box: a sunken frame for its body and a white mark drawn over it, tinted.
constexpr int kCheckSize = 20;
TImage CheckBoxFrame();
TImage CheckMark();

// A panel background that repeats without seams.
constexpr int kPanelTile = 32;
TImage PanelTile();
