// Cards named in words.
#include <gtest/gtest.h>

#include <set>

#include "card_names.h"

namespace {

using namespace varlo;

TEST(CardNames, EveryCardHasItsOwnName) {
  EXPECT_EQ(CardName(0), "Seven of hearts");
  EXPECT_EQ(CardName(13), "Queen of spades");
  EXPECT_EQ(CardName(TenOfClubs), "Ten of clubs");
  EXPECT_EQ(CardName(20), "Jack of diamonds");
  EXPECT_EQ(CardName(31), "Ace of clubs");
  std::set<std::string> names;
  for (TCard c = 0; c < DeckSize; ++c) names.insert(CardName(c));
  EXPECT_EQ(names.size(), 32u);
  for (TCard c : {NoCard, 32, -7}) EXPECT_EQ(CardName(c), "empty");
}

}  // namespace
