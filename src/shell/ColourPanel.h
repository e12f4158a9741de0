#pragma once
#include <QColor>
#include <QFrame>

// A bevelled panel that shows one colour and reports clicks.
class TColourPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TColourPanel(QColor colour, QWidget* parent = nullptr);

  QColor Colour() const { return colour_; }
  void SetColour(QColor colour);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor colour_;
};
