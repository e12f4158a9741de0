#include "TestImages.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <stdexcept>

// jpeglib.h needs stdio's types first.
#include <jpeglib.h>

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void Flush(png_structp) {}

int Channels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    default:
      return 4;
  }
}

// Packs one row of samples at the PNG format's bit depths, most significant bits first.
std::vector<uint8_t> PackRow(const PngSpec& spec, int y) {
  int perRow = spec.width * Channels(spec.colourType);
  std::vector<uint8_t> row((perRow * spec.bitDepth + 7) / 8 + 1, 0);
  for (int i = 0; i < perRow; ++i) {
    uint16_t value = spec.samples[size_t(y) * perRow + i];
    if (spec.bitDepth == 16) {
      row[i * 2] = uint8_t(value >> 8);
      row[i * 2 + 1] = uint8_t(value);
    } else {
      int bit = i * spec.bitDepth;
      row[bit / 8] |= uint8_t(value << (8 - spec.bitDepth - bit % 8));
    }
  }
  return row;
}

}  // namespace

PngSpec MakePngSpec(int width, int height, int colourType, int bitDepth, bool interlaced,
                    std::vector<uint16_t> samples) {
  PngSpec spec;
  spec.width = width;
  spec.height = height;
  spec.colourType = colourType;
  spec.bitDepth = bitDepth;
  spec.interlaced = interlaced;
  spec.samples = std::move(samples);
  return spec;
}

std::string EncodePNG(const PngSpec& spec) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng could not write the test image");
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < spec.palette.size(); i += 3)
    palette.push_back({spec.palette[i], spec.palette[i + 1], spec.palette[i + 2]});
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  png_color_16 key{};
  if (!spec.paletteAlpha.empty())
    png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
  else if (spec.greyKey)
    png_set_tRNS(png, info, nullptr, 0, &key);
  png_write_info(png, info);
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_bytep> pointers;
  for (int y = 0; y < spec.height; ++y) rows.push_back(PackRow(spec, y));
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string EncodeJPEG(int width, int height, const std::vector<uint8_t>& pixels, bool grey, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  int stride = width * info.input_components;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(pixels.data()) + size_t(info.next_scanline) * stride;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::string WithPngSize(std::string png, uint32_t width, uint32_t height) {
  // Signature (8), IHDR length (4) and type (4), then width and height big-endian.
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = char(width >> (24 - 8 * i));
    png[20 + i] = char(height >> (24 - 8 * i));
  }
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = char(crc >> (24 - 8 * i));
  return png;
}
