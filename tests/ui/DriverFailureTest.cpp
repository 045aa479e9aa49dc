// An exception that escapes the turn driver: the error box shows it, the
// table stays disabled until New runs the driver again, and the window still
// closes.
#include <QAction>
#include <QListWidget>
#include <QTest>
#include <stdexcept>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// A window whose contract chooser fails until it is mended.
class TBrokenChooserWindow : public TfrmVarlo {
 public:
  using TfrmVarlo::TfrmVarlo;
  bool Broken = true;

  void ShowChooser(varlo::TGameChooser& chooser) override {
    if (Broken) throw std::runtime_error("The chooser broke down.");
    TfrmVarlo::ShowChooser(chooser);
  }
};

void ChooseWhist(QWidget* chooser) {
  chooser->findChild<QListWidget*>(QStringLiteral("clbGames"))
      ->item(varlo::Whist)
      ->setCheckState(Qt::Checked);
  ClickOk(chooser);
}

}  // namespace

class TDriverFailureTest : public QObject {
  Q_OBJECT

 private slots:
  void FailureIsShownAndTheWindowStillCloses();
};

void TDriverFailureTest::FailureIsShownAndTheWindowStillCloses() {
  varlo::TSteppingClock clock(20240601);
  TBrokenChooserWindow window(&clock, std::filesystem::path());
  window.SetPauseScale(0);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QAction* miNew = window.findChild<QAction*>(QStringLiteral("miNew"));

  auto error = AnswerNextBox(QMessageBox::Ok);
  miNew->trigger();
  QVERIFY(error->Seen);
  QCOMPARE(error->Icon, QMessageBox::Critical);
  QCOMPARE(error->Text, QStringLiteral("The chooser broke down."));
  QVERIFY(!window.Match().InputEnabled);

  // A close request is asked at once, not put off.
  auto stay = AnswerNextBox(QMessageBox::No);
  QVERIFY(!window.close());
  QVERIFY(stay->Seen);
  QCOMPARE(stay->Text, QStringLiteral("Are you sure to exit?"));

  window.Broken = false;
  AnswerNextModal(ChooseWhist);
  miNew->trigger();
  QCOMPARE(window.Match().Contract, varlo::Whist);
  QVERIFY(window.Match().InputEnabled);

  auto leave = AnswerNextBox(QMessageBox::Yes);
  QVERIFY(window.close());
  QVERIFY(leave->Seen);
  QVERIFY(!window.isVisible());
}

QTEST_MAIN(TDriverFailureTest)
#include "DriverFailureTest.moc"
