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

TModelScene::TModelScene(TOGL* gl) : gl_(gl), models_(palettes_, renderer_, gl) {}

TModelScene::~TModelScene() { Close(); }

void TModelScene::Start(int count) {
  if (gl_) renderer_.SetUp(*gl_);
  std::vector<std::string> names = ScanModelFiles(DataPath("GMs"));
  random_.seed(static_cast<uint32_t>(HiResCount()));
  if (!names.empty()) {
    std::uniform_int_distribution<size_t> pick(0, names.size() - 1);
    placed_.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) placed_.push_back(std::make_unique<TGMGL>(models_, names[pick(random_)]));
  }
  FillUnitList();
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

void TModelScene::Draw(uint32_t tickMs) {
  renderer_.Begin(1);
  models_.ResetRenderState();
  if (gl_) gl_->BindTexture(0, store_.PageTexture(0));
  for (size_t i = 0; i < placed_.size(); ++i) {
    TGMGL& model = *placed_[i];
    if (const TGMGL_Data* data = model.Data()) model.frame = AnimationFrame(i, tickMs, data->frameCount);
    auto [x, y] = GridPosition(i);
    model.Draw(x, y, 0);
  }
  if (gl_) renderer_.Flush(*gl_);
}

void TModelScene::Close() {
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
