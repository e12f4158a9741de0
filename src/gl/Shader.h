#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "gl/Matrix.h"

// Shader sources are a few KiB; these limits only stop hostile files. The size applies to
// each file, to all files read for one source and to the expanded source alike.
constexpr size_t kMaxShaderSource = size_t(4) << 20;
constexpr size_t kMaxIncludeDepth = 16;
constexpr int kMaxIncludes = 256;

// Writes `text` to `source` with every include directive (a line that, left-trimmed and
// lower-cased, starts with the pound sign and "include") replaced by the named file's
// lines, resolved against `folder`; included files may include further files, against the
// same folder. Lines end in "\r\n". A missing or unreadable file, a loop, nesting deeper
// than kMaxIncludeDepth, more than kMaxIncludes includes or more than kMaxShaderSource
// bytes stops with a message in `error` and an empty `source`.
bool ResolveIncludes(std::string_view text, const std::filesystem::path& folder, std::string& source,
                     std::string& error);
// The file an include directive line names, or empty when the line is no directive.
std::string IncludeDirectiveName(std::string_view line);

// One compiled stage read from a file: 0 vertex, 1 fragment.
class TGLSL_Shader {
 public:
  explicit TGLSL_Shader(uint8_t kind);
  TGLSL_Shader(const TGLSL_Shader&) = delete;
  TGLSL_Shader& operator=(const TGLSL_Shader&) = delete;
  ~TGLSL_Shader();

  void LoadFromFile(const std::filesystem::path& path);
  void LoadFromText(const std::filesystem::path& path, std::string_view text);

  uint8_t Kind() const { return kind_; }
  GLint Name() const { return name_; }
  const std::filesystem::path& FilePath() const { return path_; }
  const std::string& ErrorLog() const { return errorLog_; }

 private:
  void Compile(const std::string& source);

  uint8_t kind_;
  GLint name_ = -1;
  std::filesystem::path path_;
  std::string errorLog_;
};

// A linked vertex + fragment program. Vertex inputs named "attr0" … "attr15" are bound
// to attributes 0 … 15 before linking, so shader files choose their attribute numbers
// by name. Samplers "tex0", "tex1", … (no gaps, at most 32) are bound to units 0, 1, ….
class TGLSL_Program {
 public:
  TGLSL_Program();
  TGLSL_Program(const TGLSL_Program&) = delete;
  TGLSL_Program& operator=(const TGLSL_Program&) = delete;
  ~TGLSL_Program();

  // Base path without extension (an extension is removed); loads base.vglsl and base.fglsl.
  void Load(const std::filesystem::path& base);
  void LoadFiles(const std::filesystem::path& vertexPath, const std::filesystem::path& fragmentPath);
  void Link();
  // Makes the program current; quads still waiting in the current renderer's batch are
  // drawn first, with the program they were meant for.
  void Use();
  // Use without that flush: for the renderer's own switch while it draws a batch.
  void Bind();
  bool Linked() const { return linked_; }

  void SetMatrices(const TMatrix4& model, const TMatrix4& view, const TMatrix4& projection);
  void SetModelMatrix(const TMatrix4& model);
  void ApplyGLMatrices();
  GLint UniformLocation(const char* name) const;
  // Elements of the active uniform array `name` (1 for a plain uniform, 0 when inactive).
  int UniformArraySize(const std::string& name) const;
  void SetUniform1f(GLint location, float x);
  void SetUniform2f(GLint location, float x, float y);
  void SetUniform4f(GLint location, float x, float y, float z, float w);
  void SetUniform2fv(GLint location, int count, const float* values);

  GLint Name() const { return name_; }
  const std::string& ErrorText() const { return errorText_; }
  int SamplerCount() const { return samplerCount_; }
  TGLSL_Shader& VertexStage() { return vertex_; }
  TGLSL_Shader& FragmentStage() { return fragment_; }

 private:
  void BindSamplers();

  TGLSL_Shader vertex_{0};
  TGLSL_Shader fragment_{1};
  GLint name_ = -1;
  GLint modelLocation_ = -1;
  GLint viewLocation_ = -1;
  GLint projLocation_ = -1;
  std::string errorText_;
  std::array<GLint, 32> samplerLocations_{};
  int samplerCount_ = -1;
  bool linked_ = false;
};
