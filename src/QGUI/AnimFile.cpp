#include "QGUI/AnimFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace {

bool IsSpace(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// A whole decimal 32-bit integer with an optional sign; anything else gives `fallback`.
int32_t IntegerOr(std::string_view text, int32_t fallback) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value : fallback;
}

void Apply(const std::string& key, std::string_view value, int32_t textureWidth, int32_t textureHeight,
           TQGUIAnimation& animation) {
  if (key == "fps")
    animation.fps = IntegerOr(value, 1);
  else if (key == "frames")
    animation.frameCount = IntegerOr(value, 1);
  else if (key == "width")
    animation.frameWidth = IntegerOr(value, textureWidth);
  else if (key == "height")
    animation.frameHeight = IntegerOr(value, textureHeight);
  else if (key == "bottomleftorder")
    animation.bottomUp = IntegerOr(value, 1) == 1;
  else if (key == "mirror")
    animation.pingPong = IntegerOr(value, 0) == 1;
}

}  // namespace

void ParseAnimFile(std::string_view text, int32_t textureWidth, int32_t textureHeight, TQGUIAnimation& animation) {
  animation = {true, textureWidth, textureHeight, 1, 1, true, false};
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = TrimRight(TrimLeft(text.substr(0, end)));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    Apply(Lower(TrimRight(line.substr(0, equals))), TrimLeft(line.substr(equals + 1)), textureWidth, textureHeight,
          animation);
  }
}
