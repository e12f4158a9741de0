#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Character ranges, inclusive.
using TCharRanges = std::vector<std::pair<char32_t, char32_t>>;

// Latin-1, Latin Extended-A, Greek, Cyrillic and general punctuation.
TCharRanges DefaultRanges();
// Parses "0x20-0xFF,0x370-0x3FF,65": hexadecimal with 0x, else decimal. False on bad text.
bool ParseRanges(const std::string& text, TCharRanges& ranges);

struct TBuildOptions {
  int pixelSize = 48;  // em size at scale 1
  int margin = 8;      // texels kept around every glyph; also the distance-field spread
  int oversample = 4;  // distance fields are measured on glyphs rendered this much larger
  bool distanceField = true;
  TCharRanges ranges = DefaultRanges();
  int threads = 0;  // 0: one per core
  int maxCell = 0;  // above 0: a glyph cell wider or higher than this is refused before rendering
  // Called from worker threads, one call at a time, as glyphs complete.
  std::function<void(int done, int total)> progress;
};

// One glyph of a built font: (advance + 2 margin) x (lineHeight + 2 margin) bytes,
// rows from the top: a distance field or plain coverage.
struct TBuiltGlyph {
  char32_t code = 0;
  int advance = 0;
  std::vector<uint8_t> image;
  bool Empty() const;
};

struct TBuiltFont {
  int pixelSize = 0;
  int lineHeight = 0;
  int margin = 0;
  bool distanceField = true;
  std::vector<TBuiltGlyph> glyphs;  // ascending codes, the space always among them
  int ImageWidth(const TBuiltGlyph& g) const { return g.advance + 2 * margin; }
  int ImageHeight() const { return lineHeight + 2 * margin; }
};

// Renders every character of the ranges that the font has. Empty on success, else a message.
std::string BuildFont(const std::string& fontPath, const TBuildOptions& options, TBuiltFont& font);
// The message for a glyph cell larger than `page` on a side; empty when it fits.
std::string CellFitError(int cellWidth, int cellHeight, int page);
