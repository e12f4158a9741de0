#pragma once
#include <QColor>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/CommandHistory.h"

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class TColourPanel;
class TQtGLSurface;
class TRenderWindow;

// The main window: the "Renderer" page with the GL surface, the console, the driver
// information and the unit controls. It runs the frame loop and hands every GL matter
// and every render-page input to the core's TZQApp. Controls carry the object names
// the program's documentation uses (PageControl1, Tab_Renderer, ConsoleText, ...).
class TFrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFrmMain(TZQApp::Options options = {});
  ~TFrmMain() override;

  TZQApp& App() { return *app_; }
  TRenderWindow* RenderWindow() const { return renderWindow_; }
  // Whether the GL start-up has run and succeeded.
  bool Started() const { return started_; }

  // The unit list, one row per placed model; row 0 is selected afterwards.
  void FillUnitList(const std::vector<std::string>& rows);
  QListWidget* UnitList() const { return unitList_; }
  TColourPanel* SideColourPanel() const { return sideColourPanel_; }

 signals:
  // The user picked a side colour for the selected unit-list row.
  void unitSideColourChosen(int row, QColor colour);
  // "Random" was clicked.
  void randomColoursRequested();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildRendererPage();
  QWidget* BuildConsolePage();
  QWidget* BuildInfoPage();
  QWidget* BuildUnitPage();
  void BuildMenu();

  void StartGL();
  void RenderTimerTimer();
  void EndBusy();
  void CloseApp();
  void RenderSizeChanged(int width, int height);
  void ApplyPendingResize();
  bool AcceptsInput() const;
  void ForwardKey(QKeyEvent* event);
  void TakeFocusFromChildren();
  void TakeFocusFromPageControl();
  void SideColourPanelClick();
  void OGLInfoCopyButtonClick();
  void AppendConsoleLine(std::u16string_view line);
  void RunConsoleCommand();
  // Hands input or a console command to the app: with the context current (a callback
  // may delete an element and with it a texture) and marked busy, so that a message box
  // the scripts cause cannot start a frame inside it.
  void ForwardInput(const std::function<void()>& forward);

  // The surface outlives the app: the app's GL objects go while the context exists.
  std::unique_ptr<TQtGLSurface> surface_;
  std::unique_ptr<TZQApp> app_;

  TRenderWindow* renderWindow_ = nullptr;
  QTabWidget* pageControl1_ = nullptr;
  QTabWidget* pageControl2_ = nullptr;
  QPlainTextEdit* consoleText_ = nullptr;
  QLineEdit* consoleCommandEdit_ = nullptr;
  QPlainTextEdit* oglInfoText_ = nullptr;
  QListWidget* unitList_ = nullptr;
  TColourPanel* sideColourPanel_ = nullptr;
  QTimer renderTimer_;
  TCommandHistory commandHistory_;

  bool shown_ = false;
  bool started_ = false;
  bool closed_ = false;
  // Set while start-up or a frame runs: a message box's own event loop must not start another.
  bool busy_ = false;
  bool resizePending_ = false;
};
