#include "gl/Renderer.h"

#include <charconv>
#include <string>
#include <vector>

#include "platform/GLSurface.h"

namespace {
TOGL_Renderer* g_current = nullptr;

uint8_t NumberByte(std::string_view text) {
  unsigned long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return static_cast<uint8_t>(value);
}

void UploadRGB(GLuint texture, int size, const std::vector<uint8_t>& pixels) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}
}  // namespace

TOGL_Renderer::TOGL_Renderer() : projection(IdentityMatrix()), model(IdentityMatrix()), view(IdentityMatrix()) {
  g_current = this;
}

TOGL_Renderer::~TOGL_Renderer() {
  if (g_current == this) g_current = nullptr;
}

TOGL_Renderer* CurrentRenderer() { return g_current; }

bool TOGL_Renderer::GetVSync() const {
  return surface_ && surface_->HasSwapInterval() && surface_->SwapInterval() == 1;
}

void TOGL_Renderer::SetVSync(bool on) {
  if (!surface_ || !surface_->HasSwapInterval()) return;
  surface_->SetSwapInterval(on ? 1 : 0);
  glGetError();
}

void TOGL_Renderer::DeleteTexture(GLuint texture) {
  if (texture) glDeleteTextures(1, &texture);
}

void TOGL_Renderer::SetScissor(int x, int y, int width, int height) { glScissor(x, y, width, height); }

void TOGL_Renderer::EnableScissor(bool on) {
  if (on)
    glEnable(GL_SCISSOR_TEST);
  else
    glDisable(GL_SCISSOR_TEST);
}

void TOGL_Renderer::SetBlend(bool on) { on ? glEnable(GL_BLEND) : glDisable(GL_BLEND); }

void TOGL_Renderer::SetColour3(float r, float g, float b) { SetColour(r, g, b, 1.0f); }

void TOGL_Renderer::SetColour2_3(float r, float g, float b) { SetColour2(r, g, b, 1.0f); }

std::array<uint8_t, 4> ParseVersionString(std::string_view text) {
  std::array<uint8_t, 4> version{};
  size_t end = 0;
  while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) ++end;
  std::string_view s = text.substr(0, end);
  for (int i = 0; i < 4; ++i) {
    size_t dot = s.find('.');
    if (dot == std::string_view::npos) {
      version[i] = NumberByte(s);
      break;
    }
    version[i] = NumberByte(s.substr(0, dot));
    s.remove_prefix(dot + 1);
  }
  return version;
}

void TOGL_Renderer::ReadVersion() {
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  version = ParseVersionString(text ? text : "");
  singleChannelFormat = GL_RGB;
  if (version[0] >= 3) {
    version[0] = static_cast<uint8_t>(GetInteger(GL_MAJOR_VERSION));
    version[1] = static_cast<uint8_t>(GetInteger(GL_MINOR_VERSION));
    singleChannelFormat = GL_R8;
  }
}

void TOGL_Renderer::CreateDefaultTextures() {
  glGenTextures(1, &whiteTexture);
  UploadRGB(whiteTexture, 2, std::vector<uint8_t>(2 * 2 * 3, 255));
  SetTexParams(GL_TEXTURE_2D, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false);

  glGenTextures(1, &blackTexture);
  UploadRGB(blackTexture, 2, std::vector<uint8_t>(2 * 2 * 3, 0));
  SetTexParams(GL_TEXTURE_2D, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false);

  std::vector<uint8_t> grid(64 * 64 * 3, 255);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if (y < 2 || x >= 62)
        for (int c = 0; c < 3; ++c) grid[(y * 64 + x) * 3 + c] = 0;
  glGenTextures(1, &gridTexture);
  glBindTexture(GL_TEXTURE_2D, gridTexture);
  // Mipmap generation must be on before the upload to take effect.
  SetTexParams(GL_TEXTURE_2D, GL_REPEAT, GL_REPEAT, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, true);
  UploadRGB(gridTexture, 64, grid);
}

GLint GetInteger(GLenum pname) {
  GLint value = 0;
  glGetIntegerv(pname, &value);
  return value;
}

void SetTexParams(GLenum target, GLint wrapS, GLint wrapT, GLint minFilter, GLint magFilter, bool generateMipmaps) {
  glTexParameteri(target, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(target, GL_TEXTURE_WRAP_T, wrapT);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, magFilter);
  glTexParameteri(target, GL_GENERATE_MIPMAP, generateMipmaps ? GL_TRUE : GL_FALSE);
}

void BeginTextured() {
  CurrentRenderer()->SetColour3(1, 1, 1);
  CurrentRenderer()->SetQuadType(QT_Textured);
}

void EndTextured() {
  CurrentRenderer()->SetColour3(1, 1, 1);
  CurrentRenderer()->SetQuadType(QT_Resting);
}

void SelectQuadType3() { CurrentRenderer()->SetQuadType(QT_Gradient); }

void SelectTextQuadType(bool flag) { CurrentRenderer()->SetQuadType(flag ? QT_DistanceText : QT_CoverageText); }

void SetUDIFlag(bool flag) { CurrentRenderer()->SetUDI(flag ? 1 : 0, 0); }
