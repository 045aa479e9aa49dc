// Cards named in words, for assistive technology: "Queen of spades".
#pragma once

#include <string>

#include "cards.h"

namespace varlo {

/// "Seven of hearts" .. "Ace of clubs" for a card code 0..31; "empty" for
/// an empty slot (-1) or any other value.
std::string CardName(TCard card);
/// "hearts", "spades", "diamonds" or "clubs" for a suit 0..3.
const char* SuitName(int suit);

}  // namespace varlo
