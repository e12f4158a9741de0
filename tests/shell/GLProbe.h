#pragma once
#include <array>
#include <cstdint>

class TZQApp;

// GL-side helpers of the window test. Kept apart from the Qt test code: GL and Qt
// headers do not mix.

// The viewport of the current context: x, y, width, height.
std::array<int, 4> CurrentViewport();
// Clears the app's surface to one colour and presents it; the app's clear colour stays.
void PresentSolidFrame(TZQApp& app, std::array<uint8_t, 3> colour);
