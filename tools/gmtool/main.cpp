// gmtool: makes and inspects GM model files and ".p16" palettes.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Png.h"
#include "Sample.h"
#include "model/GMFile.h"
#include "model/GMWriter.h"
#include "model/Palette.h"
#include "platform/DataFiles.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "gmtool: %s\n", message.c_str());
  return 1;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// "X,Y" → offsets; false when malformed.
bool ParseOffset(const std::string& text, int16_t& x, int16_t& y) {
  int a = 0;
  int b = 0;
  char comma = 0;
  std::istringstream in(text);
  if (!(in >> a >> comma >> b) || comma != ',' || !in.eof()) return false;
  if (a < -32768 || a > 32767 || b < -32768 || b > 32767) return false;
  x = static_cast<int16_t>(a);
  y = static_cast<int16_t>(b);
  return true;
}

fs::path AuxPath(const fs::path& frame) {
  return frame.parent_path() / (frame.stem().string() + "_aux" + frame.extension().string());
}

// One frame from a PNG: grey palette indices (with an optional "<name>_aux.png" for "Z"),
// or RGBA colours for "A" and "E".
bool LoadFrame(const fs::path& path, char encoding, GMFrame& frame, std::string& error) {
  bool colour = IsColourEncoding(encoding);
  TImage image;
  if (!ReadPng(path.string(), colour ? 4 : 1, image, error)) return false;
  if (image.width > 65535 || image.height > 65535) {
    error = path.string() + ": frames are at most 65535 pixels wide and high";
    return false;
  }
  frame.width = static_cast<uint16_t>(image.width);
  frame.height = static_cast<uint16_t>(image.height);
  size_t pixels = size_t(image.width) * image.height;
  if (!colour) {
    frame.main = image.pixels;
    frame.aux.assign(pixels, 0);
    TImage aux;
    if (encoding == 'Z' && fs::exists(AuxPath(path))) {
      if (!ReadPng(AuxPath(path).string(), 1, aux, error)) return false;
      if (aux.width != image.width || aux.height != image.height) {
        error = AuxPath(path).string() + ": size differs from its frame";
        return false;
      }
      frame.aux = aux.pixels;
    }
    return true;
  }
  frame.main.resize(3 * pixels);
  frame.alpha.resize(pixels);
  for (size_t p = 0; p < pixels; ++p) {
    const uint8_t* rgba = &image.pixels[4 * p];
    frame.main[3 * p] = rgba[2];
    frame.main[3 * p + 1] = rgba[1];
    frame.main[3 * p + 2] = rgba[0];
    frame.alpha[p] = rgba[3];
  }
  return true;
}

int Encode(char encoding, const std::vector<std::string>& inputs, const std::vector<std::string>& offsets,
           const std::string& output) {
  if (!offsets.empty() && offsets.size() != inputs.size()) {
    return Fail(
        fmt::format("{} frames but {} offsets: give one --offset per frame, or none", inputs.size(), offsets.size()));
  }
  std::vector<GMFrame> frames(inputs.size());
  std::string error;
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (!LoadFrame(inputs[i], encoding, frames[i], error)) return Fail(error);
    frames[i].offsetX = static_cast<int16_t>(-frames[i].width / 2);
    frames[i].offsetY = static_cast<int16_t>(-frames[i].height / 2);
    if (!offsets.empty() && !ParseOffset(offsets[i], frames[i].offsetX, frames[i].offsetY)) {
      return Fail("--offset takes X,Y (each -32768 to 32767), not \"" + offsets[i] + "\"");
    }
  }
  if (!WriteFile(output, EncodeGM(encoding, frames))) return Fail("cannot write " + output);
  return 0;
}

TImage PlaneImage(const GMFrame& f, const std::vector<uint8_t>& plane) { return {f.width, f.height, 1, plane}; }

