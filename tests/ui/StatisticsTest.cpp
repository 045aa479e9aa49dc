// Statistics in the window: Info > Statistics loads its module and shows
// the log's figures and the match on the table; a match goes into the log
// once when it finishes and as abandoned when it is left for good, and only
// while the player keeps statistics.
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include "MatchUser.h"
#include "StatisticsLoader.h"
#include "TestWindow.h"
#include "match_file.h"
#include "statistics_log.h"

using namespace ui_test;

namespace {

void Prefer(bool keepStatistics, bool keepUnfinished) {
  TPreferences preferences;
  preferences.KeepStatistics = keepStatistics;
  preferences.KeepUnfinished = keepUnfinished;
  QVERIFY(SavePreferences(TfrmVarlo::PreferencesPath(), preferences));
}

std::vector<varlo::TMatchRecord> Logged() {
  return varlo::ReadStatisticsLog(varlo::StatisticsFile()).Matches;
}

QString Cell(QWidget* dialog, const char* table, int row, int column) {
  auto* view = dialog->findChild<QAbstractItemView*>(QLatin1String(table));
  return view ? view->model()->index(row, column).data().toString() : QString();
}

// The match before the last trick-taking of its last deal: 31 deals that
// paid nothing, and a Whist deal in which the human takes every trick.
void LastDeal(varlo::TMatch& m) {
  {
    TEdit edit(m);
    edit->Deal.ClearDeal();
    for (auto& player : edit->Deal.Players) player.Score = 0;
    edit->Progress.DealsPlayed = 31;
    for (int deal = 0; deal < 31; ++deal)
      edit->Progress.Deals.push_back({deal % 4, deal % 8, {0, 0, 0, 0}});
    for (auto& row : edit->Progress.ContractsChosen) row.fill(true);
    edit->Progress.ContractsChosen[0][varlo::Whist] = false;
  }
  DealWhistHeartsToHuman(m);
}

void PlayOut(TTestWindow& window, int cards) {
  auto& m = window->Match();
  for (int i = 0; i < cards; ++i) {
    const int slot = std::max(0, varlo::LowestSlot(m.Deal().LegalSlots(0)));
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * slot + 37, 75));
  }
}

void CloseAnswering(TTestWindow& window) {
  AnswerNextBox(QMessageBox::Yes);
  window->close();
}

}  // namespace

class TStatisticsTest : public QObject {
  Q_OBJECT

 private slots:
  void TheWindowShowsTheLogAndTheMatchOnTheTable();
  void MatchesAreLoggedWhenTheyEndOrAreLeft();
};

void TStatisticsTest::TheWindowShowsTheLogAndTheMatchOnTheTable() {
  TFreshHome home;
  QVERIFY2(LoadStatisticsModule().CreateDialog, qPrintable(LoadStatisticsModule().Error));
  // Two finished matches against Classic players, one won; one abandoned.
  varlo::TMatchRecord won{"2026-01-02T10:00:00Z",
                          "Ann",
                          varlo::TOpponentLevel::Classic,
                          false,
                          true,
                          std::vector<varlo::TDealResult>(32, {0, varlo::Whist, {50, 0, 0, 0}}),
                          {1600, 0, 0, 0}};
  varlo::TMatchRecord lost = won;
  lost.Totals = {-100, 0, 0, 0};
  varlo::TMatchRecord left = won;
  left.Finished = false;
  left.Deals.resize(3);
  for (const auto& record : {won, lost, left})
    QVERIFY(varlo::AppendStatistics(varlo::StatisticsFile(), record));

  TUser user;
  TTestWindow window;
  window->findChild<QAction*>("miNew")->trigger();
  PlayOut(window, 3);
  QStringList seen;
  AnswerNextModal([&](QWidget* dialog) {
    seen << dialog->objectName();
    // Finished 2, abandoned 1, won 1 (rows), against Classic (the first column).
    seen << Cell(dialog, "tvSummary", 0, 0) << Cell(dialog, "tvSummary", 1, 0)
         << Cell(dialog, "tvSummary", 3, 0);
    auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("tabStatistics"));
    tabs->setCurrentIndex(1);
    seen << tabs->tabText(1);
    auto* chart = dialog->findChild<QWidget*>(QStringLiteral("chartMatch"));
    seen << (chart ? chart->accessibleDescription().left(14) : QString());
    seen << QString::number(dialog->findChildren<QLabel*>(QStringLiteral("lblKeeping")).size());
    qobject_cast<QDialog*>(dialog)->reject();
  });
  window->findChild<QAction*>("miStatistics")->trigger();
  // The match on the table, under way, is charted rather than the log's last.
  QCOMPARE(seen,
           QStringList({"frmStatistics", "2", "1", "1", "&This match", "No deal has be", "1"}));
}

void TStatisticsTest::MatchesAreLoggedWhenTheyEndOrAreLeft() {
  TFreshHome home;
  TUser user;
  Prefer(true, false);
  {
    TTestWindow window;
    window->findChild<QAction*>("miNew")->trigger();
    window->findChild<QAction*>("miNew")->trigger();  // the first match left
    QCOMPARE(Logged().size(), 1u);
    LastDeal(window->Match());
    PlayOut(window, 8);
    QVERIFY(window->Match().MatchFinished());
    PlayOut(window, 1);                               // no second line for it
    window->findChild<QAction*>("miNew")->trigger();  // nothing under way: nothing left
    QCOMPARE(Logged().size(), 2u);
    CloseAnswering(window);  // the new match left
  }
  const auto logged = Logged();
  QCOMPARE(logged.size(), 3u);
  QVERIFY(!logged[0].Finished && logged[0].Deals.empty());
  QVERIFY(logged[1].Finished && !logged[1].Assisted);
  QCOMPARE(logged[1].Deals.size(), 32u);
  QVERIFY((logged[1].Deals.back() == varlo::TDealResult{0, varlo::Whist, {400, 0, 0, 0}}));
  QVERIFY((logged[1].Totals == std::array<std::int32_t, 4>{400, 0, 0, 0}));
  QCOMPARE(logged[1].Name, std::string("You"));
  QVERIFY(!logged[2].Finished);

  // A match kept for the next start is no match left, until it is refused.
  Prefer(true, true);
  {
    TTestWindow window;
    window->findChild<QAction*>("miNew")->trigger();
    PlayOut(window, 2);
    window->FlushSaves();
    CloseAnswering(window);
  }
  QCOMPARE(Logged().size(), 3u);
  {
    TTestWindow window;
    AnswerNextBox(QMessageBox::No);
    window->OfferToContinue();
    window->FlushSaves();
  }
  QVERIFY(!std::filesystem::exists(varlo::UnfinishedMatchFile()));  // forgotten
  QCOMPARE(Logged().size(), 4u);
  QVERIFY(!Logged().back().Finished);

  // Not kept: nothing noted.
  Prefer(false, false);
  TTestWindow window;
  window->findChild<QAction*>("miNew")->trigger();
  window->findChild<QAction*>("miNew")->trigger();
  QCOMPARE(Logged().size(), 4u);
}

QTEST_MAIN(TStatisticsTest)
#include "StatisticsTest.moc"
