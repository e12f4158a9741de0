#pragma once
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// Captures message boxes for the lifetime of the object instead of showing them.
class MessageRecorder {
 public:
  struct Message {
    std::string caption;
    std::string text;
  };
  MessageRecorder() {
    previous_ = SetMessageBoxHandler([this](std::string_view caption, std::string_view text) {
      messages.push_back({std::string(caption), std::string(text)});
    });
  }
  ~MessageRecorder() { SetMessageBoxHandler(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<Message> messages;

 private:
  MessageBoxHandler previous_;
};
