// Info > Statistics over a log of 10,000 matches (VARLO_BENCH_MATCHES sets
// the number): the time from the menu command to the end of the window's
// first paint, the first time (the module and Qt Charts loaded with it) and
// the median of the times after; what reading the log and computing the
// figures take of it; and the log's size. The log is made in a home of the
// bench's own from a hundred real matches, repeated.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "MainForm.h"
#include "match_runner.h"
#include "statistics_figures.h"

namespace {

using TClock = std::chrono::steady_clock;

double MsSince(TClock::time_point start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

void WriteLog(const std::filesystem::path& file, int matches) {
  const std::filesystem::path sample = file.parent_path() / "sample.jsonl";
  varlo::TRunOptions run;
  run.Matches = 100;
  run.Human = varlo::THumanStyle::Steady;
  run.Check = false;
  run.StatisticsFile = sample;
  varlo::RunMatches(run);
  const std::vector<varlo::TMatchRecord> real = varlo::ReadStatisticsLog(sample).Matches;
  std::filesystem::remove(sample);
  std::ofstream out(file, std::ios::binary);
  for (int i = 0; i < matches; ++i) {
    varlo::TMatchRecord record = real[std::size_t(i) % real.size()];
    record.Opponents = static_cast<varlo::TOpponentLevel>(i % varlo::OpponentLevelCount);
    record.Finished = i % 20 != 0;
    if (!record.Finished) record.Deals.resize(std::size_t(i) % varlo::DealsPerMatch);
    out << varlo::EncodeRecord(record) << '\n';
  }
}

// The time from the menu command to the end of the statistics window's
// first paint.
class TFirstPaint : public QObject {
 public:
  double Open(QAction* command) {
    Painted = false;
    Start = TClock::now();
    command->trigger();
    return Ms;
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(object);
    if (event->type() == QEvent::Paint && !Painted && widget &&
        widget->window()->objectName() == QLatin1String("frmStatistics")) {
      Painted = true;
      // The rest of the pass paints first: the timer fires once it is over.
      QTimer::singleShot(0, widget->window(), [this, window = widget->window()] {
        Ms = MsSince(Start);
        qobject_cast<QDialog*>(window)->reject();
      });
    }
    return false;
  }

 private:
  bool Painted = false;
  TClock::time_point Start;
  double Ms = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
    qputenv(name, home.path().toUtf8());
  QApplication app(argc, argv);
  const int matches = qEnvironmentVariableIntValue("VARLO_BENCH_MATCHES") > 0
                          ? qEnvironmentVariableIntValue("VARLO_BENCH_MATCHES")
                          : 10000;
  const std::filesystem::path log = varlo::StatisticsFile();
  std::filesystem::create_directories(log.parent_path());
  WriteLog(log, matches);

  auto start = TClock::now();
  const varlo::TStatisticsLog read = varlo::ReadStatisticsLog(log);
  const double readMs = MsSince(start);
  start = TClock::now();
  const varlo::TStatisticsFigures figures = varlo::ComputeFigures(read.Matches);
  const double figuresMs = MsSince(start);

  TfrmVarlo window(nullptr, std::filesystem::path());
  window.show();
  QTimer::singleShot(0, &app, [&] {
    TFirstPaint probe;
    app.installEventFilter(&probe);
    auto* command = window.findChild<QAction*>(QStringLiteral("miStatistics"));
    const double cold = probe.Open(command);
    std::vector<double> warm;
    for (int i = 0; i < 7; ++i) warm.push_back(probe.Open(command));
    std::sort(warm.begin(), warm.end());
    std::printf(
        "statistics_first_paint_ms first=%.1f median_after=%.1f (read_log=%.1f "
        "figures=%.1f) matches=%zu finished=%zu log_mb=%.1f\n",
        cold, warm[warm.size() / 2], readMs, figuresMs, read.Matches.size(), figures.Totals.size(),
        double(std::filesystem::file_size(log)) / (1 << 20));
    std::fflush(stdout);
    QCoreApplication::exit(0);  // quit() would ask the window, which asks "Are you sure to exit?"
  });
  return app.exec();
}
