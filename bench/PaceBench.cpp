// A whole match in the window (offscreen) as a player who never hesitates
// plays it: every box answered and every card clicked the moment the game
// asks. What is left is the game's own pace. Prints
//   pace=NAME wall_s=S pauses=P boxes=B deals=D
// Usage: varlo_pace_bench default|quick
//   default: no settings file, as a fresh installation;
//   quick:   pause 0.5 s, the layout messages on the table.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "GameChooser.h"
#include "MainForm.h"
#include "Points.h"
#include "Records.h"
#include "TableView.h"

namespace {

class TPlayer : public QObject {
 public:
  explicit TPlayer(TfrmVarlo& window) : Window(window) {
    connect(&Timer, &QTimer::timeout, this, &TPlayer::Act);
    Timer.start(1);
  }
  int Boxes = 0;

 private:
  void Act() {
    if (QWidget* modal = QApplication::activeModalWidget()) return Answer(modal);
    varlo::TMatch& m = Window.Match();
    if (!m.InputEnabled() || m.MatchFinished()) return;
    const int slot = varlo::LowestSlot(m.Deal().LegalSlots(0));
    if (slot < 0 || ClickPending) return;
    // Clicked from a timer of its own: the driver's boxes open inside the
    // click, and this timer must stay free to answer them.
    ClickPending = true;
    QTimer::singleShot(0, this, [this, slot] {
      ClickPending = false;
      Click(slot);
    });
  }

  void Answer(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      ++Boxes;
      box->button(box->buttons().contains(box->button(QMessageBox::Ok)) ? QMessageBox::Ok
                                                                         : QMessageBox::Yes)
          ->click();
    } else if (qobject_cast<TfrmGameChooser*>(modal)) {
      auto* list = modal->findChild<QListWidget*>(QStringLiteral("clbGames"));
      for (int i = 0; list->isEnabled() && i < list->count(); ++i) {
        if ((list->item(i)->flags() & Qt::ItemIsEnabled) &&
            list->item(i)->checkState() != Qt::Checked) {
          list->item(i)->setCheckState(Qt::Checked);
          break;
        }
      }
      modal->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    } else if (qobject_cast<TfrmPoints*>(modal)) {
      modal->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    } else {
      modal->close();
    }
  }

  void Click(int slot) {
    TTableView* table = Window.Table();
    const QPointF at = table->Transform()
                           .LogicalRect(QRect(varlo::HandSlot(slot).Left + varlo::CardWidth / 2, varlo::HandSlot(slot).Top + varlo::CardHeight / 2, 1, 1))
                           .center();
    QMouseEvent press(QEvent::MouseButtonPress, at, table->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table, &press);
  }

  TfrmVarlo& Window;
  QTimer Timer;
  bool ClickPending = false;
};

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "quick") == 0;
  QTemporaryDir home;
  // A home of its own: no settings file but the one this run writes.
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
  qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toUtf8());
  QApplication app(argc, argv);
  if (quick) {
    TPreferences preferences;
    preferences.PauseMs = 500;
    preferences.MessagesOnTable = true;
    SavePreferences(TfrmVarlo::PreferencesPath(), preferences);
  }
  varlo::TSteppingClock clock(4711);
  TfrmVarlo window(&clock, std::filesystem::path(home.filePath(QStringLiteral("Varlo.ini")).toStdString()));
  window.show();
  TPlayer player(window);
  const auto start = std::chrono::steady_clock::now();
  QTimer::singleShot(0, &window, &TfrmVarlo::miNewClick);
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (window.Match().MatchFinished() && !QApplication::activeModalWidget()) app.quit();
  });
  watch.start(10);
  app.exec();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("pace=%s wall_s=%.1f boxes=%d deals=%d\n", quick ? "quick" : "default", seconds,
              player.Boxes, window.Match().Progress().DealsPlayed);
  return 0;
}
