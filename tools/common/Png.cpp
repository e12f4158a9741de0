#include "Png.h"

#include <png.h>

#include "QGUI/ImageLimits.h"
#include "platform/DataFiles.h"

namespace {

png_uint_32 Format(int channels) { return channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_GRAY; }

// Deflate packs at most 1032 bytes into one, and no row is smaller than one bit a pixel:
// a file too short for the image its header claims cannot hold it.
std::string SizeRefusal(png_uint_32 width, png_uint_32 height, size_t fileSize) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width > png_uint_32(kMaxImageSide) || height > png_uint_32(kMaxImageSide))
    return "a " + size + " image is larger than " + std::to_string(kMaxImageSide) + " pixels on a side";
  if (int64_t(width) * height > kMaxImagePixels)
    return "a " + size + " image has more than " + std::to_string(kMaxImagePixels) + " pixels";
  const uint64_t leastData = uint64_t(height) * ((uint64_t(width) + 7) / 8 + 1);
  if (leastData > uint64_t(fileSize) * 1032 + 65536)
    return "the file is too short for the " + size + " image it claims";
  return {};
}

}  // namespace

bool ReadPng(const std::string& path, int channels, TImage& image, std::string& error) {
  std::string bytes;
  std::string reason;
  if (ReadRegularFile(path, bytes, kMaxImageFile, reason) != TFileRead::Read) {
    error = path + ": " + reason;
    return false;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    error = path + ": " + png.message;
    return false;
  }
  if (std::string refusal = SizeRefusal(png.width, png.height, bytes.size()); !refusal.empty()) {
    png_image_free(&png);
    error = path + ": " + refusal;
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
