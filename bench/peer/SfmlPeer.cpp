// The runner's sprite workload drawn with SFML's vertex-array batch, for a side-by-side
// comparison: the same models picked from the same folder, the same count, layout,
// animation, target size and frame timing (clear to finish), each sprite one textured,
// vertex-coloured quad of one vertex array drawn in one call. SFML draws through its
// own GL context, which needs an X display: bench/peer/compare.sh runs both programs
// under one Xvfb, where Mesa renders with the same llvmpipe as the runner's EGL context.
#include <epoxy/gl.h>

#include <CLI/CLI.hpp>
#include <SFML/Graphics.hpp>
#include <chrono>
#include <cstdio>
#include <map>

#include "PeerAtlas.h"
#include "app/Scene.h"
#include "headless/Runner.h"
#include "platform/Clock.h"
#include "platform/DataFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Sprite {
  const TGMGL_Data* data;
  TPeerAtlas::Place place;
  float x, y;  // canvas centre, y upwards
  uint32_t phase;
};

struct Options {
  std::string dataFolder;
  int width = 1024, height = 768;
  int models = 1600;
  int frames = 100;
  bool everyModelOnScreen = false;
  bool stats = false;
};

// One sprite's four corners: y flips to SFML's top-down pixels; texture rows run bottom
// first in the atlas, so the quad's top takes the frame's highest row.
void FillQuad(const Sprite& s, uint32_t frame, float height, sf::Vertex* quad) {
  const TGMGL_Sprite& f = s.data->sprites[frame];
  const float left = s.x + float(f.left), top = height - (s.y + float(f.bottom) + f.height);
  const float u = float(s.place.x) + f.u0 * float(s.place.width);
  const float v = float(s.place.y) + f.v0 * float(s.place.height);
  quad[0] = sf::Vertex({left, top}, sf::Color::White, {u, v + f.height});
  quad[1] = sf::Vertex({left + f.width, top}, sf::Color::White, {u + f.width, v + f.height});
  quad[2] = sf::Vertex({left + f.width, top + f.height}, sf::Color::White, {u + f.width, v});
  quad[3] = sf::Vertex({left, top + f.height}, sf::Color::White, {u, v});
}

int Run(const Options& options) {
  if (!options.dataFolder.empty()) SetExeFolder(options.dataFolder);
  TModelScene scene(nullptr);
  scene.Start(options.models);
  TPeerAtlas atlas;
  std::map<const TGMGL_Data*, int> atlasOf;
  std::vector<Sprite> sprites;
  for (size_t i = 0; i < scene.ModelCount(); ++i) {
    const TGMGL_Data* data = scene.Model(i).Data();
    if (!data || data->frameCount <= 0) continue;
    auto [found, added] = atlasOf.try_emplace(data, 0);
    if (added) found->second = atlas.Add(*data);
    auto [x, y] = options.everyModelOnScreen ? ScreenPosition(i, options.width, options.height) : GridPosition(i);
    sprites.push_back({data, atlas.PlaceOf(found->second), float(x), float(y), uint32_t(i % data->frameCount)});
  }

  sf::RenderTexture target;
  sf::Texture texture;
  if (!target.create(unsigned(options.width), unsigned(options.height)) ||
      !texture.create(unsigned(std::max(atlas.Width(), 1)), unsigned(std::max(atlas.Height(), 1)))) {
    std::fprintf(stderr, "zqgpu-peer-sfml: no render texture of %dx%d\n", options.width, options.height);
    return 1;
  }
  if (atlas.Width() > 0) texture.update(atlas.Image().data());
  sf::VertexArray quads(sf::Quads, sprites.size() * 4);
  sf::RenderStates states(&texture);
  const sf::Color background(58, 58, 73);

  std::vector<double> frameMs;
  auto start = Clock::now();
  for (int frame = 0; frame < options.frames; ++frame) {
    auto before = Clock::now();
    const uint64_t step = TickCount() / TModelScene::kFrameMs;
    target.clear(background);
    for (size_t i = 0; i < sprites.size(); ++i) {
      const Sprite& s = sprites[i];
      FillQuad(s, uint32_t((s.phase + step) % uint64_t(s.data->frameCount)), float(options.height), &quads[i * 4]);
    }
    target.draw(quads, states);
    glFinish();
    frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
  }
  double total = std::chrono::duration<double>(Clock::now() - start).count();
  if (options.stats) std::printf("%s\n", FormatStats(SummariseFrameTimes(std::move(frameMs), total)).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{
      "zqgpu-peer-sfml: zqgpu-headless's sprite workload drawn with SFML's vertex-array batch.\n"
      "Needs an X display (run it under xvfb-run). The last line matches zqgpu-headless --stats."};
  Options options;
  options.dataFolder = ZQ_BENCH_BIN_DIR;
  std::string size = "1024x768", layout = "grid";
  cli.add_option("--data", options.dataFolder, "Folder holding GMs")->capture_default_str();
  cli.add_option("--size", size, "Target size as WIDTHxHEIGHT")->capture_default_str();
  cli.add_option("--frames", options.frames, "Frames to draw")->capture_default_str()->check(CLI::PositiveNumber);
  cli.add_option("--models", options.models, "Sprites")->capture_default_str()->check(CLI::NonNegativeNumber);
  cli.add_option("--layout", layout, "grid or screen, as zqgpu-headless")
      ->capture_default_str()
      ->check(CLI::IsMember({"grid", "screen"}));
  cli.add_flag("--stats", options.stats, "Print frames=N min_ms=... median_ms=... p99_ms=... fps=... as the last line");
  CLI11_PARSE(cli, argc, argv);
  if (std::sscanf(size.c_str(), "%dx%d", &options.width, &options.height) != 2 || options.width < 1 ||
      options.height < 1 || options.width > 16384 || options.height > 16384) {
    std::fprintf(stderr, "zqgpu-peer-sfml: --size takes WIDTHxHEIGHT, each 1 to 16384\n");
    return 2;
  }
  options.everyModelOnScreen = layout == "screen";
  return Run(options);
}
