#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "GLProbe.h"
#include "GuiProbe.h"
#include "MessageRecorder.h"
#include "platform/DataFiles.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "script/LuaApi.h"
#include "script/LuaHost.h"
#include "shell/ColourPanel.h"
#include "shell/FrmMain.h"
#include "shell/QtGLSurface.h"
#include "shell/QtPlatform.h"
#include "shell/RenderWindow.h"

namespace {

// Runs the event loop (and with it the frame loop) until `done` or ten seconds pass.
bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 10000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

bool DrawFrames(TFrmMain& window, int count) {
  int64_t target = window.App().FramesDrawn() + count;
  return ProcessUntil([&] { return window.App().FramesDrawn() >= target; });
}

QStringList Lines(const QPlainTextEdit* log) { return log->toPlainText().split('\n'); }

QStringList TabCaptions(const QTabWidget* pages) {
  QStringList captions;
  for (int i = 0; i < pages->count(); ++i) captions << pages->tabText(i);
  return captions;
}

// Calls `act` on the modal dialog that the next step opens, once it is up.
void OnModalDialog(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* dialog = nullptr;
    ProcessUntil([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; });
    act(dialog);
  });
}

// The X server's picture of the window, GL surface included.
QImage Screenshot(const QWidget& window) {
  QRect frame = window.frameGeometry();
  return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
}

// Runs xdotool with `arguments`, so that the X server delivers the input.
bool XDo(const std::string& arguments) { return std::system(("xdotool " + arguments).c_str()) == 0; }

// One shown main window for the suite: its start-up is what most cases look at.
class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    MessageRecorder recorder;
    window = new TFrmMain;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_TRUE(ProcessUntil([] { return window->Started(); }));
    startupMessages = recorder.messages.size();
  }
  static void TearDownTestSuite() {
    delete window;
    window = nullptr;
  }

  // Moves the X pointer to the render page's pixel (x, y) and waits for the move.
  static bool PointAt(int x, int y) {
    QPoint global = window->RenderWindow()->mapToGlobal(QPoint(x, y));
    return XDo("mousemove --sync " + std::to_string(global.x()) + " " + std::to_string(global.y()));
  }
  // The point (dx, dy) inside an element of the shipped interface.
  static bool PointInto(const std::string& element, int dx, int dy) {
    std::array<int32_t, 4> rect = ElementRect(window->App(), element);
    return rect[2] > 0 && PointAt(rect[0] + dx, rect[1] + dy);
  }

  template <typename T>
  static T* Control(const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  static TFrmMain* window;
  static size_t startupMessages;
};

TFrmMain* MainWindowTest::window = nullptr;
size_t MainWindowTest::startupMessages = 0;

TEST_F(MainWindowTest, StartsOnTheGLContextWithoutComplaint) {
  EXPECT_TRUE(window->App().Ready());
  EXPECT_EQ(startupMessages, 0u);
}

TEST_F(MainWindowTest, HasTheCaptionsAndPagesInOrder) {
  EXPECT_EQ(window->windowTitle(), " ZQ GPU");
  EXPECT_EQ(window->windowHandle()->title(), " ZQ GPU");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "ZQ GPU");
  EXPECT_EQ(window->size(), QSize(1142, 656));
  EXPECT_LE((window->frameGeometry().center() - window->screen()->availableGeometry().center()).manhattanLength(), 2);

  auto* left = Control<QTabWidget>("PageControl1");
  auto* right = Control<QTabWidget>("PageControl2");
  EXPECT_EQ(TabCaptions(left), QStringList{"Renderer"});
  EXPECT_EQ(TabCaptions(right), (QStringList{"Console", "OGL Info", "TabSheet1"}));
  EXPECT_EQ(right->currentWidget()->objectName(), "TabSheet1");
  EXPECT_EQ(right->width(), 289);
  EXPECT_EQ(left->geometry().right() + 1, right->geometry().left());

  QMenu* file = Control<QMenu>("File1");
  EXPECT_EQ(file->title(), "File");
  EXPECT_EQ(file->actions().size(), 1);
  EXPECT_EQ(file->actions().value(0)->text(), "Exit");
}

