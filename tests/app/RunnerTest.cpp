#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string output;
};

Result RunHeadlessCommand(const std::string& arguments) {
  std::string command = std::string(ZQ_TEST_BIN_DIR) + "/zqgpu-headless " + arguments + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get())) output.append(buffer.data(), n);
  int status = pclose(pipe.release());
  return {WEXITSTATUS(status), output};
}

std::string LastLine(const std::string& text) {
  std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
  return trimmed.substr(trimmed.find_last_of('\n') + 1);
}

}  // namespace

TEST(HeadlessRunner, DrawsFramesWritesAScreenshotAndStats) {
  fs::path shot = fs::temp_directory_path() / ("zq_runner_" + std::to_string(::getpid()) + ".png");
  Result r = RunHeadlessCommand("--size 160x120 --frames 5 --stats --screenshot " + shot.string());
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("Resolution: 160x120"), std::string::npos);
  EXPECT_EQ(LastLine(r.output).rfind("frames=5 min_ms=", 0), 0u) << r.output;
  EXPECT_NE(LastLine(r.output).find(" fps="), std::string::npos);
  ASSERT_TRUE(fs::exists(shot));
  EXPECT_GT(fs::file_size(shot), 60u);
  fs::remove(shot);
}

TEST(HeadlessRunner, BadArgumentsAndInputFilesAreRefusedWithOneShortLineAndStatusTwo) {
  ScratchFolder scratch("runner_arguments");
  fs::path fifo = scratch.Path() / "events.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::path big = scratch.Write("big.txt", "");
  fs::resize_file(big, (size_t(16) << 20) + 1);
  fs::path token = scratch.Write("token.txt", "0 " + std::string(10 << 20, 'a') + "\n");
  fs::path file = scratch.Write("file.txt", "");
  fs::path folder = scratch.Path() / "folder";
  fs::create_directory(folder);
  const std::string kFrames = "--frames takes a whole number from 1 to 100000000, not ";
  const std::string kModels = "--models takes a whole number from 0 to 1600000, not ";
  const std::string kSize = "--size takes WIDTHxHEIGHT, each 1 to 16384, e.g. 1024x768, not ";
  const struct {
    std::string arguments, message;
  } kCases[] = {
      {"--frames 9223372036854775807", kFrames + "'9223372036854775807'"},
      {"--frames 1e17", kFrames + "'1e17'"},
      {"--frames 0", kFrames + "'0'"},
      {"--frames=-3", kFrames + "'-3'"},
      {"--frames 12frames", kFrames + "'12frames'"},
      {"--models 2000000000", kModels + "'2000000000'"},
      {"--models=-1", kModels + "'-1'"},
      {"--size 0x10", kSize + "'0x10'"},
      {"--size 1024x99999", kSize + "'1024x99999'"},
      {"--size 1024", kSize + "'1024'"},
      {"--frames " + std::string(5000, '9'), kFrames + "'" + std::string(32, '9') + "'... (5000 bytes)"},
      {"--layout round", "--layout: round not in {grid,screen}"},
      {"--events /nonexistent/events.txt", "cannot read event file /nonexistent/events.txt: it does not exist"},
      {"--events /dev/zero", "cannot read event file /dev/zero: it is not a regular file"},
      {"--events " + fifo.string(), "cannot read event file " + fifo.string() + ": it is not a regular file"},
      {"--events " + folder.string(), "cannot read event file " + folder.string() + ": it is not a regular file"},
      {"--events " + big.string(), "cannot read event file " + big.string() + ": it is larger than 16 MiB"},
      {"--events " + token.string(),
       token.string() + ": line 1: unknown event '" + std::string(32, 'a') + "'... (10485760 bytes)"},
      {"--data /nonexistent/data", "--data /nonexistent/data is no folder"},
      {"--data " + file.string(), "--data " + file.string() + " is no folder"},
  };
  for (const auto& c : kCases) {
    Result r = RunHeadlessCommand(c.arguments);
    EXPECT_EQ(r.status, 2) << c.arguments.substr(0, 80) << "\n" << r.output.substr(0, 500);
    EXPECT_EQ(r.output, "zqgpu-headless: " + c.message + "\n") << c.arguments.substr(0, 80);
  }
}

TEST(HeadlessRunner, HelpListsTheEventFormsAndTheRanges) {
  Result help = RunHeadlessCommand("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("FRAME keydown CODE"), std::string::npos);
  EXPECT_NE(help.output.find("Number of frames to draw, 1 to 100000000"), std::string::npos);
}
