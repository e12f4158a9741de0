#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <sstream>

#include "GMBytes.h"
#include "Sample.h"
#include "ScratchFolder.h"
#include "model/GMFile.h"
#include "model/GMWriter.h"
#include "model/Palette.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TGM_File LoadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  TGM_File file;
  file.Load(in);
  return file;
}

int RunTool(const std::string& arguments) { return std::system((std::string(ZQ_GMTOOL) + " " + arguments).c_str()); }

// The tool's exit status, with what it wrote to standard error in `errors`.
int RunToolCapturing(const std::string& arguments, const ScratchFolder& dir, std::string& errors) {
  fs::path log = dir.Path() / "stderr.txt";
  int status = RunTool(arguments + " 2>" + log.string());
  errors = ReadAll(log);
  return status;
}

void AppendChunk(std::string& png, const std::string& type, const std::string& data) {
  for (int shift : {24, 16, 8, 0}) png += static_cast<char>((data.size() >> shift) & 0xFF);
  std::string body = type + data;
  png += body;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  for (int shift : {24, 16, 8, 0}) png += static_cast<char>((crc >> shift) & 0xFF);
}

// A PNG of a few dozen bytes whose header claims an 8-bit grey image of the given size.
std::string ClaimingPng(uint32_t width, uint32_t height) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  for (uint32_t v : {width, height})
    for (int shift : {24, 16, 8, 0}) header += static_cast<char>((v >> shift) & 0xFF);
  header += std::string("\x08\x00\x00\x00\x00", 5);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", std::string("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9));
  AppendChunk(png, "IEND", "");
  return png;
}

}  // namespace

TEST(SampleSet, CoversEveryEncodingWithAnimatedSprites) {
  std::map<char, int> perEncoding;
  int scanned = 0;
  bool skippedOne = false;
  for (const TSampleModel& m : SampleModels()) {
    SCOPED_TRACE(m.name);
    if (m.name.find("fal.gmz") != std::string::npos) {
      skippedOne = true;
      continue;
    }
    ++scanned;
    ++perEncoding[m.encoding];
    ASSERT_GE(m.frames.size(), 8u);
    ASSERT_LE(m.frames.size(), 64u);
    int changes = 0;
    for (size_t i = 0; i < m.frames.size(); ++i) {
      const GMFrame& f = m.frames[i];
      EXPECT_GE(std::max(f.width, f.height), 8);
      EXPECT_LE(std::max(f.width, f.height), 40);
      const GMFrame& next = m.frames[(i + 1) % m.frames.size()];
      if (f.main != next.main || f.offsetY != next.offsetY) ++changes;
    }
    EXPECT_GE(changes, static_cast<int>(m.frames.size()) - 1) << "frames should move";
    // Entries 1 to 24 ramp from black to the side colour.
    EXPECT_EQ(m.palette[3] + m.palette[4] + m.palette[5], 0);
    EXPECT_GT(m.palette[72] + m.palette[73] + m.palette[74], 200);
  }
  EXPECT_GE(scanned, 24);
  EXPECT_TRUE(skippedOne);
  for (char e : {'Z', 'X', 'S', 'Q', 'A', 'E'}) EXPECT_GE(perEncoding[e], 2) << e;
}

TEST(SampleSet, BuildWritesTheSameFilesEveryTime) {
  ScratchFolder dir{"gmtool"};
  std::string error;
  ASSERT_TRUE(WriteSampleSet(dir.Path(), error)) << error;
  fs::path built = fs::path(ZQ_TEST_BIN_DIR) / "GMs";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    ++files;
    EXPECT_EQ(ReadAll(entry.path()), ReadAll(built / entry.path().filename())) << entry.path().filename();
  }
  EXPECT_EQ(files, 2 * static_cast<int>(SampleModels().size()));
}

