#include "Png.h"

#include <png.h>

namespace {
png_uint_32 Format(int channels) { return channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_GRAY; }
}  // namespace

bool ReadPng(const std::string& path, int channels, TImage& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = path + ": " + png.message;
    return false;
  }
  png.format = Format(channels);
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.channels = channels;
  image.pixels.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    error = path + ": " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

bool WritePng(const std::string& path, const TImage& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = Format(image.channels);
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr)) {
    error = path + ": " + png.message;
    return false;
  }
  return true;
}
