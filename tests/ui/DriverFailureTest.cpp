// An exception that escapes the turn driver goes to the error box, the table
// stays disabled until New, and the window still closes.
#include <QAction>
#include <QTest>
#include <stdexcept>
#include <utility>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// The first chooser breaks down; the next one works.
class TBrokenChooserWindow : public TfrmVarlo {
 public:
  using TfrmVarlo::TfrmVarlo;
  void ShowChooser(varlo::TGameChooser& chooser) override {
    if (std::exchange(Broken, false)) throw std::runtime_error("The chooser broke down.");
    TfrmVarlo::ShowChooser(chooser);
  }
  bool Broken = true;
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
    QVERIFY(!window.Match().InputEnabled());
    // New runs the driver again, and the table takes clicks.
    AnswerNextModal([](QWidget* chooser) { CheckFirstFreeItem(chooser); ClickOk(chooser); });
    miNew->trigger();
    QVERIFY(window.Match().InputEnabled());
    // Exit asks at once instead of waiting for a driver that is gone.
    AnswerNextBox(QMessageBox::Yes);
    QVERIFY(window.close());
  }
};

QTEST_MAIN(TDriverFailureTest)
#include "DriverFailureTest.moc"
