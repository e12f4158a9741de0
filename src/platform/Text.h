#pragma once
#include <string>
#include <string_view>

// UTF-8 at the edges, UTF-16 inside. Invalid input is repaired (U+FFFD), never rejected.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);
