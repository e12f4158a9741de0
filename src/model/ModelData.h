#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "model/Palette.h"

class TGM_File;
class TOGL_Renderer;
struct GMFrame;

// Where one frame lies in its model's atlas, and how it sits on the canvas.
struct TGMGL_FrameEntry {
  float u0 = 0;
  float v0 = 0;
  float uSize = 0;
  float vSize = 0;
  int32_t offsetX = 0;
  int32_t top = 0;  // CanvasHeight / 2 + the frame's OffsetY
  int32_t width = 0;
  int32_t height = 0;
};

// A frame as an instance record takes it, less the placed model's position: the record's
// left and bottom are the model's x and y plus these offsets.
struct TGMGL_Sprite {
  float u0 = 0, v0 = 0, uSize = 0, vSize = 0;
  int64_t left = 0, bottom = 0;
  float width = 0, height = 0;
};

// How the instanced shader must read a model's atlas.
enum class TAtlasKind : int {
  Indexed = 0,  // coverage, auxiliary byte, palette index
  Colour = 1,   // "A": colour with opacity
  Effect = 2,   // "E": one intensity channel
};

// One model file on the card: every frame packed into one atlas texture, shared by all
// placed models of that file.
class TGMGL_Data {
 public:
  // Atlases beyond these limits are not built (the model keeps its frame table but draws
  // nothing); no sprite comes near them, only hostile headers do.
  static constexpr int32_t kMaxAtlasSide = 4096;
  static constexpr int64_t kMaxAtlasTexels = int64_t(1) << 22;

  TGMGL_Data() = default;
  TGMGL_Data(const TGMGL_Data&) = delete;
  TGMGL_Data& operator=(const TGMGL_Data&) = delete;
  ~TGMGL_Data();

  // Records `name`; with a stream builds the atlas and, with a renderer, uploads it
  // (the renderer then deletes it with the model and must outlive it). Without a stream
  // the model stays empty.
  void Load(std::istream* stream, std::string name, bool freeAfterUpload, TOGL_Renderer* gl);
  void BuildAtlas(const TGM_File& file);

  int BytesPerTexel() const { return hasAlpha ? 4 : 3; }
  TAtlasKind AtlasKind() const { return atlasKind_; }

  std::string fileName;
  std::vector<TGMGL_FrameEntry> frameTable;
  std::vector<TGMGL_Sprite> sprites;  // one per frame table entry
  // The palette of the model's ".p16" file (or the grey ramp), read once for all its placed models.
  TPalette palette{};
  uint32_t paletteHash = 0;
  char encoding = 0;
  bool hasAlpha = false;
  int32_t canvasWidth = 0;
  int32_t canvasHeight = 0;
  int32_t atlasWidth = 0;
  int32_t atlasHeight = 0;
  int32_t frameCount = 0;
  GLuint texture = 0;
  std::vector<uint8_t> pixels;
  // Filled by the instanced renderer during a frame; reset before every frame.
  int32_t renderList = -1;
  int32_t textureSlot = 0;

 private:
  void CopyFrame(const GMFrame& frame, int32_t x, int32_t y);
  void BuildSprites();

  TOGL_Renderer* gl_ = nullptr;
  TAtlasKind atlasKind_ = TAtlasKind::Indexed;
};

TAtlasKind AtlasKindOf(char encoding);

// Smallest c with c * c >= n: the atlas holds that many frame columns.
int32_t AtlasColumns(int32_t frameCount);
