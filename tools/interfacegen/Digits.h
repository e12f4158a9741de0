#pragma once
#include "Canvas.h"

// Badge digits "0" to "9" side by side, each in its own kDigitCell-wide cell on a dark
// plate, so that two neighbouring cells read as one two-digit badge.
constexpr int kDigitCell = 8;
constexpr int kDigitHeight = 12;
constexpr int kDigitCount = 10;
TImage DigitStrip();
