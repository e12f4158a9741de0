#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "QGUI/ImageDecode.h"

// libpng reports errors by longjmp, so the functions that call it hold nothing with a
// destructor; the pixel memory is owned by the caller.
namespace {

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t offset;
  char error[256];
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (count > reader->size - reader->offset) png_error(png, "file is truncated");
  std::memcpy(out, reader->data + reader->offset, count);
  reader->offset += count;
}

void OnError(png_structp png, png_const_charp message) {
  auto* reader = static_cast<Reader*>(png_get_error_ptr(png));
  std::snprintf(reader->error, sizeof reader->error, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Asks libpng for 8-bit blue, green, red, alpha.
// Palette and greyscale images lose any transparency: they come out opaque.
void SetTransforms(png_structp png, png_infop info) {
  int colourType = png_get_color_type(png, info);
  bool truecolour = colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGB_ALPHA;
  png_set_scale_16(png);
  png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (!truecolour && colourType != PNG_COLOR_TYPE_PALETTE) {
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  if (!truecolour)
    png_set_strip_alpha(png);
  else if (png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_tRNS_to_alpha(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Deflate packs at most 1032 bytes into one; a file too short for the image its
// header claims is refused before the pixels are allocated.
bool PlausibleSize(png_structp png, png_infop info, size_t fileSize) {
  uint64_t raw = uint64_t(png_get_image_height(png, info)) * (png_get_rowbytes(png, info) + 1);
  return raw <= uint64_t(fileSize) * 1032 + 65536;
}

bool ReadHeader(png_structp png, png_infop info, size_t fileSize, png_uint_32& width, png_uint_32& height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_read_info(png, info);
  width = png_get_image_width(png, info);
  height = png_get_image_height(png, info);
  if (int64_t(width) * height > kMaxImagePixels) png_error(png, "image is too large");
  if (!PlausibleSize(png, info, fileSize)) png_error(png, "file is too short for the image size it claims");
  SetTransforms(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row size after transforms");
  return true;
}

bool ReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

}  // namespace

bool DecodePNG(const uint8_t* data, size_t size, TQGUI_Image& image, std::string& error) {
  Reader reader{data, size, 0, "not a PNG file"};
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    error = reader.error;
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    error = "out of memory";
    return false;
  }
  png_set_read_fn(png, &reader, ReadBytes);

  png_uint_32 width = 0, height = 0;
  bool ok = ReadHeader(png, info, size, width, height);
  if (ok) {
    image.width = static_cast<int32_t>(width);
    image.height = static_cast<int32_t>(height);
    image.format = GL_BGRA;
    image.pixels.assign(size_t(width) * height * 4, 0);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.pixels.data() + size_t(height - 1 - y) * width * 4;
    ok = ReadRows(png, rows.data());
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    image = {};
    error = reader.error;
  }
  return ok;
}
