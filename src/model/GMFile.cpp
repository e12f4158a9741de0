#include "model/GMFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Bytes read from the stream; what it cannot deliver stays 0.
template <typename T>
T ReadValue(std::istream& stream) {
  uint8_t bytes[sizeof(T)] = {};
  stream.read(reinterpret_cast<char*>(bytes), sizeof(T));
  T value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<T>(bytes[i]) << (8 * i));
  return value;
}

// Reads up to `count` bytes, growing the buffer only as data arrives, so a size field that
// claims gigabytes in a short file allocates no more than the file holds.
std::vector<uint8_t> ReadBytes(std::istream& stream, int64_t count) {
  constexpr int64_t kChunk = 1 << 16;
  std::vector<uint8_t> bytes;
  while (count > 0 && stream) {
    size_t have = bytes.size();
    int64_t want = std::min(count, kChunk);
    bytes.resize(have + static_cast<size_t>(want));
    stream.read(reinterpret_cast<char*>(bytes.data() + have), want);
    int64_t got = stream.gcount();
    bytes.resize(have + static_cast<size_t>(got));
    count -= got;
    if (got < want) break;
  }
  return bytes;
}

// Reads past the bytes rather than seeking: a seek beyond the end of a file succeeds, and
// the reader could not tell that the file was short.
void Skip(std::istream& stream, int64_t count) {
  if (count > 0 && stream) stream.ignore(count);
}

int32_t RoundUpEven(int64_t v) { return static_cast<int32_t>((v + 1) & ~int64_t(1)); }

// Walks the encoded bytes and the pixel positions of one frame. Every step checks both
// ends, so a malformed frame stops where it would run past its data or its planes.
class Decoder {
 public:
  Decoder(const std::vector<uint8_t>& data, int32_t dataSize, GMFrame& frame)
      : data_(data),
        end_(std::min<int64_t>(dataSize, static_cast<int64_t>(data.size()))),
        frame_(frame),
        pixels_(int64_t(frame.width) * frame.height) {}

  bool More() const { return pos_ < end_; }
  bool HasBytes(int64_t n) const { return pos_ + n <= end_; }
  uint8_t Byte() { return data_[static_cast<size_t>(pos_++)]; }
  void SkipBytes(int64_t n) { pos_ += n; }
  bool Fits(int64_t n) const { return pixel_ + n <= pixels_; }
  void SkipPixels(int64_t n) { pixel_ += n; }
  int64_t Pixel() const { return pixel_; }
  GMFrame& Frame() { return frame_; }

 private:
  const std::vector<uint8_t>& data_;
  int64_t end_;
  GMFrame& frame_;
  int64_t pixels_;
  int64_t pos_ = 0;
  int64_t pixel_ = 0;
};

void DecodeZ(Decoder& d) {
  d.SkipBytes(4 * int64_t(d.Frame().height));
  while (d.More() && d.HasBytes(2)) {
    uint8_t b = d.Byte();
    uint8_t n = d.Byte();
    int64_t run = b ? 1 : n;
    if (!d.Fits(run)) return;
    if (b) {
      d.Frame().main[d.Pixel()] = b;
      d.Frame().aux[d.Pixel()] = n;
    }
    d.SkipPixels(run);
  }
}

void DecodeX(Decoder& d) {
  while (d.More()) {
    uint8_t c = d.Byte();
    int64_t n = (c & 0x80) ? (c & 0x3F) : (c & 0x7F);
    if (!d.Fits(n)) return;
    if ((c & 0xC0) == 0xC0) {
      if (!d.HasBytes(n)) return;
      for (int64_t i = 0; i < n; ++i, d.SkipPixels(1)) d.Frame().main[d.Pixel()] = d.Byte();
    } else if (c & 0x80) {
      if (!d.HasBytes(1)) return;
      uint8_t v = d.Byte();
      std::memset(&d.Frame().main[d.Pixel()], v, static_cast<size_t>(n));
      d.SkipPixels(n);
    } else {
      d.SkipPixels(n);
    }
  }
}

void DecodeS(Decoder& d) {
  while (d.More()) {
    uint8_t c = d.Byte();
    int64_t n = c & 0x7F;
    if (!d.Fits(n)) return;
    if (c & 0x80) std::memset(&d.Frame().main[d.Pixel()], 1, static_cast<size_t>(n));
    d.SkipPixels(n);
  }
}

void DecodeQ(Decoder& d, const std::vector<uint8_t>& data, int32_t dataSize) {
  GMFrame& f = d.Frame();
  if (int64_t(dataSize) != int64_t(f.width) * f.height) return;
  std::copy_n(data.begin(), std::min(data.size(), f.main.size()), f.main.begin());
}

uint8_t Unpremultiply(int channel, int opacity) {
  double v = channel / 255.0 * (255.0 / opacity) * 255.0;
  return static_cast<uint8_t>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
}

