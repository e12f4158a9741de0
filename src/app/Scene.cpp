#include "app/Scene.h"

#include <algorithm>
#include <cctype>

#include "gl/OGL.h"
#include "platform/Clock.h"
#include "platform/DataFiles.h"

namespace fs = std::filesystem;

std::vector<std::string> ScanModelFiles(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    std::string name = entry.path().filename().string();
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    // The extension matches in any case, as the file system the names come from did;
    // the "fal.gmz" exclusion is case-sensitive.
    if (extension != ".gmz" || name.find("fal.gmz") != std::string::npos) continue;
    names.push_back("GMs\\" + name);
  }
  return names;
}

int32_t AnimationFrame(size_t index, uint32_t tickMs, int32_t frameCount) {
  if (frameCount <= 0) return 0;
  uint64_t sum = uint64_t(index) + tickMs / TModelScene::kFrameMs;
  return static_cast<int32_t>(sum % uint64_t(frameCount));
}

std::pair<int32_t, int32_t> GridPosition(size_t index) {
  auto i = static_cast<int32_t>(index);
  int32_t s = TModelScene::kSpacing;
  return {(i % TModelScene::kColumns) * s + s, (i / TModelScene::kColumns) * s + s};
}

std::pair<int32_t, int32_t> ScreenPosition(size_t index, int width, int height) {
  const int32_t s = TModelScene::kSpacing;
  const int32_t columns = std::max(1, (width - s) / s);
  const int32_t rows = std::max(1, (height - s) / s);
  auto cell = static_cast<int32_t>(index % size_t(columns * rows));
  return {(cell % columns) * s + s, (cell / columns) * s + s};
}

TRgb RandomUniqueColour(const std::vector<TRgb>& taken, std::mt19937& random) {
  std::uniform_int_distribution<int> channel(0, 254);
  while (true) {
    TRgb colour;
    colour[2] = static_cast<uint8_t>(channel(random));
    colour[1] = static_cast<uint8_t>(channel(random));
    colour[0] = static_cast<uint8_t>(channel(random));
    if (std::find(taken.begin(), taken.end(), colour) == taken.end()) return colour;
  }
}

std::string RowModelName(const std::string& row) {
  size_t colon = row.find(':');
  return colon == std::string::npos ? row : row.substr(std::min(row.size(), colon + 2));
}

TModelScene::TModelScene(TOGL* gl, TOGL_Renderer* atlases)
    : gl_(gl), models_(palettes_, renderer_, gl ? gl : atlases) {}

TModelScene::~TModelScene() { Close(); }

void TModelScene::Start(int count) {
  // Every model file looks up its palette, mostly by a lower-cased name.
  TFolderListings listings;
  if (gl_) renderer_.SetUp(*gl_);
  std::vector<std::string> names = ScanModelFiles(DataPath("GMs"));
  random_.seed(static_cast<uint32_t>(HiResCount()));
  if (!names.empty()) {
    std::uniform_int_distribution<size_t> pick(0, names.size() - 1);
    placed_.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) placed_.push_back(std::make_unique<TGMGL>(models_, names[pick(random_)]));
  }
  FillUnitList();
  Place();
}

void TModelScene::Place() {
  const int width = gl_ ? gl_->Width() : 1024;
  const int height = gl_ ? gl_->Height() : 768;
  placements_.clear();
  placements_.reserve(placed_.size());
  for (size_t i = 0; i < placed_.size(); ++i) {
    TGMGL& model = *placed_[i];
    auto [x, y] = layout_ == TLayout::Grid ? GridPosition(i) : ScreenPosition(i, width, height);
    auto frames = static_cast<uint32_t>(model.Data() ? std::max(model.Data()->frameCount, 0) : 0);
    placements_.push_back({&model, x, y, frames ? uint32_t(i % frames) : 0, frames, model.ModelIndex()});
  }
}

void TModelScene::FillUnitList() {
  rows_.clear();
  rows_.reserve(placed_.size());
  for (size_t i = 0; i < placed_.size(); ++i) {
    const TGMGL_Data* data = placed_[i]->Data();
    rows_.push_back(std::to_string(i + 1) + ": " + (data ? data->fileName : std::string()));
  }
}

void TModelScene::UploadPalettes() {
  if (gl_) store_.Upload(*gl_);
}

// (index + step) mod frames, as AnimationFrame has it, without a division per model:
// the index part is fixed at Start and the step part is reduced once per model file.
void TModelScene::AdvanceAnimation(uint32_t tickMs) {
  const uint64_t step = tickMs / kFrameMs;
  steps_.resize(size_t(models_.SlotCount()));
  for (int32_t s = 0; s < models_.SlotCount(); ++s) {
    const TGMGL_Data* data = models_.Data(s);
    steps_[size_t(s)] = data && data->frameCount > 0 ? static_cast<uint32_t>(step % uint64_t(data->frameCount)) : 0;
  }
}

void TModelScene::Draw(uint32_t tickMs) {
  renderer_.Begin(1);
  models_.ResetRenderState();
  if (gl_) {
    gl_->BindTexture(0, store_.PageTexture(0));
    renderer_.SetCullRect(0, 0, static_cast<float>(gl_->Width()), static_cast<float>(gl_->Height()));
  }
  AdvanceAnimation(tickMs);
  for (const Placement& p : placements_) {
    uint32_t frame = p.phase + steps_[size_t(p.slot)];
    if (frame >= p.frames) frame -= p.frames;
    p.model->frame = static_cast<int32_t>(frame);
    p.model->Draw(p.x, p.y, 0);
  }
  if (gl_) renderer_.Flush(*gl_);
}

void TModelScene::Close() {
  placements_.clear();
  placed_.clear();
  rows_.clear();
}

void TModelScene::ApplyUnitSideColour(int row, TRgb colour) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || row >= static_cast<int>(placed_.size())) return;
  TPalette palette = ModelPalette(RowModelName(rows_[row]));
  ApplySideColour(palette, colour[0], colour[1], colour[2]);
  placed_[row]->SetPalette(palette);
}

void TModelScene::RandomSideColours() {
  random_.seed(static_cast<uint32_t>(HiResCount()));
  std::vector<TRgb> colours;
  colours.reserve(kRandomColours);
  for (int i = 0; i < kRandomColours; ++i) colours.push_back(RandomUniqueColour(colours, random_));
  std::uniform_int_distribution<int> any(0, kRandomColours - 1);
  for (size_t r = 0; r < rows_.size(); ++r) {
    ApplyUnitSideColour(static_cast<int>(r), r < colours.size() ? colours[r] : colours[any(random_)]);
  }
}
