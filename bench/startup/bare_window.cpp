// The yardstick of the start-up measurement: a bare Qt widgets window (a
// QMainWindow with a label) that reports when its first frame is painted,
// in the same way as the game does with VARNOK_REPORT_STARTUP set.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTimer>

#include "startup_report.h"

namespace {

class Label : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (!reported_) {
      reported_ = true;
      varnok::ReportFirstPaint();
      QTimer::singleShot(200, [] {
        varnok::ReportResidentMemory();
        QApplication::quit();
      });
    }
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new Label(QStringLiteral("Varnok")));
  window.resize(760, 500);
  window.show();
  return QApplication::exec();
}