TEST_F(MainWindowTest, UnitPageHoldsItsControls) {
  EXPECT_EQ(Control<QListWidget>("UnitList")->height(), 169);
  EXPECT_EQ(Control<QLabel>("Label1")->text(), "Side Colour:");
  auto* panel = Control<TColourPanel>("SideColourPanel");
  EXPECT_EQ(panel->size(), QSize(81, 41));
  EXPECT_EQ(panel->Colour(), QColor(0, 255, 0));
  EXPECT_EQ(Control<QPushButton>("Button1")->text(), "Random");
}

TEST_F(MainWindowTest, ConsoleHoldsTheFiveStartupLines) {
  auto* console = Control<QPlainTextEdit>("ConsoleText");
  QStringList lines = Lines(console);
  ASSERT_EQ(lines.size(), 5) << console->toPlainText().toStdString();
  EXPECT_TRUE(lines[0].startsWith("Vendor: "));
  EXPECT_TRUE(lines[1].startsWith("Renderer: "));
  EXPECT_TRUE(lines[2].startsWith("Version: "));
  EXPECT_EQ(lines[3], "");
  QSize pixels = window->RenderWindow()->PixelSize();
  EXPECT_EQ(lines[4], QString("Resolution: %1x%2").arg(pixels.width()).arg(pixels.height()));

  EXPECT_TRUE(console->isReadOnly());
  EXPECT_EQ(console->palette().color(QPalette::Base), QColor(104, 99, 87));
  EXPECT_EQ(console->palette().color(QPalette::Text), QColor(Qt::white));
  EXPECT_EQ(Control<QLineEdit>("ConsoleCommandEdit")->height(), 21);
}

TEST_F(MainWindowTest, InfoPageListsDriverThenOneExtensionPerLine) {
  auto* info = Control<QPlainTextEdit>("OGLInfoText");
  QStringList lines = Lines(info);
  ASSERT_GT(lines.size(), 8);
  QStringList console = Lines(Control<QPlainTextEdit>("ConsoleText"));
  EXPECT_EQ(lines.mid(0, 3), console.mid(0, 3));
  EXPECT_EQ(lines.mid(3, 5), (QStringList{"", "Settings:", "Multisample: False", "", "OGL Extentions:"}));
  for (const QString& extension : lines.mid(8)) {
    EXPECT_TRUE(extension.startsWith("GL_")) << extension.toStdString();
    EXPECT_FALSE(extension.contains(' ')) << extension.toStdString();
  }

  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(Control<QPushButton>("OGLInfoCopyButton"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), info->toPlainText());
}

TEST_F(MainWindowTest, ShowsTheFramesItDraws) {
  ASSERT_TRUE(DrawFrames(*window, 30));
  TRenderWindow* render = window->RenderWindow();
  QSize size = render->size();
  auto onScreen = [&](QPoint p) { return render->mapToGlobal(p) - window->frameGeometry().topLeft(); };
  const QPoint points[] = {QPoint(0, 0), QPoint(size.width() / 2, size.height() / 2), QPoint(size.width() - 1, 5),
                           QPoint(7, size.height() - 1)};

  // A frame of one colour reaches the screen, over the whole render page; no event is
  // processed in between, so the frame loop cannot draw over it.
  const QColor solid(200, 40, 160);
  PresentSolidFrame(window->App(), {200, 40, 160});
  QImage shot = Screenshot(*window);
  ASSERT_FALSE(shot.isNull());
  for (QPoint p : points) EXPECT_EQ(shot.pixelColor(onScreen(p)), solid) << p.x() << "," << p.y();

  // The frame loop replaces it.
  ASSERT_TRUE(DrawFrames(*window, 2));
  shot = Screenshot(*window);
  for (QPoint p : points) EXPECT_NE(shot.pixelColor(onScreen(p)), solid) << p.x() << "," << p.y();
  EXPECT_TRUE(shot.save(ZQ_TEST_SCREENSHOT));
}