TImage ColourImage(const GMFrame& f) {
  TImage image{f.width, f.height, 4, std::vector<uint8_t>(size_t(f.width) * f.height * 4)};
  for (size_t p = 0; p < size_t(f.width) * f.height; ++p) {
    image.pixels[4 * p] = f.main[3 * p + 2];
    image.pixels[4 * p + 1] = f.main[3 * p + 1];
    image.pixels[4 * p + 2] = f.main[3 * p];
    image.pixels[4 * p + 3] = f.alpha[p];
  }
  return image;
}

// The encoding byte as a JSON string: bytes above 127 stand for the Latin-1 character of
// that number, so any byte gives valid JSON.
std::string EncodingJson(char encoding) {
  const auto byte = static_cast<unsigned char>(encoding);
  std::string text(1, encoding);
  if (byte >= 0x80) text = {static_cast<char>(0xC0 | byte >> 6), static_cast<char>(0x80 | (byte & 0x3F))};
  return nlohmann::json(text).dump();
}

// What a decoded file lacked; empty for a whole model file.
std::vector<std::string> DecodeWarnings(const TGM_File& file) {
  std::vector<std::string> warnings;
  if (!file.Complete()) warnings.push_back("the file ends before the data it claims: truncated, or not a model file");
  if (!IsKnownEncoding(file.Encoding()))
    warnings.push_back(fmt::format("encoding byte {} is none of Z, X, S, Q, A, E: its frames stay transparent",
                                   static_cast<unsigned char>(file.Encoding())));
  if (file.FrameCount() == 0) warnings.push_back("the file holds no frames");
  return warnings;
}

int Decode(const std::string& input, const std::string& outputDir) {
  std::string bytes;
  std::string reason;
  if (ReadRegularFile(input, bytes, kMaxDataFile, reason) != TFileRead::Read)
    return Fail("cannot read " + input + ": " + reason);
  std::istringstream in(std::move(bytes));
  TGM_File file;
  file.Load(in);
  std::error_code ec;
  fs::create_directories(outputDir, ec);
  std::string error;
  std::string json =
      fmt::format("{{\n  \"encoding\": {},\n  \"canvas\": {{\"width\": {}, \"height\": {}}},\n  \"frames\": [",
                  EncodingJson(file.Encoding()), file.CanvasWidth(), file.CanvasHeight());
  for (int i = 0; i < file.FrameCount(); ++i) {
    const GMFrame& f = file.GetFrame(i);
    std::string name = fmt::format("frame_{:03}.png", i);
    std::string auxName = fmt::format("frame_{:03}_aux.png", i);
    std::string files;
    if (f.HasPlanes()) {
      bool colour = IsColourEncoding(file.Encoding());
      TImage image = colour ? ColourImage(f) : PlaneImage(f, f.main);
      if (!WritePng((fs::path(outputDir) / name).string(), image, error)) return Fail(error);
      files = fmt::format("\"file\": \"{}\"", name);
      if (!f.aux.empty()) {
        if (!WritePng((fs::path(outputDir) / auxName).string(), PlaneImage(f, f.aux), error)) return Fail(error);
        files += fmt::format(", \"aux\": \"{}\"", auxName);
      }
    } else {
      files = "\"file\": null";
    }
    json += fmt::format("{}\n    {{{}, \"width\": {}, \"height\": {}, \"offsetX\": {}, \"offsetY\": {}}}", i ? "," : "",
                        files, f.width, f.height, f.offsetX, f.offsetY);
  }
  json += "\n  ]\n}\n";
  if (!WriteFile(fs::path(outputDir) / "frames.json", json)) return Fail("cannot write frames.json");
  const std::vector<std::string> warnings = DecodeWarnings(file);
  for (const std::string& warning : warnings) std::fprintf(stderr, "gmtool: %s: %s\n", input.c_str(), warning.c_str());
  return warnings.empty() ? 0 : 1;
}

