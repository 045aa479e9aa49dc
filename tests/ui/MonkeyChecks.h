// What must hold of the match at any moment the user can act: between driver
// calls and whenever a dialog or box of the driver waits for an answer.
#pragma once

#include <string>

#include "match.h"

namespace ui_test {

/// Every card is in one place only, and no card has gone missing: a deal
/// under a trick contract has four cards fewer per finished trick, each hand
/// one card fewer per trick and the current trick holding the cards of those
/// seats that have already played to it; a layout deal keeps all 32 between
/// the hands and the layout. Empty when all is well.
std::string CardsProblem(const varlo::TMatch& match);

/// The sum of all players' scores.
long long ScoreSum(const varlo::TMatch& match);

/// Some card of the human's may be played.
bool HumanCanPlay(const varlo::TMatch& match);

}  // namespace ui_test
