// A main window for the tests: shown, no trick pause, a fixed clock and its
// own records file (or none), so no test touches the program's folder.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QImage>
#include <QTest>
#include <filesystem>
#include <iterator>
#include <memory>
#include <vector>

#include "CardImages.h"
#include "MainForm.h"
#include "TableView.h"
#include "match_edit.h"

namespace ui_test {

using varlo_test::Edit;
using varlo_test::TEdit;

/// Lets the redraw timer run until no redraw is pending.
inline void Settle(TfrmVarlo& window) {
  for (int i = 0; i < 200 && window.Match().Redraw.NeedsRepaint; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QTest::qWait(1);
  }
}

/// A home of the test's own for as long as it lives: HOME and the XDG
/// configuration, data and state folders point into an empty temporary
/// folder, so what the game keeps there starts from nothing and is gone
/// afterwards.
class TFreshHome {
 public:
  TFreshHome() {
    for (const char* name : Variables) {
      Saved.push_back(qgetenv(name));
      const QString path = Dir.filePath(QLatin1String(name));
      QDir().mkpath(path);
      qputenv(name, path.toUtf8());
    }
  }
  ~TFreshHome() {
    for (std::size_t i = 0; i < std::size(Variables); ++i) qputenv(Variables[i], Saved[i]);
  }
  QString Path() const { return Dir.path(); }
  /// Every file below the home, as paths relative to it.
  QStringList Files() const {
    QStringList found;
    QDirIterator it(Dir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(Dir.path()).relativeFilePath(it.next());
    found.sort();
    return found;
  }

 private:
  static constexpr const char* Variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                              "XDG_STATE_HOME", "XDG_CACHE_HOME"};
  QTemporaryDir Dir;
  std::vector<QByteArray> Saved;
};

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
  TEdit edit(m);
  edit->Deal.Contract = varlo::Whist;
  edit->Driver.ChoosePending = false;
  edit->Deal.Leader = 0;
  edit->Deal.Chooser = 0;
  for (int seat = 0; seat < 4; ++seat)
    for (int i = 0; i < 8; ++i) edit->Deal.Players[seat].Cards[i] = seat * 8 + i;
  edit->Deal.Trick = {-1, -1, -1, -1};
  edit->Driver.InputEnabled = true;
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
