#pragma once
#include <cstdint>
#include <istream>
#include <vector>

// One animation frame of a model file, decoded into planes of Width x Height pixels,
// row 0 being the first row in the file. A frame without data has no planes.
struct GMFrame {
  std::vector<uint8_t> main;   // palette indices (1 byte) or colours blue, green, red (3 bytes)
  std::vector<uint8_t> aux;    // "Z" only: one byte per pixel
  std::vector<uint8_t> alpha;  // "A" and "E" only: one byte per pixel
  std::vector<uint8_t> info;   // the frame information block as read
  int32_t dataSize = 0;
  int16_t offsetX = 0;
  int16_t offsetY = 0;
  uint16_t width = 0;
  uint16_t height = 0;

  bool HasPlanes() const { return !main.empty(); }
};

// Whether a (upper-case) frame encoding stores colours with opacity instead of palette indices.
inline bool IsColourEncoding(char encoding) { return encoding == 'A' || encoding == 'E'; }
// Whether the reader knows how to decode frames of this (upper-case) encoding.
inline bool IsKnownEncoding(char encoding) {
  return encoding == 'Z' || encoding == 'X' || encoding == 'S' || encoding == 'Q' || IsColourEncoding(encoding);
}

// A GM model file read into memory: every frame decoded, the canvas size worked out.
// Files are accepted as they read: short reads leave fields 0, unknown encodings give
// transparent frames, and decoding never writes past a frame's planes.
class TGM_File {
 public:
  // Frames claiming more pixels than this get no planes; the whole file may decode at most
  // kMaxFilePixels. Sprites are tiny; these only stop hostile headers from exhausting memory.
  static constexpr int64_t kMaxFramePixels = int64_t(1) << 20;
  static constexpr int64_t kMaxFilePixels = int64_t(1) << 22;

  void Load(std::istream& stream);

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  const GMFrame& GetFrame(int i) const { return frames_[i]; }
  char Encoding() const { return encoding_; }
  // False when the stream ended before every byte the header and frames claim.
  bool Complete() const { return complete_; }
  int32_t CanvasWidth() const { return canvasWidth_; }
  int32_t CanvasHeight() const { return canvasHeight_; }

  // Decodes `data` into the planes of `frame` (sized and zeroed here) by `encoding`.
  static void Decode(char encoding, const std::vector<uint8_t>& data, int32_t dataSize, GMFrame& frame);
  // Canvas on which every frame, placed at its offsets from the centre, fits; always even.
  static void CanvasSize(const std::vector<GMFrame>& frames, int32_t& width, int32_t& height);

 private:
  void LoadFrame(std::istream& stream, GMFrame& frame, int64_t& pixelBudget);

  char encoding_ = 0;
  bool complete_ = false;
  std::vector<GMFrame> frames_;
  int32_t canvasWidth_ = 0;
  int32_t canvasHeight_ = 0;
};
