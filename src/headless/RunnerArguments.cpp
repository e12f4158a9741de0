#include "headless/RunnerArguments.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <vector>

#include "headless/ShortQuote.h"
#include "platform/DataFiles.h"

namespace {

constexpr const char* kDescription =
    "zqgpu-headless: runs ZQ GPU's frames without a window, on an offscreen EGL context.\n"
    "It draws exactly what the app draws (the unit scene and the GUI), so it serves for\n"
    "screenshots, scripted end-to-end tests and benchmarks.\n\n"
    "Examples:\n"
    "  zqgpu-headless --frames 120 --screenshot shot.png\n"
    "  zqgpu-headless --frames 600 --stats\n"
    "  zqgpu-headless --events clicks.txt --frames 60 --screenshot after.png\n\n"
    "Event files hold one event a line, delivered before the frame they name\n"
    "(frames count from 0; coordinates are window pixels, y downwards; '#' starts a comment):\n"
    "  FRAME move X Y          mouse moved to (X, Y)\n"
    "  FRAME down BUTTON X Y   button pressed (0 left, 1 right, 2 middle)\n"
    "  FRAME up BUTTON X Y     button released\n"
    "  FRAME wheel DELTA X Y   wheel turned, 120 per notch, positive away from the user\n"
    "  FRAME keydown CODE      key pressed, as a virtual-key code (8 Backspace, 13 Enter,\n"
    "  FRAME keyup CODE        16 Shift, 35 End, 36 Home, 37-40 arrows, 46 Delete,\n"
    "                          letters as upper-case ASCII, digits as ASCII)\n"
    "  FRAME char CODE         a typed character, as its Unicode number\n";

// Ten times the largest benchmarked scene (160,000); more only allocates for minutes.
constexpr int64_t kMaxModels = 1'600'000;
constexpr int64_t kMaxSide = 16384;

struct NumberArgument {
  const char* flag;
  const char* help;
  int64_t min, max;
  int64_t (*get)(const THeadlessOptions&);
  void (*set)(THeadlessOptions&, int64_t);
};

const NumberArgument kNumbers[] = {
    {"--frames", "Number of frames to draw", 1, kMaxRunFrames, [](const THeadlessOptions& o) { return o.frames; },
     [](THeadlessOptions& o, int64_t n) { o.frames = n; }},
    {"--models", "Placed models in the scene", 0, kMaxModels,
     [](const THeadlessOptions& o) { return int64_t{o.models}; },
     [](THeadlessOptions& o, int64_t n) { o.models = static_cast<int>(n); }},
    {"--progress", "Print 'progress frames=N' after every N frames (0: never)", 0, kMaxRunFrames,
     [](const THeadlessOptions& o) { return o.progressEvery; },
     [](THeadlessOptions& o, int64_t n) { o.progressEvery = n; }},
};

bool ReadWhole(std::string_view text, int64_t min, int64_t max, int64_t& value) {
  auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  return status == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

std::string Range(int64_t min, int64_t max) { return std::to_string(min) + " to " + std::to_string(max); }

// Empty when `text` is WIDTHxHEIGHT within bounds; else the message.
std::string ReadSize(const std::string& text, THeadlessOptions& options) {
  size_t x = text.find('x');
  int64_t width = 0, height = 0;
  if (x == std::string::npos || !ReadWhole(std::string_view(text).substr(0, x), 1, kMaxSide, width) ||
      !ReadWhole(std::string_view(text).substr(x + 1), 1, kMaxSide, height))
    return "--size takes WIDTHxHEIGHT, each " + Range(1, kMaxSide) + ", e.g. 1024x768, not " + ShortQuote(text);
  options.width = static_cast<int>(width);
  options.height = static_cast<int>(height);
  return {};
}

TRunnerCommand Refuse(const std::string& message) { return {false, 2, "zqgpu-headless: " + message}; }

}  // namespace

TRunnerCommand ParseRunnerArguments(int argc, const char* const* argv, THeadlessOptions& options) {
  CLI::App cli{kDescription};
  options.dataFolder = ExeFolder().string();
  cli.add_option("--data", options.dataFolder,
                 "Folder that stands for the executable's folder (holds shaders, GMs, fonts, interface, lua)")
      ->capture_default_str();
  std::string size = std::to_string(options.width) + "x" + std::to_string(options.height);
  cli.add_option("--size", size, "Framebuffer size as WIDTHxHEIGHT, each " + Range(1, kMaxSide))->capture_default_str();
  std::vector<std::string> numbers;
  for (const NumberArgument& n : kNumbers) numbers.push_back(std::to_string(n.get(options)));
  for (size_t i = 0; i < numbers.size(); ++i) {
    const NumberArgument& n = kNumbers[i];
    cli.add_option(n.flag, numbers[i], std::string(n.help) + ", " + Range(n.min, n.max))->capture_default_str();
  }
  std::string layout = "grid";
  cli.add_option("--layout", layout, "Where the models stand: grid (the app's 50 columns) or screen (all on screen)")
      ->capture_default_str()
      ->check(CLI::IsMember({"grid", "screen"}));
  cli.add_option("--screenshot", options.screenshot, "Write the last frame to this PNG file");
  cli.add_option("--events", options.events, "Deliver the input events of this file (format above)");
  cli.add_flag("--stats", options.stats, "Print frames=N min_ms=... median_ms=... p99_ms=... fps=... as the last line");
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return {false, 0, cli.help()};
    return Refuse(Printable(e.what()));
  }
  for (size_t i = 0; i < numbers.size(); ++i) {
    const NumberArgument& n = kNumbers[i];
    int64_t value = 0;
    if (!ReadWhole(numbers[i], n.min, n.max, value))
      return Refuse(std::string(n.flag) + " takes a whole number from " + Range(n.min, n.max) + ", not " +
                    ShortQuote(numbers[i]));
    n.set(options, value);
  }
  if (std::string error = ReadSize(size, options); !error.empty()) return Refuse(error);
  options.everyModelOnScreen = layout == "screen";
  return {true, 0, {}};
}
