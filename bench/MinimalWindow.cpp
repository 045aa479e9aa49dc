// The yardstick for the game's start-up: the smallest Qt 6 Widgets program
// that opens a window of the game's size and paints it green. With
// VARLO_BENCH_PAINT set it reports its first paint as the game does.
//
// With --menu it also carries a one-item menu bar. Any text on the screen
// makes Qt read the system's font configuration first; this second figure
// shows how much of the game's start-up is that alone.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>
#include <cstring>

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
  const bool withMenu = argc > 1 && std::strcmp(argv[1], "--menu") == 0;
  QMainWindow frame;
  auto* window = new TMinimal;
  if (withMenu) {
    frame.menuBar()->addMenu(QStringLiteral("&Game"))->addAction(QStringLiteral("&New"));
    frame.setCentralWidget(window);
    frame.setWindowTitle("Minimal");
    frame.resize(640, 460);
    frame.show();
  } else {
    window->setWindowTitle("Minimal");
    window->resize(640, 440);
    window->show();
  }
  const int result = app.exec();
  if (!withMenu) delete window;
  return result;
}
