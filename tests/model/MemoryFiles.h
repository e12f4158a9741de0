#pragma once
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "platform/DataFiles.h"

// Serves data files from memory for the life of the object (names as the system writes them).
class MemoryFiles {
 public:
  MemoryFiles() {
    previous_ = SetDataFileOpener([this](std::string_view name) -> std::unique_ptr<std::istream> {
      ++opens[std::string(name)];
      auto it = files.find(std::string(name));
      if (it == files.end()) return nullptr;
      return std::make_unique<std::istringstream>(it->second);
    });
  }
  ~MemoryFiles() { SetDataFileOpener(previous_); }

  std::map<std::string, std::string> files;
  std::map<std::string, int> opens;

 private:
  DataFileOpener previous_;
};
