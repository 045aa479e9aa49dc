// A whole match of 32 deals played through the window: New from the menu,
// clicks on the table, and every dialog and box answered as a user would.
#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "GameChooser.h"
#include "MatchUser.h"
#include "ModalAnswers.h"
#include "Points.h"
#include "Records.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

int PlayableSlot(varlo::TMatch& m) {
  for (int slot = 0; slot < 8; ++slot)
    if (m.Deal().Players[0].Cards[slot] >= 0 && m.MayPlaySlot(slot)) return slot;
  return -1;
}

}  // namespace

class TWholeMatchTest : public QObject {
  Q_OBJECT

 private slots:
  void MatchRunsToTheEnd();
};

void TWholeMatchTest::MatchRunsToTheEnd() {
  QTemporaryDir dir;
  const auto file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  TTestWindow window(file);
  TUser user;
  auto& m = window->Match();
  window->findChild<QAction*>("miNew")->trigger();
  QCOMPARE(m.Progress().DealsPlayed, 0);

  // A deal has at most 8 clicks of the human (more only after his aces).
  int clicks = 0;
  while (m.Progress().DealsPlayed < 32 && clicks < 32 * 16) {
    QVERIFY(m.InputEnabled());
    const int slot = PlayableSlot(m);
    QVERIFY2(slot >= 0, "the driver returned without a card for the human");
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * slot + 37, 75));
    ++clicks;
  }
  QCOMPARE(m.Progress().DealsPlayed, 32);
  QVERIFY(m.InputEnabled());
  QCOMPARE(user.Choosers, 32);
  QCOMPARE(user.ComputerChoosers, 24);
  QCOMPARE(user.Scores, 32);
  QCOMPARE(user.GameOvers, 1);
  QCOMPARE(user.IllegalMoves, 0);
  QCOMPARE(user.OtherTexts, QStringList());
  // Each seat picks the layout contract once, and such a deal lasts until
  // all four hands are empty: 4 deals x 4 players going out.
  QCOMPARE(user.Finishes, 16);
  for (const auto& row : m.Progress().ContractsChosen)
    for (bool chosen : row) QVERIFY(chosen);

  // The records dialog came up with the human's total beside "Jack" 0.
  QCOMPARE(user.Records, 1);
  QCOMPARE(user.RecordRows.size(), 2);
  QVERIFY(user.RecordRows.contains(QStringLiteral("You=%1").arg(m.Deal().Players[0].Score)));
  QVERIFY(user.RecordRows.contains(QStringLiteral("Jack=0")));
  QCOMPARE(varlo::ReadRecordsFile(file)->size(), std::size_t{2});
}

QTEST_MAIN(TWholeMatchTest)
#include "WholeMatchTest.moc"