// A palette from the first 256 pixels of a PNG (row by row), with an optional side colour.
int Palette(const std::string& input, const std::string& output, const std::vector<int>& side) {
  TImage image;
  std::string error;
  if (!ReadPng(input, 4, image, error)) return Fail(error);
  TPalette palette{};
  for (size_t i = 0; i < 256 && i < size_t(image.width) * image.height; ++i) {
    palette[3 * i] = image.pixels[4 * i + 2];
    palette[3 * i + 1] = image.pixels[4 * i + 1];
    palette[3 * i + 2] = image.pixels[4 * i];
  }
  if (side.size() == 3) {
    ApplySideColour(palette, static_cast<uint8_t>(side[0]), static_cast<uint8_t>(side[1]),
                    static_cast<uint8_t>(side[2]));
  }
  if (!WriteFile(output, EncodePalette16(palette))) return Fail("cannot write " + output);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{"gmtool: makes and inspects GM model files (.gmz) and their .p16 palettes."};
  cli.require_subcommand(1);

  std::string encoding = "X";
  std::vector<std::string> inputs;
  std::vector<std::string> offsets;
  std::string output;
  auto* encode =
      cli.add_subcommand("encode",
                         "Encode PNG frames, in order, into one model file.\n"
                         "Encodings Z, X, S and Q take 8-bit grey PNGs whose values are palette indices (0 is\n"
                         "transparent); Z also reads FRAME_aux.png beside a frame as its auxiliary plane.\n"
                         "A and E take RGBA PNGs: A keeps 8 opacity levels and 5-6-5 colours, E keeps the blue\n"
                         "channel of every pixel with non-zero alpha. Without --offset every frame is centred.");
  encode->add_option("-e,--encoding", encoding, "Z, X, S, Q, A or E")
      ->check(CLI::IsMember({"Z", "X", "S", "Q", "A", "E"}))
      ->capture_default_str();
  encode->add_option("-o,--output", output, "Model file to write")->required();
  encode->add_option("--offset", offsets, "X,Y offset of each frame from the canvas centre, once per frame")
      ->allow_extra_args(false);
  encode->add_option("frames", inputs, "PNG frames")->required()->check(CLI::ExistingFile);

  std::string decodeInput;
  std::string decodeDir;
  auto* decode =
      cli.add_subcommand("decode",
                         "Write every frame of a model file as PNGs (frame_000.png, ...; index planes as 8-bit\n"
                         "grey, colour planes as RGBA, the Z auxiliary plane as frame_000_aux.png) and frames.json\n"
                         "with the encoding, each frame's size and offsets, and the canvas size. A file that is\n"
                         "short, of an unknown encoding or without frames is decoded as far as it goes, with a\n"
                         "warning and exit status 1.");
  decode->add_option("file", decodeInput, "Model file")->required()->check(CLI::ExistingFile);
  decode->add_option("outdir", decodeDir, "Folder to write into (created if needed)")->required();

  std::string sampleDir;
  auto* sample = cli.add_subcommand("sample", "Write the sample model set (models and .p16 palettes).");
  sample->add_option("dir", sampleDir, "Folder to write into (created if needed)")->required();

  std::string paletteInput;
  std::string paletteOutput;
  std::vector<int> side;
  auto* palette = cli.add_subcommand(
      "palette", "Write a .p16 palette from the first 256 pixels of a PNG (row by row, 16 x 16 for instance).");
  palette->add_option("png", paletteInput, "PNG with the palette colours")->required()->check(CLI::ExistingFile);
  palette->add_option("-o,--output", paletteOutput, ".p16 file to write")->required();
  palette->add_option("--side", side, "R G B side colour written to entries 1 to 24")
      ->expected(3)
      ->check(CLI::Range(0, 255));

  CLI11_PARSE(cli, argc, argv);
  if (*encode) return Encode(encoding[0], inputs, offsets, output);
  if (*decode) return Decode(decodeInput, decodeDir);
  if (*palette) return Palette(paletteInput, paletteOutput, side);
  std::string error;
  if (*sample && !WriteSampleSet(sampleDir, error)) return Fail(error);
  return 0;
}
