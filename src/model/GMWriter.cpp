#include "model/GMWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

class Bytes {
 public:
  explicit Bytes(std::vector<uint8_t>& out) : out_(out) {}
  void U8(unsigned v) { out_.push_back(static_cast<uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }

 private:
  std::vector<uint8_t>& out_;
};

size_t PixelCount(const GMFrame& f) { return size_t(f.width) * f.height; }

uint8_t IndexAt(const GMFrame& f, size_t p) { return p < f.main.size() ? f.main[p] : 0; }

void EncodeZ(const GMFrame& f, std::vector<uint8_t>& out) {
  Bytes b(out);
  // The row table is not read back; it holds each row's first pixel number.
  for (uint32_t r = 0; r < f.height; ++r) b.U32(r * f.width);
  size_t n = PixelCount(f);
  for (size_t p = 0; p < n;) {
    uint8_t index = IndexAt(f, p);
    if (index) {
      b.U8(index);
      b.U8(p < f.aux.size() ? f.aux[p] : 0);
      ++p;
      continue;
    }
    size_t run = 0;
    while (p + run < n && run < 255 && !IndexAt(f, p + run)) ++run;
    b.U8(0);
    b.U8(static_cast<unsigned>(run));
    p += run;
  }
}

size_t RunOf(const GMFrame& f, size_t p, size_t n, size_t limit) {
  size_t run = 1;
  while (p + run < n && run < limit && IndexAt(f, p + run) == IndexAt(f, p)) ++run;
  return run;
}

void EncodeX(const GMFrame& f, std::vector<uint8_t>& out) {
  Bytes b(out);
  size_t n = PixelCount(f);
  for (size_t p = 0; p < n;) {
    if (!IndexAt(f, p)) {
      size_t run = RunOf(f, p, n, 127);
      b.U8(static_cast<unsigned>(run));
      p += run;
      continue;
    }
    size_t run = RunOf(f, p, n, 63);
    if (run >= 3) {
      b.U8(0x80 | static_cast<unsigned>(run));
      b.U8(IndexAt(f, p));
      p += run;
      continue;
    }
    size_t literal = 0;
    while (p + literal < n && literal < 63 && IndexAt(f, p + literal) && RunOf(f, p + literal, n, 3) < 3) ++literal;
    literal = std::max<size_t>(literal, 1);
    b.U8(0xC0 | static_cast<unsigned>(literal));
    for (size_t i = 0; i < literal; ++i) b.U8(IndexAt(f, p + i));
    p += literal;
  }
}

void EncodeS(const GMFrame& f, std::vector<uint8_t>& out) {
  size_t n = PixelCount(f);
  for (size_t p = 0; p < n;) {
    bool set = IndexAt(f, p) != 0;
    size_t run = 1;
    while (p + run < n && run < 127 && (IndexAt(f, p + run) != 0) == set) ++run;
    out.push_back(static_cast<uint8_t>((set ? 0x80 : 0) | run));
    p += run;
  }
}

void EncodeQ(const GMFrame& f, std::vector<uint8_t>& out) {
  for (size_t p = 0; p < PixelCount(f); ++p) out.push_back(IndexAt(f, p));
}

// Low four bits of an "A" control byte: 0 → 252, 1 → 28, ..., 7 → 220.
int Opacity(int level) { return (32 * level - 4) & 0xFF; }

int NearestLevel(int alpha) {
  int best = 0;
  for (int level = 1; level < 8; ++level) {
    if (std::abs(Opacity(level) - alpha) < std::abs(Opacity(best) - alpha)) best = level;
  }
  return best;
}

uint8_t Unpremultiply(int channel, int opacity) {
  double v = channel / 255.0 * (255.0 / opacity) * 255.0;
  return static_cast<uint8_t>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
}

// The stored value (of `bits` bits) that decodes nearest to `target` at `opacity`.
unsigned Quantise(uint8_t target, int bits, int opacity) {
  unsigned best = 0;
  int bestError = std::numeric_limits<int>::max();
  for (unsigned q = 0; q < (1u << bits); ++q) {
    int error = std::abs(Unpremultiply(static_cast<int>(q << (8 - bits)), opacity) - target);
    if (error < bestError) {
      best = q;
      bestError = error;
    }
  }
  return best;
}

void EncodeA(const GMFrame& f, std::vector<uint8_t>& out) {
  Bytes b(out);
  size_t n = PixelCount(f);
  auto alphaAt = [&](size_t p) { return p < f.alpha.size() ? f.alpha[p] : 0; };
  for (size_t p = 0; p < n;) {
    if (!alphaAt(p)) {
      size_t run = 1;
      while (p + run < n && run < 128 && !alphaAt(p + run)) ++run;
      b.U8(run == 128 ? 0 : static_cast<unsigned>(run));
      p += run;
      continue;
    }
    int level = NearestLevel(alphaAt(p));
    int opacity = Opacity(level);
    const uint8_t* c = &f.main[3 * p];
    unsigned v = Quantise(c[2], 5, opacity) << 11 | Quantise(c[1], 6, opacity) << 5 | Quantise(c[0], 5, opacity);
    b.U8(0x80 | static_cast<unsigned>(level));
    b.U16(v);
    ++p;
  }
}

void EncodeE(const GMFrame& f, std::vector<uint8_t>& out) {
  for (size_t p = 0; p < PixelCount(f); ++p) {
    bool shown = p < f.alpha.size() && f.alpha[p];
    out.push_back(shown ? f.main[3 * p] : 0);
  }
}

}  // namespace

std::vector<uint8_t> EncodeFrame(char encoding, const GMFrame& frame) {
  std::vector<uint8_t> out;
  switch (std::toupper(static_cast<unsigned char>(encoding))) {
    case 'Z':
      EncodeZ(frame, out);
      break;
    case 'X':
      EncodeX(frame, out);
      break;
    case 'S':
      EncodeS(frame, out);
      break;
    case 'A':
      EncodeA(frame, out);
      break;
    case 'E':
      EncodeE(frame, out);
      break;
    default:
      EncodeQ(frame, out);
      break;
  }
  return out;
}

std::string EncodeGM(char encoding, const std::vector<GMFrame>& frames) {
  std::vector<uint8_t> out;
  Bytes b(out);
  b.U32(0);
  b.U16(0);
  b.U8(static_cast<unsigned char>(encoding));
  b.U16(static_cast<unsigned>(frames.size()));
  for (const GMFrame& f : frames) {
    b.U16(4);
    b.U16(static_cast<uint16_t>(f.offsetX));
    b.U16(static_cast<uint16_t>(f.offsetY));
    b.U16(f.width);
    b.U16(f.height);
    std::vector<uint8_t> data = f.width && f.height ? EncodeFrame(encoding, f) : std::vector<uint8_t>{};
    b.U32(static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
  }
  return std::string(out.begin(), out.end());
}

std::string EncodePalette16(const std::array<uint8_t, 768>& palette) {
  std::string out;
  for (int i = 0; i < 256; ++i) {
    unsigned v = (palette[3 * i + 2] >> 3) << 11 | (palette[3 * i + 1] >> 2) << 5 | palette[3 * i] >> 3;
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  }
  return out;
}
