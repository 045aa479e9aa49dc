// The contract chooser's logic. The window's dialog only displays it and
// forwards the user's toggles and close requests; the headless runner drives
// it directly.
#pragma once

#include <array>
#include <string>

#include "contracts.h"

namespace varlo {

class TMatch;

struct TChooserItem {
  bool Checked = false;
  bool Enabled = true;
};

class TGameChooser {
 public:
  /// Fills the list for the match's Chooser; a computer chooser draws its
  /// contract here, so it is marked as chosen before the dialog shows.
  explicit TGameChooser(TMatch& match);

  const std::array<TChooserItem, ContractCount>& Items() const { return ItemList; }
  bool ListEnabled() const { return ListOn; }
  const std::string& PlayerLabel() const { return Player; }
  const std::string& GameLabel() const { return Game; }
  static std::string ItemText(int index) { return ContractName(index); }

  /// The user toggles item k's check. Disabled items (and a disabled list)
  /// ignore it; checking a second free item unchecks the first.
  void ToggleItem(int k);
  /// Closing is allowed only with a checked enabled item; otherwise beep and
  /// "Select a game !!!". With no free contract left at all there is nothing
  /// to choose, and the dialog may close without a choice.
  bool CloseQuery();
  /// Records the choice in the match's Contract and ContractsChosen.
  void Close();
  /// CloseQuery, then Close when allowed. True when the dialog closed.
  bool TryClose();
  bool Closed() const { return IsClosed; }

 private:
  int CheckedFreeItem() const;

  TMatch& Match;
  std::array<TChooserItem, ContractCount> ItemList{};
  bool ListOn = true;
  std::string Player;
  std::string Game;
  bool IsClosed = false;
};

}  // namespace varlo
