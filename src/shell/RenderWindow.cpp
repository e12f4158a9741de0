#include "shell/RenderWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

// 0 left, 1 right, 2 middle; -1 for buttons the GUI does not know.
int ButtonNumber(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 0;
    case Qt::RightButton:
      return 1;
    case Qt::MiddleButton:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

TRenderWindow::TRenderWindow() {
  setSurfaceType(QSurface::OpenGLSurface);
  setFlag(Qt::WindowDoesNotAcceptFocus);
}

QSize TRenderWindow::PixelSize() const { return size() * devicePixelRatio(); }

QPoint TRenderWindow::PixelPos(QPointF position) const { return (position * devicePixelRatio()).toPoint(); }

void TRenderWindow::exposeEvent(QExposeEvent*) {
  if (exposed_ || !isExposed()) return;
  exposed_ = true;
  emit firstExposed();
}

void TRenderWindow::resizeEvent(QResizeEvent*) {
  QSize pixels = PixelSize();
  emit pixelSizeChanged(pixels.width(), pixels.height());
}

void TRenderWindow::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = PixelPos(event->position());
  emit mouseMoved(p.x(), p.y());
}

void TRenderWindow::mousePressEvent(QMouseEvent* event) {
  int button = ButtonNumber(event->button());
  if (button < 0) return;
  QPoint p = PixelPos(event->position());
  emit mousePressed(button, p.x(), p.y());
}

void TRenderWindow::mouseReleaseEvent(QMouseEvent* event) {
  int button = ButtonNumber(event->button());
  if (button < 0) return;
  QPoint p = PixelPos(event->position());
  emit mouseReleased(button, p.x(), p.y());
}

void TRenderWindow::wheelEvent(QWheelEvent* event) {
  int delta = event->angleDelta().y();
  if (delta == 0) return;
  QPoint p = PixelPos(event->position());
  emit wheelTurned(delta, p.x(), p.y());
}

void TRenderWindow::keyPressEvent(QKeyEvent* event) { emit keyEvent(event); }

void TRenderWindow::keyReleaseEvent(QKeyEvent* event) { emit keyEvent(event); }
