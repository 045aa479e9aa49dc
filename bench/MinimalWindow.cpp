// The yardstick for the game's start-up: the smallest Qt 6 Widgets program
// that opens a window of the game's size and paints it green. With
// VARLO_BENCH_PAINT set it reports its first paint as the game does.
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "FirstPaint.h"

namespace {

class TMinimal : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(0, 128, 0));
    ReportFirstPaint();
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TMinimal window;
  window.setWindowTitle("Minimal");
  window.resize(640, 440);
  window.show();
  return app.exec();
}
