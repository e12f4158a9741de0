#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Inflates one zlib stream into `out`, which has the size the caller expects.
// Whatever inflates before an error stays in `out`; the rest is left as it was.
// Returns true only when the stream inflated cleanly to exactly out.size() bytes.
bool InflateExact(const std::vector<uint8_t>& compressed, std::vector<uint8_t>& out);
