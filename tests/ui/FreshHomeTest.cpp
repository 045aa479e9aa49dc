// A fresh installation: HOME and every XDG folder empty, no settings file.
// A whole match plays exactly as the game always has, and leaves nothing
// behind but the records file.
#include <QAction>
#include <QTest>

#include "MatchUser.h"
#include "TestWindow.h"
#include "records.h"

using namespace ui_test;

namespace {

// The window as it is, telling which pauses the match asked of it.
class TWatchedWindow : public TfrmVarlo {
 public:
  using TfrmVarlo::TfrmVarlo;
  void Pause(int milliseconds) override {
    Pauses << milliseconds;
    TfrmVarlo::Pause(milliseconds);
  }
  void StartPause(int milliseconds) override {
    Waits << milliseconds;
    TfrmVarlo::StartPause(milliseconds);
  }
  QList<int> Pauses, Waits;
};

}  // namespace

class TFreshHomeTest : public QObject {
  Q_OBJECT

 private slots:
  void AWholeMatchWritesNothingButTheRecords();
};

void TFreshHomeTest::AWholeMatchWritesNothingButTheRecords() {
  TFreshHome home;
  TUser user;
  // Where an installed game keeps its records.
  const auto records = varlo::LocateRecordsFile("/usr/games");
  varlo::TSteppingClock clock(20241208);
  TWatchedWindow window(&clock, records);
  window.SetPauseScale(0);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.OfferToContinue();  // as at every start: with nothing kept, nothing asked
  window.findChild<QAction*>("miNew")->trigger();
  auto& m = window.Match();
  for (int clicks = 0; !m.MatchFinished() && clicks < 32 * 16; ++clicks) {
    const int slot = varlo::LowestSlot(m.Deal().LegalSlots(0));
    QVERIFY(slot >= 0 && m.InputEnabled());
    QTest::mouseClick(window.Table(), Qt::LeftButton, {}, QPoint(20 + 74 * slot + 37, 75));
  }
  QVERIFY(m.MatchFinished());
  // Every pause the blocking 3 s one; every message a box.
  QVERIFY(window.Pauses.size() > 100);
  QCOMPARE(window.Pauses.count(varlo::TrickPauseMs), window.Pauses.size());
  QVERIFY(window.Waits.isEmpty());
  QCOMPARE(user.Finishes, 16);  // in boxes, not on the table
  QCOMPARE(user.OtherTexts, QStringList());
  QVERIFY(!window.findChild<QAction*>("miTakeBack")->isVisible());
  window.FlushSaves();
  QCOMPARE(home.Files(), QStringList{"XDG_DATA_HOME/varlo/Varlo.ini"});
}

QTEST_MAIN(TFreshHomeTest)
#include "FreshHomeTest.moc"
