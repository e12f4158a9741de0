#pragma once
#include <cstdint>
#include <vector>

class TGMGL_Data;

// Every model file's frames as colours, resolved through the file's palette the way the
// instanced shader resolves them, stacked into one RGBA image (row 0 at the top) so the
// peer draws all sprites with one texture, its best case.
class TPeerAtlas {
 public:
  // Where a model's atlas starts in the image.
  struct Place {
    int x = 0, y = 0, width = 0, height = 0;
  };

  // Adds the atlas of `data` (rebuilt from its file) once; returns its index.
  int Add(const TGMGL_Data& data);
  const Place& PlaceOf(int index) const { return places_[index]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The image, `Width()` x `Height()` RGBA, built when every atlas is added.
  std::vector<uint8_t> Image() const;

 private:
  std::vector<std::vector<uint8_t>> atlases_;  // RGBA, rows bottom first as built
  std::vector<Place> places_;
  int width_ = 0;
  int height_ = 0;
};
