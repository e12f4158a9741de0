#pragma once
#include <array>
#include <cstdint>
#include <istream>

// 256 entries of blue, green, red; entry 0 goes with the transparent index 0.
using TPalette = std::array<uint8_t, 768>;

// Entry k holds (k, k, k): the palette of a model without a ".p16" file.
TPalette GreyRamp();

// Reads a ".p16" file (256 little-endian 5-6-5 colours) into `palette`; a short file
// fills only the entries it holds.
void ReadPalette16(std::istream& stream, TPalette& palette);

// Entries 1 to 24 become a ramp from black to the side colour; the rest stay.
void ApplySideColour(TPalette& palette, uint8_t red, uint8_t green, uint8_t blue);
