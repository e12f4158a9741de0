// dffgen: turns a TrueType or OpenType font into a DFF distance-field font or a
// bitmap font file.
#include <fmt/format.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>

#include "FontBuilder.h"
#include "FontWriter.h"

int main(int argc, char** argv) {
  CLI::App app{"Makes DFF distance-field fonts and bitmap fonts from TrueType or OpenType fonts"};
  std::string input, output, format = "dff", ranges;
  int version = 2;
  bool coverage = false, progress = isatty(STDERR_FILENO) != 0;
  TBuildOptions options;
  app.add_option("input", input, "TrueType or OpenType font file")->required()->check(CLI::ExistingFile);
  app.add_option("output", output, "file to write")->required();
  app.add_option("-f,--format", format, "dff, zqfont2 (compressed bitmap font) or zqfont (uncompressed)")
      ->check(CLI::IsMember({"dff", "zqfont2", "zqfont"}));
  app.add_option("-v,--version", version, "DFF file version")->check(CLI::Range(1, 3));
  app.add_option("-s,--size", options.pixelSize, "glyph size: pixels per em at scale 1")->check(CLI::Range(4, 400));
  app.add_option("-m,--margin", options.margin, "texels around every glyph, the distance-field spread")
      ->check(CLI::Range(0, 64));
  app.add_option("-r,--ranges", ranges,
                 "characters, e.g. 0x20-0xFF,0x400-0x4FF (default: Latin-1, Latin "
                 "Extended-A, Greek, Cyrillic, general punctuation)");
  app.add_option("-o,--oversample", options.oversample, "render this much larger to measure distances")
      ->check(CLI::Range(1, 16));
  app.add_flag("-c,--coverage", coverage, "plain coverage instead of a distance field");
  app.add_option("-j,--threads", options.threads, "worker threads (0: one per core)")->check(CLI::Range(0, 64));
  app.add_flag("-p,--progress,!--no-progress", progress, "show progress");
  CLI11_PARSE(app, argc, argv);

  if (!ranges.empty() && !ParseRanges(ranges, options.ranges)) {
    fmt::print(stderr, "dffgen: bad character ranges \"{}\"\n", ranges);
    return 2;
  }
  const bool bitmap = format != "dff";
  options.distanceField = !coverage && !bitmap;
  if (bitmap) options.margin = 0;
  if (!bitmap) options.maxCell = kDFFPage;
  if (progress) {
    options.progress = [](int done, int total) {
      if (done % 32 == 0 || done == total) fmt::print(stderr, "\rdffgen: {}/{} glyphs", done, total);
      if (done == total) fmt::print(stderr, "\n");
    };
  }

  TBuiltFont font;
  if (std::string error = BuildFont(input, options, font); !error.empty()) {
    fmt::print(stderr, "dffgen: {}\n", error);
    return 1;
  }
  std::ofstream out(output, std::ios::binary);
  if (!out) {
    fmt::print(stderr, "dffgen: cannot write \"{}\"\n", output);
    return 1;
  }
  std::string error = bitmap ? WriteZQFont(font, format == "zqfont2", out) : WriteDFF(font, version, out);
  if (!error.empty()) {
    out.close();
    std::remove(output.c_str());
    fmt::print(stderr, "dffgen: {}\n", error);
    return 1;
  }
  return 0;
}
