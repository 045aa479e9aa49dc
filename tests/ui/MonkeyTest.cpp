// Thousands of random events on the real window over several matches. Set
// VARLO_MONKEY_SEED to replay one seed, VARLO_MONKEY_EVENTS for a longer run.
#include <QTemporaryDir>
#include <QTest>

#include "Monkey.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// The offscreen platform says so each time a box asks to be raised or sized;
// thousands of such lines would bury a failure's report.
QtMessageHandler QtHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  QtHandler(type, context, text);
}

}  // namespace

class TMonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QtHandler = qInstallMessageHandler(QuietHandler); }
  void cleanupTestCase() { qInstallMessageHandler(QtHandler); }
  void RandomEventsKeepTheMatchWhole();
};

void TMonkeyTest::RandomEventsKeepTheMatchWhole() {
  QList<unsigned> seeds = {1, 2, 3, 4};
  if (qEnvironmentVariableIsSet("VARLO_MONKEY_SEED"))
    seeds = {qEnvironmentVariable("VARLO_MONKEY_SEED").toUInt()};
  const long events = qEnvironmentVariableIntValue("VARLO_MONKEY_EVENTS") > 0
                          ? qEnvironmentVariableIntValue("VARLO_MONKEY_EVENTS")
                          : 2500;
  int wholeMatches = 0, strongDeals = 0;
  for (unsigned seed : seeds) {
    TFreshHome home;  // its preferences and unfinished matches are its own
    QTemporaryDir dir;
    TMonkey monkey(seed, std::filesystem::path(dir.path().toStdString()) / "Varlo.ini");
    monkey.Run(events);
    const TMonkeyTally& tally = monkey.Tally();
    qInfo("seed %u: %ld events, %d whole matches, %d windows, %d exits, %d New, %d choosers (%d "
          "closed empty), %d deals (%d against Strong opponents), %d illegal moves",
          seed, tally.Events, tally.WholeMatches, tally.Launches, tally.Exits, tally.News,
          tally.Choosers,
          tally.EmptyChooserCloses, tally.DealScores, tally.StrongDeals, tally.IllegalMoves);
    QVERIFY2(monkey.Failures().isEmpty(), qPrintable(monkey.Report()));
    wholeMatches += tally.WholeMatches;
    strongDeals += tally.StrongDeals;
  }
  // A monkey that never reaches the end of a match has not tested it. (A
  // replay of one seed, or a short course, may stop before any end.)
  const bool fullCourse = seeds.size() > 1 && events >= 2500;
  if (fullCourse) QVERIFY2(wholeMatches >= 2, "too few matches were played to their end");
  if (fullCourse) QVERIFY2(strongDeals >= 10, "too few deals were played against Strong opponents");
}

QTEST_MAIN(TMonkeyTest)
#include "MonkeyTest.moc"
