#include "QGUI/ErrorWindow.h"

#include "QGUI/Desktop.h"
#include "QGUI/Label.h"
#include "QGUI/Listbox.h"
#include "QGUI/Properties.h"
#include "platform/Desktop.h"
#include "platform/Text.h"

namespace {

// The window is laid out for this screen; its backdrop then follows the desktop.
constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;
constexpr int32_t kButtonWidth = 150;
constexpr int32_t kButtonHeight = 30;
constexpr int32_t kButtonStep = 155;

struct Button {
  const char* click;
  const char* caption;
};
constexpr Button kButtons[] = {
    {"qgui_debug(0);", "Reload QGUI"},
    {"qgui_debug(1);", "Close Application"},
    {"qgui_debug(2);", "Hide"},
    {"qgui_debug(3);", "Clipboard"},
};

void Bounds(TQGUI_Element& e, int32_t x, int32_t y, int32_t w, int32_t h) {
  SetProperty(e, PROP_X, {x});
  SetProperty(e, PROP_Y, {y});
  SetProperty(e, PROP_W, {w});
  SetProperty(e, PROP_H, {h});
}

// Anchors in the order scripts pass them: left, right, top, bottom.
void Anchors(TQGUI_Element& e, bool left, bool right, bool top, bool bottom) {
  SetProperty(e, PROP_ANCHOR, {left, right, top, bottom});
}

void Grey(TQGUI_Element& e, TQGUI_PropertyId id, int level, int alpha) {
  SetProperty(e, id, {level, level, level, alpha});
}

// A pressed button looks sunken until any mouse-up.
std::string BevelCode(int32_t id, int first, int second) {
  auto colour = [&](const char* property, int level) {
    std::string value = std::to_string(level);
    return "set_Colour(" + std::to_string(id) + "," + property + ",{red=" + value + ",green=" + value +
           ",blue=" + value + ",alpha=255});";
  };
  return colour("PROP_BEVEL_COL1", first) + colour("PROP_BEVEL_COL2", second);
}

std::u16string Joined(const std::deque<std::u16string>& texts, bool afterEach) {
  std::u16string joined;
  for (const std::u16string& text : texts) {
    if (!afterEach && !joined.empty()) joined += u'\r';
    joined += text;
    if (afterEach) joined += u'\r';
  }
  return joined;
}

void Append(std::deque<std::u16string>& texts, const std::u16string& text) {
  texts.push_back(text);
  while (texts.size() > TQGUI_ErrorWindow::kMaxErrors) texts.pop_front();
}

}  // namespace

TQGUI_Element* TQGUI_ErrorWindow::Make(int32_t type, const TQGUI_Element& parent) {
  return context_.Registry().CreateElement(type, parent.id);
}

