#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/GMFile.h"

// Writes model files: the inverse of TGM_File's decoding. Frames are given as decoded
// planes (GMFrame); what an encoding can hold comes back unchanged through TGM_File:
// "Z" keeps the auxiliary byte only under non-zero indices, "S" keeps only the mask,
// "A" keeps 8 opacity levels and 5-6-5 premultiplied colours, "E" keeps the blue byte.
std::string EncodeGM(char encoding, const std::vector<GMFrame>& frames);

// The encoded pixel bytes of one frame.
std::vector<uint8_t> EncodeFrame(char encoding, const GMFrame& frame);

// The ".p16" bytes of a palette (blue, green, red entries), each entry cut to 5-6-5.
std::string EncodePalette16(const std::array<uint8_t, 768>& palette);
