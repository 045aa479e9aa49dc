#include "cards.h"

namespace varlo {

const std::string& ComputerName(int seat) {
  static const std::string names[SeatCount] = {"", "Jack", "Sandra", "Ben"};
  return names[(seat >= 1 && seat < SeatCount) ? seat : 0];
}

}  // namespace varlo
