#include "platform/MessageBox.h"

#include <cstdio>
#include <string>

#include "platform/Console.h"
#include "platform/Text.h"

namespace {

void DefaultHandler(std::string_view caption, std::string_view text) {
  std::string line = std::string(caption) + ": " + std::string(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  std::fprintf(stderr, "%s\n", line.c_str());
  ConsoleWrite(ToUtf16(line));
}

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler = DefaultHandler;
  return handler;
}

}  // namespace

void ShowMessageBox(std::string_view caption, std::string_view text) { Handler()(caption, text); }

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = Handler();
  Handler() = handler ? std::move(handler) : MessageBoxHandler(DefaultHandler);
  return previous;
}
