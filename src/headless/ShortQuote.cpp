#include "headless/ShortQuote.h"

namespace {

std::string PrintablePrefix(std::string_view text, size_t limit) {
  std::string shown;
  for (char c : text.substr(0, limit)) shown += c >= ' ' && c <= '~' ? c : '?';
  return shown;
}

std::string CutNote(std::string_view text, size_t limit) {
  return text.size() > limit ? "... (" + std::to_string(text.size()) + " bytes)" : "";
}

}  // namespace

std::string Printable(std::string_view text, size_t limit) {
  return PrintablePrefix(text, limit) + CutNote(text, limit);
}

std::string ShortQuote(std::string_view token, size_t limit) {
  return "'" + PrintablePrefix(token, limit) + "'" + CutNote(token, limit);
}
