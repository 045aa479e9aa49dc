// An exception that escapes the turn driver goes to the error box, the table
// stays disabled until New, and the window still closes.
#include <QAction>
#include <QListWidget>
#include <QTest>
#include <stdexcept>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

class TBrokenChooserWindow : public TfrmVarlo {
 public:
  using TfrmVarlo::TfrmVarlo;
  bool Broken = true;
  void ShowChooser(varlo::TGameChooser& chooser) override {
    if (Broken) throw std::runtime_error("The chooser broke down.");
    TfrmVarlo::ShowChooser(chooser);
  }
};

}  // namespace

class TDriverFailureTest : public QObject {
  Q_OBJECT

 private slots:
  void FailureIsShownAndTheWindowStillCloses() {
    varlo::TSteppingClock clock(20240601);
    TBrokenChooserWindow window(&clock, std::filesystem::path());
    window.show();
    QAction* miNew = window.findChild<QAction*>(QStringLiteral("miNew"));
    auto error = AnswerNextBox(QMessageBox::Ok);
    miNew->trigger();
    QCOMPARE(error->Icon, QMessageBox::Critical);
    QCOMPARE(error->Text, QStringLiteral("The chooser broke down."));
    QVERIFY(!window.Match().InputEnabled);
    // Closing asks at once instead of waiting for a driver that is gone.
    auto stay = AnswerNextBox(QMessageBox::No);
    QVERIFY(!window.close());
    QVERIFY(stay->Seen);

    window.Broken = false;
    AnswerNextModal([](QWidget* chooser) {
      chooser->findChild<QListWidget*>()->item(varlo::Whist)->setCheckState(Qt::Checked);
      ClickOk(chooser);
    });
    miNew->trigger();
    QVERIFY(window.Match().InputEnabled);
    AnswerNextBox(QMessageBox::Yes);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
  }
};

QTEST_MAIN(TDriverFailureTest)
#include "DriverFailureTest.moc"
