#include "render/GPURenderer.h"

#include <cmath>

#include "gl/OGL.h"
#include "gl/Shader.h"
#include "platform/DataFiles.h"
#include "render/Instance.h"

TGPU_Renderer::TGPU_Renderer() : lists_(kGrowBy) {}

TGPU_Renderer::~TGPU_Renderer() = default;

void TGPU_Renderer::SetUp(TOGL& gl) {
  // The rectangles' corners come from the quad buffer, which exists once the quad facility does.
  if (!gl.QuadProgram()) gl.CreateQuadResources();
  program_ = std::make_unique<TGLSL_Program>();
  program_->Load(DataPath("\\shaders\\gpu_quadi"));
  modeLocation_ = program_->UniformLocation("mode");
  instance_ = std::make_unique<TGPU_Instance>(2, 3, 4);
}

void TGPU_Renderer::Begin(int32_t mode) {
  if (program_) {
    program_->Use();
    program_->ApplyGLMatrices();
    program_->SetUniform1f(modeLocation_, static_cast<float>(mode));
  }
  ClearLists();
}

void TGPU_Renderer::ClearLists() {
  for (int32_t i = 0; i < allocatedLists_; ++i) lists_[i]->Clear();
  usedLists_ = 0;
}

void TGPU_Renderer::AddInstance(TGPU_Record record, int32_t& list, int32_t& slot) {
  if (list >= 0) {
    record[10] = static_cast<float>(slot);
    lists_[list]->Append(record);
    return;
  }
  auto texture = static_cast<GLuint>(std::lround(record[10]));
  for (int32_t i = 0; i < usedLists_; ++i) {
    TGPU_RenderList& l = *lists_[i];
    for (int j = 0; j < TGPU_RenderList::kSlots; ++j) {
      if (l.Slot(j) != texture && l.Slot(j) != 0) continue;
      l.SetSlot(j, texture);
      record[10] = static_cast<float>(j);
      l.Append(record);
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
  record[10] = 0;
  lists_[list]->Append(record);
}

void TGPU_Renderer::Flush(TOGL& gl) {
  drawCalls_ = 0;
  if (usedLists_ > 0) gl.QuadBindVBO();
  for (int32_t i = 0; i < usedLists_; ++i) DrawList(gl, *lists_[i]);
}

void TGPU_Renderer::DrawList(TOGL& gl, const TGPU_RenderList& list) {
  if (!instance_) return;
  for (int j = 0; j < TGPU_RenderList::kSlots; ++j) gl.BindTexture(1 + j, list.Slot(j));
  instance_->Upload(list.Count(), list.Records());
  instance_->Bind();
  // A fan of the four corners fills what a polygon would and works on every profile.
  TOGL_InstanceVBO::DrawInstanced(GL_TRIANGLE_FAN, 4, list.Count());
  instance_->Unbind();
  ++drawCalls_;
}
