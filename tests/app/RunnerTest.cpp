#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

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

TEST(HeadlessRunner, BadArgumentsAndEventFilesAreRefusedClearly) {
  Result size = RunHeadlessCommand("--size 0x10");
  EXPECT_EQ(size.status, 2);
  EXPECT_NE(size.output.find("--size takes WIDTHxHEIGHT"), std::string::npos);
  Result frames = RunHeadlessCommand("--frames -3");
  EXPECT_NE(frames.status, 0);
  Result missing = RunHeadlessCommand("--events /nonexistent/events.txt");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.output.find("cannot read event file"), std::string::npos);
  Result help = RunHeadlessCommand("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("FRAME keydown CODE"), std::string::npos);
}
