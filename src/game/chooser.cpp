#include "chooser.h"

#include "match.h"

namespace varlo {

TGameChooser::TGameChooser(TMatch& match) : Match(match) {
  const int chooser = Match.Deal().Chooser;
  if (chooser < 0 || chooser >= SeatCount) return;
  const auto& row = Match.Progress().ContractsChosen[chooser];
  for (int i = 0; i < ContractCount; ++i) {
    ItemList[i].Checked = row[i];
    ItemList[i].Enabled = !row[i];
  }
  if (chooser == 0) {
    Player = Match.Deal().Players[0].Name;
    return;
  }
  Player = ComputerName(chooser);
  ListOn = false;
  // The choice is made before the dialog shows, so the item stays enabled
  // (the disabling ran first) and is already marked in the row.
  const std::int32_t drawn = Match.ComputerContract(chooser);
  if (drawn < 0) return;
  ItemList[drawn].Checked = true;
  Game = ContractName(drawn);
}

void TGameChooser::ToggleItem(int k) {
  if (!ListOn || k < 0 || k >= ContractCount || !ItemList[k].Enabled) return;
  ItemList[k].Checked = !ItemList[k].Checked;
  for (int i = 0; i < ContractCount; ++i)
    if (i != k && ItemList[i].Checked && ItemList[i].Enabled) ItemList[i].Checked = false;
  Game = ItemList[k].Checked ? ContractName(k) : std::string();
}

int TGameChooser::CheckedFreeItem() const {
  for (int i = 0; i < ContractCount; ++i)
    if (ItemList[i].Checked && ItemList[i].Enabled) return i;
  return -1;
}

bool TGameChooser::CloseQuery() {
  const int item = CheckedFreeItem();
  if (item >= 0) {
    Match.S.Deal.Contract = item;
    return true;
  }
  // A seat that has chosen all eight contracts has nothing left to pick;
  // refusing would keep the dialog open for ever.
  bool anyFree = false;
  for (const auto& it : ItemList) anyFree = anyFree || it.Enabled;
  if (!anyFree) return true;
  Match.Screen().Beep();
  Match.Screen().ShowMessage(TBoxKind::Error, "Select a game !!!");
  return false;
}

void TGameChooser::Close() {
  const int item = CheckedFreeItem();
  if (item >= 0) {
    TMatchState& state = Match.S;
    state.Deal.Contract = item;
    if (state.Deal.Chooser >= 0 && state.Deal.Chooser < SeatCount)
      state.Progress.ContractsChosen[state.Deal.Chooser][item] = true;
  }
  IsClosed = true;
}

bool TGameChooser::TryClose() {
  if (IsClosed) return true;
  if (!CloseQuery()) return false;
  Close();
  return true;
}

}  // namespace varlo
