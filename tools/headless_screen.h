// A front end without a window: the simulated human answers every dialog,
// the pause takes no time, and each event goes to the listeners.
#pragma once

#include <functional>
#include <vector>

#include "events.h"
#include "human_player.h"
#include "screen.h"

namespace varlo {

class THeadlessScreen final : public TScreen {
 public:
  explicit THeadlessScreen(THumanPlayer& human) : Human(human) {}

  /// The match whose state the listeners see; set before it plays.
  void Attach(const TMatch* match) { Match = match; }
  void AddSink(TEventSink* sink) { Sinks.push_back(sink); }
  /// Reports an event of the runner's own (New, Click, Match).
  void Emit(const TEventRecord& event);

  void Beep() override;
  void ShowMessage(TBoxKind kind, const std::string& text) override;
  void RepaintRequested() override {}
  void PaintTable() override {}
  void Pause(int milliseconds) override;
  /// Reported as a pause; the runner ends it at once.
  void StartPause(int milliseconds) override { Pause(milliseconds); }
  void FillWindow() override;
  void ShowChooser(TGameChooser& chooser) override;
  void ShowScore(const TScoreTable& rows) override;
  void ShowRecords(const std::filesystem::path& recordsFile) override;

  long Tricks = 0;  ///< pauses seen: one per trick of a trick contract
  /// Runs when the human is about to choose a contract.
  std::function<void()> BeforeHumanChoice;

 private:
  THumanPlayer& Human;
  const TMatch* Match = nullptr;
  std::vector<TEventSink*> Sinks;
};

}  // namespace varlo
