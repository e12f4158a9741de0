#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The lines entered at the console's command line. Older walks back from the newest,
// Newer forwards again and past the newest to an empty line; entering a line starts
// the walk anew.
class TCommandHistory {
 public:
  static constexpr size_t kMaxLines = 500;

  // Empty lines and a repeat of the newest line are not kept.
  void Add(const std::string& line);
  std::string Older();
  std::string Newer();
  size_t Size() const { return lines_.size(); }

 private:
  std::vector<std::string> lines_;
  size_t position_ = 0;  // lines_.size(): past the newest
};