void TQGUI_ErrorWindow::Build() {
  visible_.clear();
  backdrop_ = panel_ = title_ = log_ = {};
  if (!context_.Desktop()) return;
  TQGUI_Element* backdrop = Make(TYPE_ELEMENT, *context_.Desktop());
  if (!backdrop) return;
  backdrop_ = context_.RefTo(*backdrop);
  Bounds(*backdrop, 0, 0, kScreenWidth, kScreenHeight);
  Anchors(*backdrop, true, true, true, true);
  SetProperty(*backdrop, PROP_COL1, {100, 100, 100, 150});
  SetProperty(*backdrop, PROP_VISIBLE, {false});

  TQGUI_Element* panel = Make(TYPE_ELEMENT, *backdrop);
  if (!panel) return;
  panel_ = context_.RefTo(*panel);
  const int32_t w = backdrop->w - 100, h = backdrop->h - 100;
  Bounds(*panel, 50, 50, w, h);
  Anchors(*panel, true, true, true, true);
  Grey(*panel, PROP_COL1, 20, 127);
  SetProperty(*panel, PROP_BEVEL, {true});
  Grey(*panel, PROP_BEVEL_COL1, 0, 200);
  Grey(*panel, PROP_BEVEL_COL2, 0, 200);

  if (TQGUI_Element* title = Make(TYPE_LABEL, *panel)) {
    title_ = context_.RefTo(*title);
    Bounds(*title, 0, 0, w, 0);
    Anchors(*title, true, true, true, false);
    SetProperty(*title, PROP_TEXTCASE, {CASE_UPPER});
    SetProperty(*title, PROP_TEXT, {"LUA ERROR"});
    Grey(*title, PROP_FONT_COL, 255, 255);
    SetProperty(*title, PROP_FONT_NAME, {"Trebuchet MS_70_Fixed_16_2.DFF;0.5;0.2;0.6;0"});
    SetProperty(*title, PROP_HALIGN, {ALIGN_MIDDLE});
    SetProperty(*title, PROP_VALIGN, {ALIGN_VMIDDLE});
    Grey(*title, PROP_COL1, 10, 127);
  }

  // The log's bounds place the buttons whether or not the log could be made.
  const int32_t logX = 20, logY = 35, logH = h - 85;
  TQGUI_Element* log = Make(TYPE_LISTBOX, *panel);
  if (log) {
    log_ = context_.RefTo(*log);
    Bounds(*log, logX, logY, w - 53, logH);
    Anchors(*log, true, true, true, true);
    Grey(*log, PROP_FONT_COL, 255, 255);
    SetProperty(*log, PROP_FONT_NAME, {"Courier New_70_Fixed_16_2.DFF;0.3;0.25;0.6;1"});
    Grey(*log, PROP_COL1, 20, 200);
    for (TQGUI_PropertyId style : {PROP_STRIKETHROUGH, PROP_UNDERLINE, PROP_OUTLINE, PROP_OUTLINE2})
      SetProperty(*log, style, {false});
    for (TQGUI_PropertyId flag : {PROP_SHADOWTEXT, PROP_WORDWRAP, PROP_NOMOUSEEVT, PROP_BEVEL})
      SetProperty(*log, flag, {true});
  }

  if (TQGUI_Element* bar = Make(TYPE_SCROLLBAR, *panel)) {
    Bounds(*bar, w - 32, logY, 12, logH);
    Anchors(*bar, false, true, true, true);
    Grey(*bar, PROP_COL1, 60, 127);
    Grey(*bar, PROP_COL2, 255, 255);
    SetProperty(*bar, PROP_TEXTURE2, {"scrollbar.png"});
    SetProperty(*bar, PROP_AUTOHIDESCROLL, {false});
    if (log) SetProperty(*log, PROP_SCROLLBAR, {bar->id});
  }

  BuildButtons(*panel, logX, logY + logH + 10);

  if (TQGUI_Element* status = Make(TYPE_LABEL, *panel)) {
    Bounds(*status, 20, h - 50, w - 40, 50);
    Anchors(*status, true, true, false, true);
    SetProperty(*status, PROP_TEXTCASE, {CASE_UPPER});
    SetProperty(*status, PROP_TEXT, {""});
    Grey(*status, PROP_FONT_COL, 255, 255);
    SetProperty(*status, PROP_FONT_NAME, {"Tahoma_70_Fixed_16_2.DFF;0.29;0.01;0.6;2"});
    SetProperty(*status, PROP_COL1, {0, 0, 0, 0});
    SetProperty(*status, PROP_HALIGN, {ALIGN_RIGHT});
    SetProperty(*status, PROP_VALIGN, {ALIGN_VMIDDLE});
    SetProperty(*status, PROP_NOMOUSEEVT, {true});
    SetProperty(*status, PROP_VISIBLE, {false});
  }
}

void TQGUI_ErrorWindow::BuildButtons(TQGUI_Element& panel, int32_t left, int32_t top) {
  for (int32_t n = 0; n < int32_t(std::size(kButtons)); ++n) {
    TQGUI_Element* button = Make(TYPE_LABEL, panel);
    if (!button) continue;
    Bounds(*button, left + n * kButtonStep, top, kButtonWidth, kButtonHeight);
    Anchors(*button, true, false, false, true);
    Grey(*button, PROP_COL1, 45, 255);
    SetProperty(*button, PROP_BEVEL, {true});
    Grey(*button, PROP_BEVEL_COL1, 62, 255);
    Grey(*button, PROP_BEVEL_COL2, 22, 255);
    SetProperty(*button, PROP_HALIGN, {ALIGN_MIDDLE});
    SetProperty(*button, PROP_FONT_NAME, {"Tahoma_70_Fixed_16_2.DFF;0.29;0.1;0.6;2"});
    button->SetCallback(CALLBACK_MOUSEDOWN, BevelCode(button->id, 22, 62));
    button->SetCallback(CALLBACK_MOUSEUPANY, BevelCode(button->id, 62, 22));
    button->SetCallback(CALLBACK_MOUSECLICK, kButtons[n].click);
    SetProperty(*button, PROP_TEXT, {kButtons[n].caption});
  }
}

void TQGUI_ErrorWindow::Show(const std::u16string& text) {
  Append(full_, text);
  Append(visible_, text);
  // Straight to the list: a script failing every frame should not pay for a UTF-8 round trip of the whole log.
  if (auto* log = dynamic_cast<TQGUI_Listbox*>(Log())) log->SetText(VisibleLog());
  if (TQGUI_Element* backdrop = Backdrop()) {
    SetProperty(*backdrop, PROP_VISIBLE, {true});
    backdrop->BringToFront();
  }
}

void TQGUI_ErrorWindow::Hide() {
  if (TQGUI_Element* backdrop = Backdrop()) SetProperty(*backdrop, PROP_VISIBLE, {false});
}

void TQGUI_ErrorWindow::CopyToClipboard() const {
  std::u16string text;
  for (char16_t c : FullLog()) {
    text += c;
    if (c == u'\r') text += u'\n';
  }
  SetClipboardText(ToUtf8(text));
}

std::u16string TQGUI_ErrorWindow::FullLog() const { return Joined(full_, true); }

std::u16string TQGUI_ErrorWindow::VisibleLog() const { return Joined(visible_, false); }
