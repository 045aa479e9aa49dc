// The main window: the redraw timer, the mouse, closing, the menu and its
// Options commands.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "FormTools.h"
#include "ModalAnswers.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

QPoint SlotCentre(int slot) { return {20 + 74 * slot + 37, 75}; }

QTimer* PaintTimerOf(TfrmVarlo& window) {
  return window.findChild<QTimer*>(QStringLiteral("PaintTimer"));
}

}  // namespace

class TMainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowLooksAsDescribed();
  void MenuHasTheItemsInOrder();
  void TheWholeWindowIsCentred();
  void RequestedRedrawRunsOnTheTimerThenTimerSleeps();
  void TickDuringARedrawDoesNothing();
  void WindowSystemPaintAsksForARedraw();
  void ResizeGrowsTheTable();
  void AnyButtonPlaysTheClickedCard_data();
  void AnyButtonPlaysTheClickedCard();
  void ClickOutsideTheHandChangesNothing();
  void ClickWhileInputDisabledIsIgnored();
  void AKeyPlaysItsSlotWithoutMakingUpAClick();
  void ExitAnsweredNoKeepsTheWindow();
  void ExitAnsweredYesClosesTheWindow();
  void PauseShowsTheWholeTrick();
  void PauseRunsOnAPreciseTimer();
  void CloseDuringTheTrickPauseWaitsForTheDriver();
  void MissingRecordsFolderIsReported();
  void RecordsFileIsCreatedAtStartUp();
};

void TMainWindowTest::WindowLooksAsDescribed() {
  TTestWindow window;
  QCOMPARE(window->windowTitle(), QStringLiteral("Varlo"));
  // The icon is read once the table has first been painted.
  QTRY_VERIFY(!window->windowIcon().isNull());
  // The bitmap that stands in when Qt cannot read SVG is compiled in.
  QCOMPARE(QImage(QStringLiteral(":/icons/varlo-32.png")).size(), QSize(32, 32));
  QVERIFY(window->Table()->width() >= 632);
  QVERIFY(window->Table()->height() >= 440);
  QCOMPARE(window->Table()->minimumSize(), QSize(632, 440));
  QCOMPARE(window->Table()->Background(), QColor(0, 128, 0));
  QCOMPARE(window->TextColour(), QColor(0, 255, 255));
  QVERIFY(window->TableFont().bold());
  QCOMPARE(window->TableFont().pointSize(), 10);
}

void TMainWindowTest::MenuHasTheItemsInOrder() {
  TTestWindow window;
  QMenuBar* bar = window->menuBar();
  QCOMPARE(bar->objectName(), QStringLiteral("mnuMain"));
  const QStringList menus = {"miGame", "miOptions", "miInfo", "miHelp"};
  const QStringList titles = {"Game", "Options", "Info", "Help"};
  const QList<QStringList> items = {{"miNew", "miTakeBack", "miOpen", "miSave", "N1", "miExit"},
                                    {"miPlayerName", "miFont", "miBackground", "miPreferences"},
                                    {"miScore", "miTop", "miStatistics"},
                                    {"miVarloHelp", "About1"}};
  const QList<QStringList> captions = {{"New", "Take back", "Open", "Save", "", "Exit"},
                                       {"Player Name", "Font", "Background", "Preferences..."},
                                       {"Score", "Top", "Statistics..."},
                                       {"Contents", "About.."}};
  QCOMPARE(bar->actions().size(), 4);
  for (int m = 0; m < 4; ++m) {
    QMenu* menu = bar->actions()[m]->menu();
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), menus[m]);
    QCOMPARE(menu->title(), titles[m]);
    QCOMPARE(menu->actions().size(), items[m].size());
    for (int i = 0; i < items[m].size(); ++i) {
      QAction* item = menu->actions()[i];
      QCOMPARE(item->objectName(), items[m][i]);
      QCOMPARE(item->text(), captions[m][i]);
      // Only taking back, a choice of the player's, has a key: Ctrl+Z.
      if (item != window->findChild<QAction*>("miTakeBack")) QVERIFY(item->shortcut().isEmpty());
      if (item->isVisible()) QVERIFY(item->isEnabled());
    }
  }
  QVERIFY(!window->findChild<QAction*>("miTakeBack")->isVisible());
  QCOMPARE(window->findChild<QAction*>("miTakeBack")->shortcut(), QKeySequence(QKeySequence::Undo));
  QVERIFY(!window->findChild<QAction*>("miOpen")->isVisible());
  QVERIFY(!window->findChild<QAction*>("miSave")->isVisible());
  QVERIFY(window->findChild<QAction*>("N1")->isSeparator());
  QCOMPARE(window->findChild<QAction*>("miScore")->statusTip(), QStringLiteral("Score"));
  QCOMPARE(window->findChild<QAction*>("About1")->statusTip(), QStringLiteral("About"));
}

