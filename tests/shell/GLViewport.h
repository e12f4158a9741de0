#pragma once
#include <array>

// The current context's viewport (x, y, width, height). Kept apart from the Qt test
// code: GL and Qt headers do not mix.
std::array<int, 4> CurrentViewport();