TEST_F(MainWindowTest, EnterInTheCommandLineRunsLuaAndUpAndDownWalkTheHistory) {
  ASSERT_TRUE(DrawFrames(*window, 1));
  auto* edit = Control<QLineEdit>("ConsoleCommandEdit");
  auto* console = Control<QPlainTextEdit>("ConsoleText");
  Control<QTabWidget>("PageControl2")->setCurrentIndex(0);
  edit->setFocus();
  qsizetype before = Lines(console).size();
  QTest::keyClicks(edit, "print(6 * 7)");
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClicks(edit, "x = (");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(edit->text(), "");
  QStringList added = Lines(console).mid(before);
  ASSERT_EQ(added.size(), 4) << console->toPlainText().toStdString();
  EXPECT_EQ(added[0], "> print(6 * 7)");
  EXPECT_EQ(added[1], "42");
  EXPECT_EQ(added[2], "> x = (");
  EXPECT_TRUE(added[3].startsWith("LUAError (3): ")) << added[3].toStdString();
  EXPECT_EQ(QApplication::focusWidget(), edit);

  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), "x = (");
  QTest::keyClick(edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), "print(6 * 7)");
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(edit->text(), "");
  Control<QTabWidget>("PageControl2")->setCurrentIndex(2);
}

// A click the X server delivers (xdotool, not a synthesised Qt event) on the render page
// runs the Lua code bound to the element under it.
TEST_F(MainWindowTest, ARealClickOnTheRenderPageRunsAGuiCallback) {
  ASSERT_TRUE(DrawFrames(*window, 2));
  TLUA& lua = *window->App().Lua();
  lua.DoString(
      "clicked = 0 target = qgui_create(TYPE_ELEMENT) "
      "qgui_set(target, PROP_X, 300) qgui_set(target, PROP_Y, 200) "
      "qgui_setcallback(target, CALLBACK_MOUSECLICK, 'clicked = clicked + 1 at = \"%x,%y\"')");
  QPoint global = window->RenderWindow()->mapToGlobal(QPoint(310, 220));
  std::string command =
      "xdotool mousemove --sync " + std::to_string(global.x()) + " " + std::to_string(global.y()) + " click 1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  auto global_ = [&](const char* name) {
    lua_getglobal(lua.State(), name);
    std::string value = ArgString(lua.State(), -1);
    Pop(lua.State(), 1);
    return value;
  };
  ASSERT_TRUE(ProcessUntil([&] { return global_("clicked") == "1"; }));
  EXPECT_EQ(global_("at"), "10,20");
}

TEST_F(MainWindowTest, TypingIntoTheShippedEditChangesItsTextAndEnterMovesItToTheList) {
  ASSERT_TRUE(DrawFrames(*window, 2));
  TZQApp& app = window->App();
  ASSERT_TRUE(PointInto("ui.edit", 20, 10));
  ASSERT_TRUE(XDo("click 1"));
  ASSERT_TRUE(ProcessUntil([&] { return HasKeyboardFocus(app, "ui.edit"); }));
  const size_t items = ListState(app, "ui.list").items.size();
  ASSERT_TRUE(XDo("type --delay 30 'zq 7'"));
  ASSERT_TRUE(ProcessUntil([&] { return EditText(app, "ui.edit") == u"zq 7"; }));
  ASSERT_TRUE(XDo("key Return"));
  ASSERT_TRUE(ProcessUntil([&] { return EditText(app, "ui.edit").empty(); }));
  TListState list = ListState(app, "ui.list");
  ASSERT_EQ(list.items.size(), items + 1);
  EXPECT_EQ(list.items.back(), u"zq 7");
  EXPECT_EQ(list.itemIndex, int32_t(items));
}

