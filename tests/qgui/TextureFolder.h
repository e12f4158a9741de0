#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DataFiles.h"

// A scratch executable folder with an `interface` folder for the test's images.
class TextureFolder {
 public:
  TextureFolder() : previous_(ExeFolder()) {
    folder_ = std::filesystem::temp_directory_path() / ("zq_qgui_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "interface");
    SetExeFolder(folder_);
  }
  ~TextureFolder() {
    SetExeFolder(previous_);
    std::filesystem::remove_all(folder_);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / "interface" / name, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};
