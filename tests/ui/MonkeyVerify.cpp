// The monkey's checks, made after every event it causes.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTreeWidget>
#include <algorithm>

#include "HelpWindow.h"
#include "Monkey.h"
#include "MonkeyChecks.h"
#include "TestWindow.h"
#include "match_checker.h"
#include "records.h"
#include "varlo_release.h"

namespace ui_test {

using namespace varlo;

void TMonkey::Note(const QString& event) {
  Recent.push_back(QStringLiteral("#%1 %2").arg(Count.Events).arg(event));
  if (Recent.size() > 40) Recent.pop_front();
}

void TMonkey::Fail(const QString& what) {
  if (Found.size() < 10) Found << QStringLiteral("event %1: %2").arg(Count.Events).arg(what);
}

QString TMonkey::Report() const {
  QString text = QStringLiteral("monkey seed %1 (rerun with VARLO_MONKEY_SEED=%1)\n").arg(Seed);
  text += Found.join(QLatin1Char('\n'));
  text += QStringLiteral("\nthe last events:\n");
  for (const QString& event : Recent) text += QStringLiteral("  ") + event + QLatin1Char('\n');
  return text;
}

// Whenever the user can do anything at all, the cards must add up and the
// seats' choices must be the ones the monkey saw being made.
void TMonkey::CheckAnyMoment() {
  const std::string cards = CardsProblem(M());
  if (!cards.empty()) Fail(QString::fromStdString(cards));
  if (OpenChooser.isNull() && ChooserSeat >= 0) CheckChoice();
  if (!Started) return;
  int fresh = 0;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (int c = 0; c < ContractCount; ++c) {
      if (Seen[seat][c] && !M().Progress().ContractsChosen[seat][c])
        Fail(QStringLiteral("a choice was forgotten"));
      if (!Seen[seat][c] && M().Progress().ContractsChosen[seat][c]) ++fresh;
    }
  // A computer's pick is marked while its dialog shows it.
  if (fresh > (OpenChooser.isNull() ? 0 : 1)) Fail(QStringLiteral("a contract marked without a choice"));
}

// A chooser has just closed: exactly one new contract for its seat, never
// one the seat had already played.
void TMonkey::CheckChoice() {
  int fresh = 0;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (int c = 0; c < ContractCount; ++c)
      if (M().Progress().ContractsChosen[seat][c] && !Seen[seat][c]) {
        ++fresh;
        if (seat != ChooserSeat) Fail(QStringLiteral("a contract marked for the wrong seat"));
        Seen[seat][c] = true;
        DealContract = c;
      }
  if (fresh != 1) Fail(QStringLiteral("a chooser closed with %1 new choices").arg(fresh));
  if (M().Deal().Contract != DealContract)
    Fail(QStringLiteral("the deal is not under the chosen contract"));
  if (ScoreSum(M()) != PaidOut) Fail(QStringLiteral("points paid between deals"));
  ChooserSeat = -1;
}

// After every move of the user's that reached the main window.
void TMonkey::CheckBetweenCalls() {
  if (QApplication::activeModalWidget()) Fail(QStringLiteral("a modal outlived its call"));
  // Every dialog and box is gone with its call; only the help window stays.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  int helpWindows = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (qobject_cast<QDialog*>(top)) Fail(QStringLiteral("a dialog left behind: %1").arg(top->metaObject()->className()));
    if (qobject_cast<THelpWindow*>(top) && top->isVisible()) ++helpWindows;
  }
  if (helpWindows > 1) Fail(QStringLiteral("%1 help windows").arg(helpWindows));
  if (!Window->isVisible()) return;  // the user left: a new window follows
  if (!Window->findChildren<QDialog*>().isEmpty()) Fail(QStringLiteral("a dialog left in the window"));
  CheckAnyMoment();
  if (!M().InputEnabled()) Fail(QStringLiteral("input disabled after the driver returned"));
  if (Started && !M().MatchFinished() && !HumanCanPlay(M()))
    Fail(QStringLiteral("the driver returned while the human cannot play"));
  // The redraw timer must wind down, so an idle window costs nothing.
  Settle(*Window);
  if (M().Redraw.NeedsRepaint) Fail(QStringLiteral("the table keeps asking for redraws"));
}

