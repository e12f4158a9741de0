#include "shell/FrmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Console.h"
#include "shell/ColourPanel.h"
#include "shell/KeyMap.h"
#include "shell/QtGLSurface.h"
#include "shell/RenderWindow.h"

namespace {

constexpr QSize kWindowSize(1142, 656);
constexpr int kRightPagesWidth = 289;
constexpr int kUnitListHeight = 169;
constexpr int kCommandEditHeight = 21;
constexpr QSize kSideColourPanelSize(81, 41);
const QColor kConsoleBackground(104, 99, 87);

QPlainTextEdit* MakeLog(const char* name, QWidget* parent) {
  auto* log = new QPlainTextEdit(parent);
  log->setObjectName(name);
  log->setReadOnly(true);
  log->setLineWrapMode(QPlainTextEdit::NoWrap);
  log->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  log->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return log;
}

QVBoxLayout* PageLayout(QWidget* page, int margin) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(margin);
  return layout;
}

}  // namespace

TFrmMain::TFrmMain(TZQApp::Options options) : app_(std::make_unique<TZQApp>(options)) {
  QGuiApplication::setApplicationDisplayName("ZQ GPU");
  setWindowTitle(" ZQ GPU");
  setObjectName("FrmMain");

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  pageControl1_ = new QTabWidget(central);
  pageControl1_->setObjectName("PageControl1");
  pageControl1_->addTab(BuildRendererPage(), "Renderer");
  layout->addWidget(pageControl1_, 1);

  pageControl2_ = new QTabWidget(central);
  pageControl2_->setObjectName("PageControl2");
  pageControl2_->setFixedWidth(kRightPagesWidth);
  pageControl2_->addTab(BuildConsolePage(), "Console");
  pageControl2_->addTab(BuildInfoPage(), "OGL Info");
  pageControl2_->addTab(BuildUnitPage(), "TabSheet1");
  pageControl2_->setCurrentIndex(2);
  layout->addWidget(pageControl2_);

  setCentralWidget(central);
  BuildMenu();
  app_->onUnitSelected = [this](int row) { unitList_->setCurrentRow(row); };

  resize(kWindowSize);
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  SetConsole(std::make_unique<TVORN3_Console>([this](std::u16string_view line) { AppendConsoleLine(line); }));

  renderTimer_.setInterval(0);
  connect(&renderTimer_, &QTimer::timeout, this, &TFrmMain::RenderTimerTimer);
}

TFrmMain::~TFrmMain() {
  renderTimer_.stop();
  SetConsole(nullptr);
  if (surface_) surface_->MakeCurrent();
  app_.reset();
  surface_.reset();
}

QWidget* TFrmMain::BuildRendererPage() {
  auto* page = new QWidget;
  page->setObjectName("Tab_Renderer");
  renderWindow_ = new TRenderWindow;
  surface_ = std::make_unique<TQtGLSurface>(renderWindow_);
  QWidget* container = QWidget::createWindowContainer(renderWindow_, page);
  container->setObjectName("RenderSurface");
  container->setFocusPolicy(Qt::NoFocus);
  PageLayout(page, 0)->addWidget(container);

  connect(renderWindow_, &TRenderWindow::firstExposed, this, &TFrmMain::StartGL);
  connect(this, &TFrmMain::unitSideColourChosen, this, [this](int row, QColor colour) {
    app_->ApplyUnitSideColour(row, uint8_t(colour.red()), uint8_t(colour.green()), uint8_t(colour.blue()));
  });
  connect(this, &TFrmMain::randomColoursRequested, this, [this] { app_->RandomSideColours(); });
  connect(renderWindow_, &TRenderWindow::pixelSizeChanged, this, &TFrmMain::RenderSizeChanged);
  connect(renderWindow_, &TRenderWindow::mouseMoved, this, [this](int x, int y) {
    TakeFocusFromChildren();
    ForwardInput([&] { app_->MouseMove(x, y); });
  });
  connect(renderWindow_, &TRenderWindow::mousePressed, this, [this](int button, int x, int y) {
    activateWindow();
    ForwardInput([&] { app_->MouseDown(button, x, y); });
  });
  connect(renderWindow_, &TRenderWindow::mouseReleased, this,
          [this](int button, int x, int y) { ForwardInput([&] { app_->MouseUp(button, x, y); }); });
  connect(renderWindow_, &TRenderWindow::keyEvent, this, &TFrmMain::ForwardKey);
  connect(renderWindow_, &TRenderWindow::wheelTurned, this,
          [this](int delta, int x, int y) { ForwardInput([&] { app_->MouseWheel(delta, x, y); }); });
  return page;
}