// Centred as window managers centre windows: the frame with its title bar,
// not the client area alone (offscreen there is no frame).
void TMainWindowTest::TheWholeWindowIsCentred() {
  // 632 x 459 in a frame of 1, 24, 1 and 3 pixels: 634 x 486 at (323, 269).
  QCOMPARE(CentredWindowRect(QSize(632, 459), QMargins(1, 24, 1, 3), QRect(0, 0, 1280, 1024)),
           QRect(324, 293, 632, 459));
  TTestWindow window;
  const QPoint off = window->frameGeometry().center() - window->screen()->availableGeometry().center();
  QVERIFY(off.manhattanLength() <= 1);
}

void TMainWindowTest::RequestedRedrawRunsOnTheTimerThenTimerSleeps() {
  TTestWindow window;
  QTimer* timer = PaintTimerOf(*window);
  QVERIFY(timer);
  QCOMPARE(timer->interval(), 1);
  DealWhistHeartsToHuman(window->Match());
  window->Table()->Canvas().fill(Qt::magenta);
  window->Match().RequestRepaint();
  // Not drawn inside the request: only at the timer's tick.
  QCOMPARE(window->Table()->Canvas().pixelColor(60, 75), QColor(Qt::magenta));
  QVERIFY(timer->isActive());
  QTRY_VERIFY(!window->Match().Redraw.NeedsRepaint);
  QVERIFY(window->Table()->Canvas().pixelColor(60, 75) != QColor(Qt::magenta));
  // Our own screen update must not request yet another redraw.
  QTRY_VERIFY(!timer->isActive());
  QTest::qWait(30);
  QVERIFY(!timer->isActive());
  QVERIFY(!window->Match().Redraw.NeedsRepaint);
}

void TMainWindowTest::TickDuringARedrawDoesNothing() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  window->Table()->Canvas().fill(Qt::magenta);
  window->Match().Redraw.Painting = true;
  window->Match().RequestRepaint();
  QTest::qWait(20);
  QVERIFY(window->Match().Redraw.NeedsRepaint);
  QCOMPARE(window->Table()->Canvas().pixelColor(60, 75), QColor(Qt::magenta));
  window->Match().Redraw.Painting = false;
  QTRY_VERIFY(!window->Match().Redraw.NeedsRepaint);
}

void TMainWindowTest::WindowSystemPaintAsksForARedraw() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  window->Table()->Canvas().fill(Qt::magenta);
  // A repaint that Qt requests on its own stands for an uncovered window.
  window->Table()->update();
  QTRY_VERIFY(window->Table()->Canvas().pixelColor(60, 75) != QColor(Qt::magenta));
  QTRY_VERIFY(!PaintTimerOf(*window)->isActive());
}

void TMainWindowTest::ResizeGrowsTheTable() {
  TTestWindow window;
  window->resize(window->width() + 100, window->height() + 60);
  QTRY_VERIFY(window->Table()->width() >= 732);
  const QImage& canvas = window->Table()->Canvas();
  const qreal dpr = canvas.devicePixelRatio();
  QVERIFY(canvas.width() >= qRound(window->Table()->width() * dpr));
  QVERIFY(canvas.height() >= qRound(window->Table()->height() * dpr));
  QCOMPARE(canvas.pixelColor(canvas.width() - 1, canvas.height() - 1), QColor(0, 128, 0));
}

void TMainWindowTest::AnyButtonPlaysTheClickedCard_data() {
  QTest::addColumn<Qt::MouseButton>("button");
  QTest::newRow("left") << Qt::LeftButton;
  QTest::newRow("right") << Qt::RightButton;
  QTest::newRow("middle") << Qt::MiddleButton;
}

void TMainWindowTest::AnyButtonPlaysTheClickedCard() {
  QFETCH(Qt::MouseButton, button);
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  QTest::mouseClick(window->Table(), button, {}, SlotCentre(2));
  QCOMPARE(m.Deal().Players[0].Cards[2], -1);
  // The other seats followed, and the trick was settled and cleared.
  for (int seat = 1; seat < 4; ++seat) QCOMPARE(varlo::CardCount(m.Deal().Players[seat]), 7);
  QCOMPARE(m.Lines().HandLine, std::string("Hand: You"));
  QVERIFY(m.InputEnabled());
}

void TMainWindowTest::ClickOutsideTheHandChangesNothing() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  const auto before = m.Deal().Players;
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(19, 75));    // left of slot 0
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(300, 130));  // below the hand
  for (int seat = 0; seat < 4; ++seat) QCOMPARE(m.Deal().Players[seat].Cards, before[seat].Cards);
  // Its left edge belongs to the slot.
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * 5, 25));
  QCOMPARE(m.Deal().Players[0].Cards[5], -1);
}

void TMainWindowTest::ClickWhileInputDisabledIsIgnored() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  m.DisableInput();
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, SlotCentre(0));
  QCOMPARE(m.Deal().Players[0].Cards[0], 0);
  QVERIFY(!m.InputEnabled());
}

void TMainWindowTest::AKeyPlaysItsSlotWithoutMakingUpAClick() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  QSignalSpy clicks(window->Table(), &TTableView::MouseDown);
  QSignalSpy played(window->Table(), &TTableView::SlotPlayed);
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window->windowHandle(), Qt::Key_3);
  QCOMPARE(m.Deal().Players[0].Cards[2], -1);
  QCOMPARE(m.Lines().HandLine, std::string("Hand: You"));
  QCOMPARE(played.size(), 1);
  QCOMPARE(played[0][0].toInt(), 2);
  QCOMPARE(clicks.size(), 0);
}

