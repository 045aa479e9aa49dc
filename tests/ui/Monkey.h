// A monkey on the real window: random clicks with any button anywhere on the
// table, random menu commands whenever the menu is reachable (Classic or
// Strong opponents among them), and random answers to every dialog and box, with the match's invariants checked after
// every single event. One seed replays the same run.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <array>
#include <deque>
#include <filesystem>
#include <memory>
#include <random>

#include "MainForm.h"
#include "random.h"

class QMessageBox;

namespace ui_test {

struct TMonkeyTally {
  long Events = 0;
  int WholeMatches = 0;  ///< matches played to "Game Over !!!"
  int Launches = 0;      ///< windows opened (one more after each accepted exit)
  int Exits = 0, News = 0, Choosers = 0, DealScores = 0, IllegalMoves = 0, EmptyChooserCloses = 0;
  int StrongDeals = 0;  ///< deals that ended with Strong opponents chosen
};

class TMonkey : public QObject {
 public:
  TMonkey(unsigned seed, std::filesystem::path recordsFile);
  ~TMonkey() override;

  /// Plays until `events` events have happened or something went wrong.
  void Run(long events);
  const QStringList& Failures() const { return Found; }
  const TMonkeyTally& Tally() const { return Count; }
  /// The failures with the seed and the events that led to them.
  QString Report() const;

 private:
  // ---- the window and the user's moves on it
  void Launch();
  void Act();
  void ClickTable(bool onACard);
  void Trigger(const char* action);
  bool Patient() const;

  // ---- answers to whatever modal widget is up
  void Tick();
  void Answer(QWidget* modal);
  void AnswerChooser(QWidget* dialog);
  void AnswerScore(QWidget* dialog);
  void AnswerRecords(QWidget* dialog);
  void AnswerBox(QMessageBox* box);
  void AnswerOther(QWidget* dialog);
  void ChoosePreferences(QWidget* dialog);
  void Dismiss(QWidget* dialog);
  void GetOut(QWidget* modal);

  // ---- the checks
  void CheckAnyMoment();
  void CheckBetweenCalls();
  void CheckChoice();
  void CheckScoreRows(QWidget* dialog);
  void CheckRecordsFile(QWidget* dialog);
  void CheckBoxText(const QString& text);
  void StartMatchTracking();

  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(Rng); }
  void Note(const QString& event);
  void Fail(const QString& what);
  varlo::TMatch& M() { return Window->Match(); }

  const unsigned Seed;
  const std::filesystem::path RecordsFile;
  std::mt19937 Rng;
  varlo::TSteppingClock Clock;
  std::unique_ptr<TfrmVarlo> Window;
  QTimer Answerer;
  bool AnswerQueued = false;
  bool PatientMatch = true;

  // What the monkey has seen of the current match.
  bool Started = false;
  std::array<std::array<bool, varlo::ContractCount>, varlo::SeatCount> Seen{};
  QPointer<QWidget> OpenChooser;
  int ChooserSeat = -1;
  int DealContract = varlo::NoContract;
  long long PaidOut = 0;
  int DealsSeen = 0;

  TMonkeyTally Count;
  std::deque<QString> Recent;
  QStringList Found;
};

}  // namespace ui_test
