#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "render/RenderList.h"

class TGLSL_Program;
class TOGL;
class TGPU_Instance;

// Draws every placed model of a frame with a handful of instanced calls: records are
// filed into render lists of at most 15 atlas textures each, one draw per list.
class TGPU_Renderer {
 public:
  static constexpr int32_t kGrowBy = 100;

  TGPU_Renderer();
  TGPU_Renderer(const TGPU_Renderer&) = delete;
  TGPU_Renderer& operator=(const TGPU_Renderer&) = delete;
  ~TGPU_Renderer();

  // Loads the "gpu_quadi" program and creates the instance buffer; needs a GL context.
  void SetUp(TOGL& gl);
  // Uses the program with the GL object's current matrices and empties the lists.
  void Begin(int32_t mode);
  // Files one record. `list` and `slot` are the caller's per-texture cache for this frame,
  // (-1, 0) before the texture's first record.
  void AddInstance(TGPU_Record record, int32_t& list, int32_t& slot);
  // One instanced draw per used list; texture unit 0 stays the active one (BindTexture
  // leaves it so).
  void Flush(TOGL& gl);

  int32_t UsedLists() const { return usedLists_; }
  int32_t AllocatedLists() const { return allocatedLists_; }
  int32_t ListCapacity() const { return static_cast<int32_t>(lists_.size()); }
  const TGPU_RenderList& List(int32_t i) const { return *lists_[i]; }
  // Instanced draw calls made by the last Flush.
  int32_t DrawCalls() const { return drawCalls_; }
  TGLSL_Program* Program() const { return program_.get(); }

 private:
  void ClearLists();
  void DrawList(TOGL& gl, const TGPU_RenderList& list);

  std::unique_ptr<TGLSL_Program> program_;
  std::unique_ptr<TGPU_Instance> instance_;
  int32_t modeLocation_ = -1;
  std::vector<std::unique_ptr<TGPU_RenderList>> lists_;
  int32_t allocatedLists_ = 0;
  int32_t usedLists_ = 0;
  int32_t drawCalls_ = 0;
};
