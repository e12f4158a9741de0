// Command lines as NUL-separated arguments; whatever is accepted must be in range, and
// whatever is refused must say so in one short line with status 2.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless/RunnerArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments{"zqgpu-headless"};
  std::string current;
  for (size_t i = 0; i < size && arguments.size() < 64; ++i) {
    if (data[i] != 0) {
      current += static_cast<char>(data[i]);
      continue;
    }
    arguments.push_back(current);
    current.clear();
  }
  if (!current.empty()) arguments.push_back(current);
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());

  THeadlessOptions options;
  TRunnerCommand command = ParseRunnerArguments(static_cast<int>(argv.size()), argv.data(), options);
  if (command.run) {
    bool inRange = options.frames >= 1 && options.frames <= kMaxRunFrames && options.models >= 0 &&
                   options.width >= 1 && options.width <= 16384 && options.height >= 1 && options.height <= 16384;
    if (!inRange) std::abort();
  } else if (command.status == 2) {
    if (command.text.size() > 400 || command.text.find('\n') != std::string::npos) std::abort();
  } else if (command.status != 0) {
    std::abort();
  }
  return 0;
}