TEST_F(MainWindowTest, TheWheelOverTheShippedListScrollsIt) {
  ASSERT_TRUE(DrawFrames(*window, 2));
  TZQApp& app = window->App();
  app.Lua()->DoString("qgui_set(ui.list, PROP_INDEX, 0)");
  ASSERT_EQ(ListState(app, "ui.list").scrollOffset, 0);
  ASSERT_TRUE(PointInto("ui.list", 30, 30));
  ASSERT_TRUE(XDo("click 5"));  // one notch towards the user
  ASSERT_TRUE(ProcessUntil([&] { return ListState(app, "ui.list").scrollOffset > 0; }));
  const int32_t down = ListState(app, "ui.list").scrollOffset;
  ASSERT_TRUE(XDo("click 4"));
  ASSERT_TRUE(ProcessUntil([&] { return ListState(app, "ui.list").scrollOffset < down; }));
}

TEST_F(MainWindowTest, ClickingAUnitListCellSelectsItsUnitInTheWindowsList) {
  window->FillUnitList(window->App().UnitRows());
  ASSERT_TRUE(DrawFrames(*window, 2));
  TZQApp& app = window->App();
  const int32_t x = UnitCellX(app, "ui.unitList", 1, 20);
  ASSERT_GE(x, 0);
  const int row = FirstUnitOfType(app, 1);
  ASSERT_GT(row, 0);
  ASSERT_NE(window->UnitList()->currentRow(), row);
  ASSERT_TRUE(PointInto("ui.unitList", x + 10, 20));
  ASSERT_TRUE(XDo("click 1"));
  ASSERT_TRUE(ProcessUntil([&] { return window->UnitList()->currentRow() == row; }));
  EXPECT_TRUE(window->UnitList()->item(row)->isSelected());
}

