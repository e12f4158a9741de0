#include "gl/Shader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

#include "gl/Renderer.h"
#include "platform/DataFiles.h"
#include "platform/MessageBox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxIncludeDepth = 16;

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool ReadLines(const fs::path& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  lines = SplitLines(text.str());
  return true;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Expands `lines` in place; `chain` holds the files being expanded, to catch cycles.
bool Expand(std::vector<std::string>& lines, const fs::path& folder, std::vector<std::string>& chain,
            std::string& error) {
  std::vector<std::string> out;
  for (std::string& line : lines) {
    std::string name = IncludeDirectiveName(line);
    if (name.empty()) {
      out.push_back(std::move(line));
      continue;
    }
    if (std::find(chain.begin(), chain.end(), name) != chain.end() || chain.size() >= kMaxIncludeDepth) {
      error = "include of " + name + " loops (it includes itself)";
      return false;
    }
    fs::path path = FindIgnoringCase(folder / name);
    std::vector<std::string> included;
    if (!ReadLines(path, included)) {
      error = "cannot open include file " + path.string();
      return false;
    }
    chain.push_back(name);
    if (!Expand(included, folder, chain, error)) return false;
    chain.pop_back();
    out.insert(out.end(), std::make_move_iterator(included.begin()), std::make_move_iterator(included.end()));
  }
  lines = std::move(out);
  return true;
}

}  // namespace

std::string IncludeDirectiveName(std::string_view line) {
  size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::string lowered = Lower(line.substr(first));
  // The pound sign as one Windows-1252 byte, or as UTF-8 from today's editors.
  size_t skip = 0;
  if (lowered.rfind("\xA3include", 0) == 0)
    skip = 8;
  else if (lowered.rfind("\xC2\xA3include", 0) == 0)
    skip = 9;
  else
    return {};
  if (lowered.size() <= skip + 1) return {};
  std::string name = lowered.substr(skip + 1);
  while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
  return name;
}

bool ResolveIncludes(std::vector<std::string>& lines, const fs::path& folder, std::string& error) {
  std::vector<std::string> chain;
  return Expand(lines, folder, chain, error);
}

TGLSL_Shader::TGLSL_Shader(uint8_t kind) : kind_(kind) {
  name_ = static_cast<GLint>(glCreateShader(kind == 0 ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER));
}

TGLSL_Shader::~TGLSL_Shader() {
  if (name_ > 0) glDeleteShader(static_cast<GLuint>(name_));
}

void TGLSL_Shader::LoadFromFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    path_ = path;
    errorLog_ = "cannot open " + path.string();
    return;
  }
  std::stringstream text;
  text << in.rdbuf();
  LoadFromText(path, text.str());
}

void TGLSL_Shader::LoadFromText(const fs::path& path, std::string_view text) {
  path_ = path;
  std::vector<std::string> lines = SplitLines(text);
  if (!ResolveIncludes(lines, path.parent_path(), errorLog_)) return;
  std::string source;
  for (const std::string& line : lines) source += line + "\r\n";
  Compile(source);
}

void TGLSL_Shader::Compile(const std::string& source) {
  const char* text = source.c_str();
  auto length = static_cast<GLint>(source.size());
  auto shader = static_cast<GLuint>(name_);
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  GLint status = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
  errorLog_.clear();
  if (status == GL_TRUE) return;
  GLint logLength = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
  if (logLength <= 0) {
    errorLog_ = "compilation failed";
    return;
  }
  errorLog_.resize(static_cast<size_t>(logLength));
  glGetShaderInfoLog(shader, logLength, nullptr, errorLog_.data());
  errorLog_.resize(std::strlen(errorLog_.c_str()));
}

TGLSL_Program::TGLSL_Program() {
  name_ = static_cast<GLint>(glCreateProgram());
  glAttachShader(static_cast<GLuint>(name_), static_cast<GLuint>(vertex_.Name()));
  glAttachShader(static_cast<GLuint>(name_), static_cast<GLuint>(fragment_.Name()));
}

TGLSL_Program::~TGLSL_Program() {
  if (name_ >= 0) glDeleteProgram(static_cast<GLuint>(name_));
}

void TGLSL_Program::Load(const fs::path& base) {
  fs::path stem = base;
  if (stem.has_extension()) stem.replace_extension();
  LoadFiles(fs::path(stem.string() + ".vglsl"), fs::path(stem.string() + ".fglsl"));
}

void TGLSL_Program::LoadFiles(const fs::path& vertexPath, const fs::path& fragmentPath) {
  fs::path vertex = FindIgnoringCase(vertexPath);
  fs::path fragment = FindIgnoringCase(fragmentPath);
  std::error_code ec;
  if (!fs::exists(vertex, ec) || !fs::exists(fragment, ec)) {
    errorText_ = "Shader(s) do not exist. \r" + vertexPath.string() + "\r" + fragmentPath.string();
    ShowMessageBox("Shader Error", errorText_);
    return;
  }
  vertex_.LoadFromFile(vertex);
  fragment_.LoadFromFile(fragment);
  Link();
}

