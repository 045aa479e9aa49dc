// The unfinished match: saved whenever the human is to play, offered at the
// next start, forgotten when the match is over; and taking a card back.
#include <QAction>
#include <QMessageBox>

#include "FormTools.h"
#include "MainForm.h"
#include "TableView.h"
#include "match_file.h"
#include "match_saver.h"

bool TfrmVarlo::MatchUnderWay() const {
  return MatchState.Deal().Contract >= 0 && !MatchState.MatchFinished();
}

void TfrmVarlo::AfterDriver() {
  NoteFinishedMatch();
  miTakeBack->setEnabled(MatchState.CanTakeBack());
  UpdateAdvice();
  if (MatchState.MatchFinished()) return ForgetUnfinishedMatch();
  // Only a table that waits for the human's card is a point to go on from.
  if (MatchState.InputEnabled() && !PauseWaiting()) SaveUnfinishedMatch();
}

void TfrmVarlo::SaveUnfinishedMatch() {
  if (!Prefs.KeepUnfinished || !MatchUnderWay()) return;
  if (!Saver) Saver = std::make_unique<varlo::TMatchSaver>(varlo::UnfinishedMatchFile());
  Saver->Save({MatchState.State(), MatchState.TakeBackPoints(), Prefs.Opponents, OpponentsSeed});
}

void TfrmVarlo::ForgetUnfinishedMatch() {
  if (Saver) return Saver->Remove();
  std::error_code ec;
  std::filesystem::remove(varlo::UnfinishedMatchFile(), ec);
}

void TfrmVarlo::FlushSaves() {
  if (Saver) Saver->Flush();
}

void TfrmVarlo::OfferToContinue() {
  if (!Prefs.KeepUnfinished) return;
  const std::filesystem::path file = varlo::UnfinishedMatchFile();
  varlo::TLoadResult loaded = varlo::LoadMatchFile(file);
  if (loaded.Status == varlo::TLoadStatus::Missing) return;
  if (loaded.Status != varlo::TLoadStatus::Loaded) {
    // A newer game's file may still be continued by that game; anything
    // else that is a file is kept aside to be looked at, not lost.
    if (loaded.Status == varlo::TLoadStatus::Corrupt) varlo::SetAsideMatchFile(file);
    Beep();
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                    QStringLiteral("The unfinished match could not be continued."),
                    QMessageBox::Ok, this);
    ShowModalTo(box, this);
    return;
  }
  Beep();
  QMessageBox ask(QMessageBox::Question, QStringLiteral("Confirm"),
                  QStringLiteral("Continue the unfinished match?"),
                  QMessageBox::Yes | QMessageBox::No, this);
  if (ShowModalTo(ask, this) != QMessageBox::Yes) {
    LogMatch(loaded.Saved.Match, loaded.Saved.Opponents);  // left for good
    return ForgetUnfinishedMatch();
  }
  const varlo::TSavedMatch& saved = loaded.Saved;
  UseOpponents(saved.Opponents, saved.OpponentsSeed);
  MatchState.Restore(saved.Match);
  MatchState.RestoreTakeBackPoints(saved.TakeBackPoints);
  TableView->Fill();
  MatchState.RequestRepaint();
  RunDriver([this] { MatchState.Resume(); });
}

void TfrmVarlo::miTakeBackClick() {
  if (DriverRunning || PauseWaiting() || !MatchState.TakeBack()) return;
  AfterDriver();
}
