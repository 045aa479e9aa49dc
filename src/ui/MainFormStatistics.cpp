// Statistics: the matches the window notes in the log, and Info >
// Statistics, whose window is a module loaded on first use.
#include <QDialog>
#include <QMessageBox>
#include <memory>

#include "FormTools.h"
#include "MainForm.h"
#include "StatisticsLoader.h"
#include "statistics_log.h"

namespace {

varlo::TStatisticsView ReadFigures(bool keeping) {
  varlo::TStatisticsView view;
  view.Keeping = keeping;
  const std::filesystem::path file = varlo::StatisticsFile();
  view.LogFile = file.string();
  varlo::TStatisticsLog log = varlo::ReadStatisticsLog(file);
  view.Figures = varlo::ComputeFigures(log.Matches);
  view.Damaged = log.Damaged;
  view.Newer = log.Newer;
  view.Partial = log.Partial;
  for (int c = 0; c < varlo::ContractCount; ++c) view.ContractNames[c] = varlo::ContractName(c);
  return view;
}

}  // namespace

void TfrmVarlo::LogMatch(const varlo::TMatchState& match, varlo::TOpponentLevel opponents) {
  if (!Prefs.KeepStatistics) return;
  // A log that cannot be written costs its line, never the game.
  varlo::AppendStatistics(varlo::StatisticsFile(),
                          varlo::MatchRecord(match, opponents, varlo::NowUtc()));
}

// Every driver call after the last deal finds the match finished: only the
// first logs it.
void TfrmVarlo::NoteFinishedMatch() {
  const bool finished = MatchState.MatchFinished();
  if (finished && !FinishLogged) LogMatch(MatchState.State(), Prefs.Opponents);
  FinishLogged = finished;
}

void TfrmVarlo::NoteAbandonedMatch() {
  if (MatchUnderWay()) LogMatch(MatchState.State(), Prefs.Opponents);
}

void TfrmVarlo::miStatisticsClick() {
  const TStatisticsModule module = LoadStatisticsModule();
  if (!module.CreateDialog) {
    Beep();
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Statistics"),
        QStringLiteral("The statistics window could not be loaded:\n%1").arg(module.Error),
        QMessageBox::Ok, this);
    ShowModalTo(box, this);
    return;
  }
  varlo::TStatisticsView view = ReadFigures(Prefs.KeepStatistics);
  // The match on the table, under way or just over, is the one to chart.
  if (MatchUnderWay() || MatchState.MatchFinished()) {
    view.Figures.LastMatch =
        varlo::MatchCurve(varlo::MatchRecord(MatchState.State(), Prefs.Opponents, {}));
    view.MatchInWindow = true;
  }
  const std::unique_ptr<QDialog> dialog(module.CreateDialog(&view, this));
  if (dialog) ShowModalTo(*dialog, this);
}
