#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Image files made in memory with libpng and libjpeg, so decoding tests compare real
// files of every kind against values they know.

struct PngSpec {
  int width = 0;
  int height = 0;
  int colourType = 0;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  // Samples row by row, top row first, channels as the colour type has them, one
  // value per sample whatever the bit depth.
  std::vector<uint16_t> samples;
  std::vector<uint8_t> palette;       // red, green, blue per entry
  std::vector<uint8_t> paletteAlpha;  // tRNS for palette images
  bool greyKey = false;               // tRNS for grey or truecolour: the key is sample 0
};

PngSpec MakePngSpec(int width, int height, int colourType, int bitDepth, bool interlaced = false,
                    std::vector<uint16_t> samples = {});
std::string EncodePNG(const PngSpec& spec);

// `rgb` is red, green, blue per pixel, top row first; `grey` images take one byte a pixel.
std::string EncodeJPEG(int width, int height, const std::vector<uint8_t>& pixels, bool grey, bool progressive);

// Rewrites the IHDR's width and height (and its checksum) of a PNG file.
std::string WithPngSize(std::string png, uint32_t width, uint32_t height);
