// Options > Preferences and what the window does with the choices.
#include "FormTools.h"
#include "MainForm.h"
#include "PreferencesDialog.h"
#include "TableView.h"
#include "steady_player.h"
#include "strong_player.h"

#include <QAction>

void TfrmVarlo::miPreferencesClick() {
  TfrmPreferences dialog(Prefs, this);
  if (ShowModalTo(dialog, this) != QDialog::Accepted) return;
  const TPreferences before = Prefs;
  Prefs = dialog.Chosen();
  // The look is taken as it stands the moment the player asks for it to
  // last, and forgotten when he no longer does.
  Prefs.Look = Prefs.RememberLook ? std::optional<TLook>(CurrentLook()) : std::nullopt;
  ApplyPreferences();
  // The file is written only now, at OK; a file that cannot be written
  // leaves the choices for this run.
  SavePreferences(PreferencesPath(), Prefs);
  if (!Prefs.KeepUnfinished && before.KeepUnfinished) ForgetUnfinishedMatch();
  if (Prefs.KeepUnfinished) SaveUnfinishedMatch();
}

void TfrmVarlo::ApplyPreferences() {
  varlo::TMatchConfig config = MatchState.Config();
  config.PauseMs = Prefs.PauseMs;
  config.MessagesOnTable = Prefs.MessagesOnTable;
  config.TakeBack = Prefs.TakeBack;
  MatchState.SetConfig(config);
  UseOpponents(Prefs.Opponents, std::nullopt);
  miTakeBack->setVisible(Prefs.TakeBack);
  miTakeBack->setEnabled(MatchState.CanTakeBack());
  if (!DriverRunning && !PauseWaiting()) UpdateAdvice();
  MatchState.RequestRepaint();
}

void TfrmVarlo::UseOpponents(varlo::TOpponentLevel level, std::optional<std::uint64_t> seed) {
  Prefs.Opponents = level;
  // Seeded once, when first asked for, from the clock unless a saved match
  // says otherwise; it draws from no generator of the match, so the deals
  // stay what the clock makes them.
  if (level == varlo::TOpponentLevel::Strong &&
      (!StrongPlayer || (seed && *seed != OpponentsSeed))) {
    OpponentsSeed = seed ? *seed : SeedClock->Read();
    StrongPlayer = std::make_unique<varlo::TStrongPlayer>(OpponentsSeed);
  }
  if (level == varlo::TOpponentLevel::Steady && !SteadyPlayer)
    SteadyPlayer = std::make_unique<varlo::TSteadyPlayer>();
  varlo::TComputerPlayer* player = nullptr;  // Classic: the match's own
  if (level == varlo::TOpponentLevel::Strong) player = StrongPlayer.get();
  if (level == varlo::TOpponentLevel::Steady) player = SteadyPlayer.get();
  MatchState.SetOpponents(player);
}

TLook TfrmVarlo::CurrentLook() const {
  return {QString::fromStdString(MatchState.Deal().Players[0].Name), TextFont, TextPen,
          TableView->Background()};
}

void TfrmVarlo::ApplyLook(const TLook& look) {
  MatchState.SetHumanName(look.Name.toStdString());
  TextFont = look.Font;
  TextPen = look.FontColour;
  FontChoice = look.Font;
  FontColourChoice = look.FontColour;
  ColourChoice = look.Background;
  TableView->SetBackground(look.Background);
  TableView->Fill();
  MatchState.RequestRepaint();
}

void TfrmVarlo::RememberLook() {
  if (!Prefs.RememberLook) return;
  Prefs.Look = CurrentLook();
  SavePreferences(PreferencesPath(), Prefs);
}
