#pragma once
#include <cstddef>
#include <deque>
#include <string>

#include "QGUI/Context.h"

class TQGUI_Element;

// The "LUA ERROR" window: ordinary elements built over each new tree, hidden until a
// script error arrives, with a log list and four buttons that run qgui_debug. The full
// log outlives GUI resets and goes to the clipboard; the visible one starts empty with
// each window.
class TQGUI_ErrorWindow {
 public:
  // Older errors are dropped beyond this many, so a script failing every frame cannot
  // grow either log without end.
  static constexpr size_t kMaxErrors = 500;

  explicit TQGUI_ErrorWindow(TQGUI_Context& context) : context_(context) {}
  TQGUI_ErrorWindow(const TQGUI_ErrorWindow&) = delete;
  TQGUI_ErrorWindow& operator=(const TQGUI_ErrorWindow&) = delete;

  // Builds the window, hidden, under the context's desktop.
  void Build();
  // Adds an error to both logs, shows the visible log and brings the window to the front.
  void Show(const std::u16string& text);
  void Hide();
  // The full log with every line break as "\r\n", as UTF-8 text on the clipboard.
  void CopyToClipboard() const;

  // Each error followed by "\r".
  std::u16string FullLog() const;
  // The errors since the window was built, separated by "\r".
  std::u16string VisibleLog() const;
  // The window's parts while they exist; null once their tree is gone.
  TQGUI_Element* Backdrop() const { return context_.Resolve(backdrop_); }
  TQGUI_Element* Panel() const { return context_.Resolve(panel_); }
  TQGUI_Element* Title() const { return context_.Resolve(title_); }
  TQGUI_Element* Log() const { return context_.Resolve(log_); }

 private:
  TQGUI_Element* Make(int32_t type, const TQGUI_Element& parent);
  void BuildButtons(TQGUI_Element& panel, int32_t left, int32_t top);

  TQGUI_Context& context_;
  std::deque<std::u16string> full_;
  std::deque<std::u16string> visible_;
  TQGUI_ElementRef backdrop_, panel_, title_, log_;
};
