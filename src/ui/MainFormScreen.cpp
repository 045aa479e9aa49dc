// What the match asks of the window: sounds, boxes, dialogs, the pause and
// the redraw timer.
#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <QMessageBox>
#include <algorithm>

#include "FormTools.h"
#include "GameChooser.h"
#include "MainForm.h"
#include "Points.h"
#include "Records.h"
#include "TableView.h"

void TfrmVarlo::Beep() { QApplication::beep(); }

void TfrmVarlo::ShowMessage(varlo::TBoxKind kind, const std::string& text) {
  QMessageBox::Icon icon = QMessageBox::Information;
  QString title = QStringLiteral("Information");
  if (kind == varlo::TBoxKind::Error) {
    icon = QMessageBox::Critical;
    title = QStringLiteral("Error");
  } else if (kind == varlo::TBoxKind::Confirmation) {
    icon = QMessageBox::Question;
    title = QStringLiteral("Confirm");
  }
  QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::Ok, this);
  ShowModalTo(box, this);
}

void TfrmVarlo::RepaintRequested() {
  if (!PaintTimer.isActive()) PaintTimer.start();
}

void TfrmVarlo::Pause(int milliseconds) {
  // The trick has just been drawn; it must be on the screen for the whole
  // pause, not only when the event loop comes round to it.
  TableView->PresentNow();
  const int wait = static_cast<int>(milliseconds * PauseScale);
  if (wait <= 0) return;
  // The table still repaints when uncovered, but takes no input: clicks and
  // keys wait in the queue and arrive once the pause is over.
  QEventLoop loop;
  connect(&PauseTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
  PauseTimer.start(wait);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TfrmVarlo::StartPause(int milliseconds) {
  TableView->PresentNow();
  // Like the blocking pause, the waiting one takes no command: only its own
  // end, by the timer or (when the player paces it) his click or key.
  menuBar()->setEnabled(false);
  if (milliseconds == varlo::PauseUntilClick) return;
  PauseTimer.start(std::max(0, static_cast<int>(milliseconds * PauseScale)));
}

void TfrmVarlo::FillWindow() { TableView->Fill(); }

void TfrmVarlo::ShowChooser(varlo::TGameChooser& chooser) {
  // The human's choice is a point to go on from, like his card.
  if (chooser.ListEnabled()) SaveUnfinishedMatch();
  TfrmGameChooser dialog(chooser, this);
  ShowModalTo(dialog, this);
}

void TfrmVarlo::ShowScore(const std::array<varlo::TScoreRow, 4>& rows) {
  TfrmPoints dialog(rows, this);
  ShowModalTo(dialog, this);
}

void TfrmVarlo::ShowRecords(const std::filesystem::path& recordsFile) {
  TfrmRecords dialog(recordsFile, this);
  ShowModalTo(dialog, this);
}
