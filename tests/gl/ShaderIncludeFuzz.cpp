// The include expander over a shader and up to four files it may include (a.glsl to
// d.glsl), all from one input split at NUL bytes. A success leaves no directive behind.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "ScratchFolder.h"
#include "gl/Shader.h"

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
  std::string source, error;
  if (!ResolveIncludes(shader, folder.Path(), source, error)) return 0;
  if (source.size() > kMaxShaderSource) std::abort();
  for (size_t start = 0; start < source.size();) {
    size_t end = std::min(source.find('\n', start), source.size());
    if (!IncludeDirectiveName(std::string_view(source).substr(start, end - start)).empty()) std::abort();
    start = end + 1;
  }
  return 0;
}
