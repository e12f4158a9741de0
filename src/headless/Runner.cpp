#include "headless/Runner.h"

#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/App.h"
#include "gl/GLCheck.h"
#include "headless/EglSurface.h"
#include "headless/PngWriter.h"
#include "headless/ShortQuote.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Frame times are kept only for --stats; long runs grow the list as they go.
constexpr int64_t kMaxReservedFrames = 1 << 20;

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

// Larger than any hand-written or generated event list needs; a bigger file is a mistake.
constexpr size_t kMaxEventFile = size_t(16) << 20;

std::string WhyUnreadable(const fs::path& path) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return "does not exist";
  if (!fs::is_regular_file(status)) return "is not a regular file";
  if (fs::file_size(path, ec) > kMaxEventFile) return "is larger than " + std::to_string(kMaxEventFile >> 20) + " MiB";
  return "cannot be read";
}

bool LoadEvents(const std::string& name, std::vector<TScriptedEvent>& events) {
  fs::path path = fs::absolute(name);
  std::string text;
  if (!ReadDataFile(path.string(), text, kMaxEventFile + 1) || text.size() > kMaxEventFile) {
    std::fprintf(stderr, "zqgpu-headless: cannot read event file %s: it %s\n", Printable(name).c_str(),
                 WhyUnreadable(path).c_str());
    return false;
  }
  std::vector<std::string> errors;
  events = ParseEventScript(text, errors);
  for (const std::string& error : errors)
    std::fprintf(stderr, "zqgpu-headless: %s: %s\n", Printable(name).c_str(), error.c_str());
  std::stable_sort(events.begin(), events.end(), [](auto& a, auto& b) { return a.frame < b.frame; });
  return errors.empty();
}

bool DataFolderExists(const std::string& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return true;
  std::fprintf(stderr, "zqgpu-headless: --data %s is no folder\n", Printable(folder).c_str());
  return false;
}

// Draws the frames, each after its events; returns their times in milliseconds when
// --stats asks for them.
std::vector<double> DrawFrames(TZQApp& app, const std::vector<TScriptedEvent>& events,
                               const THeadlessOptions& options) {
  std::vector<double> frameMs;
  if (options.stats) frameMs.reserve(static_cast<size_t>(std::min<int64_t>(options.frames, kMaxReservedFrames)));
  size_t next = 0;
  for (int64_t frame = 0; frame < options.frames; ++frame) {
    for (; next < events.size() && events[next].frame <= frame; ++next) Deliver(app, events[next]);
    auto before = Clock::now();
    app.Frame();
    if (options.stats) frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    ReportGLError("the frame", __FILE__, __LINE__);
    if (options.progressEvery > 0 && (frame + 1) % options.progressEvery == 0) {
      std::printf("progress frames=%lld\n", static_cast<long long>(frame + 1));
      std::fflush(stdout);
    }
  }
  return frameMs;
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
  if (!DataFolderExists(options.dataFolder)) return 2;
  SetExeFolder(options.dataFolder);
  std::vector<TScriptedEvent> events;
  if (!options.events.empty() && !LoadEvents(options.events, events)) return 2;
  SetConsole(std::make_unique<TVORN3_Console>([](std::u16string_view line) {
    std::printf("%s\n", ToUtf8(line).c_str());
    std::fflush(stdout);
  }));

  TEglSurface surface(options.width, options.height);
  TZQApp app(TZQApp::Options{options.models, options.everyModelOnScreen});
  if (!app.Start(&surface, options.width, options.height)) return 1;

  auto start = Clock::now();
  std::vector<double> frameMs = DrawFrames(app, events, options);
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
