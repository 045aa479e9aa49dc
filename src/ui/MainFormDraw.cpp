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
  // picture to after the last. Pictures, fills and texts are put on device
  // pixels directly (DrawCardImage, FillRect, DrawText).
  QPainter painter(&TableView->Surface());
  Canvas = &painter;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  Canvas = nullptr;
  painter.end();
  TableView->Present();
  Pictures->Drawn();
}

void TfrmVarlo::PrepareCardImages() {
  Pictures->FinishAhead();
  RunOnCores(CollectPreparation());
}

// After a resize the window system takes a while to show the larger window
// in the table colour; meanwhile the other cores get ready what the redraw
// it asked for will draw.
void TfrmVarlo::PrepareAhead() { Pictures->RunAhead(CollectPreparation()); }

// A pass over the table that draws nothing: it collects the pictures with
// their sizes and the texts, so that new ones are rendered together, on all
// cores, and a new scale's first frame waits for no sharp picture
// (TTablePictures).
TJobs TfrmVarlo::CollectPreparation() {
  Pictures->FinishAhead();
  TTablePictures::TWanted pictures;
  TTableTexts::TWanted texts;
  WantedImages = &pictures;
  WantedTexts = &texts;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  WantedImages = nullptr;
  WantedTexts = nullptr;
  // Texts first: the longest jobs, they are best begun early.
  TJobs jobs;
  Texts->Prepare(TextFont, TableView->Transform(), texts, jobs);
  Pictures->Prepare(TableView->Transform().DeviceScale(), pictures, jobs);
  return jobs;
}

void TfrmVarlo::DrawTable() {
  const auto& m = MatchState;
  if (m.Deal().Contract < 0) return;
  if (IsTrickContract(m.Deal().Contract)) {
    for (int i = 0; i < SeatCount; ++i) DrawCardImage(m.Deal().Trick[i] + 1, TrickCard(i));
    FillRect(StatusArea);
    DrawText(m.Lines().HandLine, HandLineArea.TopLeft());
    DrawText(m.Lines().GameLine, GameLineArea.TopLeft());
    return;
  }
  // Later suits lie on the lower half of the row above.
  for (int c = 0; c < DeckSize; ++c)
    if (m.Deal().Layout[c]) DrawCardImage(c + 1, LayoutCard(c));
  DrawText(m.Lines().GameLine, GameLineArea.TopLeft());
  if (m.Config().MessagesOnTable) DrawMessageLine(m.Lines().HandLine);
}

// The newest messages are the ones to read: an overlong line loses its
// oldest part.
void TfrmVarlo::DrawMessageLine(const std::string& text) {
  FillRect(MessageLineArea);
  const QString line = QFontMetrics(TextFont).elidedText(
      QString::fromStdString(text), Qt::ElideLeft, MessageLineArea.Width - MessageIndent);
  DrawText(line.toStdString(), {MessageLineArea.Left + MessageIndent, MessageLineArea.Top});
}

void TfrmVarlo::DrawHumanHand() {
  const auto& human = MatchState.Deal().Players[0];
  if (MatchState.Deal().Contract < 0) return;
  for (int i = 0; i < HandSize; ++i) DrawCardImage(human.Cards[i] + 1, HandSlot(i));
  FillRect(NameArea);
  DrawText(human.Name, NameArea.TopLeft());
  if (Prefs.Coach) DrawAdvice();
}

void TfrmVarlo::DrawOpponents() {
  if (MatchState.Deal().Contract <= 0) return;
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
  if (text.empty()) return;
  if (WantedTexts) WantedTexts->emplace_back(QPoint(at.X, at.Y), QString::fromStdString(text));
  if (!Canvas) return;
  Texts->Draw(*TableView, TextFont, TextPen, QString::fromStdString(text), QPoint(at.X, at.Y));
}

void TfrmVarlo::FillRect(const TTableRect& area) {
  if (!Canvas) return;
  TableView->FillDevice(TableView->Transform().DeviceRect(ToQRect(area)));
}

bool TfrmVarlo::CardPicturesPending() const { return Pictures->Pending(); }
