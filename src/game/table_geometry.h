// Where everything lies on the table, in table pixels: x to the right and y
// down from the top-left corner of the window's client area, before any
// scaling. The drawing, the click test, the keyboard's mark, the accessible
// rectangles and the simulated human's stray clicks all read it here, so a
// card is clicked exactly where it is seen.
#pragma once

#include "cards.h"

namespace varlo {

struct TTablePoint {
  int X = 0, Y = 0;
};

/// A rectangle of table pixels: x from Left to Right() - 1, y from Top to
/// Bottom() - 1.
struct TTableRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;

  constexpr int Right() const { return Left + Width; }
  constexpr int Bottom() const { return Top + Height; }
  constexpr TTablePoint TopLeft() const { return {Left, Top}; }
  constexpr bool Contains(int x, int y) const {
    return x >= Left && x < Right() && y >= Top && y < Bottom();
  }
  friend constexpr bool operator==(const TTableRect&, const TTableRect&) = default;
};

/// The table at scale 1. What the game draws lies within x < 612 and
/// y < 430; its texts start there.
constexpr int TableWidth = 632, TableHeight = 440;
constexpr TTableRect TableArea{0, 0, TableWidth, TableHeight};

/// Every card picture; hand slots and layout columns lie side by side.
constexpr int CardWidth = 74, CardHeight = 100;

// ---- the human's hand, slot 0 leftmost
constexpr int HandLeft = 20, HandTop = 25;
constexpr TTableRect HandArea{HandLeft, HandTop, HandSize * CardWidth, CardHeight};
constexpr TTableRect HandSlot(int slot) {
  return {HandLeft + CardWidth * slot, HandTop, CardWidth, CardHeight};
}
/// Where a click hits the hand: its slots and the pixel row just below
/// them, which still counts.
constexpr TTableRect HandHitArea{HandLeft, HandTop, HandArea.Width, CardHeight + 1};

// ---- the trick, in the order of play from the left
constexpr TTableRect TrickArea{168, 163, SeatCount * CardWidth, CardHeight};
constexpr TTableRect TrickCard(int position) {
  return {TrickArea.Left + CardWidth * position, TrickArea.Top, CardWidth, CardHeight};
}

// ---- the layout: one row per suit from hearts down, one column per rank;
// each row lies on the lower half of the row above
constexpr int LayoutLeft = 20, LayoutTop = 150, LayoutRowStep = 50;
constexpr TTableRect LayoutRow(int suit) {
  return {LayoutLeft, LayoutTop + LayoutRowStep * suit, 8 * CardWidth, CardHeight};
}
constexpr TTableRect LayoutCard(TCard card) {
  return {LayoutLeft + CardWidth * RankOf(card), LayoutRow(SuitOf(card)).Top, CardWidth,
          CardHeight};
}

// ---- the texts: each is written with its top-left corner at the top-left
// corner of its area
/// The human's name; the area is filled before it is written.
constexpr TTableRect NameArea{290, 5, 240, 13};
/// The status area, filled before both lines are written; and the line each
/// takes in it.
constexpr TTableRect StatusArea{20, 385, 240, 45};
constexpr TTableRect HandLineArea{20, 385, 240, 25};
constexpr TTableRect GameLineArea{20, 410, 240, 20};
/// With the layout messages on the table (a choice of the player's), their
/// line in the layout view: right of the game line, where nothing else lies.
/// It is filled before the line is written, a little way in.
constexpr TTableRect MessageLineArea{250, 410, 362, 20};
constexpr int MessageIndent = 10;
/// With the coach (a choice of the player's), the band below the hand where
/// each card's figure stands.
constexpr TTableRect CoachBand{HandLeft, HandArea.Bottom(), HandArea.Width, 24};

/// A computer player: a card back and the seat's fixed name below it.
struct TSeatPlace {
  int Seat;
  TTableRect Back;
  TTablePoint Label;
  /// The back with the label's line below it.
  constexpr TTableRect Area() const { return {Back.Left, Back.Top, CardWidth, CardHeight + 27}; }
};

/// In the order they are drawn: "Jack" left, "Ben" right, "Sandra" at the
/// bottom.
constexpr TSeatPlace SeatPlaces[] = {
    {1, {20, 163, CardWidth, CardHeight}, {38, 273}},
    {3, {538, 163, CardWidth, CardHeight}, {563, 273}},
    {2, {279, 300, CardWidth, CardHeight}, {291, 410}},
};

}  // namespace varlo
