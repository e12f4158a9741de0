#pragma once
#include <cstdint>

// The high-resolution counter as a 64-bit count and its frequency, and the millisecond
// tick count, both from the steady clock.
int64_t HiResCount();
int64_t HiResFrequency();
uint32_t TickCount();
