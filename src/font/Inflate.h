#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Inflates one zlib stream that should give `expected` bytes. The result grows only
// as output arrives, so a small bad stream cannot make a large buffer; after an
// error it holds what inflated before it. Returns true only when the stream ended
// cleanly after exactly `expected` bytes.
bool Inflate(const std::vector<uint8_t>& compressed, size_t expected, std::vector<uint8_t>& out);