// gmtool decode writes planes and frames.json; gmtool encode of those PNGs with the same
// offsets gives back the same frames, for every encoding.
TEST(Gmtool, DecodeThenEncodeRoundTrips) {
  ScratchFolder dir{"gmtool"};
  std::set<char> seen;
  for (const TSampleModel& m : SampleModels()) {
    if (!seen.insert(m.encoding).second) continue;
    SCOPED_TRACE(m.name);
    fs::path model = dir.Path() / m.name;
    std::ofstream(model, std::ios::binary) << EncodeGM(m.encoding, m.frames);
    fs::path out = dir.Path() / (m.name + ".d");
    ASSERT_EQ(RunTool("decode " + model.string() + " " + out.string()), 0);
    TGM_File original = LoadFile(model);
    std::string json = ReadAll(out / "frames.json");
    EXPECT_NE(json.find(std::string("\"encoding\": \"") + m.encoding + "\""), std::string::npos);
    EXPECT_NE(json.find("\"canvas\": {\"width\": " + std::to_string(original.CanvasWidth())), std::string::npos);

    std::string args = "encode -e " + std::string(1, m.encoding) + " -o " + (dir.Path() / "again.gmz").string();
    for (int i = 0; i < original.FrameCount(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "frame_%03d.png", i);
      args += " " + (out / name).string() + " --offset=" + std::to_string(original.GetFrame(i).offsetX) + "," +
              std::to_string(original.GetFrame(i).offsetY);
    }
    ASSERT_EQ(RunTool(args), 0);
    TGM_File again = LoadFile(dir.Path() / "again.gmz");
    ASSERT_EQ(again.FrameCount(), original.FrameCount());
    for (int i = 0; i < original.FrameCount(); ++i) {
      EXPECT_EQ(again.GetFrame(i).main, original.GetFrame(i).main) << i;
      EXPECT_EQ(again.GetFrame(i).aux, original.GetFrame(i).aux) << i;
      EXPECT_EQ(again.GetFrame(i).alpha, original.GetFrame(i).alpha) << i;
      EXPECT_EQ(again.GetFrame(i).offsetX, original.GetFrame(i).offsetX) << i;
    }
  }
  EXPECT_EQ(seen.size(), 6u);
}

TEST(Gmtool, RejectsBadArguments) {
  ScratchFolder dir{"gmtool"};
  std::string quiet = " 2>/dev/null";
  EXPECT_NE(RunTool("encode -e W -o x.gmz " + std::string(ZQ_GMTOOL) + quiet), 0);
  EXPECT_NE(RunTool("decode " + (dir.Path() / "missing.gmz").string() + " " + dir.Path().string() + quiet), 0);
  fs::path png = dir.Path() / "not.png";
  std::ofstream(png) << "not a png";
  EXPECT_NE(RunTool("encode -e X -o " + (dir.Path() / "o.gmz").string() + " " + png.string() + quiet), 0);
}

TEST(Gmtool, PaletteFromPngWithSideColour) {
  ScratchFolder dir{"gmtool"};
  fs::path model = dir.Path() / "m.gmz";
  // A decoded "A" frame is an RGBA PNG; use it as a palette source.
  GMFrame f;
  f.width = 16;
  f.height = 16;
  f.main.assign(3 * 256, 0);
  f.alpha.assign(256, 255);
  for (int i = 0; i < 256; ++i) f.main[3 * i] = static_cast<uint8_t>(i);  // an intensity frame keeps blue
  std::ofstream(model, std::ios::binary) << EncodeGM('E', {f});
  ASSERT_EQ(RunTool("decode " + model.string() + " " + dir.Path().string()), 0);
  ASSERT_EQ(RunTool("palette " + (dir.Path() / "frame_000.png").string() + " -o " + (dir.Path() / "p.p16").string() +
                    " --side 0 0 255"),
            0);
  std::ifstream in(dir.Path() / "p.p16", std::ios::binary);
  TPalette p{};
  ReadPalette16(in, p);
  EXPECT_EQ(p[3 * 24], 248);  // side colour blue, cut to 5 bits
  EXPECT_EQ(p[3 * 24 + 2], 0);
  EXPECT_EQ(p[3 * 100], 96);  // blue 100 from the image, cut to 5 bits
}

