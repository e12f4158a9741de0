#pragma once
#include <functional>
#include <string>
#include <string_view>

// Modal message boxes ("Error", "Shader Error"). The Qt shell shows a QMessageBox;
// headless the default writes one line to standard error. Tests install a recorder.
using MessageBoxHandler = std::function<void(std::string_view caption, std::string_view text)>;

void ShowMessageBox(std::string_view caption, std::string_view text);
// Returns the previous handler; an empty handler restores the default.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
