#include "gl/Shader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <vector>

#include "gl/Renderer.h"
#include "platform/DataFiles.h"
#include "platform/MessageBox.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// One source's expansion. Each file is read once however often it is included, and every
// byte read or written counts against kMaxShaderSource, so memory stays bounded too.
struct Expansion {
  const fs::path& folder;
  std::string& out;
  std::string& error;
  std::map<std::string, std::string> files;
  std::vector<std::string> chain;
  size_t bytesRead = 0;
  int includes = 0;
};

const std::string* IncludedText(const std::string& name, Expansion& e) {
  if (auto it = e.files.find(name); it != e.files.end()) return &it->second;
  fs::path path = FindIgnoringCase(e.folder / name);
  std::string text;
  std::string reason;
  if (ReadRegularFile(path, text, kMaxShaderSource, reason) != TFileRead::Read) {
    e.error = "cannot open include file " + path.string() + ": " + reason;
    return nullptr;
  }
  e.bytesRead += text.size();
  if (e.bytesRead > kMaxShaderSource) {
    e.error = "the files included are larger than " + SizeText(kMaxShaderSource) + " together";
    return nullptr;
  }
  return &e.files.emplace(name, std::move(text)).first->second;
}

bool Expand(std::string_view text, Expansion& e);

bool ExpandInclude(const std::string& name, Expansion& e) {
  if (std::find(e.chain.begin(), e.chain.end(), name) != e.chain.end()) {
    e.error = "include of " + name + " loops (it includes itself)";
    return false;
  }
  if (e.chain.size() >= kMaxIncludeDepth) {
    e.error = "include of " + name + " nests deeper than " + std::to_string(kMaxIncludeDepth) + " files";
    return false;
  }
  if (++e.includes > kMaxIncludes) {
    e.error = "include of " + name + " goes past the " + std::to_string(kMaxIncludes) + " includes a source may expand";
    return false;
  }
  const std::string* included = IncludedText(name, e);
  if (!included) return false;
  e.chain.push_back(name);
  if (!Expand(*included, e)) return false;
  e.chain.pop_back();
  return true;
}

bool Expand(std::string_view text, Expansion& e) {
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (std::string name = IncludeDirectiveName(line); !name.empty()) {
      if (!ExpandInclude(name, e)) return false;
      continue;
    }
    if (e.out.size() + line.size() + 2 > kMaxShaderSource) {
      e.error = "the source with its includes is larger than " + SizeText(kMaxShaderSource);
      return false;
    }
    e.out.append(line).append("\r\n");
  }
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

bool ResolveIncludes(std::string_view text, const fs::path& folder, std::string& source, std::string& error) {
  source.clear();
  Expansion expansion{folder, source, error, {}, {}, text.size(), 0};
  if (Expand(text, expansion)) return true;
  source.clear();
  return false;
}

TGLSL_Shader::TGLSL_Shader(uint8_t kind) : kind_(kind) {
  name_ = static_cast<GLint>(glCreateShader(kind == 0 ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER));
}

TGLSL_Shader::~TGLSL_Shader() {
  if (name_ > 0) glDeleteShader(static_cast<GLuint>(name_));
}

void TGLSL_Shader::LoadFromFile(const fs::path& path) {
  std::string text;
  std::string reason;
  if (ReadRegularFile(path, text, kMaxShaderSource, reason) != TFileRead::Read) {
    path_ = path;
    errorLog_ = "cannot open " + path.string() + ": " + reason;
    return;
  }
  LoadFromText(path, text);
}

void TGLSL_Shader::LoadFromText(const fs::path& path, std::string_view text) {
  path_ = path;
  std::string source;
  if (ResolveIncludes(text, path.parent_path(), source, errorLog_)) Compile(source);
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
  Bind();
}

void TGLSL_Program::Bind() {
  if (!linked_) return;
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