void TMainWindowTest::ExitAnsweredNoKeepsTheWindow() {
  TTestWindow window;
  auto seen = AnswerNextBox(QMessageBox::No);
  QVERIFY(!window->close());
  QVERIFY(seen->Seen);
  QCOMPARE(seen->Title, QStringLiteral("Confirm"));
  QCOMPARE(seen->Text, QStringLiteral("Are you sure to exit?"));
  QCOMPARE(seen->Icon, QMessageBox::Question);
  QVERIFY(window->isVisible());
  // And it asks again the next time.
  auto again = AnswerNextBox(QMessageBox::No);
  QVERIFY(!window->close());
  QVERIFY(again->Seen);
}

void TMainWindowTest::ExitAnsweredYesClosesTheWindow() {
  TTestWindow window;
  auto seen = AnswerNextBox(QMessageBox::Yes);
  window->findChild<QAction*>("miExit")->trigger();
  QVERIFY(seen->Seen);
  QVERIFY(!window->isVisible());
}

void TMainWindowTest::PauseShowsTheWholeTrick() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  window->SetPauseScale(0.05);  // 150 ms
  QImage during;
  std::string handLine;
  QTimer::singleShot(40, window.get(), [&] {
    during = window->Table()->Canvas().copy();
    handLine = m.Lines().HandLine;
  });
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, SlotCentre(2));
  QVERIFY(!during.isNull());
  QCOMPARE(handLine, std::string("Hand: You"));
  // He led the nine of hearts; nobody else holds a heart, so each seat
  // plays the first card of its hand: codes 8, 16 and 24.
  const int played[4] = {2, 8, 16, 24};
  const qreal dpr = during.devicePixelRatio();
  for (int i = 0; i < 4; ++i)
    QVERIFY(Block(during, 168 + 74 * i, 163) == Picture(played[i] + 1, dpr));
  // Afterwards the trick is cleared.
  QCOMPARE(m.Deal().Trick, (varlo::TTrick{-1, -1, -1, -1}));
}

// Seen from inside the pause, not timed: 3000 ms on a precise timer.
void TMainWindowTest::PauseRunsOnAPreciseTimer() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  window->SetPauseScale(1);
  auto* pause = window->findChild<QTimer*>(QStringLiteral("PauseTimer"));
  QVERIFY(pause);
  std::tuple<bool, int, Qt::TimerType> seen{};
  QTimer::singleShot(0, window.get(), [&] {
    seen = {pause->isActive(), pause->interval(), pause->timerType()};
    pause->start(0);  // and end it now
  });
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, SlotCentre(1));
  QCOMPARE(seen, std::make_tuple(true, 3000, Qt::PreciseTimer));
}

void TMainWindowTest::CloseDuringTheTrickPauseWaitsForTheDriver() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  window->SetPauseScale(0.1);  // 300 ms
  bool closedDuringPause = true;
  std::shared_ptr<TBoxSeen> question;
  QTimer::singleShot(50, window.get(), [&] {
    question = AnswerNextBox(QMessageBox::No);
    closedDuringPause = window->close();
  });
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, SlotCentre(0));
  QVERIFY(question);
  QVERIFY(!closedDuringPause);
  QVERIFY2(!question->Seen, "no question in the middle of the trick");
  QCOMPARE(m.Deal().Players[0].Cards[0], -1);  // the trick went on undisturbed
  // Once the driver is done, the request comes back and asks.
  QTRY_VERIFY(question->Seen);
  QCOMPARE(question->Text, QStringLiteral("Are you sure to exit?"));
  QVERIFY(window->isVisible());
}

void TMainWindowTest::MissingRecordsFolderIsReported() {
  QTemporaryDir dir;
  const std::filesystem::path file =
      std::filesystem::path(dir.path().toStdString()) / "no-such-folder" / "Varlo.ini";
  auto seen = AnswerNextBox(QMessageBox::Ok);
  TTestWindow window(file);
  QTRY_VERIFY(seen->Seen);
  QCOMPARE(seen->Title, QStringLiteral("Error"));
  QCOMPARE(seen->Icon, QMessageBox::Critical);
  QVERIFY(!seen->Text.isEmpty());
  QVERIFY(window->isVisible());
  QCOMPARE(window->Match().Deal().Contract, -1);
}

void TMainWindowTest::RecordsFileIsCreatedAtStartUp() {
  QTemporaryDir dir;
  const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / "Varlo.ini";
  TTestWindow window(file);
  QCOMPARE(window->Match().Config().RecordsFile, file);
  const auto entries = varlo::ReadRecordsFile(file);
  QVERIFY(entries.has_value());
  QCOMPARE(entries->size(), std::size_t{1});
  QCOMPARE(entries->front().Name, std::string("Jack"));
  QCOMPARE(entries->front().Score, 0);
}

QTEST_MAIN(TMainWindowTest)
#include "MainWindowTest.moc"
