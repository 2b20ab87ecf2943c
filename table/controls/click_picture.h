// A picture that acts as a button: a left click calls the given function,
// the pointer shows a hand over it.
#pragma once

#include <QLabel>
#include <QMouseEvent>
#include <functional>

namespace varnok {

class ClickPicture : public QLabel {
 public:
  ClickPicture(const QString& name, std::function<void()> click, QWidget* parent)
      : QLabel(parent), click_(std::move(click)) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && click_) {
      event->accept();
      click_();
      return;
    }
    QLabel::mousePressEvent(event);
  }

 private:
  std::function<void()> click_;
};

}  // namespace varnok
