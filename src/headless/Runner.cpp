#include "headless/Runner.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/App.h"
#include "headless/EglSurface.h"
#include "headless/PngWriter.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace {

using Clock = std::chrono::steady_clock;

void Deliver(TZQApp& app, const TScriptedEvent& e) {
  using Kind = TScriptedEvent::Kind;
  switch (e.kind) {
    case Kind::MouseMove:
      app.MouseMove(e.x, e.y);
      break;
    case Kind::MouseDown:
      app.MouseDown(e.a, e.x, e.y);
      break;
    case Kind::MouseUp:
      app.MouseUp(e.a, e.x, e.y);
      break;
    case Kind::Wheel:
      app.MouseWheel(e.a, e.x, e.y);
      break;
    case Kind::KeyDown:
      app.KeyDown(e.a);
      break;
    case Kind::KeyUp:
      app.KeyUp(e.a);
      break;
    case Kind::Char:
      app.Char(static_cast<char16_t>(e.a));
      break;
  }
}

bool LoadEvents(const std::string& path, std::vector<TScriptedEvent>& events) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "zqgpu-headless: cannot read event file %s\n", path.c_str());
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> errors;
  events = ParseEventScript(text.str(), errors);
  for (const std::string& error : errors) std::fprintf(stderr, "zqgpu-headless: %s: %s\n", path.c_str(), error.c_str());
  std::stable_sort(events.begin(), events.end(), [](auto& a, auto& b) { return a.frame < b.frame; });
  return errors.empty();
}

}  // namespace

TFrameStats SummariseFrameTimes(std::vector<double> frameMs, double totalSeconds) {
  TFrameStats stats;
  stats.frames = static_cast<int64_t>(frameMs.size());
  if (frameMs.empty()) return stats;
  std::sort(frameMs.begin(), frameMs.end());
  auto at = [&](double q) {
    size_t index = static_cast<size_t>(std::ceil(q * frameMs.size())) - 1;
    return frameMs[std::min(index, frameMs.size() - 1)];
  };
  stats.minMs = frameMs.front();
  stats.medianMs = at(0.5);
  stats.p99Ms = at(0.99);
  stats.fps = totalSeconds > 0 ? stats.frames / totalSeconds : 0;
  return stats;
}

std::string FormatStats(const TFrameStats& s) {
  return fmt::format("frames={} min_ms={:.3f} median_ms={:.3f} p99_ms={:.3f} fps={:.1f}", s.frames, s.minMs, s.medianMs,
                     s.p99Ms, s.fps);
}

int RunHeadless(const THeadlessOptions& options) {
  if (!options.dataFolder.empty()) SetExeFolder(options.dataFolder);
  SetConsole(std::make_unique<TVORN3_Console>([](std::u16string_view line) {
    std::printf("%s\n", ToUtf8(line).c_str());
    std::fflush(stdout);
  }));
  std::vector<TScriptedEvent> events;
  if (!options.events.empty() && !LoadEvents(options.events, events)) return 2;

  TEglSurface surface(options.width, options.height);
  TZQApp app(TZQApp::Options{options.models, options.everyModelOnScreen});
  if (!app.Start(&surface, options.width, options.height)) return 1;

  std::vector<double> frameMs;
  frameMs.reserve(static_cast<size_t>(options.frames));
  size_t next = 0;
  auto start = Clock::now();
  for (int64_t frame = 0; frame < options.frames; ++frame) {
    for (; next < events.size() && events[next].frame <= frame; ++next) Deliver(app, events[next]);
    auto before = Clock::now();
    app.Frame();
    frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
  }
  double total = std::chrono::duration<double>(Clock::now() - start).count();

  int result = 0;
  if (!options.screenshot.empty()) {
    std::string error;
    if (!WritePngBottomUp(options.screenshot, surface.Width(), surface.Height(), surface.ReadPixels(), error)) {
      std::fprintf(stderr, "zqgpu-headless: %s\n", error.c_str());
      result = 1;
    }
  }
  app.Close();
  if (options.stats) std::printf("%s\n", FormatStats(SummariseFrameTimes(std::move(frameMs), total)).c_str());
  SetConsole(nullptr);
  return result;
}
