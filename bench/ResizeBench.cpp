// The table redrawn after the window is enlarged: from the resize to the end
// of the first paint that shows the table at its new size. The window goes
// back and forth between its first size and a large one; only the way up is
// timed:
//   cold  each time a new size (2560 x 1440, then a pixel less high each
//         time): the first frame shows the cards of the small size scaled
//         up while the sharp ones are drawn in the background;
//   sharp the same resizes, until the frame with the sharp cards is
//         painted;
//   warm  2560 x 1440 again, its cards still kept from the time before.
//   plain the same for a bare window that only fills itself green: what
//         any Qt window of that size pays (allocating and showing its
//         pixels), the yardstick for the others.
// Prints "resize_redraw_cold_ms min=.. median=.. max=.." and the same for
// sharp, warm and plain, then the medians of cold and warm over plain. Set
// the pixel ratio with QT_SCALE_FACTOR; VARLO_BENCH_RESIZES sets the count
// of each (20).
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "MainForm.h"
#include "TableView.h"

namespace {

// The yardstick: a window that paints itself in one colour.
class TPlain : public QWidget {
 public:
  bool Painted = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(0, 128, 0));
    Painted = true;
  }
};

double PlainUntilPainted(TPlain& window, QSize size) {
  QElapsedTimer clock;
  clock.start();
  window.Painted = false;
  window.resize(size);
  while (!window.Painted) QCoreApplication::processEvents(QEventLoop::AllEvents);
  return clock.nsecsElapsed() / 1e6;
}

// Notes each paint of the table that comes after the game's redraw.
class TPaintWatch : public QObject {
 public:
  explicit TPaintWatch(varlo::TMatch& match) : Match(match) {}
  bool Painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !Match.Redraw.NeedsRepaint) Painted = true;
    return false;
  }

 private:
  varlo::TMatch& Match;
};

void UntilRedrawnAndPainted(TfrmVarlo& window, TPaintWatch& watch, QEventLoop::ProcessEventsFlags how) {
  watch.Painted = false;
  while (!watch.Painted || window.Match().Redraw.NeedsRepaint) QCoreApplication::processEvents(how);
}

// Processes events until the table has been redrawn and painted; the time
// it took in milliseconds. Then waits, without spinning, for the sharp
// pictures and their frame: the time from the resize to that frame goes to
// `sharp`.
double UntilPainted(TfrmVarlo& window, TPaintWatch& watch, QSize size, double* sharp = nullptr) {
  QElapsedTimer clock;
  clock.start();
  window.resize(size);
  UntilRedrawnAndPainted(window, watch, QEventLoop::AllEvents);
  const double first = clock.nsecsElapsed() / 1e6;
  if (!window.CardPicturesPending()) {
    if (sharp) *sharp = first;
    return first;
  }
  while (window.CardPicturesPending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  UntilRedrawnAndPainted(window, watch, QEventLoop::WaitForMoreEvents);
  if (sharp) *sharp = clock.nsecsElapsed() / 1e6;
  return first;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int count = qEnvironmentVariableIntValue("VARLO_BENCH_RESIZES") > 0
                        ? qEnvironmentVariableIntValue("VARLO_BENCH_RESIZES")
                        : 20;
  TfrmVarlo window(nullptr, std::filesystem::path());
  varlo::TMatch& m = window.Match();
  varlo::TMatchState position = m.State();
  position.Deal.Contract = varlo::Whist;
  position.Deal.Players[0].Cards = {0, 9, 18, 27, 4, 13, 22, 31};
  position.Deal.Trick = {3, 12, 21, -1};
  position.Table.HandLine = "Hand: Sandra";
  position.Table.GameLine = "Current Game: Whist";
  m.Restore(position);
  window.show();
  TPaintWatch watch(m);
  window.Table()->installEventFilter(&watch);
  const QSize small = window.size(), large(2560, 1440);
  UntilPainted(window, watch, small);
  std::vector<double> cold, sharp(count), warm;
  for (int i = 0; i < count; ++i) {
    cold.push_back(UntilPainted(window, watch, large - QSize(0, i), &sharp[i]));
    UntilPainted(window, watch, small);
  }
  UntilPainted(window, watch, large);
  for (int i = 0; i < count; ++i) {
    UntilPainted(window, watch, small);
    warm.push_back(UntilPainted(window, watch, large));
  }
  window.hide();
  TPlain plain;
  plain.resize(small);
  plain.show();
  std::vector<double> bare;
  for (int i = 0; i < count; ++i) {
    PlainUntilPainted(plain, small);
    bare.push_back(PlainUntilPainted(plain, large));
  }
  const char* names[] = {"cold", "sharp", "warm", "plain"};
  int k = 0;
  for (auto* times : {&cold, &sharp, &warm, &bare}) {
    std::sort(times->begin(), times->end());
    std::printf("resize_redraw_%s_ms min=%.1f median=%.1f max=%.1f ratio=%.2f resizes=%d\n",
                names[k++], times->front(), (*times)[times->size() / 2], times->back(),
                window.devicePixelRatioF(), count);
  }
  const auto median = [](const std::vector<double>& times) { return times[times.size() / 2]; };
  std::printf("resize_redraw_over_plain cold=%.2f warm=%.2f ratio=%.2f\n",
              median(cold) / median(bare), median(warm) / median(bare), window.devicePixelRatioF());
  return 0;
}
