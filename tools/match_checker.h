// Checks the rules' invariants after every event of a headless match: cards
// conserved, each contract chosen once per seat, every deal paying out its
// contract's total, 32 deals, input enabled whenever the driver returns.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "events.h"

namespace varlo {

class TMatchChecker final : public TEventSink {
 public:
  void OnEvent(const TMatch& match, const TEventRecord& event) override;
  /// After each driver call returned.
  void AfterTurn(const TMatch& match);
  /// After the match's last driver call returned.
  void AfterMatch(const TMatch& match);

  const std::vector<std::string>& Failures() const { return Found; }
  long Events() const { return EventCount; }

 private:
  void Fail(const std::string& what);
  void CheckCards(const TMatch& match);
  void CheckLayoutRows(const TMatch& match);
  void OnChooser(const TMatch& match, const TEventRecord& event);
  void OnScore(const TMatch& match, const TEventRecord& event);
  void OnBox(const TMatch& match, const TEventRecord& event);
  /// Takes up a restored match where it stands.
  void OnResume(const TMatch& match);

  std::array<std::array<bool, 8>, 4> Seen{};
  bool BetweenDeals = true;
  int PausesThisDeal = 0;
  std::int64_t ScoreAtDealStart = 0;
  std::int32_t DealContract = -1;
  int DealsSeen = 0;
  bool LastWasBeep = false;
  long EventCount = 0;
  std::vector<std::string> Found;
};

/// The points a whole deal hands out under each contract, all players
/// together.
std::int32_t DealTotal(std::int32_t contract);

}  // namespace varlo
