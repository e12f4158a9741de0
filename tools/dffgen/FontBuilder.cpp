#include "FontBuilder.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <sstream>
#include <thread>

#include "DistanceField.h"
#include "GlyphRasteriser.h"
#include "platform/DataFiles.h"

TCharRanges DefaultRanges() { return {{0x20, 0xFF}, {0x100, 0x17F}, {0x370, 0x3FF}, {0x400, 0x4FF}, {0x2000, 0x206F}}; }

bool ParseRanges(const std::string& text, TCharRanges& ranges) {
  auto number = [](const std::string& s, char32_t& out) {
    try {
      size_t used = 0;
      unsigned long value = std::stoul(s, &used, 0);
      if (used != s.size() || value > 0xFFFF) return false;
      out = char32_t(value);
      return true;
    } catch (...) {
      return false;
    }
  };
  ranges.clear();
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    size_t dash = item.find('-');
    char32_t first = 0, last = 0;
    if (!number(item.substr(0, dash), first)) return false;
    last = first;
    if (dash != std::string::npos && !number(item.substr(dash + 1), last)) return false;
    if (last < first) return false;
    ranges.emplace_back(first, last);
  }
  return !ranges.empty();
}

bool TBuiltGlyph::Empty() const {
  return std::all_of(image.begin(), image.end(), [](uint8_t v) { return v == 0; });
}

namespace {

TBuiltGlyph MakeGlyph(TGlyphRasteriser& rasteriser, char32_t code, const TBuildOptions& options) {
  TBuiltGlyph glyph;
  glyph.code = code;
  glyph.advance = rasteriser.Advance(code);
  if (!options.distanceField) {
    glyph.image = rasteriser.Render(code, options.margin, 1, true).pixels;
    return glyph;
  }
  const int factor = std::max(1, options.oversample);
  TGrayImage large = rasteriser.Render(code, options.margin, factor, false);
  glyph.image = EncodeDistance(SignedDistance(large.pixels, large.width, large.height), large.width, large.height,
                               factor, float(std::max(1, options.margin)));
  return glyph;
}

}  // namespace

std::string CellFitError(int cellWidth, int cellHeight, int page) {
  if (cellWidth <= page && cellHeight <= page) return {};
  return "a " + std::to_string(cellWidth) + " x " + std::to_string(cellHeight) + " glyph cell does not fit a " +
         std::to_string(page) + " x " + std::to_string(page) + " page";
}

std::string BuildFont(const std::string& fontPath, const TBuildOptions& options, TBuiltFont& font) {
  std::string bytes;
  std::string reason;
  if (ReadRegularFile(fontPath, bytes, kMaxDataFile, reason) != TFileRead::Read)
    return "cannot read font \"" + fontPath + "\": " + reason;
  TGlyphRasteriser probe;
  if (std::string error = probe.Open(bytes, fontPath, options.pixelSize); !error.empty()) return error;
  std::vector<char32_t> codes;
  for (auto [first, last] : options.ranges)
    for (char32_t c = first; c <= last; ++c)
      if (c == 32 || probe.HasGlyph(c)) codes.push_back(c);
  if (std::find(codes.begin(), codes.end(), U' ') == codes.end()) codes.push_back(U' ');
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  // Rendering takes seconds and gigabytes at sizes whose cells could never be packed.
  if (options.maxCell > 0) {
    int widest = 0;
    for (char32_t c : codes) widest = std::max(widest, probe.Advance(c) + 2 * options.margin);
    const int height = probe.LineHeight() + 2 * options.margin;
    if (std::string error = CellFitError(widest, height, options.maxCell); !error.empty()) return error;
  }

  font = TBuiltFont{};
  font.pixelSize = options.pixelSize;
  font.lineHeight = probe.LineHeight();
  font.margin = options.margin;
  font.distanceField = options.distanceField;
  font.glyphs.resize(codes.size());

  std::atomic<size_t> next{0};
  std::atomic<int> done{0};
  std::mutex progressLock;
  std::string workerError;
  auto work = [&] {
    TGlyphRasteriser rasteriser;
    if (std::string error = rasteriser.Open(bytes, fontPath, options.pixelSize); !error.empty()) {
      std::lock_guard lock(progressLock);
      workerError = error;
      return;
    }
    for (size_t i = next++; i < codes.size(); i = next++) {
      font.glyphs[i] = MakeGlyph(rasteriser, codes[i], options);
      const int finished = ++done;
      if (options.progress) {
        std::lock_guard lock(progressLock);
        options.progress(finished, int(codes.size()));
      }
    }
  };
  int threads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (auto& worker : workers) worker.join();
  return workerError;
}
