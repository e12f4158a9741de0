// Model decoding speed, and the placed-model scene drawn with instanced calls against the
// same sprites drawn with one draw call each (the baseline), in the same run, on the
// headless EGL surface. Real time per frame, and process CPU time per frame (llvmpipe
// renders on its own threads, which the process time includes).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "RecordingRenderer.h"
#include "app/Scene.h"
#include "gl/OGL.h"
#include "headless/EglSurface.h"
#include "model/GMFile.h"
#include "model/ModelData.h"
#include "platform/DataFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::vector<std::string> SampleFiles() {
  std::vector<std::string> files;
  for (const std::string& name : ScanModelFiles(DataPath("GMs"))) {
    std::string bytes;
    if (ReadDataFile(name, bytes)) files.push_back(std::move(bytes));
  }
  return files;
}

void BM_DecodeSampleModels(benchmark::State& state) {
  std::vector<std::string> files = SampleFiles();
  int64_t bytes = 0;
  int64_t pixels = 0;
  for (const std::string& f : files) {
    std::istringstream in(f);
    TGM_File file;
    file.Load(in);
    bytes += static_cast<int64_t>(f.size());
    for (int i = 0; i < file.FrameCount(); ++i) pixels += int64_t(file.GetFrame(i).width) * file.GetFrame(i).height;
  }
  for (auto _ : state) {
    for (const std::string& f : files) {
      std::istringstream in(f);
      TGM_File file;
      file.Load(in);
      if (state.range(0)) {
        TGMGL_Data atlas;
        atlas.BuildAtlas(file);
        benchmark::DoNotOptimize(atlas.pixels.data());
      }
      benchmark::DoNotOptimize(file.FrameCount());
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["pixels"] = benchmark::Counter(double(state.iterations() * pixels), benchmark::Counter::kIsRate);
  state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_DecodeSampleModels)->ArgName("with_atlas")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The frame steps before model drawing (palette upload, clear, 2-D pixel space, depth test).
void BeginFrame(TOGL& gl, TModelScene& scene) {
  scene.UploadPalettes();
  gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl.SetBlend(true);
  gl.SetOrtho2D(0, 0);
  gl.SetDepthTest(true, GL_LEQUAL);
}

struct SceneRig {
  // `unitsProgram`: the GL 2 program, whose atlases sit on texture units as the
  // one-draw-per-sprite baseline binds them.
  SceneRig(int models, bool unitsProgram = false) : surface(kWidth, kHeight) {
    gl.Init(&surface, TPixelFormatRequest::Default(), kWidth, kHeight, 0);
    if (unitsProgram) gl.version[0] = 2;
    scene = std::make_unique<TModelScene>(&gl);
    scene->Start(models);
  }
  ~SceneRig() { scene.reset(); }
  TEglSurface surface;
  TOGL gl{0.1, 40000.0, 45.0};
  std::unique_ptr<TModelScene> scene;
};

void BM_SceneInstanced(benchmark::State& state) {
  SceneRig rig(static_cast<int>(state.range(0)));
  uint32_t tick = 0;
  for (auto _ : state) {
    BeginFrame(rig.gl, *rig.scene);
    rig.scene->Draw(tick += 16);
    glFinish();
  }
  state.counters["draw_calls"] = rig.scene->Renderer().DrawCalls();
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The baseline: the same records, shader and pixels, but each sprite is its own draw call
// with its record as constant vertex attributes and its atlas bound when it changes.
void BM_SceneOneDrawPerSprite(benchmark::State& state) {
  SceneRig rig(static_cast<int>(state.range(0)), true);
  TModelScene& scene = *rig.scene;
  uint32_t tick = 0;
  int64_t draws = 0;
  for (auto _ : state) {
    BeginFrame(rig.gl, scene);
    tick += 16;
    scene.Renderer().Begin(1);
    rig.gl.BindTexture(0, scene.Store().PageTexture(0));
    rig.gl.QuadBindVBO();
    GLuint bound = 0;
    draws = 0;
    for (size_t i = 0; i < scene.ModelCount(); ++i) {
      TGMGL& model = scene.Model(i);
      model.frame = AnimationFrame(i, tick, model.Data()->frameCount);
      auto [x, y] = GridPosition(i);
      TGPU_Record r;
      if (!model.Data()->texture || !model.BuildRecord(x, y, 0, r)) continue;
      auto texture = static_cast<GLuint>(r[10]);
      if (texture != bound) rig.gl.BindTexture(1, bound = texture);
      glVertexAttrib4f(2, r[0], r[1], r[2], r[3]);
      glVertexAttrib4f(3, r[4], r[5], r[6], r[7]);
      glVertexAttrib3f(4, r[8], r[9], 0);
      glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
      ++draws;
    }
    glFinish();
  }
  state.counters["draw_calls"] = static_cast<double>(draws);
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The frame's own CPU work per placed model (frame, record, filing) without GL: a
// recording renderer names the atlases, nothing is culled or drawn.
void BM_SceneCpu(benchmark::State& state) {
  RecordingRenderer atlases(kWidth, kHeight);
  TModelScene scene(nullptr, &atlases);
  scene.Start(static_cast<int>(state.range(0)));
  uint32_t tick = 0;
  for (auto _ : state) scene.Draw(tick += 16);
  state.counters["ns_per_model"] =
      benchmark::Counter(double(state.iterations()) * double(scene.ModelCount()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_SceneCpu)->ArgName("models")->Arg(1600)->Arg(160000)->Unit(benchmark::kMicrosecond);

// Start-up to the first frame: model loading, palettes, placing, one drawn frame.
void BM_SceneStartUp(benchmark::State& state) {
  for (auto _ : state) {
    SceneRig rig(static_cast<int>(state.range(0)));
    BeginFrame(rig.gl, *rig.scene);
    rig.scene->Draw(0);
    glFinish();
  }
}
BENCHMARK(BM_SceneStartUp)->ArgName("models")->Arg(160000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A data folder of 5,000 copies of one sample model, with a palette beside each or none.
class ManyModelFiles {
 public:
  static constexpr int kFiles = 5000;
  explicit ManyModelFiles(bool palettes) : previous_(ExeFolder()) {
    std::string model;
    std::string palette;
    const std::string sample = ScanModelFiles(DataPath("GMs")).front();
    ReadDataFile(sample, model);
    ReadDataFile(PaletteFileName(sample), palette);
    folder_ = fs::temp_directory_path() / ("zq_bench_many_" + std::to_string(palettes));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "GMs");
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = (folder_ / "GMs" / ("Unit_" + std::to_string(i))).string();
      std::ofstream(name + ".gmz", std::ios::binary) << model;
      if (palettes) std::ofstream(name + ".p16", std::ios::binary) << palette;
    }
    SetExeFolder(folder_);
  }
  ~ManyModelFiles() {
    SetExeFolder(previous_);
    fs::remove_all(folder_);
  }

 private:
  fs::path previous_;
  fs::path folder_;
};

// Start-up without GL from 5,000 model files: with every palette present (the baseline)
// and with none, when each model's palette is looked for ignoring case and not found.
void BM_StartUpManyFiles(benchmark::State& state) {
  ManyModelFiles files(state.range(1) != 0);
  for (auto _ : state) {
    TModelScene scene(nullptr);
    scene.Start(static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(scene.ModelCount());
  }
}
BENCHMARK(BM_StartUpManyFiles)
    ->ArgNames({"models", "palettes"})
    ->Args({1600, 1})
    ->Args({1600, 0})
    ->Args({20000, 1})
    ->Args({20000, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void SceneArgs(benchmark::internal::Benchmark* b) {
  b->ArgName("models")->Arg(1600)->Arg(16000)->Arg(160000);
  b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(2.0);
}
BENCHMARK(BM_SceneInstanced)->Apply(SceneArgs);
BENCHMARK(BM_SceneOneDrawPerSprite)->Apply(SceneArgs);

}  // namespace
