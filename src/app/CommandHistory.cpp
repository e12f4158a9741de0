#include "app/CommandHistory.h"

void TCommandHistory::Add(const std::string& line) {
  if (!line.empty() && (lines_.empty() || lines_.back() != line)) {
    lines_.push_back(line);
    if (lines_.size() > kMaxLines) lines_.erase(lines_.begin());
  }
  position_ = lines_.size();
}

std::string TCommandHistory::Older() {
  if (lines_.empty()) return {};
  if (position_ > 0) --position_;
  return lines_[position_];
}

std::string TCommandHistory::Newer() {
  if (position_ < lines_.size()) ++position_;
  return position_ < lines_.size() ? lines_[position_] : std::string();
}
