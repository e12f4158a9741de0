#include <gtest/gtest.h>

#include "QGUI/ErrorWindow.h"
#include "QGUI/Label.h"
#include "QGUI/Listbox.h"
#include "QGUI/Properties.h"
#include "QGUI/Scrollbar.h"
#include "ScriptFixture.h"
#include "platform/Desktop.h"

namespace {

using Strings = std::vector<std::string>;

TQGUIColour Grey(int level, int alpha) {
  float l = float(level) / 255.0f;
  return {l, l, l, float(alpha) / 255.0f};
}

}  // namespace

class ErrorWindowTest : public ScriptTest {
 protected:
  ErrorWindowTest() {
    window().Build();
    backdrop = window().Backdrop();
    panel = window().Panel();
  }
  TQGUI_ErrorWindow& window() { return scripted->ErrorWindow(); }
  // The panel's children of one type, in creation order.
  std::vector<TQGUI_Element*> PanelChildren(int32_t type) {
    std::vector<TQGUI_Element*> found;
    for (const auto& child : panel->Children())
      if (child->Type() == type) found.push_back(child.get());
    return found;
  }
  TQGUI_Element* backdrop = nullptr;
  TQGUI_Element* panel = nullptr;
};

TEST_F(ErrorWindowTest, TheBackdropAndPanelAreLaidOutForTheScreenAndFollowTheDesktop) {
  ASSERT_NE(backdrop, nullptr);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(backdrop->Parent(), desktop);
  EXPECT_EQ(backdrop->GetBounds(), (TQGUIRect{0, 0, 1024, 768}));
  EXPECT_FALSE(backdrop->visible);
  EXPECT_EQ(backdrop->col1, (TQGUIColour{100 / 255.0f, 100 / 255.0f, 100 / 255.0f, 150 / 255.0f}));
  EXPECT_EQ(panel->Parent(), backdrop);
  EXPECT_EQ(panel->GetBounds(), (TQGUIRect{50, 50, 924, 668}));
  EXPECT_EQ(panel->col1, Grey(20, 127));
  EXPECT_TRUE(panel->bevel);
  EXPECT_EQ(panel->bevelCol1, Grey(0, 200));
  EXPECT_EQ(panel->bevelCol2, Grey(0, 200));
  for (TQGUI_Element* e : {backdrop, panel})
    EXPECT_TRUE(e->anchors.left && e->anchors.right && e->anchors.top && e->anchors.bottom);

  gui->Resize(800, 600);
  EXPECT_EQ(backdrop->GetBounds(), (TQGUIRect{0, 0, 800, 600}));
  EXPECT_EQ(panel->GetBounds(), (TQGUIRect{50, 50, 700, 500}));
}

TEST_F(ErrorWindowTest, TheLogScrollbarAndLabelsSitWhereTheTableSays) {
  std::vector<TQGUI_Element*> labels = PanelChildren(TYPE_LABEL);
  ASSERT_EQ(labels.size(), 6u);  // title, four buttons, status
  ASSERT_EQ(PanelChildren(TYPE_LISTBOX).size(), 1u);
  ASSERT_EQ(PanelChildren(TYPE_SCROLLBAR).size(), 1u);
  TQGUI_Element& title = *labels[0];
  TQGUI_Element& log = *PanelChildren(TYPE_LISTBOX)[0];
  TQGUI_Element& bar = *PanelChildren(TYPE_SCROLLBAR)[0];
  TQGUI_Element& status = *labels[5];
  EXPECT_EQ(title.GetBounds(), (TQGUIRect{0, 0, 924, 0}));
  EXPECT_EQ(title.col1, Grey(10, 127));
  EXPECT_EQ(log.GetBounds(), (TQGUIRect{20, 35, 871, 583}));
  EXPECT_EQ(log.col1, Grey(20, 200));
  EXPECT_TRUE(log.shadowText && log.wordWrap && log.noMouseEvents && log.bevel);
  EXPECT_EQ(log.Scrollbar(0), &bar);
  EXPECT_EQ(bar.GetBounds(), (TQGUIRect{892, 35, 12, 583}));
  EXPECT_FALSE(bar.anchors.left);
  EXPECT_EQ(bar.Slot(SLOT_TEXTURE2).name, "scrollbar.png");
  EXPECT_EQ(status.GetBounds(), (TQGUIRect{20, 618, 884, 50}));
  EXPECT_FALSE(status.visible);
  const char* captions[] = {"Reload QGUI", "Close Application", "Hide", "Clipboard"};
  for (int n = 0; n < 4; ++n) {
    TQGUI_Element& button = *labels[size_t(n) + 1];
    EXPECT_EQ(button.GetBounds(), (TQGUIRect{20 + n * 155, 628, 150, 30}));
    EXPECT_EQ(button.Callback(CALLBACK_MOUSECLICK), "qgui_debug(" + std::to_string(n) + ");");
    EXPECT_EQ(Show("qgui_get(" + std::to_string(button.id) + ", PROP_TEXT)"), captions[n]);
  }
  EXPECT_EQ(Show("qgui_get(" + std::to_string(title.id) + ", PROP_TEXT)"), "LUA ERROR");
  EXPECT_EQ(static_cast<TQGUI_Label&>(title).textCase, CASE_UPPER);
  EXPECT_EQ(static_cast<TQGUI_Label&>(title).hAlign, ALIGN_MIDDLE);
  EXPECT_EQ(static_cast<TQGUI_Label&>(status).hAlign, ALIGN_RIGHT);
  EXPECT_FALSE(static_cast<TQGUI_Scrollbar&>(bar).autoHide);

  // The list shows the errors since the window was built, one a line, oldest first.
  Run("error('one')");
  Run("error('two')");
  const auto& items = static_cast<TQGUI_Listbox&>(log).items;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], u"LUAError (0): [string \"DoString\"]:1: one Task: <error('one')>");
  EXPECT_NE(items[1].find(u"two"), std::u16string::npos);
  EXPECT_TRUE(reports.size() == 2u);
}

