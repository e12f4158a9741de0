#include "render/GPURenderer.h"

#include <algorithm>
#include <limits>

#include "gl/OGL.h"
#include "gl/Shader.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"
#include "render/Instance.h"

TGPU_Renderer::TGPU_Renderer() : lists_(kGrowBy) { ClearCullRect(); }

TGPU_Renderer::~TGPU_Renderer() {
  if (!gl_) return;
  for (const ListArray& a : arrays_) gl_->DeleteTexture(a.texture);
}

void TGPU_Renderer::SetUp(TOGL& gl) {
  gl_ = &gl;
  // The rectangles' corners come from the quad buffer, which exists once the quad facility does.
  if (!gl.QuadProgram()) gl.CreateQuadResources();
  useArrays_ = gl.version[0] >= 3 && gl.CanCopyTextures();
  const char* name = useArrays_ ? "gpu_quadi" : "gpu_quadi120";
  program_ = std::make_unique<TGLSL_Program>();
  program_->Load(DataPath(std::string("\\shaders\\") + name));
  // Drawing without it would fall back to the fixed pipeline: black quads, not models.
  if (!program_->Linked()) ConsoleWrite(ToUtf16(std::string("Models are not drawn: shader ") + name + " did not link"));
  modeLocation_ = program_->UniformLocation("mode");
  sizeLocation_ = program_->UniformLocation("slotSize");
  instance_ = std::make_unique<TGPU_Instance>(2, 3, 4);
}

void TGPU_Renderer::Begin(int32_t mode) {
  if (program_ && program_->Linked()) {
    program_->Use();
    program_->ApplyGLMatrices();
    program_->SetUniform1f(modeLocation_, static_cast<float>(mode));
  }
  ClearLists();
}

void TGPU_Renderer::SetCullRect(float left, float bottom, float right, float top) {
  cull_ = {left, bottom, right, top};
}

void TGPU_Renderer::ClearCullRect() {
  constexpr float kFar = std::numeric_limits<float>::infinity();
  cull_ = {-kFar, -kFar, kFar, kFar};
}

void TGPU_Renderer::ClearLists() {
  for (int32_t i = 0; i < allocatedLists_; ++i) lists_[i]->Clear();
  usedLists_ = 0;
}

// Textures are filed whether or not their records are culled, so a list keeps the same
// textures from frame to frame and its atlas array stays valid.
void TGPU_Renderer::FileTexture(GLuint texture, int32_t& list, int32_t& slot) {
  for (int32_t i = 0; i < usedLists_; ++i) {
    TGPU_RenderList& l = *lists_[i];
    for (int j = 0; j < TGPU_RenderList::kSlots; ++j) {
      if (l.Slot(j) != texture && l.Slot(j) != 0) continue;
      l.SetSlot(j, texture);
      list = i;
      slot = j;
      return;
    }
  }
  if (usedLists_ == allocatedLists_) {
    if (allocatedLists_ == ListCapacity()) lists_.resize(lists_.size() + kGrowBy);
    lists_[allocatedLists_++] = std::make_unique<TGPU_RenderList>();
  }
  list = usedLists_++;
  slot = 0;
  lists_[list]->SetSlot(0, texture);
}

void TGPU_Renderer::Flush(TOGL& gl) {
  drawCalls_ = 0;
  if (!program_ || !program_->Linked()) return;
  if (usedLists_ > 0) gl.QuadBindVBO();
  for (int32_t i = 0; i < usedLists_; ++i) DrawList(gl, i);
}

void TGPU_Renderer::DrawList(TOGL& gl, int32_t index) {
  const TGPU_RenderList& list = *lists_[index];
  if (!instance_ || list.Count() == 0) return;
  if (useArrays_) {
    BindArray(gl, index);
  } else {
    for (int j = 0; j < TGPU_RenderList::kSlots; ++j) gl.BindTexture(1 + j, list.Slot(j));
  }
  instance_->Upload(list.Count(), list.Records());
  instance_->Bind();
  // A fan of the four corners fills what a polygon would and works on every profile.
  TOGL_InstanceVBO::DrawInstanced(GL_TRIANGLE_FAN, 4, list.Count());
  instance_->Unbind();
  ++drawCalls_;
}

void TGPU_Renderer::BindArray(TOGL& gl, int32_t index) {
  if (arrays_.size() <= size_t(index)) arrays_.resize(size_t(index) + 1);
  ListArray& a = arrays_[size_t(index)];
  const TGPU_RenderList& list = *lists_[index];
  // A deleted atlas's name may come back for another model: rebuild after any deletion.
  if (!a.texture || a.slots != list.Slots() || a.deletions != gl.TexturesDeleted()) {
    gl.DeleteTexture(a.texture);
    a.slots = list.Slots();
    a.deletions = gl.TexturesDeleted();
    auto used = std::find_if(a.slots.rbegin(), a.slots.rend(), [](GLuint t) { return t != 0; });
    std::vector<GLuint> layers(a.slots.begin(), used.base());
    int width = 0, height = 0;
    a.texture = gl.CreateTextureArray(layers, width, height);
    for (int j = 0; j < TGPU_RenderList::kSlots; ++j) {
      auto [w, h] = gl.TextureSize(a.slots[j]);
      a.size[2 * j] = float(w);
      a.size[2 * j + 1] = float(h);
    }
    ++arraysBuilt_;
  }
  gl.BindTextureArray(1, a.texture);
  program_->SetUniform2fv(sizeLocation_, TGPU_RenderList::kSlots, a.size.data());
}
