#include <CLI/CLI.hpp>
#include <cstdio>
#include <regex>

#include "headless/Runner.h"
#include "platform/DataFiles.h"

int main(int argc, char** argv) {
  CLI::App cli{
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
      "  FRAME char CODE         a typed character, as its Unicode number\n"};
  THeadlessOptions options;
  options.dataFolder = ExeFolder().string();
  std::string size = "1024x768";
  cli.add_option("--data", options.dataFolder,
                 "Folder that stands for the executable's folder (holds shaders, GMs, fonts, interface, lua)")
      ->capture_default_str();
  cli.add_option("--size", size, "Framebuffer size as WIDTHxHEIGHT")->capture_default_str();
  cli.add_option("--frames", options.frames, "Number of frames to draw")
      ->capture_default_str()
      ->check(CLI::PositiveNumber);
  cli.add_option("--models", options.models, "Placed models in the scene")
      ->capture_default_str()
      ->check(CLI::NonNegativeNumber);
  std::string layout = "grid";
  cli.add_option("--layout", layout, "Where the models stand: grid (the app's 50 columns) or screen (all on screen)")
      ->capture_default_str()
      ->check(CLI::IsMember({"grid", "screen"}));
  cli.add_option("--screenshot", options.screenshot, "Write the last frame to this PNG file");
  cli.add_option("--events", options.events, "Deliver the input events of this file (format above)");
  cli.add_flag("--stats", options.stats, "Print frames=N min_ms=... median_ms=... p99_ms=... fps=... as the last line");
  CLI11_PARSE(cli, argc, argv);

  std::smatch match;
  static const std::regex sizePattern(R"((\d{1,5})x(\d{1,5}))");
  if (!std::regex_match(size, match, sizePattern) || std::stoi(match[1]) < 1 || std::stoi(match[2]) < 1 ||
      std::stoi(match[1]) > 16384 || std::stoi(match[2]) > 16384) {
    std::fprintf(stderr, "zqgpu-headless: --size takes WIDTHxHEIGHT, each 1 to 16384, e.g. 1024x768\n");
    return 2;
  }
  options.everyModelOnScreen = layout == "screen";
  options.width = std::stoi(match[1]);
  options.height = std::stoi(match[2]);
  return RunHeadless(options);
}