TEST_F(MainWindowTest, KeyboardFocusReturnsToTheWindow) {
  QTabBar* tabs = Control<QTabWidget>("PageControl2")->tabBar();
  tabs->setFocus(Qt::MouseFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), tabs);
  ASSERT_TRUE(DrawFrames(*window, 1));
  EXPECT_EQ(QApplication::focusWidget(), nullptr);

  // An edit keeps the focus through frames, until the pointer moves over the render page.
  auto* edit = Control<QLineEdit>("ConsoleCommandEdit");
  edit->setFocus();
  ASSERT_TRUE(DrawFrames(*window, 1));
  EXPECT_EQ(QApplication::focusWidget(), edit);
  QTest::mouseMove(window->RenderWindow(), QPoint(20, 20));
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(MainWindowTest, RenderPageReportsInputInItsOwnPixels) {
  TRenderWindow* render = window->RenderWindow();
  QSignalSpy pressed(render, &TRenderWindow::mousePressed);
  QSignalSpy released(render, &TRenderWindow::mouseReleased);
  QSignalSpy wheel(render, &TRenderWindow::wheelTurned);
  QList<std::pair<int, int>> keys;  // event type, Qt key
  QObject receiver;
  QObject::connect(render, &TRenderWindow::keyEvent, &receiver, [&](QKeyEvent* event) {
    keys.append({event->type(), event->key()});
  });

  QTest::mouseClick(render, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
  QTest::mouseClick(render, Qt::MiddleButton, Qt::NoModifier, QPoint(30, 40));
  QTest::mouseClick(render, Qt::BackButton, Qt::NoModifier, QPoint(50, 60));
  ASSERT_EQ(pressed.count(), 2);
  EXPECT_EQ(pressed[0], (QList<QVariant>{1, 10, 20}));
  EXPECT_EQ(pressed[1], (QList<QVariant>{2, 30, 40}));
  EXPECT_EQ(released.count(), 2);

  QWheelEvent notch(QPointF(5, 6), render->mapToGlobal(QPointF(5, 6)), {}, QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(render, &notch);
  ASSERT_EQ(wheel.count(), 1);
  EXPECT_EQ(wheel[0], (QList<QVariant>{-120, 5, 6}));

  QTest::keyClick(render, Qt::Key_Left);
  EXPECT_EQ(keys, (QList<std::pair<int, int>>{{QEvent::KeyPress, Qt::Key_Left}, {QEvent::KeyRelease, Qt::Key_Left}}));
}

TEST_F(MainWindowTest, ViewportFollowsTheRenderPage) {
  window->resize(1000, 600);
  QSize expected;
  ASSERT_TRUE(ProcessUntil([&] {
    expected = window->RenderWindow()->PixelSize();
    std::array<int, 4> viewport = CurrentViewport();
    return expected.width() < 900 && viewport[2] == expected.width() && viewport[3] == expected.height();
  })) << expected.width()
      << "x" << expected.height();
  window->resize(1142, 656);
  ASSERT_TRUE(ProcessUntil([&] { return CurrentViewport()[2] == window->RenderWindow()->PixelSize().width(); }));
}

TEST_F(MainWindowTest, SideColourPanelNeedsASelectedRow) {
  QSignalSpy chosen(window, &TFrmMain::unitSideColourChosen);
  auto* panel = window->SideColourPanel();
  window->FillUnitList({});
  QTest::mouseClick(panel, Qt::LeftButton);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(chosen.count(), 0);

  window->FillUnitList({"1: GMs\\a.gmz", "2: GMs\\b.gmz"});
  EXPECT_EQ(window->UnitList()->currentRow(), 0);
  window->UnitList()->setCurrentRow(1);

  OnModalDialog([](QWidget* dialog) { dialog->close(); });
  QTest::mouseClick(panel, Qt::LeftButton);
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_EQ(panel->Colour(), QColor(0, 255, 0));

  QString dialogName;
  OnModalDialog([&](QWidget* dialog) {
    dialogName = dialog->objectName();
    auto* colours = qobject_cast<QColorDialog*>(dialog);
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(colours->currentColor(), QColor(0, 255, 0));
    colours->setCurrentColor(QColor(10, 20, 30));
    colours->accept();
  });
  QTest::mouseClick(panel, Qt::LeftButton);
  EXPECT_EQ(dialogName, "ColorDialog");
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 1);
  EXPECT_EQ(chosen[0][1].value<QColor>(), QColor(10, 20, 30));
  EXPECT_EQ(panel->Colour(), QColor(10, 20, 30));

  QSignalSpy random(window, &TFrmMain::randomColoursRequested);
  QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
  EXPECT_EQ(random.count(), 1);
  EXPECT_EQ(panel->Colour(), QColor(10, 20, 30));
  window->FillUnitList({});
}

TEST_F(MainWindowTest, UnitControlsRecolourTheScene) {
  window->FillUnitList(window->App().UnitRows());
  ASSERT_EQ(window->UnitList()->count(), 1600);
  EXPECT_TRUE(window->UnitList()->item(0)->text().startsWith("1: GMs\\", Qt::CaseInsensitive));

  window->UnitList()->setCurrentRow(3);
  OnModalDialog([](QWidget* dialog) {
    auto* colours = qobject_cast<QColorDialog*>(dialog);
    ASSERT_NE(colours, nullptr);
    colours->setCurrentColor(QColor(200, 100, 50));
    colours->accept();
  });
  QTest::mouseClick(window->SideColourPanel(), Qt::LeftButton);
  EXPECT_EQ(window->App().UnitSideColour(3), (std::array<uint8_t, 3>{200, 100, 50}));

  QTest::mouseClick(Control<QPushButton>("Button1"), Qt::LeftButton);
  EXPECT_NE(window->App().UnitSideColour(0), window->App().UnitSideColour(1));
  EXPECT_NE(window->App().UnitSideColour(3), (std::array<uint8_t, 3>{200, 100, 50}));
  EXPECT_TRUE(DrawFrames(*window, 2));
}

TEST(QtPlatformTest, MessageBoxShowsCaptionAndLines) {
  QString caption, text;
  OnModalDialog([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    box->accept();
  });
  ShowMessageBox("Shader Error", "first line\rsecond line\r\nthird");
  EXPECT_EQ(caption, "Shader Error");
  EXPECT_EQ(text, "first line\nsecond line\nthird");
}

TEST(QtPlatformTest, ClipboardAndDoubleClickTimeAreQts) {
  SetClipboardText("caf\xc3\xa9 \xe4\xb8\xad");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("caf\xc3\xa9 \xe4\xb8\xad"));
  QGuiApplication::clipboard()->setText("from Qt");
  EXPECT_EQ(GetClipboardText(), "from Qt");
  EXPECT_EQ(DoubleClickTime(), uint32_t(QGuiApplication::styleHints()->mouseDoubleClickInterval()));
}