TEST_F(ErrorWindowTest, ButtonsSinkWhilePressedAndRunTheirCommand) {
  std::vector<TQGUI_Element*> labels = PanelChildren(TYPE_LABEL);
  TQGUI_Element& clipboard = *labels[4];
  std::string id = std::to_string(clipboard.id);
  EXPECT_EQ(clipboard.Callback(CALLBACK_MOUSEDOWN),
            "set_Colour(" + id + ",PROP_BEVEL_COL1,{red=22,green=22,blue=22,alpha=255});set_Colour(" + id +
                ",PROP_BEVEL_COL2,{red=62,green=62,blue=62,alpha=255});");
  EXPECT_EQ(clipboard.Callback(CALLBACK_MOUSEUPANY),
            "set_Colour(" + id + ",PROP_BEVEL_COL1,{red=62,green=62,blue=62,alpha=255});set_Colour(" + id +
                ",PROP_BEVEL_COL2,{red=22,green=22,blue=22,alpha=255});");
  Run("function set_Colour(id, p, c) qgui_set(id, p, c.red, c.green, c.blue, c.alpha) end");
  Run("error('shown')");
  auto click = [&](TQGUI_Element& button, bool checkSunken) {
    int32_t x = button.GetAbsX() + 5, y = button.GetAbsY() + 5;
    gui->MouseMove(x, y);
    gui->MouseDown(0, x, y);
    if (checkSunken) {
      EXPECT_EQ(button.bevelCol1, Grey(22, 255));
    }
    gui->MouseUp(0, x, y);
  };
  SetClipboardText("");
  click(clipboard, true);
  EXPECT_EQ(clipboard.bevelCol1, Grey(62, 255));
  EXPECT_EQ(clipboard.bevelCol2, Grey(22, 255));
  EXPECT_NE(GetClipboardText().find("shown"), std::string::npos);
  click(*labels[3], false);  // Hide
  EXPECT_FALSE(backdrop->visible);
}

TEST_F(ErrorWindowTest, ErrorsAddUpAcrossHidingAndTheFullLogAcrossRebuilds) {
  Run("error('first')");
  Run("x = (");
  EXPECT_TRUE(backdrop->visible);
  EXPECT_EQ(desktop->Children().back().get(), backdrop);
  const std::u16string first = u"LUAError (0): [string \"DoString\"]:1: first Task: <error('first')>";
  const std::u16string second = u"LUAError (3): [string \"DoString\"]:1: unexpected symbol near '<eof>' Task: <x = (>";
  EXPECT_EQ(window().VisibleLog(), first + u"\r" + second);

  Run("other = qgui_create(0)");  // in front of the window now
  Run("qgui_debug(2)");
  EXPECT_FALSE(backdrop->visible);
  Run("error('third')");
  EXPECT_TRUE(backdrop->visible);
  EXPECT_EQ(desktop->Children().back().get(), backdrop);
  const std::u16string third = u"LUAError (0): [string \"DoString\"]:1: third Task: <error('third')>";
  EXPECT_EQ(window().VisibleLog(), first + u"\r" + second + u"\r" + third);

  // A new window starts with an empty visible log; the full log keeps everything.
  window().Build();
  EXPECT_EQ(window().VisibleLog(), u"");
  Run("error('fourth')");
  SetClipboardText("");
  Run("qgui_debug(3)");
  std::string clipboard = GetClipboardText();
  EXPECT_EQ(clipboard.rfind("LUAError (0): [string \"DoString\"]:1: first Task: <error('first')>\r\n", 0), 0u);
  EXPECT_NE(clipboard.find("<x = (>\r\nLUAError (0)"), std::string::npos);
  EXPECT_EQ(clipboard.substr(clipboard.size() - 2), "\r\n");
  size_t lines = 0;
  for (size_t at = 0; (at = clipboard.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 4u);
}

TEST_F(ErrorWindowTest, ReloadAndUnknownCommandsAndAnErrorWithoutADesktop) {
  Run("qgui_debug(5) qgui_debug(-1) qgui_debug(4.5)");
  EXPECT_FALSE(gui->reloadRequested);
  EXPECT_FALSE(backdrop->visible);
  Run("qgui_debug(0.7)");
  EXPECT_TRUE(gui->reloadRequested);
  gui->reloadRequested = false;
  Run("qgui_debug('not a number')");  // reads as 0, as every number argument does
  EXPECT_TRUE(gui->reloadRequested);
  EXPECT_TRUE(reports.empty());

  gui->Reset();
  EXPECT_FALSE(gui->reloadRequested);
  Run("error('no desktop')");
  EXPECT_EQ(window().FullLog(), u"");
  EXPECT_EQ(ReportsFrom("CFE").size(), 1u);
}

TEST_F(ErrorWindowTest, AScriptFailingEveryFrameKeepsBoundedLogsAndOneConsoleReport) {
  for (int frame = 0; frame < 600; ++frame) Run("FROMAPP_FPSCOUNTER(60)");
  EXPECT_EQ(ReportsFrom("CFE").size(), 1u);
  std::u16string full = window().FullLog();
  EXPECT_EQ(size_t(std::count(full.begin(), full.end(), u'\r')), TQGUI_ErrorWindow::kMaxErrors);
  std::u16string visible = window().VisibleLog();
  EXPECT_EQ(size_t(std::count(visible.begin(), visible.end(), u'\r')), TQGUI_ErrorWindow::kMaxErrors - 1);
  Run("error('different')");
  EXPECT_EQ(ReportsFrom("CFE").size(), 2u);
}
