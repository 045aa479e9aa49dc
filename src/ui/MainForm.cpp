#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include "FormTools.h"
#include "Resources.h"
#include "TablePictures.h"
#include "TableText.h"
#include "TableView.h"
#include "match_saver.h"
#include "records.h"
#include "steady_player.h"
#include "strong_player.h"

TfrmVarlo* frmVarlo = nullptr;

namespace {

QIcon VarloIcon() {
  QIcon icon(QStringLiteral(":/icons/varlo.svg"));
  // Without the SVG icon engine the bitmap still gives the window an icon.
  icon.addFile(QStringLiteral(":/icons/varlo-32.png"), QSize(32, 32));
  return icon;
}

}  // namespace

TfrmVarlo::TfrmVarlo(varlo::TClock* clock, std::optional<std::filesystem::path> recordsFile)
    : OwnClock(clock ? nullptr : std::make_unique<varlo::TSystemClock>()),
      MatchState(*this, clock ? *clock : *OwnClock),
      SeedClock(clock ? clock : OwnClock.get()),
      PaintTimer(this),
      PauseTimer(this),
      Pictures(std::make_unique<TTablePictures>()),
      Texts(std::make_unique<TTableTexts>()) {
  LoadVarloResources();
  setObjectName(QStringLiteral("frmVarlo"));
  setWindowTitle(QStringLiteral("Varlo"));

  TableView = new TTableView(this);
  TableView->setObjectName(QStringLiteral("Table"));
  setCentralWidget(TableView);
  TableView->SetMatch(&MatchState);
  TableView->setFocus();
  // Reading the icon wakes the image and SVG plug-ins, a few milliseconds
  // the first sight of the window need not wait for.
  connect(
      TableView, &TTableView::FirstPainted, this,
      [this] {
        setWindowIcon(VarloIcon());
        CentreFrameOnceKnown();
      },
      Qt::QueuedConnection);
  connect(TableView, &TTableView::Exposed, this, &TfrmVarlo::FormPaint);
  connect(TableView, &TTableView::Exposed, this, &TfrmVarlo::PrepareAhead);
  connect(TableView, &TTableView::MouseDown, this, &TfrmVarlo::FormMouseDown);
  connect(TableView, &TTableView::ContinueKey, this, &TfrmVarlo::PauseClicked);
  connect(TableView, &TTableView::SlotPlayed, this, &TfrmVarlo::TableSlotPlayed);
  // The sharp pictures replace their stand-ins at the next redraw.
  connect(Pictures.get(), &TTablePictures::SharpPicturesReady, this,
          [this] { MatchState.RequestRepaint(); });

  TextFont = QApplication::font();
  TextFont.setPointSize(10);
  TextFont.setBold(true);
  TextPen = QColor(0, 255, 255);

  PaintTimer.setObjectName(QStringLiteral("PaintTimer"));
  PaintTimer.setInterval(1);
  connect(&PaintTimer, &QTimer::timeout, this, &TfrmVarlo::PaintTimerTimer);

  // The pause after a trick is long enough for Qt's default coarse timer to
  // be off by 5 %, 150 ms either way; a precise one keeps it to the
  // millisecond.
  PauseTimer.setObjectName(QStringLiteral("PauseTimer"));
  PauseTimer.setSingleShot(true);
  PauseTimer.setTimerType(Qt::PreciseTimer);
  connect(&PauseTimer, &QTimer::timeout, this, &TfrmVarlo::PauseTimerTimer);

  CreateMenu();
  resize(sizeHint());
  CentreOnScreen();
  SetUpRecordsFile(std::move(recordsFile));
  Prefs = LoadPreferences(PreferencesPath());
  ApplyPreferences();
  if (Prefs.RememberLook && Prefs.Look) ApplyLook(*Prefs.Look);
}

TfrmVarlo::~TfrmVarlo() {
  // Jobs running ahead write into the texts, which go first.
  Pictures->FinishAhead();
  if (frmVarlo == this) frmVarlo = nullptr;
}

QString TfrmVarlo::PreferencesPath() { return PreferencesFile(); }

QMenu* TfrmVarlo::AddMenu(const char* name, const QString& caption) {
  QMenu* menu = menuBar()->addMenu(caption);
  menu->setObjectName(QLatin1String(name));
  return menu;
}

QAction* TfrmVarlo::AddItem(QMenu* menu, const char* name, const QString& caption,
                            const QString& hint) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(QLatin1String(name));
  item->setStatusTip(hint);
  item->setToolTip(hint.isEmpty() ? caption : hint);
  return item;
}

