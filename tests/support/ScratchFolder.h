#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// A folder of the test's own under the system's temporary folder, removed with the
// object. It can stand in as the executable folder while it lives.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view tag);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes `bytes` to a file below the folder, creating its folders; returns its path.
  std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes) const;
  // A FIFO below the folder, which nothing ever writes to; returns its path.
  std::filesystem::path Fifo(const std::filesystem::path& relative) const;
  // A symbolic link below the folder to `target`; returns its path.
  std::filesystem::path Link(const std::filesystem::path& relative, const std::filesystem::path& target) const;
  // Makes the folder the executable folder until the object goes.
  void UseAsExeFolder();

 private:
  std::filesystem::path path_;
  std::filesystem::path previousExeFolder_;
  bool exeFolder_ = false;
};
