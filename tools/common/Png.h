#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An 8-bit image, rows top first, `channels` bytes per pixel (1 grey, 4 RGBA).
struct TImage {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> pixels;
};

// Reads any PNG converted to `channels` (1 grey or 4 RGBA); false with a message on failure.
bool ReadPng(const std::string& path, int channels, TImage& image, std::string& error);
bool WritePng(const std::string& path, const TImage& image, std::string& error);
