#include "human_player.h"

#include <array>
#include <chrono>
#include <vector>

#include "chooser.h"
#include "coach.h"
#include "computer_player.h"
#include "match.h"

namespace varlo {

bool ParseHumanStyle(const std::string& text, THumanStyle& style) {
  if (text == "first") style = THumanStyle::First;
  else if (text == "random") style = THumanStyle::Random;
  else if (text == "chaos") style = THumanStyle::Chaos;
  else if (text == "strong") style = THumanStyle::Strong;
  else if (text == "steady") style = THumanStyle::Steady;
  else if (text == "coach") style = THumanStyle::Coach;
  else return false;
  return true;
}

int THumanPlayer::StrayClickCount() { return Style == THumanStyle::Chaos ? Pick(6) : 0; }

std::pair<int, int> THumanPlayer::StrayClick() { return {Pick(TableWidth), Pick(TableHeight)}; }

int THumanPlayer::LegalSlot(const TMatch& match) {
  const TSlotSet legal = match.Deal().LegalSlots(0);
  if (legal == 0) return -1;
  if (Style == THumanStyle::First) return LowestSlot(legal);
  if (Style == THumanStyle::Strong || Style == THumanStyle::Steady)
    return Brain->ChooseSlot(match.Deal(), 0, legal);
  if (Style == THumanStyle::Coach) {
    const auto start = std::chrono::steady_clock::now();
    const int best = Advise(match.Deal()).Best;
    CoachTimes.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    return best;
  }
  std::array<int, HandSize> playable;
  int count = 0;
  for (int slot = 0; slot < HandSize; ++slot)
    if ((legal >> slot) & 1u) playable[count++] = slot;
  return playable[Pick(count)];
}

void THumanPlayer::Choose(const TMatch& match, TGameChooser& chooser) {
  std::vector<int> free;
  for (int i = 0; i < ContractCount; ++i)
    if (chooser.ListEnabled() && chooser.Items()[i].Enabled) free.push_back(i);
  if (!free.empty()) {
    // The coach advises cards only: its player picks contracts as Strong does.
    if (Style == THumanStyle::Strong || Style == THumanStyle::Steady ||
        Style == THumanStyle::Coach) {
      chooser.ToggleItem(Brain->ChooseContract(match.Deal(), 0, match.Progress().ContractsChosen[0]));
    } else if (Style == THumanStyle::Chaos) {
      chooser.TryClose();  // nothing checked yet: "Select a game !!!"
      const int first = Pick(static_cast<int>(free.size()));
      chooser.ToggleItem(free[first]);
      if (free.size() > 1) {
        int second = Pick(static_cast<int>(free.size()) - 1);
        if (second >= first) ++second;
        chooser.ToggleItem(free[second]);
      }
    } else {
      const int pick = Style == THumanStyle::First ? 0 : Pick(static_cast<int>(free.size()));
      chooser.ToggleItem(free[pick]);
    }
  }
  chooser.TryClose();
}

}  // namespace varlo
