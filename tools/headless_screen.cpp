#include "headless_screen.h"

#include "chooser.h"
#include "match.h"

namespace varlo {

void THeadlessScreen::Emit(const TEventRecord& event) {
  for (TEventSink* sink : Sinks) sink->OnEvent(*Match, event);
}

void THeadlessScreen::Beep() {
  if (!Sinks.empty()) Emit({.Kind = TEventKind::Beep});
}

void THeadlessScreen::ShowMessage(TBoxKind kind, const std::string& text) {
  if (!Sinks.empty()) Emit({.Kind = TEventKind::Box, .Box = kind, .Text = text});
}

void THeadlessScreen::Pause(int milliseconds) {
  ++Tricks;
  if (!Sinks.empty()) Emit({.Kind = TEventKind::Pause, .Ms = milliseconds});
}

void THeadlessScreen::FillWindow() {
  if (!Sinks.empty()) Emit({.Kind = TEventKind::Fill});
}

void THeadlessScreen::ShowChooser(TGameChooser& chooser) {
  if (BeforeHumanChoice && chooser.ListEnabled()) BeforeHumanChoice();
  Human.Choose(*Match, chooser);
  if (!Sinks.empty())
    Emit({.Kind = TEventKind::Chooser, .Seat = Match->Deal().Chooser, .Contract = Match->Deal().Contract});
}

void THeadlessScreen::ShowScore(const TScoreTable& rows) {
  if (!Sinks.empty()) Emit({.Kind = TEventKind::Score, .Score = &rows});
}

void THeadlessScreen::ShowRecords(const std::filesystem::path& recordsFile) {
  if (Sinks.empty()) return;
  const auto rows = ReadRecordsFile(recordsFile).value_or(std::vector<TTopEntry>{});
  Emit({.Kind = TEventKind::Records, .Records = &rows});
}

}  // namespace varlo