QWidget* TFrmMain::BuildConsolePage() {
  auto* page = new QWidget;
  page->setObjectName("Tab_Console");
  consoleText_ = MakeLog("ConsoleText", page);
  consoleText_->setFrameShape(QFrame::NoFrame);
  QPalette colours = consoleText_->palette();
  colours.setColor(QPalette::Base, kConsoleBackground);
  colours.setColor(QPalette::Text, Qt::white);
  consoleText_->setPalette(colours);
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  consoleText_->setFont(font);

  consoleCommandEdit_ = new QLineEdit(page);
  consoleCommandEdit_->setObjectName("ConsoleCommandEdit");
  consoleCommandEdit_->setFixedHeight(kCommandEditHeight);
  consoleCommandEdit_->setFrame(false);
  consoleCommandEdit_->installEventFilter(this);
  connect(consoleCommandEdit_, &QLineEdit::returnPressed, this, &TFrmMain::RunConsoleCommand);

  QVBoxLayout* layout = PageLayout(page, 0);
  layout->addWidget(consoleText_, 1);
  layout->addWidget(consoleCommandEdit_);
  return page;
}

QWidget* TFrmMain::BuildInfoPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet2");
  oglInfoText_ = MakeLog("OGLInfoText", page);
  auto* copy = new QPushButton("Copy To Clipboard", page);
  copy->setObjectName("OGLInfoCopyButton");
  connect(copy, &QPushButton::clicked, this, &TFrmMain::OGLInfoCopyButtonClick);

  QVBoxLayout* layout = PageLayout(page, 4);
  layout->addWidget(oglInfoText_, 1);
  layout->addWidget(copy);
  return page;
}

QWidget* TFrmMain::BuildUnitPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet1");
  unitList_ = new QListWidget(page);
  unitList_->setObjectName("UnitList");
  unitList_->setFixedHeight(kUnitListHeight);
  unitList_->setSelectionMode(QAbstractItemView::SingleSelection);

  auto* label = new QLabel("Side Colour:", page);
  label->setObjectName("Label1");
  sideColourPanel_ = new TColourPanel(Qt::green, page);
  sideColourPanel_->setObjectName("SideColourPanel");
  sideColourPanel_->setFixedSize(kSideColourPanelSize);
  connect(sideColourPanel_, &TColourPanel::clicked, this, &TFrmMain::SideColourPanelClick);
  auto* random = new QPushButton("Random", page);
  random->setObjectName("Button1");
  connect(random, &QPushButton::clicked, this, &TFrmMain::randomColoursRequested);

  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(label);
  colourRow->addWidget(sideColourPanel_);
  colourRow->addStretch(1);
  colourRow->addWidget(random);

  QVBoxLayout* layout = PageLayout(page, 4);
  layout->addWidget(unitList_);
  layout->addLayout(colourRow);
  layout->addStretch(1);
  return page;
}

void TFrmMain::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  QMenu* file = bar->addMenu("File");
  file->setObjectName("File1");
  QAction* exit = file->addAction("Exit");
  exit->setObjectName("Exit1");
  connect(exit, &QAction::triggered, this, &QWidget::close);
}

void TFrmMain::FillUnitList(const std::vector<std::string>& rows) {
  unitList_->setUpdatesEnabled(false);
  unitList_->clear();
  for (const std::string& row : rows) unitList_->addItem(QString::fromStdString(row));
  unitList_->setUpdatesEnabled(true);
  if (!rows.empty()) unitList_->setCurrentRow(0);
}

// The GL start-up needs the native window on screen with its final size, which the
// first expose guarantees.
void TFrmMain::StartGL() {
  if (closed_) return;
  busy_ = true;
  resizePending_ = false;
  QSize size = renderWindow_->PixelSize();
  started_ = app_->Start(surface_.get(), size.width(), size.height());
  if (started_) {
    FillUnitList(app_->UnitRows());
    for (const std::string& line : app_->InfoLines()) oglInfoText_->appendPlainText(QString::fromStdString(line));
    oglInfoText_->moveCursor(QTextCursor::Start);
  }
  EndBusy();
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  renderTimer_.start();
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) return;
  closed_ = true;
  renderTimer_.stop();
  if (started_ && !busy_) CloseApp();
}

