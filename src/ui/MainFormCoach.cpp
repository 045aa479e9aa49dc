// The coach on the table: under each card the human may play, the points it
// is expected to bring him in this deal; the best card and those as good as
// it marked in gold. The figures come from the game (Advise); the window
// only shows them.
#include <QFontMetrics>
#include <cmath>

#include "MainForm.h"
#include "TableAccessible.h"
#include "TableView.h"

using namespace varlo;

namespace {

// The keyboard mark's gold: one colour says "look here" on the table.
const QColor CoachGold(255, 215, 0);
// The mark under a figure: the best card's spans its card, a card as good
// as the best gets half of that.
constexpr int MarkHeight = 3, MarkInset = 6;

}  // namespace

void TfrmVarlo::UpdateAdvice() {
  const bool toPlay = Prefs.Coach && MatchState.InputEnabled() && !PauseWaiting() &&
                      MatchState.Deal().Contract >= 0 && !MatchState.MatchFinished() &&
                      MatchState.Deal().LegalSlots(0) != 0;
  const TCoachAdvice* before = TableView->Advice();
  if (!toPlay) {
    if (!before) return;
    TableView->SetAdvice(std::nullopt);
  } else {
    TableView->SetAdvice(Advise(MatchState.Deal()));
    MatchState.MarkAssisted();
  }
  MatchState.RequestRepaint();
  NotifyTableChanged(TableView);
}

void TfrmVarlo::DrawAdvice() {
  FillRect(CoachBand);
  const TCoachAdvice* advice = TableView->Advice();
  if (!advice) return;
  const QFontMetrics metrics(TextFont);
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((advice->Playable >> slot) & 1u)) continue;
    const TTableRect card = HandSlot(slot);
    const QString figure = QString::asprintf("%+d", static_cast<int>(std::lround(advice->Points[slot])));
    const int x = card.Left + (card.Width - metrics.horizontalAdvance(figure)) / 2;
    DrawText(figure.toStdString(), {x, CoachBand.Top + 1});
    if (!((advice->AsGood >> slot) & 1u)) continue;
    const int inset = slot == advice->Best ? MarkInset : card.Width / 4;
    const TTableRect mark{card.Left + inset, CoachBand.Bottom() - MarkHeight - 1,
                          card.Width - 2 * inset, MarkHeight};
    if (Canvas)
      TableView->FillDevice(TableView->Transform().DeviceRect(ToQRect(mark)), CoachGold);
  }
}
