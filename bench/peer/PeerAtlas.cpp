#include "PeerAtlas.h"

#include <algorithm>
#include <cstring>

#include "model/GMFile.h"
#include "model/ModelData.h"
#include "platform/DataFiles.h"

namespace {

// One atlas texel as the instanced shader colours it (mode 1).
void Resolve(const TGMGL_Data& data, const uint8_t* texel, uint8_t* rgba) {
  const uint8_t* palette = data.palette.data();
  switch (data.AtlasKind()) {
    case TAtlasKind::Colour:
      rgba[0] = texel[2], rgba[1] = texel[1], rgba[2] = texel[0], rgba[3] = texel[3];
      return;
    case TAtlasKind::Effect:
      std::memcpy(rgba, palette + 3 * texel[0], 3);
      rgba[3] = texel[0];
      break;
    case TAtlasKind::Indexed:
      std::memcpy(rgba, palette + 3 * texel[2], 3);
      rgba[3] = texel[0];
      break;
  }
  std::swap(rgba[0], rgba[2]);  // the palette holds blue, green, red
}

}  // namespace

int TPeerAtlas::Add(const TGMGL_Data& data) {
  TGMGL_Data atlas;
  if (auto stream = OpenDataFile(data.fileName)) {
    TGM_File file;
    file.Load(*stream);
    atlas.BuildAtlas(file);
  }
  std::vector<uint8_t> rgba(size_t(atlas.atlasWidth) * atlas.atlasHeight * 4);
  const int bpt = atlas.BytesPerTexel();
  for (size_t t = 0; t < rgba.size() / 4; ++t) Resolve(data, &atlas.pixels[t * bpt], &rgba[t * 4]);
  places_.push_back({0, height_, atlas.atlasWidth, atlas.atlasHeight});
  atlases_.push_back(std::move(rgba));
  width_ = std::max(width_, atlas.atlasWidth);
  height_ += atlas.atlasHeight;
  return static_cast<int>(places_.size()) - 1;
}

// Each atlas keeps its rows bottom first, so a sprite's top row is its highest row index.
std::vector<uint8_t> TPeerAtlas::Image() const {
  std::vector<uint8_t> image(size_t(width_) * height_ * 4);
  for (size_t a = 0; a < atlases_.size(); ++a) {
    const Place& p = places_[a];
    for (int row = 0; row < p.height; ++row)
      std::memcpy(&image[(size_t(p.y + row) * width_) * 4], &atlases_[a][size_t(row) * p.width * 4],
                  size_t(p.width) * 4);
  }
  return image;
}
