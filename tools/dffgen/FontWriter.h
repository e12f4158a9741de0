#pragma once
#include <ostream>
#include <string>

#include "FontBuilder.h"

// DFF pages are this many texels on a side; a glyph cell must fit one.
constexpr int kDFFPage = 512;

// Writes a DFF file (version 1 to 3): glyph images packed into 512 x 512 pages of
// fixed cells, each page zlib-compressed. Empty on success, else a message.
std::string WriteDFF(const TBuiltFont& font, int version, std::ostream& out);

// Writes a bitmap font: "ZQFONT2" with zlib-compressed images, or the uncompressed
// variant. Needs a plain-coverage font built without margin.
std::string WriteZQFont(const TBuiltFont& font, bool compressed, std::ostream& out);
