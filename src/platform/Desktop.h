#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Small platform services the GUI uses: the clipboard (UTF-8 text) and the
// double-click time. The Qt shell installs its own; headless they are in-process.
struct TPlatformServices {
  std::function<std::string()> getClipboard;
  std::function<void(const std::string&)> setClipboard;
  std::function<uint32_t()> doubleClickTime;
};

// Replaces the services; unset members keep the headless defaults.
void SetPlatformServices(TPlatformServices services);
std::string GetClipboardText();
void SetClipboardText(const std::string& text);
uint32_t DoubleClickTime();
