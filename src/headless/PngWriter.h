#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes RGBA pixels stored bottom row first (as GL reads them) as a PNG file.
bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
                      std::string& error);
