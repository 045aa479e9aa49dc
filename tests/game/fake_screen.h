// Test doubles for the match: a screen that records every call instead of
// showing anything, a clock that reads whatever the test sets, and a table
// that wires both to a match.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "cards.h"
#include "chooser.h"
#include "match.h"
#include "match_edit.h"
#include "random.h"
#include "score.h"
#include "screen.h"

namespace varlo_test {

enum class TEventKind {
  Beep,
  Message,
  RepaintRequested,
  PaintTable,
  Pause,
  StartPause,
  FillWindow,
  Chooser,
  Score,
  Records,
};

struct TScreenEvent {
  TEventKind Kind;
  std::string Text;  ///< box text, chooser's player label, records path
  varlo::TBoxKind Box = varlo::TBoxKind::Information;
  int Milliseconds = 0;         ///< Pause only
  bool RepaintPending = false;  ///< the watched NeedsRepaint when it happened
};

class TFakeScreen final : public varlo::TScreen {
 public:
  std::vector<TScreenEvent> Events;
  /// Answers the chooser dialog; when empty, ChooseLowestFree answers.
  std::function<void(varlo::TGameChooser&)> OnChooser;
  std::vector<varlo::TScoreTable> Scores;

  /// Lets the fake see the match's NeedsRepaint. The real redraw timer keeps
  /// running behind a modal box and clears the flag there, so the fake clears
  /// it after every modal call: each box must then raise the flag anew.
  void Watch(varlo::TMatch& match) { RepaintFlag = &match.Redraw.NeedsRepaint; }

  void Beep() override { Add({TEventKind::Beep, {}}); }
  void ShowMessage(varlo::TBoxKind kind, const std::string& text) override {
    TScreenEvent event{TEventKind::Message, text};
    event.Box = kind;
    Add(event);
    RedrawBehindModal();
  }
  void RepaintRequested() override { Add({TEventKind::RepaintRequested, {}}); }
  void PaintTable() override { Add({TEventKind::PaintTable, {}}); }
  void Pause(int milliseconds) override {
    TScreenEvent event{TEventKind::Pause, {}};
    event.Milliseconds = milliseconds;
    Add(event);
  }
  void StartPause(int milliseconds) override {
    TScreenEvent event{TEventKind::StartPause, {}};
    event.Milliseconds = milliseconds;
    Add(event);
  }
  void FillWindow() override { Add({TEventKind::FillWindow, {}}); }
  void ShowChooser(varlo::TGameChooser& chooser) override {
    Add({TEventKind::Chooser, chooser.PlayerLabel()});
    if (OnChooser)
      OnChooser(chooser);
    else
      ChooseLowestFree(chooser);
    if (!chooser.Closed()) ADD_FAILURE() << "the chooser dialog was left open";
    RedrawBehindModal();
  }
  void ShowScore(const std::array<varlo::TScoreRow, 4>& rows) override {
    Add({TEventKind::Score, {}});
    Scores.push_back(rows);
    RedrawBehindModal();
  }
  void ShowRecords(const std::filesystem::path& recordsFile) override {
    Add({TEventKind::Records, recordsFile.string()});
    RedrawBehindModal();
  }

  /// What a user does who takes the first contract still open to him.
  static void ChooseLowestFree(varlo::TGameChooser& chooser) {
    for (int attempt = 0; attempt <= varlo::ContractCount && !chooser.Closed(); ++attempt) {
      const auto& items = chooser.Items();
      for (int i = 0; i < varlo::ContractCount; ++i) {
        if (items[i].Enabled && !items[i].Checked) {
          chooser.ToggleItem(i);
          break;
        }
      }
      chooser.TryClose();
    }
  }

  /// Makes the human (or rather the fake) check contract k and press OK.
  void PickContract(int k) {
    OnChooser = [k](varlo::TGameChooser& chooser) {
      if (!chooser.Items()[k].Checked) chooser.ToggleItem(k);
      if (!chooser.TryClose()) ADD_FAILURE() << "the chooser refused contract " << k;
    };
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& event : Events)
      if (event.Kind == TEventKind::Message) texts.push_back(event.Text);
    return texts;
  }
  int Count(TEventKind kind) const {
    int n = 0;
    for (const auto& event : Events) n += event.Kind == kind ? 1 : 0;
    return n;
  }
  int Beeps() const { return Count(TEventKind::Beep); }
  /// Index of the first event of the kind at or after from; -1 when none.
  int IndexOf(TEventKind kind, std::size_t from = 0) const {
    for (std::size_t i = from; i < Events.size(); ++i)
      if (Events[i].Kind == kind) return static_cast<int>(i);
    return -1;
  }
  void Clear() {
    Events.clear();
    Scores.clear();
  }

  /// Every box came right after a beep, with a repaint requested since the
  /// previous box and NeedsRepaint set while it showed.
  ::testing::AssertionResult EveryBoxAnnounced() const {
    std::size_t since = 0;
    for (std::size_t i = 0; i < Events.size(); ++i) {
      if (Events[i].Kind != TEventKind::Message) continue;
      const std::string& text = Events[i].Text;
      if (i == 0 || Events[i - 1].Kind != TEventKind::Beep)
        return ::testing::AssertionFailure() << "no beep right before \"" << text << "\"";
      if (!Events[i].RepaintPending)
        return ::testing::AssertionFailure() << "NeedsRepaint false behind \"" << text << "\"";
      bool requested = false;
      for (std::size_t j = since; j < i; ++j)
        requested = requested || Events[j].Kind == TEventKind::RepaintRequested;
      if (!requested)
        return ::testing::AssertionFailure() << "no repaint requested before \"" << text << "\"";
      since = i + 1;
    }
    return ::testing::AssertionSuccess();
  }

 private:
  void Add(TScreenEvent event) {
    event.RepaintPending = RepaintFlag != nullptr && *RepaintFlag;
    Events.push_back(std::move(event));
  }
  void RedrawBehindModal() {
    if (RepaintFlag != nullptr) *RepaintFlag = false;
  }

  bool* RepaintFlag = nullptr;
};

/// A clock whose reading the test sets; it counts how often it was read.
class TFixedClock final : public varlo::TClock {
 public:
  explicit TFixedClock(std::uint64_t value = 1) : Value(value) {}
  std::uint64_t Read() override {
    ++Reads;
    return Value;
  }
  std::uint64_t Value;
  int Reads = 0;
};

/// A match on a fake screen with a fixed clock.
struct TTable {
  explicit TTable(std::uint64_t reading = 1) : Clock(reading) { Screen.Watch(Match); }
  TFakeScreen Screen;
  TFixedClock Clock;
  varlo::TMatch Match{Screen, Clock};
};

/// A hand holding the cards in slots 0, 1, ... and nothing after them.
inline varlo::THand MakeHand(std::initializer_list<varlo::TCard> cards) {
  varlo::THand hand;
  hand.fill(varlo::NoCard);
  std::size_t slot = 0;
  for (varlo::TCard card : cards) hand[slot++] = card;
  return hand;
}

inline void EmptyAllHands(varlo::TMatch& match) {
  TEdit edit(match);
  for (auto& player : edit->Deal.Players) player.Cards = MakeHand({});
}

}  // namespace varlo_test
