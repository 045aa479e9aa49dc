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

/// After a resize the first frames show the cards of the size before,
/// scaled; waits until the sharp pictures are drawn and on the table.
inline bool WaitForSharpPictures(TfrmVarlo& window) {
  for (int i = 0; i < 2000 && window.CardPicturesPending(); ++i) QTest::qWait(5);
  Settle(window);
  return !window.CardPicturesPending();
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

/// A Whist deal in which the human holds all the hearts in slot order: he
/// wins whatever he leads and leads again, before any computer card.
inline void DealWhistHeartsToHuman(varlo::TMatch& m) {
  m.Contract = varlo::Whist;
  m.ChoosePending = false;
  m.Leader = 0;
  m.Chooser = 0;
  for (int seat = 0; seat < 4; ++seat)
    for (int i = 0; i < 8; ++i) m.Players[seat].Cards[i] = seat * 8 + i;
  m.Trick = {-1, -1, -1, -1};
  m.InputEnabled = true;
}

/// The device column (or row) of a table edge on the canvas: the scaled
/// edge rounded half up (edges are never negative).
inline int Edge(const QImage& canvas, int x) { return int(x * canvas.devicePixelRatio() + 0.5); }

/// The device pixels of a table rectangle on the canvas.
inline QRect DeviceRect(const QImage& canvas, int x, int y, int width, int height) {
  return QRect(QPoint(Edge(canvas, x), Edge(canvas, y)),
               QPoint(Edge(canvas, x + width) - 1, Edge(canvas, y + height) - 1));
}

/// The block of a picture's size at (x, y) (table pixels) of the canvas.
inline QImage Block(const QImage& canvas, int x, int y, int width = TCardImages::Width,
                    int height = TCardImages::Height) {
  return canvas.copy(DeviceRect(canvas, x, y, width, height)).convertToFormat(QImage::Format_RGB32);
}

/// Picture n exactly as the card artwork renders it.
inline QImage Picture(int n, qreal dpr) {
  return TCardImages::Render(n, dpr).convertToFormat(QImage::Format_RGB32);
}

/// Picture n rendered for exactly the device pixels a card at (x, y) covers;
/// its top `rows` table rows only, as they show with a card laid over it.
inline QImage CardPicture(int n, const QImage& canvas, int x, int y, int rows = 100) {
  const QImage card = TCardImages::Render(n, DeviceRect(canvas, x, y, 74, 100).size());
  return card.copy(0, 0, card.width(), Edge(canvas, y + rows) - Edge(canvas, y));
}

/// Pixels of the image in the rectangle (left, top)-(right, bottom), right
/// and bottom excluded, that equal the colour.
inline int CountColour(const QImage& canvas, int left, int top, int right, int bottom,
                       QColor colour) {
  int count = 0;
  for (int y = Edge(canvas, top); y < Edge(canvas, bottom); ++y)
    for (int x = Edge(canvas, left); x < Edge(canvas, right); ++x)
      if (canvas.pixelColor(x, y).rgb() == colour.rgb()) ++count;
  return count;
}

/// The number of pixels in that rectangle.
inline int AreaOf(const QImage& canvas, int left, int top, int right, int bottom) {
  return (Edge(canvas, right) - Edge(canvas, left)) * (Edge(canvas, bottom) - Edge(canvas, top));
}

}  // namespace ui_test
