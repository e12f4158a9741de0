#include "model/ModelData.h"

#include <algorithm>
#include <numeric>

#include "gl/Renderer.h"
#include "model/GMFile.h"
#include "platform/Console.h"
#include "platform/Text.h"

int32_t AtlasColumns(int32_t frameCount) {
  int32_t c = 0;
  while (int64_t(c) * c < frameCount) ++c;
  return c;
}

TGMGL_Data::~TGMGL_Data() {
  if (texture && gl_) gl_->DeleteTexture(texture);
}

TAtlasKind AtlasKindOf(char encoding) {
  if (encoding == 'A') return TAtlasKind::Colour;
  if (encoding == 'E') return TAtlasKind::Effect;
  return TAtlasKind::Indexed;
}

void TGMGL_Data::Load(std::istream* stream, std::string name, bool freeAfterUpload, TOGL_Renderer* gl) {
  fileName = std::move(name);
  if (!stream) return;
  TGM_File file;
  file.Load(*stream);
  BuildAtlas(file);
  if (gl && !pixels.empty()) {
    gl_ = gl;
    texture =
        gl->CreateTexture(atlasWidth, atlasHeight, GL_RGBA, hasAlpha ? GL_BGRA : GL_BGR, pixels.data(), false, true);
  }
  if (freeAfterUpload) pixels = {};
}

void TGMGL_Data::BuildAtlas(const TGM_File& file) {
  encoding = file.Encoding();
  atlasKind_ = AtlasKindOf(encoding);
  hasAlpha = IsColourEncoding(encoding);
  canvasWidth = file.CanvasWidth();
  canvasHeight = file.CanvasHeight();
  frameCount = file.FrameCount();
  frameTable.assign(frameCount, {});

  std::vector<int32_t> order(frameCount);
  std::iota(order.begin(), order.end(), 0);
  // Only frames with pixels are packed, so only they are sorted and size the atlas: a
  // truncated file can claim tens of thousands of empty frames.
  auto packed =
      std::stable_partition(order.begin(), order.end(), [&](int32_t i) { return file.GetFrame(i).HasPlanes(); });
  std::stable_sort(order.begin(), packed, [&](int32_t a, int32_t b) {
    const GMFrame& fa = file.GetFrame(a);
    const GMFrame& fb = file.GetFrame(b);
    return fa.height != fb.height ? fa.height > fb.height : fa.width > fb.width;
  });
  int32_t maxW = 0;
  int32_t maxH = 0;
  for (auto it = order.begin(); it != packed; ++it) {
    const GMFrame& f = file.GetFrame(*it);
    maxW = std::max<int32_t>(maxW, f.width);
    maxH = std::max<int32_t>(maxH, f.height);
  }
  int32_t columns = AtlasColumns(frameCount);
  int64_t width = int64_t(columns) * maxW;
  int64_t rows = int64_t(columns) * maxH;
  bool fits = width <= kMaxAtlasSide && rows <= kMaxAtlasSide && width * rows <= kMaxAtlasTexels;
  if (!fits) ConsoleWrite(ToUtf16("Model atlas too large, not built: " + fileName));
  atlasWidth = fits ? static_cast<int32_t>(width) : 0;

  // Shelves first, so that the atlas is allocated at the height it ends up with.
  struct Placement {
    int32_t frame, x, y;
  };
  std::vector<Placement> placements;
  int32_t cursorX = 0;
  int32_t shelfY = 0;
  int32_t shelfH = 0;
  for (int32_t i = 0; i < frameCount; ++i) {
    const GMFrame& f = file.GetFrame(i);
    TGMGL_FrameEntry& e = frameTable[i];
    e.width = f.width;
    e.height = f.height;
    e.offsetX = f.offsetX;
    e.top = canvasHeight / 2 + f.offsetY;
  }
  for (auto it = order.begin(); fits && it != packed; ++it) {
    const GMFrame& f = file.GetFrame(*it);
    if (cursorX + f.width > atlasWidth || shelfH == 0) {
      shelfY += shelfH;
      shelfH = f.height;
      cursorX = 0;
    }
    placements.push_back({*it, cursorX, shelfY});
    cursorX += f.width;
  }
  atlasHeight = shelfY + shelfH;
  pixels.assign(size_t(atlasWidth) * atlasHeight * BytesPerTexel(), 0);
  for (const Placement& p : placements) {
    const GMFrame& f = file.GetFrame(p.frame);
    TGMGL_FrameEntry& e = frameTable[p.frame];
    e.u0 = float(p.x) / float(atlasWidth);
    e.uSize = float(f.width) / float(atlasWidth);
    e.v0 = float(p.y) / float(atlasHeight);
    e.vSize = float(f.height) / float(atlasHeight);
    CopyFrame(f, p.x, p.y);
  }
  BuildSprites();
}

void TGMGL_Data::BuildSprites() {
  sprites.resize(frameTable.size());
  for (size_t i = 0; i < frameTable.size(); ++i) {
    const TGMGL_FrameEntry& f = frameTable[i];
    int64_t bottom = -int64_t(canvasHeight / 2) + (int64_t(canvasHeight) - f.top - f.height);
    sprites[i] = {f.u0, f.v0, f.uSize, f.vSize, f.offsetX, bottom, float(f.width), float(f.height)};
  }
}

// Source row r lands on atlas row y + height - 1 - r: the texture's row 0 is its bottom.
void TGMGL_Data::CopyFrame(const GMFrame& f, int32_t x, int32_t y) {
  int bpt = BytesPerTexel();
  uint8_t coverage = encoding == 'S' ? 127 : 255;
  for (int32_t r = 0; r < f.height; ++r) {
    uint8_t* out = &pixels[(size_t(y + f.height - 1 - r) * atlasWidth + x) * bpt];
    for (int32_t c = 0; c < f.width; ++c, out += bpt) {
      size_t p = size_t(r) * f.width + c;
      if (hasAlpha) {
        std::copy_n(&f.main[3 * p], 3, out);
        out[3] = f.alpha[p];
        continue;
      }
      uint8_t index = f.main[p];
      out[0] = index ? coverage : 0;
      out[1] = f.aux.empty() ? 0 : f.aux[p];
      out[2] = index;
    }
  }
}
