#include "platform/Text.h"

#include <utf8.h>

#include <iterator>

std::u16string ToUtf16(std::string_view utf8) {
  std::string valid;
  utf8::replace_invalid(utf8.begin(), utf8.end(), std::back_inserter(valid));
  std::u16string out;
  utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(out));
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  // Lone surrogates cannot be encoded; replace them before converting.
  std::u16string clean(utf16);
  for (size_t i = 0; i < clean.size(); ++i) {
    char16_t c = clean[i];
    bool high = c >= 0xD800 && c <= 0xDBFF;
    bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 && clean[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      clean[i] = 0xFFFD;
    }
  }
  std::string out;
  utf8::utf16to8(clean.begin(), clean.end(), std::back_inserter(out));
  return out;
}
