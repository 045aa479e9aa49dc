// The four suit marks as vector paths, so that a card looks the same
// whatever fonts the system has and stays sharp at any pixel ratio.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace cardart {

enum TSuitMark : int { Heart = 0, Spade = 1, Diamond = 2, Club = 3 };

// The mark of a suit (0 hearts, 1 spades, 2 diamonds, 3 clubs), centred on
// the origin and `height` high; an unknown suit gives an empty path.
QPainterPath SuitPath(int suit, qreal height);

// Red for hearts and diamonds, near-black for spades and clubs.
QColor SuitColour(int suit);

// Fills the mark of `suit` in `colour` around `centre`; `upsideDown` turns
// it by 180 degrees, as on the lower half of a card.
void FillSuit(QPainter& painter, int suit, QPointF centre, qreal height,
              const QColor& colour, bool upsideDown = false);

// FillSuit in the suit's own colour.
void DrawSuit(QPainter& painter, int suit, QPointF centre, qreal height,
              bool upsideDown = false);

}  // namespace cardart
