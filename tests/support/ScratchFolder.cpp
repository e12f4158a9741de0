#include "ScratchFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

#include "platform/DataFiles.h"

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(std::string_view tag) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("zq_" + std::string(tag) + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  if (exeFolder_) SetExeFolder(previousExeFolder_);
  std::error_code ec;
  fs::remove_all(path_, ec);
}

fs::path ScratchFolder::Write(const fs::path& relative, std::string_view bytes) const {
  fs::path file = path_ / relative;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

fs::path ScratchFolder::Fifo(const fs::path& relative) const {
  fs::path file = path_ / relative;
  fs::create_directories(file.parent_path());
  ::mkfifo(file.c_str(), 0600);
  return file;
}

fs::path ScratchFolder::Link(const fs::path& relative, const fs::path& target) const {
  fs::path file = path_ / relative;
  fs::create_directories(file.parent_path());
  fs::create_symlink(target, file);
  return file;
}

void ScratchFolder::UseAsExeFolder() {
  if (!exeFolder_) previousExeFolder_ = ExeFolder();
  exeFolder_ = true;
  SetExeFolder(path_);
}