void DecodeA(Decoder& d) {
  while (d.More()) {
    uint8_t c = d.Byte();
    if (!(c & 0x80)) {
      int64_t n = (c & 0x7F) ? (c & 0x7F) : 128;
      if (!d.Fits(n)) return;
      d.SkipPixels(n);
      continue;
    }
    if (!d.Fits(1) || !d.HasBytes(2)) return;
    int opacity = (32 * (c & 0x0F) - 4) & 0xFF;
    uint16_t v = d.Byte();
    v |= static_cast<uint16_t>(d.Byte() << 8);
    uint8_t* colour = &d.Frame().main[3 * d.Pixel()];
    colour[0] = Unpremultiply((v & 0x1F) << 3, opacity);
    colour[1] = Unpremultiply(((v >> 5) & 0x3F) << 2, opacity);
    colour[2] = Unpremultiply((v >> 11) << 3, opacity);
    d.Frame().alpha[d.Pixel()] = static_cast<uint8_t>(opacity);
    d.SkipPixels(1);
  }
}

void DecodeE(Decoder& d) {
  while (d.More() && d.Fits(1)) {
    uint8_t v = d.Byte();
    if (v) {
      d.Frame().main[3 * d.Pixel()] = v;
      d.Frame().alpha[d.Pixel()] = 255;
    }
    d.SkipPixels(1);
  }
}

}  // namespace

void TGM_File::Load(std::istream& stream) {
  ReadValue<uint32_t>(stream);
  uint16_t extra = ReadValue<uint16_t>(stream);
  Skip(stream, extra);
  encoding_ = static_cast<char>(std::toupper(ReadValue<uint8_t>(stream)));
  frames_.assign(ReadValue<uint16_t>(stream), GMFrame{});
  int64_t pixelBudget = kMaxFilePixels;
  for (GMFrame& frame : frames_) LoadFrame(stream, frame, pixelBudget);
  complete_ = !stream.fail() && !stream.eof();
  CanvasSize(frames_, canvasWidth_, canvasHeight_);
}

void TGM_File::LoadFrame(std::istream& stream, GMFrame& frame, int64_t& pixelBudget) {
  uint16_t infoSize = ReadValue<uint16_t>(stream);
  if (infoSize) {
    frame.info = ReadBytes(stream, infoSize);
    uint8_t head[4] = {};
    std::copy_n(frame.info.begin(), std::min<size_t>(4, frame.info.size()), head);
    frame.offsetX = static_cast<int16_t>(head[0] | head[1] << 8);
    frame.offsetY = static_cast<int16_t>(head[2] | head[3] << 8);
  }
  frame.width = ReadValue<uint16_t>(stream);
  frame.height = ReadValue<uint16_t>(stream);
  frame.dataSize = static_cast<int32_t>(ReadValue<uint32_t>(stream));
  if (!frame.width || !frame.height || frame.dataSize <= 0) return;

  int64_t pixels = int64_t(frame.width) * frame.height;
  // No encoding can use more than this many bytes for the frame's pixels.
  int64_t useful = 4 * int64_t(frame.height) + 4 * pixels + 64;
  int64_t keep = std::min<int64_t>(frame.dataSize, useful);
  if (pixels > kMaxFramePixels || pixels > pixelBudget) {
    Skip(stream, frame.dataSize);
    return;
  }
  std::vector<uint8_t> data = ReadBytes(stream, keep);
  if (static_cast<int64_t>(data.size()) == keep) Skip(stream, frame.dataSize - keep);
  pixelBudget -= pixels;
  Decode(encoding_, data, frame.dataSize, frame);
}

void TGM_File::Decode(char encoding, const std::vector<uint8_t>& data, int32_t dataSize, GMFrame& frame) {
  size_t pixels = size_t(frame.width) * frame.height;
  bool colour = IsColourEncoding(encoding);
  frame.main.assign(colour ? 3 * pixels : pixels, 0);
  frame.aux.assign(encoding == 'Z' ? pixels : 0, 0);
  frame.alpha.assign(colour ? pixels : 0, 0);
  Decoder d(data, dataSize, frame);
  switch (encoding) {
    case 'Z':
      DecodeZ(d);
      break;
    case 'X':
      DecodeX(d);
      break;
    case 'S':
      DecodeS(d);
      break;
    case 'Q':
      DecodeQ(d, data, dataSize);
      break;
    case 'A':
      DecodeA(d);
      break;
    case 'E':
      DecodeE(d);
      break;
    default:
      break;
  }
}

void TGM_File::CanvasSize(const std::vector<GMFrame>& frames, int32_t& width, int32_t& height) {
  int64_t w = 0;
  int64_t h = 0;
  for (const GMFrame& f : frames) {
    w = RoundUpEven(std::max<int64_t>(w, f.width));
    h = RoundUpEven(std::max<int64_t>(h, f.height));
  }
  for (const GMFrame& f : frames) {
    int64_t dx = f.offsetX + w / 2;
    int64_t dy = f.offsetY + h / 2;
    if (dx < 0) w += 2 * -dx;
    if (dy < 0) h += 2 * -dy;
    w = RoundUpEven(w);
    h = RoundUpEven(h);
    w = RoundUpEven(std::max<int64_t>(w, 2 * std::abs(int64_t(f.offsetX) + f.width)));
    h = RoundUpEven(std::max<int64_t>(h, 2 * std::abs(int64_t(f.offsetY) + f.height)));
  }
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
}
