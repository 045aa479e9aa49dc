// The drawing pass: the table painted from the match state onto the backing
// image. It never clears the table: pictures cover their rectangles, texts
// their own cells, and two fills erase the name and the status lines.
#include <QPainter>

#include "MainForm.h"
#include "TablePictures.h"
#include "TableText.h"
#include "TableView.h"

using namespace varlo;

void TfrmVarlo::PaintTable() {
  PrepareCardImages();
  // The painter's lifetime is the canvas lock: from before the first
  // picture to after the last.
  QPainter painter(&TableView->Surface());
  // Texts go through the table transform; pictures and fills are put on
  // device pixels directly (DrawCardImage, FillRect).
  painter.setTransform(TableView->Transform().ToLogical());
  painter.setFont(TextFont);
  painter.setPen(TextPen);
  Canvas = &painter;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  Canvas = nullptr;
  painter.end();
  TableView->Present();
}

// A pass over the table that draws nothing: it collects the pictures and
// their sizes, so that new ones are rendered together, on all cores, and a
// new scale's first frame waits for none (TTablePictures).
void TfrmVarlo::PrepareCardImages() {
  std::vector<std::pair<int, QSize>> wanted;
  WantedImages = &wanted;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  WantedImages = nullptr;
  Pictures->Prepare(TableView->Transform().DeviceScale(), wanted);
}

void TfrmVarlo::DrawTable() {
  const auto& m = MatchState;
  if (m.Contract < 0) return;
  if (IsTrickContract(m.Contract)) {
    for (int i = 0; i < SeatCount; ++i) DrawCardImage(m.Trick[i] + 1, TrickCard(i));
    FillRect(StatusArea);
    DrawText(m.HandLine, HandLineArea.TopLeft());
    DrawText(m.GameLine, GameLineArea.TopLeft());
    return;
  }
  // Later suits lie on the lower half of the row above.
  for (int c = 0; c < DeckSize; ++c)
    if (m.Layout[c]) DrawCardImage(c + 1, LayoutCard(c));
  DrawText(m.GameLine, GameLineArea.TopLeft());
}

void TfrmVarlo::DrawHumanHand() {
  const auto& human = MatchState.Players[0];
  if (MatchState.Contract < 0) return;
  for (int i = 0; i < HandSize; ++i) DrawCardImage(human.Cards[i] + 1, HandSlot(i));
  FillRect(NameArea);
  DrawText(human.Name, NameArea.TopLeft());
}

void TfrmVarlo::DrawOpponents() {
  if (MatchState.Contract <= 0) return;
  // The labels are the seats' fixed names, whatever Name holds.
  for (const TSeatPlace& seat : SeatPlaces) {
    DrawCardImage(0, seat.Back);
    DrawText(ComputerName(seat.Seat), seat.Label);
  }
}

void TfrmVarlo::DrawCardImage(int n, const TTableRect& card) {
  // The picture is drawn for exactly the device pixels its rectangle
  // covers, so neighbours share an edge and never overlap.
  const QRect where = TableView->Transform().DeviceRect(ToQRect(card));
  if (WantedImages) {
    WantedImages->emplace_back(n, where.size());
    return;
  }
  const QImage& picture = Pictures->Picture(n, where.size());
  if (picture.isNull()) return;
  TableView->PutImage(picture, where.topLeft());
}

void TfrmVarlo::DrawText(const std::string& text, TTablePoint at) {
  if (text.empty() || !Canvas) return;
  DrawOpaqueText(*Canvas, *TableView, QString::fromStdString(text), QPoint(at.X, at.Y));
}

void TfrmVarlo::FillRect(const TTableRect& area) {
  if (!Canvas) return;
  TableView->FillDevice(TableView->Transform().DeviceRect(ToQRect(area)));
}

bool TfrmVarlo::CardPicturesPending() const { return Pictures->Pending(); }
