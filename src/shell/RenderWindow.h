#pragma once
#include <QWindow>

// The native window that GL draws into, embedded in the "Renderer" page. It reports
// its input in GL pixels (device pixels, y downwards) and never takes the keyboard
// focus: keys belong to the main window. Keys the X server hands to it anyway (pointer
// focus without a window manager) are passed on.
class TRenderWindow : public QWindow {
  Q_OBJECT
 public:
  TRenderWindow();

  // Size in device pixels, the GL viewport size.
  QSize PixelSize() const;

 signals:
  void firstExposed();
  void pixelSizeChanged(int width, int height);
  void mouseMoved(int x, int y);
  void mousePressed(int button, int x, int y);
  void mouseReleased(int button, int x, int y);
  void wheelTurned(int delta, int x, int y);
  void keyEvent(QKeyEvent* event);

 protected:
  void exposeEvent(QExposeEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  QPoint PixelPos(QPointF position) const;

  bool exposed_ = false;
};
