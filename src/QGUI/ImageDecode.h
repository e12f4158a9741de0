#pragma once
#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "QGUI/ImageLimits.h"

// A decoded interface image, ready for upload: rows bottom row first, pixels as
// blue, green, red (GL_BGR) or blue, green, red, alpha (GL_BGRA), rows tightly packed.
struct TQGUI_Image {
  int32_t width = 0;
  int32_t height = 0;
  GLenum format = GL_BGRA;
  std::vector<uint8_t> pixels;
};

// Decodes a PNG. Truecolour images keep their alpha (255 where they have none);
// palette and greyscale images come out fully opaque. False, with the library's
// reason in `error`, for damaged or absurd files.
bool DecodePNG(const uint8_t* data, size_t size, TQGUI_Image& image, std::string& error);

// Decodes a JPEG to 24-bit colour (GL_BGR). A truncated file decodes as far as it goes.
bool DecodeJPEG(const uint8_t* data, size_t size, TQGUI_Image& image, std::string& error);