TEST(QtPlatformTest, NumbersUseADecimalPoint) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 2.5);
  EXPECT_STREQ(text, "2.5");
  EXPECT_EQ(QLocale().toString(1.5), "1.5");
}

// A surface on its own render window, as the GL layer drives it.
class QtGLSurfaceTest : public testing::Test {
 protected:
  void SetUp() override {
    window.resize(64, 64);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  TRenderWindow window;
  TQtGLSurface surface{&window};
};

TEST_F(QtGLSurfaceTest, GivesACompatibilityContextWithTheRequestedBuffers) {
  ASSERT_TRUE(surface.SetPixelFormat(TPixelFormatRequest::Default()));
  const char* error = nullptr;
  ASSERT_TRUE(surface.CreateContext(error)) << error;
  EXPECT_EQ(QOpenGLContext::currentContext(), surface.Context());
  QSurfaceFormat format = surface.Context()->format();
  EXPECT_NE(format.profile(), QSurfaceFormat::CoreProfile);
  EXPECT_GE(format.majorVersion() * 10 + format.minorVersion(), 21);
  EXPECT_EQ(format.redBufferSize(), 8);
  EXPECT_EQ(format.alphaBufferSize(), 8);
  EXPECT_GE(format.depthBufferSize(), 16);
  EXPECT_EQ(surface.SwapInterval(), 0);

  surface.ReleaseContext();
  EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
}

TEST_F(QtGLSurfaceTest, RefusesWhatGLCannotDraw) {
  TPixelFormatRequest request = TPixelFormatRequest::Default();
  request.flags &= ~TPixelFormatRequest::SupportOpenGL;
  EXPECT_FALSE(surface.SetPixelFormat(request));
  request = TPixelFormatRequest::Default();
  request.pixelType = 1;  // colour-index pixels
  EXPECT_FALSE(surface.SetPixelFormat(request));
}

TEST_F(QtGLSurfaceTest, MultisampleProbeLeavesTheContextCurrent) {
  const char* error = nullptr;
  ASSERT_TRUE(surface.CreateContext(error)) << error;
  // No driver offers these; Qt echoes such requests back when it falls back.
  EXPECT_FALSE(surface.HasMultisampleFormat(1024));
  EXPECT_FALSE(surface.HasMultisampleFormat(1025));
  surface.HasMultisampleFormat(4);
  EXPECT_EQ(QOpenGLContext::currentContext(), surface.Context());
}

// Start-up takes the render page's size at the moment the window shows, and closing
// stops the frame loop for good.
TEST(MainWindowLifetimeTest, StartsAtItsShownSizeAndStopsOnExit) {
  TFrmMain window;
  window.resize(900, 500);
  window.show();
  ASSERT_TRUE(ProcessUntil([&] { return window.Started(); }));
  QSize pixels = window.RenderWindow()->PixelSize();
  EXPECT_LT(pixels.width(), 900 - 289);
  EXPECT_EQ(Lines(window.findChild<QPlainTextEdit*>("ConsoleText")).value(4),
            QString("Resolution: %1x%2").arg(pixels.width()).arg(pixels.height()));
  ASSERT_TRUE(DrawFrames(window, 3));

  window.findChild<QAction*>("Exit1")->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.App().Ready());
  int64_t frames = window.App().FramesDrawn();
  QTest::qWait(100);
  EXPECT_EQ(window.App().FramesDrawn(), frames);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  InstallQtPlatform();
  SetExeFolder(ZQ_TEST_BIN_DIR);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
