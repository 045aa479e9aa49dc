// The pieces the card pictures are made of. Everything is drawn in logical
// card coordinates, 74 x 100 with the origin at the top-left corner; the
// painter's transform takes care of the device pixel ratio.
#pragma once

#include <QRectF>

class QPainter;

namespace cardart {

constexpr qreal CardWidth = 74, CardHeight = 100;

// Card ranks as they come out of code % 8.
enum TRankIndex : int { Seven = 0, Eight, Nine, Ten, Jack, Queen, King, Ace };

// The white card with its thin dark rounded outline.
void DrawCardBase(QPainter& painter);

// The face of card code 0..31: corner indexes, pips or figure.
void DrawFace(QPainter& painter, int code);

// The framed figure panel of a jack, queen or king.
void DrawCourtFigure(QPainter& painter, int suit, int rank);

// The common back: roses on a dark green ground.
void DrawBack(QPainter& painter);

}  // namespace cardart
