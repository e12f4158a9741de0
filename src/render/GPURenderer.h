#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/RenderList.h"

class TGLSL_Program;
class TOGL;
class TGPU_Instance;

// Draws every placed model of a frame with a handful of instanced calls: records are
// filed into render lists of at most 15 atlas textures each, one draw per list. Where
// the card can copy textures, a list's atlases are copied into the layers of one array
// texture (kept while the list's textures stay the same), so that each pixel samples one
// atlas instead of choosing among fifteen.
class TGPU_Renderer {
 public:
  static constexpr int32_t kGrowBy = 100;

  TGPU_Renderer();
  TGPU_Renderer(const TGPU_Renderer&) = delete;
  TGPU_Renderer& operator=(const TGPU_Renderer&) = delete;
  ~TGPU_Renderer();

  // Loads the program and creates the instance buffer; needs a GL context. `gl` must
  // outlive the renderer.
  void SetUp(TOGL& gl);
  // Uses the program with the GL object's current matrices and empties the lists.
  void Begin(int32_t mode);
  // Records wholly outside this rectangle (pixels, y upwards) are filed but not drawn.
  void SetCullRect(float left, float bottom, float right, float top);
  void ClearCullRect();
  // Files one record. `list` and `slot` are the caller's per-texture cache for this frame,
  // (-1, 0) before the texture's first record.
  void AddInstance(const TGPU_Record& record, int32_t& list, int32_t& slot) {
    if (TGPU_Record* r = NewInstance(static_cast<GLuint>(record[10] + 0.5f), record[4], record[5], record[6], record[7],
                                     list, slot)) {
      *r = record;
      (*r)[10] = static_cast<float>(slot);
    }
  }
  // AddInstance for callers that fill the record in place: files `texture`, and returns
  // the record to fill, whole, with `slot` in its texture field, or null when the screen
  // rectangle is culled.
  TGPU_Record* NewInstance(GLuint texture, float left, float bottom, float width, float height, int32_t& list,
                           int32_t& slot) {
    if (list < 0) FileTexture(texture, list, slot);
    if (left >= cull_[2] || left + width <= cull_[0] || bottom >= cull_[3] || bottom + height <= cull_[1])
      return nullptr;
    return &lists_[list]->Append();
  }
  // One instanced draw per used list that holds records; texture unit 0 stays the active one.
  void Flush(TOGL& gl);

  int32_t UsedLists() const { return usedLists_; }
  int32_t AllocatedLists() const { return allocatedLists_; }
  int32_t ListCapacity() const { return static_cast<int32_t>(lists_.size()); }
  const TGPU_RenderList& List(int32_t i) const { return *lists_[i]; }
  // Instanced draw calls made by the last Flush.
  int32_t DrawCalls() const { return drawCalls_; }
  // Array textures built since SetUp (a list's atlases changed).
  int32_t ArraysBuilt() const { return arraysBuilt_; }
  bool UsesArrays() const { return useArrays_; }
  TGLSL_Program* Program() const { return program_.get(); }

 private:
  // The atlas array of one list and the textures it was copied from.
  struct ListArray {
    GLuint texture = 0;
    std::array<GLuint, TGPU_RenderList::kSlots> slots{};
    std::array<float, 2 * TGPU_RenderList::kSlots> size{};  // each atlas's, in texels
    int64_t deletions = 0;
  };

  void FileTexture(GLuint texture, int32_t& list, int32_t& slot);
  void ClearLists();
  void DrawList(TOGL& gl, int32_t index);
  void BindArray(TOGL& gl, int32_t index);

  TOGL* gl_ = nullptr;
  std::unique_ptr<TGLSL_Program> program_;
  std::unique_ptr<TGPU_Instance> instance_;
  int32_t modeLocation_ = -1;
  int32_t sizeLocation_ = -1;
  bool useArrays_ = false;
  std::vector<std::unique_ptr<TGPU_RenderList>> lists_;
  std::vector<ListArray> arrays_;
  int32_t allocatedLists_ = 0;
  int32_t usedLists_ = 0;
  int32_t drawCalls_ = 0;
  int32_t arraysBuilt_ = 0;
  std::array<float, 4> cull_{};
};