void TFrmMain::RenderTimerTimer() {
  TakeFocusFromPageControl();
  if (busy_ || closed_ || !started_ || !app_->Ready()) return;
  busy_ = true;
  surface_->MakeCurrent();
  app_->Frame();
  EndBusy();
}

// A message box shown during the start-up or a frame runs its own event loop, in which
// the window may be resized or closed; the app hears of it once that work is done.
void TFrmMain::EndBusy() {
  busy_ = false;
  if (closed_) {
    if (started_) CloseApp();
    return;
  }
  ApplyPendingResize();
}

// Closing frees GL objects, which needs the context.
void TFrmMain::CloseApp() {
  surface_->MakeCurrent();
  app_->Close();
}

void TFrmMain::RenderSizeChanged(int, int) {
  resizePending_ = true;
  if (!busy_) ApplyPendingResize();
}

// Before the context exists a resize means nothing to GL; the start-up takes the size then.
void TFrmMain::ApplyPendingResize() {
  if (!resizePending_ || !started_ || closed_) return;
  resizePending_ = false;
  QSize size = renderWindow_->PixelSize();
  surface_->MakeCurrent();
  app_->Resize(size.width(), size.height());
}

bool TFrmMain::AcceptsInput() const { return started_ && !busy_ && !closed_; }

void TFrmMain::ForwardInput(const std::function<void()>& forward) {
  if (!AcceptsInput()) return;
  busy_ = true;
  surface_->MakeCurrent();
  forward();
  EndBusy();
}

// Keys reach the window itself only while no child control has the focus; keys that a
// focused child passes on to its parent are not the render page's.
bool TFrmMain::event(QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && !QApplication::focusWidget())
    ForwardKey(static_cast<QKeyEvent*>(event));
  return QMainWindow::event(event);
}

void TFrmMain::ForwardKey(QKeyEvent* event) {
  int key = VirtualKey(event->key(), event->modifiers());
  if (event->type() == QEvent::KeyRelease) {
    // X reports auto-repeat as release and press pairs; the GUI expects only repeated downs.
    if (key && !event->isAutoRepeat()) ForwardInput([&] { app_->KeyUp(key); });
    return;
  }
  std::u16string codes = CharCodes(event->key(), event->modifiers(), event->text().toStdU16String());
  ForwardInput([&] {
    if (key) app_->KeyDown(key);
    for (char16_t code : codes) app_->Char(code);
  });
}

void TFrmMain::TakeFocusFromChildren() {
  if (QWidget* focused = QApplication::focusWidget(); focused && focused->window() == this) focused->clearFocus();
}

void TFrmMain::TakeFocusFromPageControl() {
  QWidget* focused = QApplication::focusWidget();
  if (qobject_cast<QTabBar*>(focused) || qobject_cast<QTabWidget*>(focused)) focused->clearFocus();
}

void TFrmMain::SideColourPanelClick() {
  QList<QListWidgetItem*> selected = unitList_->selectedItems();
  if (selected.isEmpty()) return;
  int row = unitList_->row(selected.first());
  QColorDialog dialog(sideColourPanel_->Colour(), this);
  dialog.setObjectName("ColorDialog");
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return;
  QColor colour = dialog.selectedColor();
  sideColourPanel_->SetColour(colour);
  emit unitSideColourChosen(row, colour);
}

void TFrmMain::OGLInfoCopyButtonClick() { QGuiApplication::clipboard()->setText(oglInfoText_->toPlainText()); }

// Enter runs the line in the GUI's interpreter and empties the field; Up and Down walk
// the lines entered before.
void TFrmMain::RunConsoleCommand() {
  std::string line = consoleCommandEdit_->text().toStdString();
  commandHistory_.Add(line);
  consoleCommandEdit_->clear();
  if (!line.empty()) ForwardInput([&] { app_->RunConsoleCommand(line); });
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == consoleCommandEdit_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      std::string line = key == Qt::Key_Up ? commandHistory_.Older() : commandHistory_.Newer();
      consoleCommandEdit_->setText(QString::fromStdString(line));
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::AppendConsoleLine(std::u16string_view line) {
  consoleText_->appendPlainText(QString::fromUtf16(line.data(), qsizetype(line.size())));
}
