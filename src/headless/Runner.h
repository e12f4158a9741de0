#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "headless/EventScript.h"

// Runs the shared frame order on a headless EGL surface: frames, scripted input,
// a screenshot of the last frame and frame-time statistics.
struct THeadlessOptions {
  std::string dataFolder;  // stands for the executable's folder
  int width = 1024;
  int height = 768;
  int64_t frames = 1;
  int models = 1600;
  bool everyModelOnScreen = false;
  std::string screenshot;  // PNG of the last frame; none when empty
  std::string events;      // event file; none when empty
  bool stats = false;
  int64_t progressEvery = 0;  // frames between progress lines; none when 0
};

struct TFrameStats {
  int64_t frames = 0;
  double minMs = 0, medianMs = 0, p99Ms = 0, fps = 0;
};

// Frame times in milliseconds → the figures of the --stats line.
TFrameStats SummariseFrameTimes(std::vector<double> frameMs, double totalSeconds);
std::string FormatStats(const TFrameStats& stats);

// Returns the process exit code; problems are written to standard error.
int RunHeadless(const THeadlessOptions& options);
