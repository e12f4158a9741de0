// The include expander over a shader and up to four files it may include (a.glsl to
// d.glsl), all from one input split at NUL bytes. A success leaves no directive behind.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ScratchFolder.h"
#include "gl/Shader.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchFolder folder("include_fuzz");
  static const char* const kFiles[] = {"a.glsl", "b.glsl", "c.glsl", "d.glsl"};
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string_view shader = input.substr(0, cut);
  for (const char* file : kFiles) {
    std::filesystem::remove(folder.Path() / file);
    if (cut == std::string_view::npos) continue;
    size_t next = input.find('\0', cut + 1);
    folder.Write(file, input.substr(cut + 1, next == std::string_view::npos ? next : next - cut - 1));
    cut = next;
  }
  std::vector<std::string> lines = Lines(shader);
  std::string error;
  if (!ResolveIncludes(lines, folder.Path(), error)) return 0;
  for (const std::string& line : lines)
    if (!IncludeDirectiveName(line).empty()) std::abort();
  return 0;
}
