// A main window for the tests: shown, no trick pause, a fixed clock and its
// own records file (or none), so no test touches the program's folder.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <filesystem>
#include <memory>

#include "CardImages.h"
#include "MainForm.h"
#include "TableView.h"

namespace ui_test {

/// Lets the redraw timer run until no redraw is pending.
inline void Settle(TfrmVarlo& window) {
  for (int i = 0; i < 200 && window.Match().NeedsRepaint; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QTest::qWait(1);
  }
}

class TTestWindow {
 public:
  explicit TTestWindow(std::filesystem::path recordsFile = {})
      : Clock(20240601), Window(std::make_unique<TfrmVarlo>(&Clock, recordsFile)) {
    Window->SetPauseScale(0);
    Window->show();
    ready = QTest::qWaitForWindowExposed(Window.get());
    Settle(*Window);
  }

  TfrmVarlo* operator->() { return Window.get(); }
  TfrmVarlo& operator*() { return *Window; }
  TfrmVarlo* get() { return Window.get(); }
  bool Ready() const { return ready; }

 private:
  varlo::TSteppingClock Clock;
  std::unique_ptr<TfrmVarlo> Window;
  bool ready = false;
};

/// The block of a picture's size at (x, y) (table pixels) of the canvas.
inline QImage Block(const QImage& canvas, int x, int y, int width = TCardImages::Width,
                    int height = TCardImages::Height) {
  const qreal dpr = canvas.devicePixelRatio();
  return canvas.copy(qRound(x * dpr), qRound(y * dpr), qRound(width * dpr), qRound(height * dpr))
      .convertToFormat(QImage::Format_RGB32);
}

/// Picture n exactly as the card artwork renders it.
inline QImage Picture(int n, qreal dpr) {
  return TCardImages::Render(n, dpr).convertToFormat(QImage::Format_RGB32);
}

/// Pixels of the image in the rectangle (left, top)-(right, bottom), right
/// and bottom excluded, that equal the colour.
inline int CountColour(const QImage& canvas, int left, int top, int right, int bottom,
                       QColor colour) {
  const qreal dpr = canvas.devicePixelRatio();
  int count = 0;
  for (int y = qRound(top * dpr); y < qRound(bottom * dpr); ++y)
    for (int x = qRound(left * dpr); x < qRound(right * dpr); ++x)
      if (canvas.pixelColor(x, y).rgb() == colour.rgb()) ++count;
  return count;
}

/// The number of pixels in that rectangle.
inline int AreaOf(const QImage& canvas, int left, int top, int right, int bottom) {
  const qreal dpr = canvas.devicePixelRatio();
  return (qRound(right * dpr) - qRound(left * dpr)) * (qRound(bottom * dpr) - qRound(top * dpr));
}

}  // namespace ui_test
