#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "model/GMFile.h"
#include "model/Palette.h"

// One model of the sample set, drawn procedurally and deterministically.
struct TSampleModel {
  std::string name;  // file name without folder, e.g. "z_infantry.gmz"
  char encoding;
  std::vector<GMFrame> frames;
  TPalette palette;
};

std::vector<TSampleModel> SampleModels();
// Writes every sample model and its ".p16" palette into `folder` (created if needed).
bool WriteSampleSet(const std::filesystem::path& folder, std::string& error);
