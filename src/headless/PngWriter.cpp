#include "headless/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>

bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
                      std::string& error) {
  if (rgba.size() < static_cast<size_t>(width) * height * 4) {
    error = "not enough pixels";
    return false;
  }
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  // A negative stride tells libpng the buffer holds the bottom row first.
  if (!png_image_write_to_stdio(&image, file.get(), 0, rgba.data(), -width * 4, nullptr)) {
    error = image.message;
    return false;
  }
  return true;
}
