// A whole match of 32 deals played through the window: New from the menu,
// clicks on the table, and every dialog and box answered as a user would.
#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "GameChooser.h"
#include "ModalAnswers.h"
#include "Points.h"
#include "Records.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

// Answers whatever modal comes up, for as long as it lives.
class TUser : public QObject {
 public:
  TUser() {
    connect(&Timer, &QTimer::timeout, this, &TUser::Look);
    Timer.start(1);
  }

  int Choosers = 0, ComputerChoosers = 0, Scores = 0, GameOvers = 0, Records = 0;
  int IllegalMoves = 0, Finishes = 0;
  QStringList RecordRows, OtherTexts;

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (qobject_cast<TfrmGameChooser*>(modal)) {
      AnswerChooser(modal);
    } else if (qobject_cast<TfrmPoints*>(modal)) {
      ++Scores;
      ClickOk(modal);
    } else if (qobject_cast<TfrmRecords*>(modal)) {
      ReadRecords(modal);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      AnswerBox(box);
    }
  }

  void AnswerChooser(QWidget* dialog) {
    ++Choosers;
    if (!dialog->findChild<QListWidget*>("clbGames")->isEnabled()) ++ComputerChoosers;
    CheckFirstFreeItem(dialog);
    ClickOk(dialog);
  }

  void ReadRecords(QWidget* dialog) {
    ++Records;
    auto* list = dialog->findChild<QTreeWidget*>("lvTop");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      RecordRows << list->topLevelItem(i)->text(0) + "=" + list->topLevelItem(i)->text(1);
    dialog->close();
  }

  void AnswerBox(QMessageBox* box) {
    if (box->text() == QStringLiteral("Game Over !!!"))
      ++GameOvers;
    else if (box->text() == QStringLiteral("Illegal move !!!"))
      ++IllegalMoves;
    else if (box->text().endsWith(QStringLiteral(" finished the game")))
      ++Finishes;
    else if (!box->text().endsWith(QStringLiteral(" passed")) &&
             !box->text().endsWith(QStringLiteral(" skipped")))
      OtherTexts << box->text();
    Press(box, QMessageBox::Ok);
  }

  QTimer Timer;
};

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