void TfrmVarlo::CreateMenu() {
  menuBar()->setObjectName(QStringLiteral("mnuMain"));
  miGame = AddMenu("miGame", QStringLiteral("Game"));
  miNew = AddItem(miGame, "miNew", QStringLiteral("New"));
  miTakeBack = AddItem(miGame, "miTakeBack", QStringLiteral("Take back"),
                       QStringLiteral("Take back your last card"));
  miTakeBack->setShortcut(QKeySequence::Undo);
  miTakeBack->setVisible(false);
  miOpen = AddItem(miGame, "miOpen", QStringLiteral("Open"));
  miSave = AddItem(miGame, "miSave", QStringLiteral("Save"));
  miOpen->setVisible(false);
  miSave->setVisible(false);
  N1 = miGame->addSeparator();
  N1->setObjectName(QStringLiteral("N1"));
  miExit = AddItem(miGame, "miExit", QStringLiteral("Exit"));

  miOptions = AddMenu("miOptions", QStringLiteral("Options"));
  miPlayerName = AddItem(miOptions, "miPlayerName", QStringLiteral("Player Name"));
  miFont = AddItem(miOptions, "miFont", QStringLiteral("Font"));
  miBackground = AddItem(miOptions, "miBackground", QStringLiteral("Background"));
  miPreferences = AddItem(miOptions, "miPreferences", QStringLiteral("Preferences..."));

  miInfo = AddMenu("miInfo", QStringLiteral("Info"));
  miScore = AddItem(miInfo, "miScore", QStringLiteral("Score"), QStringLiteral("Score"));
  miTop = AddItem(miInfo, "miTop", QStringLiteral("Top"), QStringLiteral("Top"));
  miStatistics = AddItem(miInfo, "miStatistics", QStringLiteral("Statistics..."),
                         QStringLiteral("Your matches in figures and charts"));

  miHelp = AddMenu("miHelp", QStringLiteral("Help"));
  miHelp->menuAction()->setStatusTip(QStringLiteral("Help"));
  miVarloHelp =
      AddItem(miHelp, "miVarloHelp", QStringLiteral("Contents"), QStringLiteral("Contents"));
  About1 = AddItem(miHelp, "About1", QStringLiteral("About.."), QStringLiteral("About"));

  connect(miNew, &QAction::triggered, this, &TfrmVarlo::miNewClick);
  connect(miExit, &QAction::triggered, this, &TfrmVarlo::miExitClick);
  connect(miPlayerName, &QAction::triggered, this, &TfrmVarlo::miPlayerNameClick);
  connect(miFont, &QAction::triggered, this, &TfrmVarlo::miFontClick);
  connect(miBackground, &QAction::triggered, this, &TfrmVarlo::miBackgroundClick);
  connect(miPreferences, &QAction::triggered, this, &TfrmVarlo::miPreferencesClick);
  connect(miTakeBack, &QAction::triggered, this, &TfrmVarlo::miTakeBackClick);
  connect(miScore, &QAction::triggered, this, &TfrmVarlo::miScoreClick);
  connect(miTop, &QAction::triggered, this, &TfrmVarlo::miTopClick);
  connect(miStatistics, &QAction::triggered, this, &TfrmVarlo::miStatisticsClick);
  connect(miVarloHelp, &QAction::triggered, this, &TfrmVarlo::miVarloHelpClick);
  connect(About1, &QAction::triggered, this, &TfrmVarlo::About1Click);
}

void TfrmVarlo::CentreOnScreen() {
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!where) return;
  // Before the window is shown its frame is not known yet (no margins).
  const QRect frame = frameGeometry(), client = geometry();
  const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom());
  setGeometry(CentredWindowRect(size(), margins, where->availableGeometry()));
  PlacedAt = pos();
}

// The window manager adds its frame once the window is shown; centred on the
// client area alone, the window would sit a little high. Centred again as
// soon as the frame is known, unless the player has moved it meanwhile.
void TfrmVarlo::CentreFrameOnceKnown() {
  if (!FramePending || !isVisible()) return;
  if (frameGeometry() == geometry()) return;  // not yet known
  FramePending = false;
  if (pos() == PlacedAt || geometry().topLeft() == PlacedAt) CentreOnScreen();
}

void TfrmVarlo::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  CentreFrameOnceKnown();
}

