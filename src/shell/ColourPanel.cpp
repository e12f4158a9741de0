#include "shell/ColourPanel.h"

#include <QMouseEvent>

TColourPanel::TColourPanel(QColor colour, QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setAutoFillBackground(true);
  SetColour(colour);
}

void TColourPanel::SetColour(QColor colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

void TColourPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}