void TGLSL_Program::Link() {
  auto program = static_cast<GLuint>(name_);
  for (GLuint i = 0; i < 16; ++i) glBindAttribLocation(program, i, ("attr" + std::to_string(i)).c_str());
  errorText_.clear();
  // A stage that never compiled would only add a misleading link log.
  if (vertex_.ErrorLog().empty() && fragment_.ErrorLog().empty()) glLinkProgram(program);
  if (!vertex_.ErrorLog().empty())
    errorText_ += "VS (" + vertex_.FilePath().filename().string() + "):\r" + vertex_.ErrorLog() + "\r";
  if (!fragment_.ErrorLog().empty())
    errorText_ += "FS (" + fragment_.FilePath().filename().string() + "):\r" + fragment_.ErrorLog() + "\r";
  GLint status = GL_FALSE;
  if (errorText_.empty()) glGetProgramiv(program, GL_LINK_STATUS, &status);
  if (errorText_.empty() && status != GL_TRUE) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
    if (length > 0) glGetProgramInfoLog(program, length, nullptr, log.data());
    log.resize(std::strlen(log.c_str()));
    errorText_ = "Program: " + log;
  }
  if (!errorText_.empty()) {
    ShowMessageBox("Shader Error", errorText_);
    return;
  }
  linked_ = true;
  Use();
  modelLocation_ = UniformLocation("ModelMatrix");
  viewLocation_ = UniformLocation("ViewMatrix");
  projLocation_ = UniformLocation("ProjMatrix");
  SetMatrices(IdentityMatrix(), IdentityMatrix(), IdentityMatrix());
  glUseProgram(0);
}

void TGLSL_Program::Use() {
  if (!linked_) return;
  if (TOGL_Renderer* renderer = CurrentRenderer()) renderer->FlushQuads();
  glUseProgram(static_cast<GLuint>(name_));
  BindSamplers();
}

void TGLSL_Program::BindSamplers() {
  if (samplerCount_ < 0) {
    samplerCount_ = 0;
    for (int n = 0; n < 32; ++n) {
      samplerLocations_[n] = UniformLocation(("tex" + std::to_string(n)).c_str());
      if (samplerLocations_[n] == -1) break;
      ++samplerCount_;
    }
  }
  for (int i = 0; i < samplerCount_; ++i) glUniform1i(samplerLocations_[i], i);
}

void TGLSL_Program::SetMatrices(const TMatrix4& model, const TMatrix4& view, const TMatrix4& projection) {
  if (modelLocation_ != -1) glUniformMatrix4fv(modelLocation_, 1, GL_FALSE, model.data());
  if (viewLocation_ != -1) glUniformMatrix4fv(viewLocation_, 1, GL_FALSE, view.data());
  if (projLocation_ != -1) glUniformMatrix4fv(projLocation_, 1, GL_FALSE, projection.data());
}

void TGLSL_Program::SetModelMatrix(const TMatrix4& model) {
  if (modelLocation_ != -1) glUniformMatrix4fv(modelLocation_, 1, GL_FALSE, model.data());
}

void TGLSL_Program::ApplyGLMatrices() {
  if (auto* r = CurrentRenderer()) SetMatrices(r->model, r->view, r->projection);
}

GLint TGLSL_Program::UniformLocation(const char* name) const {
  if (!linked_) return -1;
  return glGetUniformLocation(static_cast<GLuint>(name_), name);
}

int TGLSL_Program::UniformArraySize(const std::string& name) const {
  if (!linked_) return 0;
  auto program = static_cast<GLuint>(name_);
  GLint count = 0;
  glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
  for (GLint i = 0; i < count; ++i) {
    char text[256];
    GLsizei length = 0;
    GLint size = 0;
    GLenum type = 0;
    glGetActiveUniform(program, static_cast<GLuint>(i), sizeof text, &length, &size, &type, text);
    std::string_view active(text, static_cast<size_t>(length));
    if (active == name || active == name + "[0]") return size;
  }
  return 0;
}

void TGLSL_Program::SetUniform1f(GLint location, float x) { glUniform1f(location, x); }
void TGLSL_Program::SetUniform2f(GLint location, float x, float y) { glUniform2f(location, x, y); }
void TGLSL_Program::SetUniform4f(GLint location, float x, float y, float z, float w) {
  glUniform4f(location, x, y, z, w);
}

void TGLSL_Program::SetUniform2fv(GLint location, int count, const float* values) {
  glUniform2fv(location, count, values);
}