// The score dialog lists the four totals, highest first. At a deal's end the
// totals have grown by exactly what the contract hands out.
void TMonkey::CheckScoreRows(QWidget* dialog) {
  std::vector<long long> shown, held;
  for (const char* name : {"lblPFirst", "lblPSecond", "lblPThird", "lblPFourth"})
    if (auto* label = dialog->findChild<QLabel*>(QLatin1String(name))) shown.push_back(label->text().toLongLong());
  for (const auto& player : M().Deal().Players) held.push_back(player.Score);
  std::sort(held.rbegin(), held.rend());
  if (shown != held) Fail(QStringLiteral("the score dialog does not show the totals"));
  if (M().InputEnabled()) return;  // asked for from the menu
  Note(QStringLiteral("deal %1 scored").arg(DealsSeen + 1));
  ++Count.DealScores;
  if (Window->OpponentLevel() == varlo::TOpponentLevel::Strong) ++Count.StrongDeals;
  if (!Started) return Fail(QStringLiteral("a deal scored before any New"));
  if (M().Progress().DealsPlayed != ++DealsSeen) Fail(QStringLiteral("DealsPlayed out of step"));
  const long long paid = ScoreSum(M()) - PaidOut;
  if (paid != DealTotal(DealContract))
    Fail(QStringLiteral("a deal under contract %1 paid %2").arg(DealContract).arg(paid));
  PaidOut = ScoreSum(M());
}

// At the match's end the file holds at most ten results, best first, and
// the dialog shows just those.
void TMonkey::CheckRecordsFile(QWidget* dialog) {
  const auto entries = ReadRecordsFile(RecordsFile);
  auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lvTop"));
  if (!M().InputEnabled() && !entries) return Fail(QStringLiteral("no records file after a match"));
  if (!entries) return;
  if (entries->size() > MaxRecords) Fail(QStringLiteral("more than ten records"));
  for (std::size_t i = 1; i < entries->size(); ++i)
    if ((*entries)[i - 1].Score < (*entries)[i].Score) Fail(QStringLiteral("records out of order"));
  if (list && list->topLevelItemCount() != static_cast<int>(entries->size()))
    Fail(QStringLiteral("the records dialog shows %1 rows for %2 records")
             .arg(list->topLevelItemCount())
             .arg(entries->size()));
}

void TMonkey::CheckBoxText(const QString& text) {
  // A match with a card taken back says so under the last line.
  const QString assisted = QStringLiteral("Game Over !!!\nYou had help in this match: the result does not go into the Top ten.");
  if (text == assisted && !M().Progress().Assisted) Fail(QStringLiteral("help claimed, none taken"));
  if (text == QStringLiteral("Game Over !!!") && M().Progress().Assisted)
    Fail(QStringLiteral("help taken, not said"));
  if (text == QStringLiteral("Game Over !!!") || text == assisted) {
    if (M().Progress().DealsPlayed != DealsPerMatch || DealsSeen != DealsPerMatch)
      Fail(QStringLiteral("game over after %1 deals").arg(M().Progress().DealsPlayed));
    for (const auto& row : Seen)
      for (bool chosen : row)
        if (!chosen) Fail(QStringLiteral("game over with a contract never chosen"));
    return;
  }
  if (text == QStringLiteral("Illegal move !!!") || text == QStringLiteral("Select a game !!!") ||
      text == QStringLiteral("Are you sure to exit?") ||
      text.startsWith(QStringLiteral("Varlo %1 - ").arg(Version)))
    return;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (const char* suffix : {" passed", " skipped", " finished the game"})
      if (text == QString::fromStdString(M().SeatName(seat) + suffix)) return;
  Fail(QStringLiteral("an unexpected box: \"%1\"").arg(text));
}

}  // namespace ui_test