// The last step of start-up. A failure is reported once the window is up;
// the game is played as usual and the end-of-match update fails silently.
void TfrmVarlo::SetUpRecordsFile(std::optional<std::filesystem::path> recordsFile) {
  if (!recordsFile) {
    const std::string appDir =
        varlo::ExtractDir(QCoreApplication::applicationFilePath().toStdString());
    recordsFile = varlo::LocateRecordsFile(appDir);
  }
  varlo::TMatchConfig config = MatchState.Config();
  config.RecordsFile = *recordsFile;
  MatchState.SetConfig(config);
  if (recordsFile->empty()) return;
  std::string reason;
  if (varlo::EnsureRecordsFile(*recordsFile, &reason)) return;
  QTimer::singleShot(0, this, [this, reason] { ShowErrorBox(QString::fromStdString(reason)); });
}

// The application's error box: what went wrong, with a beep first.
void TfrmVarlo::ShowErrorBox(const QString& text) {
  Beep();
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, this);
  ShowModalTo(box, this);
}

void TfrmVarlo::RunDriver(const std::function<void()>& call) {
  // However the driver ends, the flag is lowered again: a close request
  // put off while it ran would otherwise be put off for good.
  struct TRunning {
    bool& Flag;
    const bool Outer;
    ~TRunning() { Flag = Outer; }
  } running{DriverRunning, DriverRunning};
  DriverRunning = true;
  // The error box shows what went wrong; the table stays disabled until New
  // runs the driver again.
  const auto report = [this](const QString& text) {
    MatchState.DisableInput();
    ShowErrorBox(text);
  };
  try {
    call();
  } catch (const std::exception& e) {
    report(QString::fromUtf8(e.what()));
  } catch (...) {
    report(QStringLiteral("The game stopped on an unknown error."));
  }
  if (running.Outer) return;
  AfterDriver();
  if (!CloseWaiting) return;
  CloseWaiting = false;
  QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmVarlo::miNewClick() {
  NoteAbandonedMatch();
  ForgetUnfinishedMatch();
  RunDriver([this] { MatchState.NewMatch(); });
}

void TfrmVarlo::PauseTimerTimer() {
  // The blocking pause uses the same timer and sets no waiting state.
  if (!PauseWaiting()) return;
  RunDriver([this] { MatchState.EndPause(); });
  menuBar()->setEnabled(true);
}

void TfrmVarlo::PauseClicked() {
  if (PauseWaiting() && MatchState.Config().PauseMs == varlo::PauseUntilClick) PauseTimerTimer();
}

void TfrmVarlo::FormMouseDown(QPoint position) {
  if (PauseWaiting()) return PauseClicked();
  if (!MatchState.InputEnabled()) return;
  RunDriver([this, position] { MatchState.PlayTurn(position.x(), position.y(), false); });
}

// The keyboard names the slot itself: no click position is made up for it.
void TfrmVarlo::TableSlotPlayed(int slot) {
  if (!MatchState.InputEnabled()) return;
  RunDriver([this, slot] { MatchState.PlaySlot(slot, false); });
}

void TfrmVarlo::miExitClick() { close(); }

void TfrmVarlo::closeEvent(QCloseEvent* event) {
  // Closing in the middle of the driver (during the trick pause) would pull
  // the window from under it: ask once the driver has returned.
  if (DriverRunning || PauseWaiting()) {
    CloseWaiting = true;
    event->ignore();
    // A pause the player ends himself would hold the close for ever.
    if (!DriverRunning && MatchState.Config().PauseMs == varlo::PauseUntilClick)
      QTimer::singleShot(0, this, &TfrmVarlo::PauseTimerTimer);
    return;
  }
  Beep();
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
                  QStringLiteral("Are you sure to exit?"), QMessageBox::Yes | QMessageBox::No,
                  this);
  if (ShowModalTo(box, this) == QMessageBox::No) {
    event->ignore();
    return;
  }
  // A kept match goes on at the next start: only one not kept is left.
  if (!Prefs.KeepUnfinished) NoteAbandonedMatch();
  event->accept();
}

void TfrmVarlo::FormPaint() { MatchState.RequestRepaint(); }

void TfrmVarlo::PaintTimerTimer() {
  if (MatchState.Redraw.NeedsRepaint && !MatchState.Redraw.Painting) MatchState.RepaintTable();
  // With nothing pending the timer sleeps until the next request.
  if (!MatchState.Redraw.NeedsRepaint) PaintTimer.stop();
}
