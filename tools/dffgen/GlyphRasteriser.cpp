#include "GlyphRasteriser.h"

#include FT_OUTLINE_H
#include FT_ADVANCES_H

#include <fmt/format.h>

#include <cmath>

TGlyphRasteriser::TGlyphRasteriser() {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

TGlyphRasteriser::~TGlyphRasteriser() {
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

std::string TGlyphRasteriser::Open(std::string_view bytes, const std::string& name, int pixelSize) {
  if (!library_) return "FreeType did not start";
  if (FT_New_Memory_Face(library_, reinterpret_cast<const FT_Byte*>(bytes.data()), FT_Long(bytes.size()), 0, &face_) !=
      0) {
    face_ = nullptr;
    return fmt::format("cannot open font \"{}\"", name);
  }
  if (!FT_IS_SCALABLE(face_)) return fmt::format("\"{}\" has no outlines", name);
  pixelSize_ = pixelSize;
  const double scale = double(pixelSize) / face_->units_per_EM;
  ascender_ = int(std::ceil(face_->ascender * scale));
  descender_ = int(std::floor(face_->descender * scale));
  return {};
}

bool TGlyphRasteriser::HasGlyph(char32_t code) const { return FT_Get_Char_Index(face_, code) != 0; }

int TGlyphRasteriser::Advance(char32_t code) const {
  FT_Fixed units = 0;
  FT_Get_Advance(face_, FT_Get_Char_Index(face_, code), FT_LOAD_NO_SCALE, &units);
  return int(std::lround(double(units) * pixelSize_ / face_->units_per_EM));
}

TGrayImage TGlyphRasteriser::Render(char32_t code, int margin, int factor, bool hinted) {
  TGrayImage image;
  image.width = (Advance(code) + 2 * margin) * factor;
  image.height = (LineHeight() + 2 * margin) * factor;
  image.pixels.assign(size_t(image.width) * image.height, 0);
  if (image.pixels.empty()) return image;
  FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize_ * factor));
  const FT_Int32 flags = FT_LOAD_NO_BITMAP | (hinted ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING);
  if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, code), flags) != 0 ||
      face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return image;
  FT_Outline* outline = &face_->glyph->outline;
  // The bitmap's origin is its lower left corner; the baseline sits margin - descender above it.
  FT_Outline_Translate(outline, FT_Pos(margin) * factor * 64, FT_Pos(margin - descender_) * factor * 64);
  FT_Bitmap target{};
  target.rows = unsigned(image.height);
  target.width = unsigned(image.width);
  target.pitch = image.width;
  target.buffer = image.pixels.data();
  target.num_grays = 256;
  target.pixel_mode = FT_PIXEL_MODE_GRAY;
  FT_Outline_Get_Bitmap(library_, outline, &target);
  return image;
}
