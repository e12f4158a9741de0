#include "model/Palette.h"

TPalette GreyRamp() {
  TPalette palette;
  for (int i = 0; i < 256; ++i) palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = static_cast<uint8_t>(i);
  return palette;
}

void ReadPalette16(std::istream& stream, TPalette& palette) {
  uint8_t bytes[512];
  stream.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  auto entries = static_cast<int>(stream.gcount() / 2);
  for (int i = 0; i < entries; ++i) {
    unsigned v = bytes[2 * i] | bytes[2 * i + 1] << 8;
    palette[3 * i] = static_cast<uint8_t>((v & 0x1F) << 3);
    palette[3 * i + 1] = static_cast<uint8_t>(((v >> 5) & 0x3F) << 2);
    palette[3 * i + 2] = static_cast<uint8_t>((v >> 11) << 3);
  }
}

void ApplySideColour(TPalette& palette, uint8_t red, uint8_t green, uint8_t blue) {
  for (int k = 0; k < 24; ++k) {
    double f = k / 23.0;
    uint8_t* entry = &palette[3 * (k + 1)];
    entry[0] = static_cast<uint8_t>(f * blue);
    entry[1] = static_cast<uint8_t>(f * green);
    entry[2] = static_cast<uint8_t>(f * red);
  }
}
