#pragma once
#include "Canvas.h"

// The sprite sheet of sprite-map buttons: one icon per row (play, pause, plus, minus, gear,
// close, counted from the top), one state per column: normal, hover, down, disabled.
constexpr int kSpriteCell = 32;
constexpr int kSpriteColumns = 4;
constexpr int kSpriteRows = 6;
TImage SpriteSheet();

// Label glyphs, drawn at their own size beside the text.
constexpr int kGlyphSize = 16;
TImage InfoGlyph();
TImage WarningGlyph();

// A busy spinner: kSpinnerFrames frames in rows of kSpinnerColumns, first row on top.
constexpr int kSpinnerFrame = 32;
constexpr int kSpinnerFrames = 8;
constexpr int kSpinnerColumns = 4;
constexpr int kSpinnerFps = 12;
TImage Spinner();
