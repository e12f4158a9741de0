#pragma once
#include <cstdint>
#include <vector>

// Squared Euclidean distance from every pixel to the nearest pixel whose flag is
// set (exact, Felzenszwalb and Huttenlocher). Without any set pixel the result is
// a large value everywhere.
std::vector<float> SquaredDistanceToSet(const std::vector<uint8_t>& flags, int width, int height);

// Signed distance in pixels to the edge between inside (coverage >= 128) and
// outside: positive inside, negative outside, the edge halfway between pixel centres.
std::vector<float> SignedDistance(const std::vector<uint8_t>& coverage, int width, int height);

// Box-downsamples a signed distance by `factor` and encodes it as bytes:
// 128 on the edge, 255 at `spread` output pixels inside, 0 at `spread` outside.
std::vector<uint8_t> EncodeDistance(const std::vector<float>& distance, int width, int height, int factor,
                                    float spread);