// Encoding bytes that would break a hand-written JSON string: a quote, a backslash,
// control bytes and bytes above 127 (read as Latin-1 characters).
TEST(Gmtool, FramesJsonStaysValidForAnyEncodingByte) {
  ScratchFolder dir{"gmtool"};
  const std::vector<std::pair<char, std::string>> cases = {{'"', "\""},         {'\\', "\\"},     {'\x01', "\x01"},
                                                           {'\n', "\n"},        {'\x7f', "\x7f"}, {'\xe9', "\xc3\xa9"},
                                                           {'\xff', "\xc3\xbf"}};
  for (const auto& [byte, text] : cases) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(byte)));
    GMBytes bytes;
    bytes.Header(byte, 1).Frame(0, 0, 2, 1, {1, 2});
    fs::path model = dir.Write("odd.gmz", bytes.Str());
    fs::path out = dir.Path() / "odd";
    std::string errors;
    EXPECT_EQ(RunToolCapturing("decode " + model.string() + " " + out.string(), dir, errors), 256);
    EXPECT_NE(errors.find("is none of Z, X, S, Q, A, E"), std::string::npos) << errors;
    nlohmann::json json = nlohmann::json::parse(ReadAll(out / "frames.json"), nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << ReadAll(out / "frames.json");
    EXPECT_EQ(json["encoding"], text);
    EXPECT_EQ(json["frames"].size(), 1u);
  }
}

TEST(Gmtool, EmptyRandomAndUnreadableModelFilesAreReported) {
  ScratchFolder dir{"gmtool"};
  std::mt19937 random(7);
  std::string noise(1000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  noise[6] = 'X';  // a known encoding: what gives it away is its length
  std::string errors;
  for (const std::string& bytes : {std::string(), noise}) {
    fs::path model = dir.Write("bad.gmz", bytes);
    EXPECT_EQ(RunToolCapturing("decode " + model.string() + " " + (dir.Path() / "bad").string(), dir, errors), 256);
    EXPECT_NE(errors.find("the file ends before the data it claims"), std::string::npos) << errors;
  }
  fs::path fifo = dir.Fifo("fifo.gmz");
  EXPECT_EQ(RunToolCapturing("decode " + fifo.string() + " " + dir.Path().string(), dir, errors), 256);
  EXPECT_EQ(errors, "gmtool: cannot read " + fifo.string() + ": not a regular file\n");
}

// A 69-byte PNG claiming 60,000 x 60,000 pixels would take gigabytes to decode: it is
// refused from its header, as the interface images are.
TEST(Gmtool, ImagesTooLargeForTheirFileAreRefusedFromTheHeader) {
  ScratchFolder dir{"gmtool"};
  fs::path huge = dir.Write("huge.png", ClaimingPng(60000, 60000));
  fs::path many = dir.Write("many.png", ClaimingPng(16384, 8192));
  fs::path thin = dir.Write("thin.png", ClaimingPng(16384, 4096));
  fs::path zero = dir.Link("zero.png", "/dev/zero");
  fs::path output = dir.Path() / "o.gmz";
  const std::vector<std::pair<fs::path, std::string>> cases = {
      {huge, "a 60000 x 60000 image is larger than 16384 pixels on a side"},
      {many, "a 16384 x 8192 image has more than 67108864 pixels"},
      {thin, "the file is too short for the 16384 x 4096 image it claims"},
      {zero, "not a regular file"}};
  for (const auto& [png, message] : cases) {
    std::string errors;
    EXPECT_EQ(RunToolCapturing("encode -e Q -o " + output.string() + " " + png.string(), dir, errors), 256);
    EXPECT_EQ(errors, "gmtool: " + png.string() + ": " + message + "\n");
    EXPECT_EQ(RunToolCapturing("palette -o " + output.string() + " " + png.string(), dir, errors), 256);
    EXPECT_EQ(errors, "gmtool: " + png.string() + ": " + message + "\n");
  }
  EXPECT_FALSE(fs::exists(output));
}
