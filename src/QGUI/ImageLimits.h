#pragma once
#include <cstddef>
#include <cstdint>

// Interface images, and the images the tools read, are small. Files longer than this, or
// images larger on either side or with more pixels in all, are refused before any pixel
// memory is taken.
constexpr size_t kMaxImageFile = size_t(64) << 20;
constexpr int32_t kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t(1) << 26;
